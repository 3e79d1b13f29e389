#include "Schema.h"

#include "Connection.h"

#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

namespace {

// Each table's column definitions in the table's order, each a name and
// then its type.
QStringList definitionsOf(const QString &table)
{
    if (table == QLatin1String("Customers")) {
        // Account is AUTOINCREMENT so that the number of a deleted customer is
        // never given to another. NOCASE: customers are listed by name as a
        // person reads the list, "adams" beside "Adams".
        return QStringLiteral("Account INTEGER PRIMARY KEY AUTOINCREMENT, "
                              "Name TEXT COLLATE NOCASE, Address TEXT, City TEXT, State TEXT, "
                              "Zip TEXT, Home TEXT, Cell TEXT, HisWork TEXT, HerWork TEXT, "
                              "DateStarted TEXT, Schedule TEXT, AmountPerVisit REAL, "
                              "AmountMonthly REAL, Active INTEGER NOT NULL DEFAULT 0, Comments TEXT")
            .split(QLatin1String(", "));
    }
    // Income and Expense share one layout under their own names.
    return QStringLiteral("%1Type TEXT, %1Amount REAL, %1Date TEXT, %1Invoice TEXT")
        .arg(table)
        .split(QLatin1String(", "));
}

QStringList columnsOf(const QString &table)
{
    QStringList columns;
    for (const QString &definition : definitionsOf(table))
        columns << definition.section(u' ', 0, 0);
    return columns;
}

QStringList indexesOf(const QString &table)
{
    if (table == QLatin1String("Customers"))
        return {QStringLiteral("CustomersByName"), QStringLiteral("CustomersByDateStarted")};
    return {table + QStringLiteral("ByDate")};
}

struct SchemaObject {
    QString type, name;
};

// What the database's schema lists: tables, indexes, views and triggers.
bool readObjects(Connection &connection, QList<SchemaObject> *objects, QString *error)
{
    QSqlQuery query(connection.database());
    if (!query.exec(QStringLiteral("SELECT type, name FROM sqlite_master"))) {
        *error = QStringLiteral("%1 could not be read: %2")
                     .arg(connection.dataSource(), query.lastError().text());
        return false;
    }
    while (query.next())
        objects->append({query.value(0).toString(), query.value(1).toString()});
    return true;
}

bool ranByItself(const SchemaObject &object)
{
    return object.type == QLatin1String("trigger") || object.type == QLatin1String("view");
}

bool isOurs(const SchemaObject &object, const QString &table)
{
    if (object.type == QLatin1String("table"))
        return object.name == table || object.name == QLatin1String("sqlite_sequence");
    return object.type == QLatin1String("index") &&
           (indexesOf(table).contains(object.name) ||
            object.name.startsWith(QLatin1String("sqlite_autoindex_")));
}

// The table's columns as the database has them, and what its schema lists.
bool readSchema(Connection &connection, const QString &table, QStringList *columns,
                QList<SchemaObject> *objects, QString *error)
{
    if (!connection.open(error))
        return false;
    QSqlQuery info(connection.database());
    if (!info.exec(QStringLiteral("PRAGMA table_info(\"%1\")").arg(table))) {
        *error = QStringLiteral("%1 could not be read: %2")
                     .arg(connection.dataSource(), info.lastError().text());
        return false;
    }
    while (info.next())
        *columns << info.value(1).toString();
    return readObjects(connection, objects, error);
}

QString createTable(const QString &table)
{
    return QStringLiteral("CREATE TABLE %1 (%2)")
        .arg(table, definitionsOf(table).join(QLatin1String(", ")));
}

} // namespace

namespace Schema {

QStringList customers()
{
    return {createTable(QStringLiteral("Customers")),
            QStringLiteral("CREATE INDEX CustomersByName ON Customers (Name)"),
            QStringLiteral("CREATE INDEX CustomersByDateStarted ON Customers (DateStarted)")};
}

QStringList income()
{
    return {createTable(QStringLiteral("Income")),
            QStringLiteral("CREATE INDEX IncomeByDate ON Income (IncomeDate)")};
}

QStringList expense()
{
    return {createTable(QStringLiteral("Expense")),
            QStringLiteral("CREATE INDEX ExpenseByDate ON Expense (ExpenseDate)")};
}

bool check(const QString &path, const QString &table, QString *error)
{
    Connection connection(path);
    QStringList present;
    QList<SchemaObject> objects;
    if (!readSchema(connection, table, &present, &objects, error))
        return false;
    for (const QString &column : columnsOf(table)) {
        if (!present.contains(column, Qt::CaseInsensitive)) {
            *error = QStringLiteral("%1 has no table %2 with the column %3, which the program "
                                    "uses. Put back a copy of the file that has it, for example "
                                    "the backup copy taken at the last exit.")
                         .arg(connection.dataSource(), table, column);
            return false;
        }
    }
    for (const SchemaObject &object : std::as_const(objects)) {
        if (ranByItself(object)) {
            *error = QStringLiteral("%1 holds the %2 \"%3\", which would change or show the "
                                    "books behind the program's back. Remove it with a database "
                                    "tool, or put back a copy of the file without it, for example "
                                    "the backup copy taken at the last exit.")
                         .arg(connection.dataSource(), object.type, object.name);
            return false;
        }
    }
    return true;
}

bool checkBackedUp(const QString &path, const QString &table, QString *error)
{
    QStringList present;
    QList<SchemaObject> objects;
    {
        Connection connection(path);
        if (!readSchema(connection, table, &present, &objects, error))
            return false;
    }
    const QString file = QFileInfo(path).fileName();
    for (const SchemaObject &object : std::as_const(objects)) {
        if (!isOurs(object, table)) {
            *error = QStringLiteral("%1 holds the %2 \"%3\", which no backup of this program holds.")
                         .arg(file, object.type, object.name);
            return false;
        }
    }
    const QStringList ours = columnsOf(table);
    for (const QString &column : std::as_const(present)) {
        if (!ours.contains(column, Qt::CaseInsensitive)) {
            *error = QStringLiteral("%1 has a column %2 in its table %3, which no backup of this "
                                    "program has.")
                         .arg(file, column, table);
            return false;
        }
    }
    return check(path, table, error);
}

bool create(const QString &path, const QStringList &statements, QString *error)
{
    const QString name = QStringLiteral("bramblewood-create-") + path;
    bool ok = true;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(path);
        ok = db.open() && db.transaction();
        QSqlQuery query(db);
        for (const QString &statement : statements) {
            if (!ok)
                break;
            ok = query.exec(statement);
        }
        ok = ok && db.commit();
        if (!ok) {
            *error = query.lastError().isValid() ? query.lastError().text() : db.lastError().text();
            db.rollback();
        }
        query.finish();
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    if (!ok)
        QFile::remove(path);
    return ok;
}

bool isEmpty(const QString &path, const QString &table)
{
    const QString name = QStringLiteral("bramblewood-check-") + path;
    bool empty = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(path);
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
        if (db.open()) {
            QSqlQuery query(db);
            empty = query.exec(QStringLiteral("SELECT 1 FROM \"%1\" LIMIT 1").arg(table)) &&
                    !query.next();
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    return empty;
}

} // namespace Schema
