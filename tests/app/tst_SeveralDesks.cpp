#include "Connection.h"
#include "MainWindowFixture.h"
#include "MoveToServer.h"
#include "PasswordFile.h"
#include "PostgresEngine.h"
#include "PostgresServer.h"
#include "RecordNames.h"
#include "ServerBooks.h"
#include "Startup.h"
#include "UsEnglish.h"

#include <QDir>
#include <QProcess>
#include <QSqlQuery>
#include <QSignalSpy>
#include <QTest>
#include <memory>

namespace {

const FixedClock fixedClock;

// One desk: the program on a folder of its own that names the server.
struct Desk : MainWindowWith<RecordingMessageBox> {
    explicit Desk(const QString &uri) : MainWindowWith(uri) { QVERIFY(load()); }
    DataControl &customers() const { return *control<DataControl>(window.get(), "Adodc1"); }
};

// The server's books moved there from a folder of one customer and a balance.
QString booksOnServer(const PostgresServer &server)
{
    TempDataFolder books;
    books.execute(DataFiles::customers, "INSERT INTO Customers (Name) VALUES ('Ann')");
    books.writeBytes(DataFiles::balance, "10.5\r\n");
    return moveOntoServer(server, books);
}

} // namespace

class tst_SeveralDesks : public QObject
{
    Q_OBJECT
    std::unique_ptr<PostgresServer> running;

private slots:
    void initTestCase()
    {
        useUsEnglish();
        running = std::make_unique<PostgresServer>();
    }
    void cleanupTestCase() { running.reset(); }

    // What one desk stores shows at the other within a second, without
    // Refresh; a record being typed there is left as it is.
    void storedAtOneDeskShowsAtTheOther()
    {
        const PostgresServer &server = *running;
        const QString uri = booksOnServer(server);
        Desk first(uri), second(uri);
        click(first.window.get(), "cmdAdd2");
        box(first.window.get(), "txtIncomeType")->setText("Sales");
        box(first.window.get(), "txtIncomeAmount")->setText("100");
        box(first.window.get(), "txtIncomeDate")->setText("1/2/2031");
        click(first.window.get(), "cmdSave2");
        QCOMPARE(first.text("txtBalance"), "110.50");
        QTRY_COMPARE_WITH_TIMEOUT(second.text("txtBalance"), "110.50", 1000);
        QTRY_COMPARE_WITH_TIMEOUT(second.text("txtIncomeType"), "Sales", 1000);

        Recordset &customers = first.customers().recordset();
        customers.addNew();
        QString error;
        QVERIFY(customers.update({{"Name", "Baker"}}, &error));
        QTRY_COMPARE_WITH_TIMEOUT(second.customers().recordset().visibleCount(), 2, 1000);
        box(second.window.get(), "txtName")->setText("Typing");
        customers.addNew();
        QVERIFY(customers.update({{"Name", "Carter"}}, &error));
        QTest::qWait(500);
        QCOMPARE(second.text("txtName"), "Typing");
        QCOMPARE(second.customers().recordset().visibleCount(), 2);

        // Typed back as it was, the record lets the next change in, and the
        // one missed with it; a renamed customer moves to its place by name,
        // the current one still, and a deleted one goes.
        box(second.window.get(), "txtName")->setText("Ann");
        customers.moveFirst();
        QVERIFY(customers.update({{"Name", "Zed"}}, &error));
        QVERIFY(customers.refresh(&error) && customers.field("Name") == "Baker" && customers.deleteCurrent(&error));
        QTRY_COMPARE_WITH_TIMEOUT(second.text("txtName"), "Zed", 1000);
        QCOMPARE(recordNames(second.customers().recordset()), (QStringList{"Carter", "Zed"}));
    }

    // The desks' role as the README gives it its rights keeps the books at a
    // desk (a customer numbered by the server, a ledger step and its balance,
    // the password), and can neither drop nor alter a table.
    void theDesksRoleKeepsTheBooksButCannotAlterThem()
    {
        const PostgresServer &server = *running;
        const QString owner = server.createDatabase("books");
        {
            TempDataFolder books;
            QVERIFY(MoveToServer::run(books.folder(), owner, fixedClock.today()).moved);
        }
        server.execute("books", "CREATE ROLE bramblewood LOGIN; "
                                "GRANT USAGE ON SCHEMA bramblewood TO bramblewood; "
                                "GRANT SELECT, INSERT, UPDATE, DELETE ON ALL TABLES IN SCHEMA bramblewood TO bramblewood; "
                                "GRANT USAGE, UPDATE ON ALL SEQUENCES IN SCHEMA bramblewood TO bramblewood;");
        const QString deskAddress = QString(owner).replace("user=postgres", "user=bramblewood");
        Desk desk(deskAddress);
        Recordset &customers = desk.customers().recordset();
        customers.addNew();
        QString error;
        QVERIFY2(customers.update({{"Name", "Ann"}}, &error), qPrintable(error));
        QCOMPARE(customers.field("Account").toInt(), 1);
        click(desk.window.get(), "cmdAdd2");
        box(desk.window.get(), "txtIncomeType")->setText("Sales");
        box(desk.window.get(), "txtIncomeAmount")->setText("5");
        box(desk.window.get(), "txtIncomeDate")->setText("1/2/2031");
        click(desk.window.get(), "cmdSave2");
        QCOMPARE(desk.text("txtBalance"), "5.00");
        const DataFolder onServer = desk.folder.folder().onServer(deskAddress);
        QVERIFY2(PasswordFile::write(onServer, "new", &error), qPrintable(error));
        Connection connection(onServer.database(DataFiles::income));
        QVERIFY(connection.open(&error));
        QVERIFY(!QSqlQuery(connection.database()).exec(R"(DROP TABLE "Income")"));
        QVERIFY(!QSqlQuery(connection.database()).exec(R"(ALTER TABLE "Income" ADD COLUMN "Other" text)"));
        QVERIFY(desk.messages.shown.isEmpty());
        // The backup is made and checked from a snapshot of the server; here no disk takes it.
        control<QAction>(desk.window.get(), "mnuBackup")->trigger();
        QCOMPARE(desk.messages.shown.size(), 1);
        QCOMPARE(desk.messages.shown[0].text, "No disk in drive. Please insert disk and try again.");
        QCOMPARE(QDir(desk.folder.path()).entryList(QDir::Files), QStringList{"server.kvd"});
    }

    // A restore waits until no other desk has the books open; then it keeps
    // the server's books as a folder "Before restore" and puts the backup's
    // in their place, at every desk at once.
    void restoreReplacesTheServersBooks()
    {
        const PostgresServer &server = *running;
        const QString uri = booksOnServer(server);
        TempDataFolder backup;
        backup.execute(DataFiles::customers, "INSERT INTO Customers (Name) VALUES ('Zed'), ('Yan')");
        backup.writeBytes(DataFiles::balance, "99\r\n");
        QStringList zipped{"-qj", backup.filePath("backup.zip")};
        for (const QString &name : DataFiles::backedUp())
            zipped << backup.filePath(name);
        QCOMPARE(QProcess::execute("zip", zipped), 0);
        Desk first(uri);
        first.chosen = backup.filePath("backup.zip");
        first.messages.answer = QMessageBox::Yes;
        {
            // Another copy of the program, as the server knows it.
            Connection second(PostgresEngine::server(uri + "&application_name=bramblewood%20other"));
            QString error;
            QVERIFY(second.open(&error));
            control<QAction>(first.window.get(), "mnuRestore")->trigger();
            QVERIFY2(first.messages.shown.last().text.startsWith("1 other desk(s) have the books open."),
                     qPrintable(first.messages.shown.last().text));
        }
        control<QAction>(first.window.get(), "mnuRestore")->trigger();
        const QList<MessageBoxRequest> &shown = first.messages.shown;
        QVERIFY2(shown[shown.size() - 2].text.contains("Customers: 2 in the backup, 1 now"),
                 qPrintable(shown[shown.size() - 2].text));
        QVERIFY2(shown.last().text.startsWith("The backup"), qPrintable(shown.last().text));
        QCOMPARE(first.customers().recordset().visibleCount(), 2);
        QCOMPARE(first.text("txtBalance"), "99.00");
        const QStringList kept = QDir(first.folder.path()).entryList({"Before restore*"}, QDir::Dirs);
        QCOMPARE(kept.size(), 1);
        QCOMPARE(first.folder.value(kept[0] + "/" + DataFiles::customers, "SELECT Name FROM Customers"), "Ann");
    }

    void serverFromTheMenu_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<bool>("withBooks"); // the folder holds a customer
        QTest::addColumn<QString>("told");
        QTest::newRow("move") << "mnuMoveToServer" << true << "The books were moved to the server.";
        QTest::newRow("connect a new folder") << "mnuConnectToServer" << false
                                              << "This folder now opens the books on the server.";
        QTest::newRow("connect a folder with books") << "mnuConnectToServer" << true
                                                     << "The folder was not connected to the server. The data folder";
    }

    // From the window: asked for the address, the folder comes to name the
    // server and the program starts again on it; a folder with books of its
    // own is not connected, and goes on as it was.
    void serverFromTheMenu()
    {
        QFETCH(QString, command);
        QFETCH(bool, withBooks);
        QFETCH(QString, told);
        const PostgresServer &server = *running;
        const bool moving = command == "mnuMoveToServer";
        const QString uri = moving ? server.createDatabase("moved") : booksOnServer(server);
        MainWindowWith<RecordingMessageBox> f;
        const TempDataFolder &folder = f.folder;
        if (withBooks)
            folder.execute(DataFiles::customers, "INSERT INTO Customers (Name) VALUES ('Bo')");
        f.address = uri;
        QVERIFY(f.start());
        QSignalSpy restarted(f.window.get(), &frmMain::dataFolderChosen);
        f.trigger(command);
        QVERIFY2(f.messages.shown.last().text.startsWith(told), qPrintable(f.messages.shown.last().text));
        const bool connected = restarted.size() == 1;
        QCOMPARE(connected, !told.contains("not"));
        QCOMPARE(QFile::exists(folder.filePath(DataFiles::server)), connected);
        QCOMPARE(QFile::exists(folder.filePath(DataFiles::customers)), !connected);
        f.window->close(); // a folder that names a server gets nothing saved or compacted into it
        if (connected)
            QCOMPARE(QDir(folder.path()).entryList(QDir::Files), QStringList{"server.kvd"});
        else
            QCOMPARE(folder.value(DataFiles::customers, "SELECT Name FROM Customers"), "Bo");
    }

    // A folder naming a server that asks for a password libpq does not have:
    // it is asked once, every connection of the session gives it, and the
    // books open there; the exit compacts nothing.
    void passwordAskedOnce()
    {
        const PostgresServer &server = *running;
        server.addRoleWithPassword("desk", "sesame");
        const QString uri = QString(booksOnServer(server)).replace("user=postgres", "user=desk");
        TempDataFolder folder(false);
        folder.writeBytes(DataFiles::server, uri.toUtf8() + "\r\n");
        RecordingMessageBox messages;
        FakeLauncher launcher;
        QStringList asked;
        Startup startup(folder.folder(), messages, launcher, fixedClock, JET_READER, [&](const QString &address) {
            asked << address;
            return QString("sesame");
        });
        QVERIFY(startup.run());
        for (DataControl *data : startup.mainWindow()->findChildren<DataControl *>())
            data->recordset().rows();
        QCOMPARE(box(startup.mainWindow(), "txtName")->text(), "Ann");
        QCOMPARE(asked, QStringList{uri});
        startup.mainWindow()->close(); // the exit says so, and writes nothing into the folder
        QCOMPARE(messages.shown.last().text, "Databases will be compacted and saved!");
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files), (QStringList{"Bramblewood.lock", "server.kvd"}));
    }
};

QTEST_MAIN(tst_SeveralDesks)
#include "tst_SeveralDesks.moc"
