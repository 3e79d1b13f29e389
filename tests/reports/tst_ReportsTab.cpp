#include "Controls.h"
#include "DataFiles.h"
#include "FixedClock.h"
#include "Readers.h"
#include "ReportCommands.h"
#include "ReportQuery.h"
#include "ReportsTab.h"
#include "ScriptedMessageBox.h"
#include "TempDataFolder.h"
#include "UsEnglish.h"
#include "frmReport.h"

#include <QDateEdit>
#include <QElapsedTimer>
#include <QPointer>
#include <QPrinter>
#include <QRadioButton>
#include <QTest>
#include <sqlite3.h>

namespace {

struct Fixture {
    TempDataFolder folder;
    ScriptedMessageBox messages;
    FixedClock clock;
    ReportsTab tab{folder.folder(), messages, clock};

    Fixture()
    {
        tab.setStartingDates();
        folder.execute(DataFiles::customers,
                       "INSERT INTO Customers (Name, DateStarted, Active, AmountMonthly) VALUES "
                       "('O''Neil', '2020-01-01', -1, 10.5), ('Idle', '2021-01-01', 0, 4)");
    }
    QList<frmReport *> windows() const { return tab.findChildren<frmReport *>(); }
    QString pdfText(frmReport *report) const
    {
        const QString path = folder.filePath(QStringLiteral("report.pdf"));
        QString error;
        if (!report->savePdf(path, &error))
            qFatal("%s", qPrintable(error));
        return QString::fromUtf8(Readers::pdfText(path));
    }
};

// Whether a writer could take the database now, without waiting: no read
// transaction holds it.
bool writableAtOnce(const QString &path)
{
    sqlite3 *db = nullptr;
    const bool free = sqlite3_open(QFile::encodeName(path).constData(), &db) == SQLITE_OK &&
                      sqlite3_exec(db, "BEGIN EXCLUSIVE; ROLLBACK", nullptr, nullptr, nullptr) == SQLITE_OK;
    sqlite3_close(db);
    return free;
}

} // namespace

class tst_ReportsTab : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { useUsEnglish(); }

    void eachButtonShowsItsReport_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QStringList>("texts");
        QTest::newRow("main") << "cmdShowReport1" << "Customer Report"
                              << QStringList{"O'Neil", "Total of Monthly Amounts", "10.50", "2/3/2031"};
        QTest::newRow("route") << "cmdShowReport4" << "Route Report" << QStringList{"O'Neil", "HisWork:"};
        QTest::newRow("income") << "cmdShowReport3" << "Income Report" << QStringList{"Sales", "12.50"};
        QTest::newRow("expense") << "cmdShowReport2" << "Expense Report" << QStringList{"Fuel", "40.00"};
    }

    // Not modal; the customer reports show only the active customers unless asked.
    void eachButtonShowsItsReport()
    {
        QFETCH(QString, button);
        QFETCH(QString, caption);
        QFETCH(QStringList, texts);
        Fixture f;
        f.folder.execute(DataFiles::income, "INSERT INTO Income VALUES ('Sales', 12.5, '2024-07-04', 'D')");
        f.folder.execute(DataFiles::expense, "INSERT INTO Expense VALUES ('Fuel', 40, '2024-07-05', '')");
        ::click(&f.tab, button);
        QCOMPARE(f.windows().size(), 1);
        frmReport *report = f.windows().first();
        QCOMPARE(report->windowTitle(), caption);
        QVERIFY(report->isVisible() && !report->isModal());
        const QString text = f.pdfText(report);
        for (const QString &expected : texts)
            QVERIFY2(text.contains(expected), qPrintable(expected));
        QVERIFY(!text.contains(QStringLiteral("Idle")));
        // A print job is named by the report, as the printer's queue shows it.
        QPrinter printer;
        printer.setOutputFileName(f.folder.filePath("printed.pdf"));
        QVERIFY(report->print(printer));
        QCOMPARE(Readers::pdfTitle(f.folder.filePath("printed.pdf")), caption);
    }

    // A report already open shows the rows of the last click, read from the
    // tables as they are then; another report opens beside it.
    void eachClickReadsTheTablesAfresh()
    {
        Fixture f;
        ::click(&f.tab, "cmdShowReport4");
        QPointer<frmReport> route = f.windows().first();
        control<QRadioButton>(&f.tab, "Option6")->setChecked(true);
        f.folder.execute(DataFiles::customers, "INSERT INTO Customers (Name, DateStarted, Active) VALUES ('Later', '2022-01-01', 0)");
        ::click(&f.tab, "cmdShowReport4");
        QCOMPARE(f.windows(), QList<frmReport *>{route.data()});
        const QString text = f.pdfText(route);
        QVERIFY(text.contains("Idle") && text.contains("Later") && !text.contains("O'Neil"));
        route->close();
        QTRY_VERIFY(!route);
        ::click(&f.tab, "cmdShowReport4");
        ::click(&f.tab, "cmdShowReport1");
        QCOMPARE(f.windows().size(), 2);
    }

    // A report closed while its rows are still being read stops the reading
    // at once and lets go of the database, so that a Save can commit.
    void closingStopsTheReading()
    {
        Fixture f;
        const QString path = f.folder.filePath(DataFiles::income);
        f.folder.execute(DataFiles::income,
                         "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 500000) "
                         "INSERT INTO Income SELECT 'Sales', i, '2024-01-01', 'D' FROM n");
        QElapsedTimer timer;
        timer.start();
        {
            ReportQuery whole(f.folder.folder().database(DataFiles::income), ReportCommands::income, {"2004-01-01", "2026-12-06"});
            ReportRows rows;
            QString error;
            QVERIFY(whole.waitForCount(&rows, &error) && whole.waitForRows(rows.total, &rows, &error));
        }
        const qint64 wholeRead = timer.elapsed();
        ::click(&f.tab, "cmdShowReport3");
        QPointer<frmReport> report = f.windows().first();
        timer.restart();
        report->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        const qint64 closing = timer.elapsed();
        QVERIFY(!report);
        QVERIFY(writableAtOnce(path));
        QVERIFY2(closing < wholeRead / 4,
                 qPrintable(QString("%1 ms to close, %2 ms to read").arg(closing).arg(wholeRead)));
    }

    void rangeEndingBeforeItStartsIsTold_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("from"); // the Starting Date's picker
        QTest::addColumn<QString>("caption");
        QTest::newRow("main") << "cmdShowReport1" << "DTPicker1" << "Customer Report";
        QTest::newRow("route") << "cmdShowReport4" << "DTPicker1" << "Route Report";
        QTest::newRow("income") << "cmdShowReport3" << "DTPicker5" << "Income Report";
        QTest::newRow("expense") << "cmdShowReport2" << "DTPicker3" << "Expense Report";
    }

    // Told in words, where a report would show no rows and a total of 0.00.
    void rangeEndingBeforeItStartsIsTold()
    {
        QFETCH(QString, button);
        QFETCH(QString, from);
        QFETCH(QString, caption);
        Fixture f;
        control<QDateEdit>(&f.tab, from)->setDate(QDate(2031, 3, 1));
        f.messages.expect({"The Starting Date, 3/1/2031, is after the Ending Date, 2/3/2031, so no entry can "
                           "fall between them. Choose a Starting Date on or before the Ending Date.",
                           caption, QMessageBox::Ok, QMessageBox::Information});
        ::click(&f.tab, button);
        QVERIFY(f.windows().isEmpty());
    }

    void unreadableDatabaseIsTold_data()
    {
        QTest::addColumn<bool>("missing");
        QTest::addColumn<QString>("reason"); // %1 the database's path
        QTest::newRow("missing") << true << "The database file %1 does not exist.";
        QTest::newRow("no table") << false << "no such table: Expense";
    }

    // No window is left behind, and nothing is made on disk.
    void unreadableDatabaseIsTold()
    {
        QFETCH(bool, missing);
        QFETCH(QString, reason);
        Fixture f;
        const QString path = f.folder.filePath(DataFiles::expense);
        if (missing)
            QFile::remove(path);
        else
            f.folder.execute(DataFiles::expense, "DROP TABLE Expense");
        f.messages.expect({"The Expense Report could not be made.\n\n" + reason.arg(path), "Bramblewood",
                           QMessageBox::Ok, QMessageBox::Warning});
        ::click(&f.tab, "cmdShowReport2");
        QVERIFY(f.windows().isEmpty());
        QCOMPARE(QFile::exists(path), !missing);
    }
};

QTEST_MAIN(tst_ReportsTab)
#include "tst_ReportsTab.moc"
