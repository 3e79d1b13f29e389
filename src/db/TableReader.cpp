#include "TableReader.h"

#include "RowReader.h"
#include "SqlText.h"

#include <algorithm>

namespace {

// Every row of the prepared statement, cell after cell; the room is set
// aside before, so that the block is never copied while it grows.
bool readStatement(RowReader &reader, qint64 rowsExpected, qint64 textBytes, QStringList *columnNames,
                   RowBlock *rows, QString *error)
{
    *columnNames = reader.columnNames();
    *rows = RowBlock(columnNames->size());
    rows->reserve(rowsExpected, std::min(textBytes, RowBlock::maxTextBytes / 2));
    RowReader::Step step;
    while ((step = reader.step()) == RowReader::Step::Row) {
        reader.appendRow(rows);
        // Half the room is left for the rows the user changes afterwards.
        if (rows->textBytes() > RowBlock::maxTextBytes / 2) {
            *error = QStringLiteral("The rows hold more text than the program can keep.");
            return false;
        }
    }
    rows->squeeze();
    return step == RowReader::Step::Done || reader.failed(error);
}

bool readRowids(RowReader &reader, const QString &orderSql, std::vector<qint64> *rowids, QString *error)
{
    rowids->clear();
    if (!reader.prepare(orderSql, {}, error))
        return false;
    RowReader::Step step;
    while ((step = reader.step()) == RowReader::Step::Row)
        rowids->push_back(reader.integer(0));
    return step == RowReader::Step::Done || reader.failed(error);
}

} // namespace

namespace TableReader {

bool read(const Database &database, const QString &table, const QString &orderSql, TableCopy *copy,
          QString *error)
{
    const Engine &engine = *database.engine;
    const std::unique_ptr<RowReader> reader = engine.reader(database.name);
    return reader->inReadTransaction(
        [&](QString *error) {
            return reader->number(QStringLiteral("SELECT count(*) FROM %1").arg(quotedName(table)), {},
                                  &copy->counted, error) &&
                   reader->prepare(QStringLiteral("SELECT %1 AS bramblewood_rowid, * FROM %2")
                                       .arg(engine.rowId(), quotedName(table)),
                                   {}, error) &&
                   readStatement(*reader, copy->counted, engine.sizeBound(database.name), &copy->columns,
                                 &copy->rows, error) &&
                   (orderSql.isEmpty() || readRowids(*reader, orderSql, &copy->order, error));
        },
        error);
}

bool readOrder(const Database &database, const QString &orderSql, std::vector<qint64> *rowids,
               QString *error)
{
    const std::unique_ptr<RowReader> reader = database.engine->reader(database.name);
    return reader->inReadTransaction(
        [&](QString *error) { return readRowids(*reader, orderSql, rowids, error); }, error);
}

} // namespace TableReader
