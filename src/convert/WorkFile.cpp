#include "WorkFile.h"

#include "SqliteEngine.h"
#include "TableLoad.h"

#include <QFile>
#include <algorithm>

namespace {

using Kind = CarriedValue::Kind;

QStringList names(const QList<CarriedTable::Column> &columns)
{
    QStringList names;
    for (const CarriedTable::Column &column : columns)
        names << column.name;
    return names;
}

QString keyOf(const QList<CarriedTable::Column> &columns)
{
    const auto key = std::find_if(columns.begin(), columns.end(),
                                  [](const auto &column) { return column.kind == Kind::Key; });
    return key == columns.end() ? QString() : key->name;
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
    for (const TableColumn &column : TableLoad::columnsOf(schema, table)) {
        const Kind kind = column.key                                   ? Kind::Key
                          : column.type == QLatin1String("INTEGER")    ? Kind::YesNo
                          : column.type == QLatin1String("REAL")       ? Kind::Number
                          : column.name.contains(QLatin1String("Date")) ? Kind::Date
                                                                        : Kind::Text;
        columns.append({column.name, kind});
    }
    return columns;
}

bool write(const QString &path, const QStringList &schema, const QString &table,
           const QList<CarriedTable::Column> &columns, const QList<QVariantList> &rows,
           qint64 lastKey, QString *error)
{
    QFile::remove(path);
    QFile::remove(path + QStringLiteral("-journal"));
    QString failure;
    if (TableLoad::write(SqliteEngine::file(path), schema, table, names(columns), rows, keyOf(columns),
                         lastKey, &failure))
        return true;
    *error = QStringLiteral("the work file %1 cannot be written: %2").arg(path, failure);
    return false;
}

bool check(const QString &path, const QString &table, const QList<CarriedTable::Column> &columns,
           const QList<QVariantList> &rows, QString *error)
{
    qsizetype read = 0;
    bool equal = true;
    const auto compare = [&](const QVariantList &row) {
        for (qsizetype c = 0; equal && read < rows.size() && c < columns.size(); ++c)
            equal = same(rows[read][c], row[c], columns[c].kind);
        ++read;
        return equal;
    };
    QString failure;
    if (TableLoad::readBack(SqliteEngine::file(path), table, names(columns), compare, &failure) && equal &&
        read == rows.size())
        return true;
    *error = QStringLiteral("the converted database does not read back as written (row %1 of %2)")
                 .arg(read)
                 .arg(rows.size());
    return false;
}

std::optional<qint64> nextNumber(const QString &path, const QString &table)
{
    return TableLoad::nextKey(SqliteEngine::file(path), table);
}

} // namespace WorkFile
