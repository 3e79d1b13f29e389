#include "FakeFolder.h"

#include "DataFiles.h"
#include "Require.h"

#include <QDate>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <functional>
#include <random>

namespace {

// Varied values from a fixed seed.
class FakeData
{
public:
    int number(int low, int high) { return std::uniform_int_distribution<int>(low, high)(m_engine); }

    QString oneOf(const QStringList &choices)
    {
        return choices.at(number(0, int(choices.size()) - 1));
    }

    QString digits(int count)
    {
        QString text;
        for (int i = 0; i < count; ++i)
            text += QChar(u'0' + number(i == 0 ? 2 : 0, 9)); // no area code starts with 0 or 1
        return text;
    }

    QString date() { return QDate(1995, 1, 1).addDays(number(0, 11000)).toString(Qt::ISODate); }
    double money(int lowDollars, int highDollars) { return number(lowDollars * 100, highDollars * 100) / 100.0; }

private:
    std::mt19937 m_engine{20240611};
};

// "adams" is lower case, as users sometimes type names, so that the NOCASE
// order of the Name column is exercised.
const QStringList surnames = {
    QStringLiteral("Smith"),  QStringLiteral("Johnson"), QStringLiteral("Williams"), QStringLiteral("Brown"),
    QStringLiteral("Jones"),  QStringLiteral("Garcia"),  QStringLiteral("Miller"),   QStringLiteral("Davis"),
    QStringLiteral("Wilson"), QStringLiteral("Anderson"), QStringLiteral("Thomas"),  QStringLiteral("Taylor"),
    QStringLiteral("Moore"),  QStringLiteral("Jackson"), QStringLiteral("Martin"),   QStringLiteral("Lee"),
    QStringLiteral("adams"),  QStringLiteral("O'Brien"), QStringLiteral("McAllister"), QStringLiteral("Young")};
const QStringList firstNames = {
    QStringLiteral("John"),  QStringLiteral("Mary"),    QStringLiteral("Robert"), QStringLiteral("Patricia"),
    QStringLiteral("James"), QStringLiteral("Jennifer"), QStringLiteral("Linda"), QStringLiteral("Michael"),
    QStringLiteral("David"), QStringLiteral("Susan"),   QStringLiteral("Karen"),  QStringLiteral("Joseph")};
const QStringList streets = {QStringLiteral("Oak St"),      QStringLiteral("Maple Ave"),
                             QStringLiteral("Cedar Ln"),    QStringLiteral("Elm Dr"),
                             QStringLiteral("Hillcrest Rd"), QStringLiteral("Lakeview Ct"),
                             QStringLiteral("Bramble Way"), QStringLiteral("Main St")};
const QStringList cities = {QStringLiteral("Springfield"), QStringLiteral("Riverton"),
                            QStringLiteral("Fairview"),    QStringLiteral("Greenville"),
                            QStringLiteral("Madison"),     QStringLiteral("Ashland")};
const QStringList states = {QStringLiteral("OH"), QStringLiteral("PA"), QStringLiteral("NY"),
                            QStringLiteral("IN"), QStringLiteral("MI")};
const QStringList schedules = {QStringLiteral("OneShot"),   QStringLiteral("Monthly"),
                               QStringLiteral("BiMonthly"), QStringLiteral("Quarterly"),
                               QStringLiteral("Every 6 Months"), QStringLiteral("Yearly")};
const QStringList remarks = {QStringLiteral("dog in the back yard, call ahead"),
                             QStringLiteral("pays by check at the front door"),
                             QStringLiteral("side gate sticks, lift to open"),
                             QStringLiteral("prefers mornings before ten"),
                             QStringLiteral("skip the flower beds by the porch")};
const QStringList incomeTypes = {QStringLiteral("Lawn mowing"), QStringLiteral("Hedge trimming"),
                                 QStringLiteral("Leaf cleanup"), QStringLiteral("Snow removal"),
                                 QStringLiteral("Gutter cleaning")};
const QStringList expenseTypes = {QStringLiteral("Gasoline"), QStringLiteral("Mower repair"),
                                  QStringLiteral("Fertilizer"), QStringLiteral("Insurance"),
                                  QStringLiteral("Trimmer line")};

QVariantList customerRow(FakeData &fake, int i)
{
    return {QStringLiteral("%1, %2 %3").arg(fake.oneOf(surnames), fake.oneOf(firstNames)).arg(i + 1),
            QStringLiteral("%1 %2").arg(QString::number(fake.number(1, 9999)), fake.oneOf(streets)),
            fake.oneOf(cities),
            fake.oneOf(states),
            fake.digits(5),
            fake.digits(10),
            fake.digits(10),
            fake.digits(10),
            fake.digits(10),
            fake.date(),
            fake.oneOf(schedules),
            fake.money(15, 150),
            fake.money(15, 600),
            fake.number(0, 4) == 0 ? 0 : -1, // most customers are active
            QStringLiteral("Gate code %1; %2").arg(fake.digits(4), fake.oneOf(remarks))};
}

QVariantList ledgerRow(FakeData &fake, const QStringList &types, int i)
{
    return {fake.oneOf(types), fake.money(5, 500), fake.date(), QString::number(100000 + i)};
}

// Inserts the rows through a connection of the bench's own, in one
// transaction, and closes it again so that the program finds the file as it
// would any other.
void fill(const QString &path, const QString &insert, int rows,
          const std::function<QVariantList(int)> &makeRow)
{
    const QString name = QStringLiteral("bench-fill");
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(path);
        require(db.open() && db.transaction(), path + QStringLiteral(": ") + db.lastError().text());
        {
            QSqlQuery query(db);
            require(query.prepare(insert), query.lastError().text());
            for (int i = 0; i < rows; ++i) {
                const QVariantList values = makeRow(i);
                for (int column = 0; column < values.size(); ++column)
                    query.bindValue(column, values.at(column));
                require(query.exec(), query.lastError().text());
            }
        }
        require(db.commit(), db.lastError().text());
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
}

} // namespace

FakeFolder::FakeFolder(int customers, int ledgerEntries) : m_folder(m_directory.path())
{
    require(m_directory.isValid(), m_directory.errorString());
    QString error;
    require(m_folder.install(&error), error);
    FakeData fake;
    fill(m_folder.filePath(DataFiles::customers),
         QStringLiteral("INSERT INTO Customers (Name, Address, City, State, Zip, Home, Cell, HisWork, "
                        "HerWork, DateStarted, Schedule, AmountPerVisit, AmountMonthly, Active, "
                        "Comments) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
         customers, [&](int i) { return customerRow(fake, i); });
    fill(m_folder.filePath(DataFiles::income),
         QStringLiteral("INSERT INTO Income (IncomeType, IncomeAmount, IncomeDate, IncomeInvoice) "
                        "VALUES (?, ?, ?, ?)"),
         ledgerEntries, [&](int i) { return ledgerRow(fake, incomeTypes, i); });
    fill(m_folder.filePath(DataFiles::expense),
         QStringLiteral("INSERT INTO Expense (ExpenseType, ExpenseAmount, ExpenseDate, ExpenseInvoice) "
                        "VALUES (?, ?, ?, ?)"),
         ledgerEntries, [&](int i) { return ledgerRow(fake, expenseTypes, i); });
}
