#include "DataFiles.h"
#include "MainWindowFixture.h"
#include "RecordingMessageBox.h"

#include <QProcess>
#include <QTest>

namespace {

const QStringList tables{"Customers", "Expense", "Income"};

// Every database intact, with its rows, and no work file left.
void verifyDatabases(const TempDataFolder &folder, const QString &suffix = QString())
{
    const int expected[] = {30, 1, 40};
    for (int i = 0; i < 3; ++i) {
        const QString file = tables[i] + suffix + ".mdb";
        QCOMPARE(folder.value(file, "PRAGMA integrity_check").toString(), QStringLiteral("ok"));
        QCOMPARE(folder.value(file, "SELECT count(*) FROM " + tables[i]).toInt(), expected[i]);
        QVERIFY(!QFile::exists(folder.filePath("New" + tables[i] + suffix + ".mdb")));
    }
}

void fill(const TempDataFolder &folder)
{
    folder.execute(DataFiles::customers,
                   "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 200) "
                   "INSERT INTO Customers (Name, Comments) SELECT 'C' || i, printf('%.500c', 'x') FROM n");
    folder.execute(DataFiles::income,
                   "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 40) "
                   "INSERT INTO Income SELECT 'I', i, '2024-01-01', '' FROM n");
    folder.execute(DataFiles::expense, "INSERT INTO Expense VALUES ('E', 2, '2024-01-01', '')");
    // Deleted rows leave free pages for the compaction to drop.
    folder.execute(DataFiles::customers, "DELETE FROM Customers WHERE Account > 30");
}

} // namespace

class tst_Exit : public QObject
{
    Q_OBJECT
private slots:
    void bothWaysOutLeaveTheSameFiles_data()
    {
        QTest::addColumn<bool>("byMenu");
        QTest::newRow("Exit") << true;
        QTest::newRow("close box") << false;
    }

    void bothWaysOutLeaveTheSameFiles()
    {
        QFETCH(bool, byMenu);
        MainWindowFixture f;
        fill(f.folder);
        f.folder.writeBytes("NewExpense.mdb", "left by an interrupted exit");
        f.folder.writeBytes("CustomersBackup.mdb", "an older backup");
        const QByteArray customersBefore = f.folder.bytes(DataFiles::customers);
        f.folder.writeBytes(DataFiles::balance, "12.5\r\n");
        QVERIFY(f.load());
        // Another program stops half way through a change: part of it is in the file, the rest in its journal.
        QCOMPARE(QProcess::execute("python3", {"-c", "import os, sqlite3, sys; db = sqlite3.connect(sys.argv[1], isolation_level=None); "
                                                     "db.executescript(\"PRAGMA cache_size=1; BEGIN; UPDATE Customers SET Comments = "
                                                     "printf('%.900c', 'y')\"); os._exit(0)", f.folder.filePath(DataFiles::customers)}),
                 0);
        // An edit left open takes its amount out of the box only.
        f.messages.expect(Boxes::confirmEdit, QMessageBox::Ok);
        click(f.window.get(), "cmdEdit2");
        QCOMPARE(f.text("txtBalance"), QStringLiteral("11.50"));
        f.messages.expect(Boxes::exitNotice);
        if (byMenu)
            f.trigger("mnuExit");
        else
            f.window->close();
        QCOMPARE(f.folder.bytes(DataFiles::balance), QByteArray("12.50\r\n"));
        QCOMPARE(f.text("txtBalance"), QStringLiteral("12.50"));
        QCOMPARE(f.folder.value("CustomersBackup.mdb", "SELECT count(*) FROM Customers WHERE Comments LIKE 'y%'").toInt(), 0);
        QVERIFY(f.folder.bytes(DataFiles::customers).size() < customersBefore.size());
        verifyDatabases(f.folder);
        verifyDatabases(f.folder, "Backup");
    }

    // A link stays, its target compacted; a read-only file, told at start, is left as it is.
    void linkAndReadOnlyFileStayAsTheUserMadeThem()
    {
        MainWindowWith<RecordingMessageBox> f;
        fill(f.folder);
        const QString customers = f.folder.filePath(DataFiles::customers), target = f.folder.filePath("elsewhere.db");
        QVERIFY(QFile::rename(customers, target) && QFile::link(target, customers));
        QVERIFY(QFile::setPermissions(f.folder.filePath(DataFiles::income), QFile::ReadOwner));
        const QByteArray customersBefore = f.folder.bytes(DataFiles::customers), incomeBefore = f.folder.bytes(DataFiles::income);
        QVERIFY(f.load());
        f.trigger("mnuExit");
        verifyDatabases(f.folder);
        QVERIFY(QFileInfo(customers).isSymLink() && f.folder.bytes(DataFiles::customers) != customersBefore);
        QCOMPARE(f.folder.bytes(DataFiles::income), incomeBefore);
        QCOMPARE(QFile::permissions(f.folder.filePath(DataFiles::income)) & QFile::WriteOwner, 0);
        QVERIFY(f.messages.shown.first().text.startsWith("These databases are read-only: Income.mdb."));
    }

    // Another program writes to a database through the whole exit: the exit
    // leaves that database uncompacted and says so, and what the program
    // commits afterwards is in it.
    void anotherProgramsWriteIsKept()
    {
        MainWindowWith<RecordingMessageBox> f;
        fill(f.folder);
        QVERIFY(f.load());
        QProcess writer;
        writer.start("python3", {"-c", "import sqlite3, sys; db = sqlite3.connect(sys.argv[1], isolation_level=None); "
                                       "db.execute('BEGIN IMMEDIATE'); db.execute(\"INSERT INTO Income VALUES ('Other', 1, "
                                       "'2024-01-01', '')\"); print('writing', flush=True); sys.stdin.readline(); "
                                       "db.execute('COMMIT')", f.folder.filePath(DataFiles::income)});
        QVERIFY(writer.waitForReadyRead(10000));
        f.trigger("mnuExit");
        writer.write("\n");
        QVERIFY(writer.waitForFinished(10000) && writer.exitCode() == 0);
        QCOMPARE(f.folder.value(DataFiles::income, "SELECT count(*) FROM Income WHERE IncomeType = 'Other'").toInt(), 1);
        QVERIFY(f.messages.shown.last().text.startsWith("Income.mdb is being changed by another program"));
        QVERIFY(!QFile::exists(f.folder.filePath("NewIncome.mdb")));
    }

    void failureAtAnyStepKeepsEveryDatabase_data()
    {
        QTest::addColumn<int>("step");
        QTest::addColumn<int>("nth");
        QTest::addColumn<bool>("fails");
        // Every run of each step that the exit makes: three side files (a write,
        // two syncs and a rename each), three checked backup copies (a write, a
        // sync and a rename each) and a sync of their folder, three compacted
        // databases taking their names (a sync and a rename each) and a sync of
        // their folder; one more finds none to fail.
        const struct {
            Faults::Step step;
            const char *name;
            int runs;
        } steps[] = {{Faults::Step::Write, "write", 6},
                     {Faults::Step::Sync, "sync", 14},
                     {Faults::Step::Rename, "rename", 9}};
        for (const auto &each : steps)
            for (int nth = 1; nth <= each.runs + 1; ++nth)
                QTest::addRow("%s %d", each.name, nth) << int(each.step) << nth << (nth <= each.runs);
    }

    void failureAtAnyStepKeepsEveryDatabase()
    {
        QFETCH(int, step);
        QFETCH(int, nth);
        QFETCH(bool, fails);
        MainWindowWith<RecordingMessageBox> f;
        fill(f.folder);
        QVERIFY(f.load());
        f.faults.failAt(Faults::Step(step), nth);
        f.trigger("mnuExit");
        verifyDatabases(f.folder);
        const QList<MessageBoxRequest> &messages = f.messages.shown;
        // The notice, then a box naming the failure exactly when there was one.
        QCOMPARE(messages.size(), fails ? 2 : 1);
        QCOMPARE(messages.first().text, Boxes::exitNotice.text);
        if (fails)
            QVERIFY(messages.last().text.contains(QLatin1String("injected")));
    }
};

QTEST_MAIN(tst_Exit)
#include "tst_Exit.moc"
