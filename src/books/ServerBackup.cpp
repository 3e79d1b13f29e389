#include "ServerBackup.h"

#include "Balance.h"
#include "DataFiles.h"
#include "NumberText.h"
#include "Schema.h"
#include "ServerSnapshot.h"
#include "SideFile.h"
#include "TableLoad.h"

namespace {

QList<QVariantList> rowsOf(const ServerSnapshot::Table &table)
{
    QList<QVariantList> rows;
    rows.reserve(table.rows.rows());
    for (qsizetype row = 0; row < table.rows.rows(); ++row) {
        QVariantList values;
        for (qsizetype column = 0; column < table.columns.size(); ++column)
            values << table.rows.value(row, column);
        rows << values;
    }
    return rows;
}

// A side file holds its value and one line break.
QString valueOf(const QString &stored)
{
    const QString lineBreak = QStringLiteral("\r\n");
    return stored.endsWith(lineBreak) ? stored.chopped(lineBreak.size()) : stored;
}

} // namespace

namespace ServerBackup {

bool writeSnapshot(const DataFolder &onServer, const DataFolder &into, QString *error)
{
    ServerSnapshot snapshot;
    if (!ServerSnapshot::read(onServer.database(DataFiles::customers), &snapshot, error))
        return false;
    const struct {
        QString file, table;
        QStringList schema;
    } databases[] = {{DataFiles::customers, QStringLiteral("Customers"), Schema::customers()},
                     {DataFiles::income, QStringLiteral("Income"), Schema::income()},
                     {DataFiles::expense, QStringLiteral("Expense"), Schema::expense()}};
    for (const auto &database : databases) {
        const ServerSnapshot::Table &table = snapshot.tables[database.table];
        const bool numbered = database.table == QLatin1String("Customers");
        if (!TableLoad::write(into.database(database.file), database.schema, database.table, table.columns,
                              rowsOf(table), numbered ? QStringLiteral("Account") : QString(),
                              snapshot.lastAccount, error))
            return false;
    }
    const Disk disk = into.disk();
    return SideFile::write(disk, into.filePath(DataFiles::balance),
                           Balance::fileText(NumberText::twoDecimals(snapshot.balance)), error) &&
           SideFile::write(disk, into.filePath(DataFiles::incomeNames), valueOf(snapshot.incomeNames), error) &&
           SideFile::write(disk, into.filePath(DataFiles::expenseNames), valueOf(snapshot.expenseNames), error);
}

} // namespace ServerBackup
