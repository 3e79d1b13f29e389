#include "Schema.h"

#include "Connection.h"
#include "SqlText.h"

#include <QSqlError>
#include <QSqlQuery>

namespace {

QStringList columnsOf(const QString &table)
{
    QStringList columns;
    for (const QString &definition : Schema::definitions(table))
        columns << definition.section(u' ', 0, 0);
    return columns;
}

// Names quoted, so that an engine that folds unquoted names to lower case
// keeps them as they are.
QString quotedDefinition(const QString &definition)
{
    return quotedName(definition.section(u' ', 0, 0)) + u' ' + definition.section(u' ', 1);
}

QString createIndex(const QString &index, const QString &table, const QString &column)
{
    return QStringLiteral("CREATE INDEX %1 ON %2 (%3)").arg(quotedName(index), quotedName(table), quotedName(column));
}

// A server's index carries the row id beside the key, so that reading the
// rows' order is a walk of the index alone, never a sort.
QString createServerIndex(const QString &index, const QString &table, const QString &column)
{
    return createIndex(index, table, column) + QStringLiteral(" INCLUDE (\"RowId\")");
}

struct Index {
    QString name, column;
};

QList<Index> indexesOf(const QString &table)
{
    if (table == QLatin1String("Customers"))
        return {{QStringLiteral("CustomersByName"), QStringLiteral("Name")},
                {QStringLiteral("CustomersByDateStarted"), QStringLiteral("DateStarted")}};
    return {{table + QStringLiteral("ByDate"), table + QStringLiteral("Date")}};
}

// The table made by `create`, and its indexes made by `index`.
QStringList statementsOf(const QString &table, QString (*create)(const QString &table),
                         QString (*index)(const QString &index, const QString &table, const QString &column))
{
    QStringList statements{create(table)};
    for (const Index &each : indexesOf(table))
        statements << index(each.name, table, each.column);
    return statements;
}

bool ranByItself(const SchemaObject &object)
{
    return object.type == QLatin1String("trigger") || object.type == QLatin1String("view");
}

bool isOurs(const Engine &engine, const SchemaObject &object, const QString &table)
{
    if (engine.isOwn(object))
        return true;
    if (object.type == QLatin1String("table"))
        return object.name == table;
    const QList<Index> indexes = indexesOf(table);
    return object.type == QLatin1String("index") &&
           std::any_of(indexes.begin(), indexes.end(), [&](const Index &index) { return index.name == object.name; });
}

// The table's columns as the database has them, and what its catalog lists.
bool readSchema(Connection &connection, const QString &table, QStringList *columns,
                QList<SchemaObject> *objects, QString *error)
{
    if (!connection.isOpen() && !connection.open(error))
        return false;
    QList<TableColumn> present;
    if (!connection.engine().columns(connection.database(), table, &present, error) ||
        !connection.engine().objects(connection.database(), objects, error)) {
        *error = QStringLiteral("%1 could not be read: %2").arg(connection.dataSource(), *error);
        return false;
    }
    for (const TableColumn &column : std::as_const(present))
        *columns << column.name;
    return true;
}

QString createTable(const QString &table)
{
    QStringList definitions;
    for (const QString &definition : Schema::definitions(table))
        definitions << quotedDefinition(definition);
    return QStringLiteral("CREATE TABLE %1 (%2)").arg(quotedName(table), definitions.join(QLatin1String(", ")));
}

// A definition as a server declares it: its own types, the same numbering
// by a sequence, and its names quoted.
QString onServer(const QString &definition)
{
    static const QList<QPair<QString, QString>> types{
        {QStringLiteral("INTEGER PRIMARY KEY AUTOINCREMENT"), QStringLiteral("bigserial UNIQUE")},
        {QStringLiteral("TEXT COLLATE NOCASE"), QStringLiteral("text COLLATE \"nocase\"")},
        {QStringLiteral("TEXT"), QStringLiteral("text")},
        {QStringLiteral("REAL"), QStringLiteral("double precision")},
        {QStringLiteral("INTEGER NOT NULL DEFAULT 0"), QStringLiteral("bigint NOT NULL DEFAULT 0")}};
    const QString type = definition.section(u' ', 1);
    for (const auto &[sqlite, server] : types)
        if (type == sqlite)
            return quotedName(definition.section(u' ', 0, 0)) + u' ' + server;
    return quotedDefinition(definition);
}

QString createServerTable(const QString &table)
{
    QStringList definitions{QStringLiteral("\"RowId\" bigint GENERATED ALWAYS AS IDENTITY PRIMARY KEY")};
    for (const QString &definition : Schema::definitions(table))
        definitions << onServer(definition);
    return QStringLiteral("CREATE TABLE %1 (%2)").arg(quotedName(table), definitions.join(QLatin1String(", ")));
}

} // namespace

namespace Schema {

QStringList definitions(const QString &table)
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

QStringList customers()
{
    return statementsOf(QStringLiteral("Customers"), createTable, createIndex);
}

QStringList income()
{
    return statementsOf(QStringLiteral("Income"), createTable, createIndex);
}

QStringList expense()
{
    return statementsOf(QStringLiteral("Expense"), createTable, createIndex);
}

QStringList onServer()
{
    QStringList statements{
        // Customers are listed by name as a person reads the list, letter case aside.
        QStringLiteral("CREATE COLLATION \"nocase\" (provider = icu, locale = 'und-u-ks-level2', "
                       "deterministic = false)")};
    for (const QString &table : {QStringLiteral("Customers"), QStringLiteral("Income"), QStringLiteral("Expense")})
        statements << statementsOf(table, createServerTable, createServerIndex);
    return statements + QStringList{
        // What a data folder keeps in its side files: one row each.
        QStringLiteral("CREATE TABLE \"Balance\" (\"Amount\" double precision NOT NULL)"),
        QStringLiteral("CREATE TABLE \"Password\" (\"Content\" text NOT NULL)"),
        QStringLiteral("CREATE TABLE \"RememberedNames\" (\"Ledger\" text PRIMARY KEY, \"Names\" text NOT NULL)")};
}

bool check(const Database &database, const QString &table, QString *error)
{
    Connection connection(database);
    return check(connection, table, error);
}

bool check(Connection &connection, const QString &table, QString *error)
{
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

bool checkBackedUp(const Database &database, const QString &table, QString *error)
{
    QStringList present;
    QList<SchemaObject> objects;
    {
        Connection connection(database);
        if (!readSchema(connection, table, &present, &objects, error))
            return false;
    }
    const QString file = database.displayName();
    for (const SchemaObject &object : std::as_const(objects)) {
        if (!isOurs(*database.engine, object, table)) {
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
    return check(database, table, error);
}

bool create(const Database &database, const QStringList &statements, QString *error,
            const std::function<bool(const QSqlDatabase &, QString *error)> &fill)
{
    bool ok = true;
    {
        Connection connection(database, Engine::Access::Create);
        const auto build = [&](QString *error) {
            QSqlQuery query(connection.database());
            for (const QString &statement : statements)
                if (!query.exec(statement)) {
                    *error = query.lastError().text();
                    return false;
                }
            return !fill || fill(connection.database(), error);
        };
        ok = connection.open(error) && connection.inTransaction(build, error);
    }
    if (!ok)
        database.engine->remove(database.name);
    return ok;
}

bool isEmpty(const Database &database, const QString &table)
{
    Connection connection(database, Engine::Access::ReadOnly);
    QString error;
    if (!connection.open(&error))
        return false;
    QSqlQuery query(connection.database());
    return query.exec(QStringLiteral("SELECT 1 FROM %1 LIMIT 1").arg(quotedName(table))) && !query.next();
}

} // namespace Schema
