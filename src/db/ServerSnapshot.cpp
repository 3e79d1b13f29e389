#include "ServerSnapshot.h"

#include "RowReader.h"
#include "Schema.h"
#include "SqlText.h"

#include <memory>

namespace {

bool readRows(RowReader &reader, const QString &sql, RowBlock *rows, QStringList *columns, QString *error)
{
    if (!reader.prepare(sql, {}, error))
        return false;
    *columns = reader.columnNames();
    *rows = RowBlock(columns->size());
    RowReader::Step step;
    while ((step = reader.step()) == RowReader::Step::Row)
        reader.appendRow(rows);
    return step == RowReader::Step::Done || reader.failed(error);
}

// The table's columns as the books name them, the server's row id left out.
QString selectAll(const QString &table)
{
    QStringList columns;
    for (const QString &definition : Schema::definitions(table))
        columns << quotedName(definition.section(u' ', 0, 0));
    return QStringLiteral("SELECT %1 FROM %2").arg(columns.join(QLatin1String(", ")), quotedName(table));
}

} // namespace

bool ServerSnapshot::read(const Database &server, ServerSnapshot *snapshot, QString *error)
{
    const std::unique_ptr<RowReader> reader = server.engine->reader(server.name);
    const auto readAll = [&](QString *error) {
        for (const QString &table : {QStringLiteral("Customers"), QStringLiteral("Income"), QStringLiteral("Expense")}) {
            Table &read = snapshot->tables[table];
            if (!readRows(*reader, selectAll(table), &read.rows, &read.columns, error))
                return false;
        }
        RowBlock values;
        QStringList columns;
        if (!readRows(*reader,
                      QStringLiteral(R"(SELECT "Amount", (SELECT "Names" FROM "RememberedNames" WHERE "Ledger" = 'Income'), )"
                                     R"((SELECT "Names" FROM "RememberedNames" WHERE "Ledger" = 'Expense') FROM "Balance")"),
                      &values, &columns, error))
            return false;
        if (values.rows() != 1) {
            *error = QStringLiteral("The server's database has no balance.");
            return false;
        }
        snapshot->balance = values.value(0, 0).toDouble();
        snapshot->incomeNames = values.value(0, 1).toString();
        snapshot->expenseNames = values.value(0, 2).toString();
        return reader->number(QStringLiteral(R"(SELECT coalesce(pg_sequence_last_value()"
                                             R"(pg_get_serial_sequence('"Customers"', 'Account')::regclass), 0))"),
                              {}, &snapshot->lastAccount, error);
    };
    return reader->inReadTransaction(readAll, error);
}
