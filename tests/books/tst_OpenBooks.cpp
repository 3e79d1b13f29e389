#include "BalanceJournal.h"
#include "Connection.h"
#include "DataFiles.h"
#include "OpenBooks.h"
#include "PlannedFaults.h"
#include "TempDataFolder.h"

#include <QSqlQuery>
#include <QTest>

class tst_OpenBooks : public QObject
{
    Q_OBJECT
private slots:
    // A Save that committed its income and note, and then crashed before
    // balance.kvd took the new balance: the books open at the note's balance.
    void openingFinishesAChangeACrashStopped()
    {
        TempDataFolder folder;
        folder.writeBytes(DataFiles::balance, "300\r\n");
        folder.writeBytes(DataFiles::incomeNames, "Sales\r\n");
        Connection income(folder.folder().database(DataFiles::income));
        QString error;
        QVERIFY(income.open(&error));
        QVERIFY2(income.inTransaction([&](QString *error) {
            QSqlDatabase db = income.database();
            return QSqlQuery(db).exec("INSERT INTO Income VALUES ('Sales', 100, '2024-01-01', '')") &&
                   BalanceJournal::note(db, "400.00", QDateTime(QDate(2024, 1, 1), QTime(9, 0)), error);
        }, &error), qPrintable(error));
        income.close();
        OpenBooks books(folder.folder());
        QVERIFY2(books.open(&error), qPrintable(error));
        QCOMPARE(books.values().balance, "400.00");
        QCOMPARE(books.values().incomeNames, "Sales\r\n");
        QCOMPARE(folder.bytes(DataFiles::balance), "400\r\n");
        QCOMPARE(folder.value(DataFiles::income, "SELECT count(*) FROM sqlite_master WHERE name = 'BalanceNote'").toInt(), 0);
        QCOMPARE(books.readOnlyDatabases(), QStringList());
    }

    void savingTellsEachFileNotWritten_data()
    {
        QTest::addColumn<QString>("failing"); // the side file whose rename fails; empty: none
        QTest::newRow("all written") << QString();
        QTest::newRow("expense.kvd") << DataFiles::expenseNames;
        QTest::newRow("balance.kvd") << DataFiles::balance;
    }

    void savingTellsEachFileNotWritten()
    {
        QFETCH(QString, failing);
        TempDataFolder folder;
        PlannedFaults faults;
        if (!failing.isEmpty())
            faults.failRenameOf(folder.filePath("." + failing + ".part"));
        const OpenBooks::SideValues values{"Gas", "Sales", "12.50"};
        const QStringList problems = OpenBooks(folder.folder(faults)).save(values);
        const QMap<QString, QByteArray> written{{DataFiles::expenseNames, "Gas\r\n"},
                                                {DataFiles::incomeNames, "Sales\r\n"},
                                                {DataFiles::balance, "12.50\r\n"}};
        for (auto file = written.begin(); file != written.end(); ++file)
            QCOMPARE(folder.bytes(file.key()) == file.value(), file.key() != failing);
        QCOMPARE(problems.size(), failing.isEmpty() ? 0 : 1);
        if (!failing.isEmpty())
            QVERIFY(problems[0].startsWith("The file " + failing + " could not be written: "));
    }
};

QTEST_GUILESS_MAIN(tst_OpenBooks)
#include "tst_OpenBooks.moc"
