#include "WorkFile.h"

#include <QFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <algorithm>

namespace {

using Kind = CarriedValue::Kind;

// Runs use on a connection of its own to the database at path.
template <class Use> void withDatabase(const QString &path, bool readOnly, Use use)
{
    const QString name = QStringLiteral("bramblewood-convert-") + path;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(path);
        if (readOnly)
            db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
        use(db);
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
}

QString names(const QList<CarriedTable::Column> &columns)
{
    QStringList names;
    for (const CarriedTable::Column &column : columns)
        names << column.name;
    return names.join(QLatin1String(", "));
}

bool insertRows(QSqlQuery &query, const QString &table, const QList<CarriedTable::Column> &columns,
                const QList<QVariantList> &rows)
{
    const QString marks = QStringList(columns.size(), QStringLiteral("?")).join(u',');
    if (!query.prepare(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)").arg(table, names(columns), marks)))
        return false;
    for (const QVariantList &row : rows) {
        for (const QVariant &value : row)
            query.addBindValue(value);
        if (!query.exec())
            return false;
    }
    return true;
}

bool continueNumbering(QSqlQuery &query, const QString &table, const QList<CarriedTable::Column> &columns,
                       qint64 lastKey)
{
    const auto key = std::find_if(columns.begin(), columns.end(),
                                  [](const auto &column) { return column.kind == Kind::Key; });
    if (key == columns.end())
        return true;
    return query.exec(QStringLiteral("DELETE FROM sqlite_sequence WHERE name = '%1'").arg(table)) &&
           query.exec(QStringLiteral("INSERT INTO sqlite_sequence (name, seq) SELECT '%1', "
                                     "max(%2, coalesce(max(%3), 0)) FROM %1")
                          .arg(table)
                          .arg(lastKey)
                          .arg(key->name));
}

bool same(const QVariant &written, const QVariant &read, Kind kind)
{
    if (written.isNull())
        return read.isNull() || kind == Kind::Key;
    return !read.isNull() && written == read;
}

} // namespace

namespace WorkFile {

QList<CarriedTable::Column> columnsOf(const QStringList &schema, const QString &table)
{
    QList<CarriedTable::Column> columns;
    withDatabase(QStringLiteral(":memory:"), false, [&](QSqlDatabase &db) {
        QSqlQuery query(db);
        if (!db.open())
            return;
        for (const QString &statement : schema)
            query.exec(statement);
        query.exec(QStringLiteral("PRAGMA table_info(%1)").arg(table));
        while (query.next()) {
            const QString name = query.value(1).toString(), type = query.value(2).toString();
            const Kind kind = query.value(5).toInt() != 0           ? Kind::Key
                              : type == QLatin1String("INTEGER")    ? Kind::YesNo
                              : type == QLatin1String("REAL")       ? Kind::Number
                              : name.contains(QLatin1String("Date")) ? Kind::Date
                                                                     : Kind::Text;
            columns.append({name, kind});
        }
    });
    return columns;
}

bool write(const QString &path, const QStringList &schema, const QString &table,
           const QList<CarriedTable::Column> &columns, const QList<QVariantList> &rows,
           qint64 lastKey, QString *error)
{
    QFile::remove(path);
    QFile::remove(path + QStringLiteral("-journal"));
    bool ok = false;
    withDatabase(path, false, [&](QSqlDatabase &db) {
        QSqlQuery query(db);
        ok = db.open() && db.transaction();
        for (const QString &statement : schema)
            ok = ok && query.exec(statement);
        ok = ok && insertRows(query, table, columns, rows) &&
             continueNumbering(query, table, columns, lastKey) && db.commit();
        if (!ok) {
            *error = QStringLiteral("the work file %1 cannot be written: %2")
                         .arg(path, query.lastError().isValid() ? query.lastError().text()
                                                                 : db.lastError().text());
            db.rollback();
        }
        query.finish();
    });
    if (!ok)
        QFile::remove(path);
    return ok;
}

bool check(const QString &path, const QString &table, const QList<CarriedTable::Column> &columns,
           const QList<QVariantList> &rows, QString *error)
{
    qsizetype read = 0;
    bool equal = true;
    withDatabase(path, true, [&](QSqlDatabase &db) {
        QSqlQuery query(db);
        if (!db.open() ||
            !query.exec(QStringLiteral("SELECT %1 FROM %2 ORDER BY rowid").arg(names(columns), table)))
            return;
        for (; equal && query.next(); ++read)
            for (qsizetype c = 0; equal && read < rows.size() && c < columns.size(); ++c)
                equal = same(rows[read][c], query.value(int(c)), columns[c].kind);
    });
    if (equal && read == rows.size())
        return true;
    *error = QStringLiteral("the converted database does not read back as written (row %1 of %2)")
                 .arg(read)
                 .arg(rows.size());
    return false;
}

std::optional<qint64> nextNumber(const QString &path, const QString &table)
{
    std::optional<qint64> next;
    withDatabase(path, true, [&](QSqlDatabase &db) {
        QSqlQuery query(db);
        if (db.open() &&
            query.exec(QStringLiteral("SELECT seq FROM sqlite_sequence WHERE name = '%1'").arg(table)) &&
            query.next())
            next = query.value(0).toLongLong() + 1;
    });
    return next;
}

} // namespace WorkFile
