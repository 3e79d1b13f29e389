#include "MoveToServer.h"

#include "DataFiles.h"
#include "OpenBooks.h"
#include "PasswordFile.h"
#include "PostgresEngine.h"
#include "ServerAddress.h"
#include "ServerLoad.h"
#include "SideFile.h"
#include "TableLoad.h"
#include "TableReader.h"

#include <QDir>
#include <QFile>
#include <cmath>

namespace {

using Figures = QMap<QString, ServerLoad::Figures>;

// The table each database holds, and the column whose sum is compared.
struct Book {
    QString file, table, summed;
};

const QList<Book> books{{DataFiles::customers, QStringLiteral("Customers"), QStringLiteral("AmountMonthly")},
                        {DataFiles::income, QStringLiteral("Income"), QStringLiteral("IncomeAmount")},
                        {DataFiles::expense, QStringLiteral("Expense"), QStringLiteral("ExpenseAmount")}};

// The folder's rows, and what the server must read back.
bool readFolder(const DataFolder &folder, std::vector<TableCopy> *copies, QList<ServerLoad::Table> *tables,
                Figures *expected, QString *error)
{
    copies->resize(books.size());
    for (qsizetype i = 0; i < books.size(); ++i) {
        const Book &book = books[i];
        TableCopy &copy = (*copies)[std::size_t(i)];
        const Database database = folder.database(book.file);
        if (!TableReader::read(database, book.table, {}, &copy, error))
            return false;
        const QStringList columns = copy.columns.mid(1); // the file's own row id stays behind
        ServerLoad::Table table{book.table, columns, &copy.rows, {}, 0, book.summed};
        if (book.table == QLatin1String("Customers")) {
            table.numbered = QStringLiteral("Account");
            table.lastNumber = TableLoad::nextKey(database, book.table).value_or(1) - 1;
        }
        ServerLoad::Figures figures{copy.rows.rows(), 0};
        const qsizetype summed = copy.columns.indexOf(book.summed);
        for (qsizetype row = 0; row < copy.rows.rows(); ++row)
            figures.total += copy.rows.value(row, summed).toDouble();
        expected->insert(book.table, figures);
        tables->append(table);
    }
    return true;
}

// Sums are compared to the cent: the server adds them in an order of its own.
bool sameFigures(const Figures &expected, const Figures &read, QString *error)
{
    for (auto it = expected.begin(); it != expected.end(); ++it) {
        const ServerLoad::Figures &server = read.value(it.key());
        if (server.rows != it->rows || std::abs(server.total - it->total) >= 0.005) {
            *error = QStringLiteral("The server read back %1 rows of %2 totalling %3, where the folder holds "
                                    "%4 totalling %5; nothing was moved.")
                         .arg(server.rows).arg(it.key()).arg(server.total, 0, 'f', 2)
                         .arg(it->rows).arg(it->total, 0, 'f', 2);
            return false;
        }
    }
    return true;
}

// The files the server now stands for go, so that the folder opens the server.
bool setFilesAside(const DataFolder &folder, const QString &kept, QString *error)
{
    if (!QDir().mkpath(kept)) {
        *error = QStringLiteral("The folder %1 could not be made.").arg(kept);
        return false;
    }
    QStringList moved;
    for (const QString &name : DataFiles::all()) {
        if (!QFile::exists(folder.filePath(name)))
            continue;
        if (!folder.disk().replaceUnsynced(folder.filePath(name), QDir(kept).filePath(name), error))
            return false;
        moved << QDir(kept).filePath(name);
    }
    return folder.disk().syncFolders(moved + QStringList{folder.filePath(DataFiles::customers)}, error);
}

} // namespace

namespace MoveToServer {

Result run(const DataFolder &folder, const QString &uri, const QDate &today)
{
    Result result;
    if (!ServerAddress::isKeepable(uri, &result.error))
        return result;
    OpenBooks open(folder);
    const std::optional<QString> password = PasswordFile::read(folder, &result.error);
    if (!open.open(&result.error) || !password)
        return result;
    std::vector<TableCopy> copies;
    QList<ServerLoad::Table> tables;
    Figures expected;
    if (!readFolder(folder, &copies, &tables, &expected, &result.error))
        return result;
    const Database server = PostgresEngine::server(uri, folder.faults());
    bool empty = false;
    if (!ServerLoad::isEmpty(server, &empty, &result.error))
        return result;
    if (!empty) {
        result.error = QStringLiteral("The server's database already holds books. Name an empty one.");
        return result;
    }
    const OpenBooks::SideValues &values = open.values();
    const ServerLoad::SideValues side{values.balance.toDouble(), *password, values.incomeNames, values.expenseNames};
    const auto accept = [&](const Figures &read, QString *error) { return sameFigures(expected, read, error); };
    if (!ServerLoad::load(server, tables, side, accept, &result.error))
        return result;
    result.kept = folder.filePath(QStringLiteral("Moved to server ") + today.toString(Qt::ISODate));
    result.moved = SideFile::write(folder.disk(), folder.filePath(DataFiles::server), uri, &result.error) &&
                   setFilesAside(folder, result.kept, &result.error);
    return result;
}

} // namespace MoveToServer
