#include "FolderTables.h"

#include "DataFiles.h"
#include "TableLoad.h"

namespace {

// The table each database holds, and the column whose sum is compared.
struct Book {
    QString file, table, summed;
};

const QList<Book> books{{DataFiles::customers, QStringLiteral("Customers"), QStringLiteral("AmountMonthly")},
                        {DataFiles::income, QStringLiteral("Income"), QStringLiteral("IncomeAmount")},
                        {DataFiles::expense, QStringLiteral("Expense"), QStringLiteral("ExpenseAmount")}};

} // namespace

bool FolderTables::read(const DataFolder &folder, QString *error)
{
    m_copies.assign(std::size_t(books.size()), TableCopy());
    for (qsizetype i = 0; i < books.size(); ++i) {
        const Book &book = books[i];
        TableCopy &copy = m_copies[std::size_t(i)];
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
        m_figures.insert(book.table, figures);
        m_tables.append(table);
    }
    return true;
}
