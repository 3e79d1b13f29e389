#include "ConvertedDatabase.h"

#include "CarriedTable.h"
#include "JetTable.h"
#include "Schema.h"
#include "WorkFile.h"

namespace {

QStringList schemaOf(const QString &table)
{
    if (table == QLatin1String("Customers"))
        return Schema::customers();
    return table == QLatin1String("Income") ? Schema::income() : Schema::expense();
}

} // namespace

std::optional<ConvertedDatabase> ConvertedDatabase::convert(const DataFiles::Database &database,
                                                            const QString &source, const QString &work,
                                                            const QString &reader,
                                                            const JetTable::KeepGoing &keepGoing,
                                                            QString *error)
{
    const std::optional<JetTable> table =
        JetTable::read(reader, source, database.table, keepGoing, error);
    if (!table)
        return std::nullopt;
    if (table->rows.size() != table->storedRows) {
        *error = QStringLiteral("only %1 of the %2 rows of its table %3 can be read; it may be damaged")
                     .arg(table->rows.size())
                     .arg(table->storedRows)
                     .arg(database.table);
        return std::nullopt;
    }
    const QStringList schema = schemaOf(database.table);
    const QList<CarriedTable::Column> columns = WorkFile::columnsOf(schema, database.table);
    const CarriedTable carried(*table, columns);
    if (!WorkFile::write(work, schema, database.table, columns, carried.rows(), table->lastAutoNumber,
                         error) ||
        !WorkFile::check(work, database.table, columns, carried.rows(), error))
        return std::nullopt;
    return ConvertedDatabase{database, carried.rows().size(), WorkFile::nextNumber(work, database.table),
                             carried.notCarried()};
}
