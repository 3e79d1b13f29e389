#include "DataFiles.h"
#include "FakeLauncher.h"
#include "SafeFiles.h"
#include "ScriptedMessageBox.h"
#include "TempDataFolder.h"
#include "TestMain.h"
#include "frmMain.h"

#include <QAction>
#include <QLineEdit>
#include <QSqlDatabase>
#include <QSqlQuery>

namespace {

// Answers every box with OK and keeps its text.
class RecordingMessageBox final : public MessageBox
{
public:
    QMessageBox::StandardButton show(QWidget *, const MessageBoxRequest &request) override
    {
        texts << request.text;
        return QMessageBox::Ok;
    }
    QStringList texts;
};

const QStringList tables{"Customers", "Expense", "Income"};

// Rows of a database file's table, and whether SQLite finds the file intact.
int rows(const QString &path, const QString &table, bool *intact = nullptr)
{
    int count = -1;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("check"));
        db.setDatabaseName(path);
        if (db.open()) {
            QSqlQuery query(db);
            if (intact)
                *intact = query.exec("PRAGMA integrity_check") && query.next() &&
                          query.value(0).toString() == QLatin1String("ok");
            if (query.exec(QStringLiteral("SELECT count(*) FROM %1").arg(table)) && query.next())
                count = query.value(0).toInt();
        }
    }
    QSqlDatabase::removeDatabase(QStringLiteral("check"));
    return count;
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

class tst_ExitSequence : public QObject
{
    Q_OBJECT
private slots:
    void cleanup() { SafeFiles::clearFailures(); }
    void bothWaysOutLeaveTheSameFiles_data();
    void bothWaysOutLeaveTheSameFiles();
    void failureAtAnyStepKeepsEveryDatabase_data();
    void failureAtAnyStepKeepsEveryDatabase();
};

void tst_ExitSequence::bothWaysOutLeaveTheSameFiles_data()
{
    QTest::addColumn<bool>("byMenu");
    QTest::newRow("Exit") << true;
    QTest::newRow("close box") << false;
}

void tst_ExitSequence::bothWaysOutLeaveTheSameFiles()
{
    QFETCH(bool, byMenu);
    TempDataFolder folder;
    fill(folder);
    folder.writeBytes("NewExpense.mdb", "left by an interrupted exit");
    folder.writeBytes("CustomersBackup.mdb", "an older backup");
    const QByteArray customersBefore = folder.bytes(DataFiles::customers);
    ScriptedMessageBox messages;
    FakeLauncher launcher;
    frmMain window(messages, launcher);
    QVERIFY(window.Form_Load());
    window.findChild<QLineEdit *>("txtBalance")->setText("12.5");
    messages.expect({"Databases will be compacted and saved!", "Exiting Program"});
    if (byMenu)
        window.findChild<QAction *>("mnuExit")->trigger();
    else
        window.close();
    VERIFY_MESSAGES(messages);
    QCOMPARE(folder.bytes(DataFiles::balance), QByteArray("12.5\r\n"));
    QCOMPARE(folder.bytes("CustomersBackup.mdb"), customersBefore);
    QVERIFY(folder.bytes(DataFiles::customers).size() < customersBefore.size());
    const int expected[] = {30, 1, 40};
    for (int i = 0; i < 3; ++i) {
        bool intact = false;
        QCOMPARE(rows(folder.filePath(tables[i] + ".mdb"), tables[i], &intact), expected[i]);
        QVERIFY(intact);
        QCOMPARE(rows(folder.filePath(tables[i] + "Backup.mdb"), tables[i]), expected[i]);
        QVERIFY(!QFile::exists(folder.filePath("New" + tables[i] + ".mdb")));
    }
}

void tst_ExitSequence::failureAtAnyStepKeepsEveryDatabase_data()
{
    QTest::addColumn<int>("step");
    QTest::addColumn<int>("nth");
    // Every run of each step that the exit makes: three side files and three
    // backup copies (a write, three syncs and a rename each), then three
    // replacements (two syncs and a rename each); one more finds none to fail.
    const struct {
        SafeFiles::Step step;
        const char *name;
        int runs;
    } steps[] = {{SafeFiles::Step::Write, "write", 6},
                 {SafeFiles::Step::Sync, "sync", 24},
                 {SafeFiles::Step::Rename, "rename", 9}};
    for (const auto &each : steps)
        for (int nth = 1; nth <= each.runs + 1; ++nth)
            QTest::addRow("%s %d", each.name, nth) << int(each.step) << nth;
}

void tst_ExitSequence::failureAtAnyStepKeepsEveryDatabase()
{
    QFETCH(int, step);
    QFETCH(int, nth);
    TempDataFolder folder;
    fill(folder);
    RecordingMessageBox messages;
    FakeLauncher launcher;
    frmMain window(messages, launcher);
    QVERIFY(window.Form_Load());
    SafeFiles::failAt(SafeFiles::Step(step), nth);
    window.findChild<QAction *>("mnuExit")->trigger();
    const int expected[] = {30, 1, 40};
    for (int i = 0; i < 3; ++i) {
        bool intact = false;
        QCOMPARE(rows(folder.filePath(tables[i] + ".mdb"), tables[i], &intact), expected[i]);
        QVERIFY(intact);
        QVERIFY(!QFile::exists(folder.filePath("New" + tables[i] + ".mdb")));
    }
    QCOMPARE(messages.texts.first(), QStringLiteral("Databases will be compacted and saved!"));
    // A failure, when one was reached, is told: a second box names it.
    if (messages.texts.size() > 1)
        QVERIFY(messages.texts.last().contains(QLatin1String("injected")));
}

BRAMBLEWOOD_TEST_MAIN(tst_ExitSequence)
#include "tst_ExitSequence.moc"
