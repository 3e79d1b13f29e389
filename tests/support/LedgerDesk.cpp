#include "LedgerDesk.h"

#include "Balance.h"
#include "Connection.h"
#include "DataFiles.h"
#include "FixedClock.h"
#include "PlannedFaults.h"
#include "PostgresEngine.h"
#include "Recordset.h"
#include "RunningBalance.h"
#include "ServerSideValues.h"

#include <QCoreApplication>
#include <QDir>
#include <QSqlQuery>
#include <cstdio>
#include <random>

namespace LedgerDesk {

std::unique_ptr<QProcess> start(const QString &uri, int seed, int steps, int crashAt)
{
    auto desk = std::make_unique<QProcess>();
    desk->start(QCoreApplication::applicationFilePath(), {QString::fromLatin1(argument), uri, QString::number(seed),
                                                          QString::number(steps), QString::number(crashAt)});
    return desk;
}

int run(int argc, char **argv)
{
    if (argc != 6)
        return 2;
    const QString uri = QString::fromUtf8(argv[2]);
    std::mt19937 random(std::stoul(argv[3]));
    const int steps = std::stoi(argv[4]), crashAt = std::stoi(argv[5]);
    PlannedFaults faults;
    if (crashAt > 0)
        faults.endProcessAt(Faults::Step::Commit, crashAt, PlannedFaults::When(random() % 2));
    const DataFolder folder = DataFolder(QDir::tempPath(), faults).onServer(uri);
    const FixedClock clock;
    RunningBalance balance(folder, clock);
    Recordset income(folder.database(DataFiles::income), QStringLiteral("Income")),
        expense(folder.database(DataFiles::expense), QStringLiteral("Expense"));
    ServerSideValues::Values stored;
    QString error;
    if (!income.open(&error) || !expense.open(&error) ||
        !ServerSideValues::read(folder.database(DataFiles::income), &stored, &error))
        return 2;
    balance.setFromFile(QString::number(stored.balance));
    int added = 0, deleted = 0;
    for (int step = 0; step < steps; ++step) {
        const int kind = int(random() % 4);
        Recordset &ledger = kind == 1 ? expense : income;
        const QString amount = QString::number(double(random() % 10000) / 100, 'f', 2);
        const bool deleting = kind == 2, editing = kind == 3;
        if (deleting || editing) { // an income a few ahead, so that desks seldom pick the same
            for (int skip = 1 + int(random() % 50); skip > 0 && !income.isEOF(); --skip)
                income.moveNext();
            if (income.isEOF())
                income.moveFirst();
            if (income.isEOF())
                continue;
        }
        const QString prefix = kind == 1 ? QStringLiteral("Expense") : QStringLiteral("Income");
        const QString stored = income.field(QStringLiteral("IncomeAmount")).toString();
        const QString committed = deleting  ? balance.afterStep(stored, -1)
                                  : editing ? Balance::afterStep(balance.afterStep(stored, -1), amount, +1)
                                            : balance.afterStep(amount, kind == 1 ? -1 : 1);
        const RunningBalance::Outcome outcome =
            balance.commit(committed, committed, [&](const Recordset::AlongsideWrite &alongside) {
                if (deleting)
                    return ledger.deleteCurrent(&error, alongside);
                if (!editing)
                    ledger.addNew();
                return ledger.update({{prefix + QStringLiteral("Type"), QStringLiteral("Desk")},
                                      {prefix + QStringLiteral("Amount"), amount.toDouble()}},
                                     &error, alongside);
            }, &error);
        if (outcome == RunningBalance::Outcome::Done && !editing)
            ++(deleting ? deleted : added);
    }
    std::printf("%d %d\n", added, deleted);
    return 0;
}

Books read(const QString &uri, double opening)
{
    Connection connection(PostgresEngine::server(uri));
    QString error;
    QSqlQuery query(connection.open(&error) ? connection.database() : QSqlDatabase());
    query.prepare(QStringLiteral(R"(SELECT (SELECT "Amount" FROM "Balance"),
                         round((? + (SELECT coalesce(sum("IncomeAmount"), 0) FROM "Income")
                                  - (SELECT coalesce(sum("ExpenseAmount"), 0) FROM "Expense"))::numeric, 2),
                         (SELECT count(*) FROM "Income") + (SELECT count(*) FROM "Expense"))"));
    query.addBindValue(opening);
    if (!query.exec() || !query.next())
        return {-1, -2, -1};
    return {query.value(0).toDouble(), query.value(1).toDouble(), query.value(2).toLongLong()};
}

} // namespace LedgerDesk
