#include "AutoCompleteBox.h"
#include "DataFiles.h"
#include "DataSummary.h"
#include "FloppyBackup.h"
#include "JetFixture.h"
#include "MainWindowFixture.h"
#include "PostgresServer.h"
#include "Readers.h"
#include "Startup.h"
#include "UsEnglish.h"

#include <QLockFile>
#include <QtEndian>
#include <QProcess>
#include <QTest>

namespace {

const FixedClock fixedClock;

// A customer, an income, an expense and a balance of 10.50.
void fill(const TempDataFolder &folder)
{
    folder.execute(DataFiles::customers, "INSERT INTO Customers (Name) VALUES ('Ann')");
    folder.execute(DataFiles::income, "INSERT INTO Income VALUES ('Sales', 12.5, '2026-11-30', '')");
    folder.execute(DataFiles::expense, "INSERT INTO Expense VALUES ('Fuel', 2, '2026-11-02', '')");
    folder.writeBytes(DataFiles::balance, "10.5\r\n");
}

// An archive of the folder's files, made by Info-ZIP's zip.
QString archiveOf(const TempDataFolder &folder, const QStringList &names)
{
    QStringList arguments{"-qj", folder.filePath("test.zip")};
    for (const QString &name : names)
        arguments << folder.filePath(name);
    QProcess::execute("zip", arguments);
    return arguments[1];
}

// Sets the size that the archive's first entry declares, in both its headers:
// its local header at the start, and its entry in the central directory,
// which the end record locates.
void declareFirstSize(QByteArray &archive, quint32 size)
{
    const qsizetype end = archive.lastIndexOf("PK\x05\x06");
    const auto directory = qFromLittleEndian<quint32>(archive.constData() + end + 16);
    qToLittleEndian(size, archive.data() + 22);
    qToLittleEndian(size, archive.data() + directory + 24);
}

// The program's exit code and all it printed.
std::pair<int, QString> bramblewood(const QStringList &arguments)
{
    QProcess program;
    program.setProcessChannelMode(QProcess::MergedChannels);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("LC_ALL", "en_US.UTF-8"); // it prints dates in the locale's short form
    program.setProcessEnvironment(environment);
    program.start(BRAMBLEWOOD_PROGRAM, arguments);
    program.waitForFinished(60000);
    return {program.exitCode(), QString::fromUtf8(program.readAll())};
}

} // namespace

class tst_BackupRestore : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { useUsEnglish(); }

    // A backup, an income saved, a new password, a restore: the files and
    // the window are the backup's again, the password stays, and the kept
    // folder holds the data as they were, with the names remembered since.
    void restoreBringsBackTheBackup()
    {
        MainWindowWith<RecordingMessageBox> f;
        fill(f.folder);
        f.medium = f.folder.path();
        QVERIFY(f.load());
        f.trigger("mnuBackup");
        QVERIFY(f.messages.shown.last().text.endsWith(": customers 1, incomes 1, expenses 1."));
        click(f.window.get(), "cmdAdd2");
        for (const auto &[name, text] : {std::pair{"txtIncomeType", "Tips"}, {"txtIncomeAmount", "5"},
                                         {"txtIncomeDate", "12/1/2026"}})
            box(f.window.get(), name)->setText(text);
        click(f.window.get(), "cmdSave2");
        f.folder.writeBytes(DataFiles::password, "secret\r\n");
        const QByteArray changedIncome = f.folder.bytes(DataFiles::income);
        f.chosen = f.medium + '/' + FloppyBackup::dailyName(f.clock.today());
        f.messages.answer = QMessageBox::Yes;
        f.trigger("mnuRestore");
        const MessageBoxRequest question = f.messages.shown.at(f.messages.shown.size() - 2);
        QVERIFY(question.text.contains("Incomes: 1 in the backup, 2 now") && question.defaultButton == QMessageBox::No);
        for (const QString &name : DataFiles::backedUp())
            QCOMPARE(f.folder.bytes(name), Readers::zipEntry(f.chosen, name));
        QCOMPARE(f.folder.bytes(DataFiles::password), "secret\r\n");
        const QString kept = "Before restore 2031-02-03 101500/"; // named by the clock
        QVERIFY(f.messages.shown.last().text.contains("kept in " + f.folder.filePath(kept.chopped(1)) + "."));
        QCOMPARE(f.folder.bytes(kept + DataFiles::income), changedIncome);
        QVERIFY(f.folder.bytes(kept + DataFiles::incomeNames).contains("Tips"));
        QCOMPARE(f.text("txtBalance"), "10.50");
        QCOMPARE(control<DataControl>(f.window.get(), "Adodc2")->recordset().visibleCount(), 1);
        QVERIFY(!control<AutoCompleteBox>(f.window.get(), "txtIncomeType")->rememberedValue().contains("Tips"));
    }

    void damagedArchiveIsRefused_data()
    {
        QTest::addColumn<QString>("damage");
        QTest::addColumn<QString>("reason");
        QTest::newRow("a flipped byte") << "flip" << "Customers.mdb could not be read back whole and unchanged";
        QTest::newRow("truncated") << "truncate" << "It is not a zip archive, or a damaged one";
        QTest::newRow("other files") << "notes.txt" << "It holds notes.txt, which no backup of this program holds.";
        QTest::newRow("a file missing") << "income.kvd" << "It does not hold income.kvd. A backup holds these six files";
        QTest::newRow("a file twice") << "twice" << "It holds Expense.mdb twice.";
        QTest::newRow("a damaged table") << "table" << "Customers.mdb failed SQLite's quick check";
        // What would change the books behind the program's back once restored.
        const QString notOurs = "Income.mdb holds the %1, which no backup of this program holds.";
        QTest::newRow("a trigger") << "CREATE TRIGGER Inflate AFTER INSERT ON Income BEGIN UPDATE Income "
                                      "SET IncomeAmount = 5000; END" << notOurs.arg("trigger \"Inflate\"");
        QTest::newRow("a view") << "CREATE VIEW Everything AS SELECT * FROM Income" << notOurs.arg("view \"Everything\"");
        QTest::newRow("a balance note") << "CREATE TABLE BalanceNote (Balance TEXT, Noted INTEGER)"
                                        << notOurs.arg("table \"BalanceNote\"");
        QTest::newRow("a column more") << "ALTER TABLE Income ADD COLUMN Extra TEXT"
                                       << "Income.mdb has a column Extra in its table Income, which no backup";
        // Its first entry, Customers.mdb, made to declare another size than its own.
        QTest::newRow("more than the disk holds") << "3000000000" << "Its files would take 2.79 GiB once unpacked";
        QTest::newRow("unpacking past its size") << "100" << "it unpacks to more than the 100 bytes it declares";
    }

    // Refused by the window and by --verify-backup alike, naming what is
    // wrong; the data folder stays exactly as it was.
    void damagedArchiveIsRefused()
    {
        QFETCH(QString, damage);
        QFETCH(QString, reason);
        TempDataFolder source;
        fill(source);
        source.writeBytes("notes.txt", "not a backup");
        if (damage == "table")
            source.damageFirstTable(DataFiles::customers);
        if (damage.startsWith("CREATE") || damage.startsWith("ALTER"))
            source.execute(DataFiles::income, damage);
        QStringList names = DataFiles::backedUp();
        if (!names.removeAll(damage) && damage.contains('.') && !damage.contains(' '))
            names = QStringList{damage};
        archiveOf(source, names);
        QByteArray archive = source.bytes("test.zip");
        if (damage == "flip") // within the first entry's data, after its header, name and extra field
            archive[30 + archive[26] + archive[28] + 8] ^= 0x55;
        if (damage == "truncate")
            archive.chop(archive.size() / 2);
        if (damage == "twice") // a name of the same length as another's
            archive.replace("expense.kvd", "Expense.mdb");
        if (damage.toUInt())
            declareFirstSize(archive, damage.toUInt());
        source.writeBytes("test.zip", archive);

        MainWindowWith<RecordingMessageBox> f;
        QVERIFY(f.load());
        const QMap<QString, QByteArray> before = f.folder.snapshot();
        f.chosen = source.filePath("test.zip");
        f.trigger("mnuRestore");
        QCOMPARE(f.messages.shown.size(), 1);
        const QString told = f.messages.shown[0].text;
        QVERIFY2(told.contains(reason) && told.endsWith("Nothing was changed."), qPrintable(told));
        QCOMPARE(f.folder.snapshot(), before);
        const auto [code, output] = bramblewood({"--verify-backup", f.chosen});
        QVERIFY2(code == 1 && output.contains(reason), qPrintable(output));
    }

    void archiveThatDiffersFromTheFolderIsRefused_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("change"); // a statement, or balance.kvd's new content
        QTest::addColumn<QString>("told");   // empty: the archive passes
        QTest::newRow("as it was") << "" << "" << "";
        QTest::newRow("a customer more") << DataFiles::customers << "INSERT INTO Customers (Name) VALUES ('Bo')"
                                         << "Customers: 1 in the archive, 2 in the data folder.";
        QTest::newRow("an income fewer") << DataFiles::income << "DELETE FROM Income"
                                         << "Incomes: 1 in the archive, 0 in the data folder.";
        QTest::newRow("an older expense more")
            << DataFiles::expense << "INSERT INTO Expense VALUES ('Oil', 1, '2020-01-01', '')"
            << "Expenses: 1 in the archive, 2 in the data folder.";
        QTest::newRow("a later date") << DataFiles::income << "UPDATE Income SET IncomeDate = '2026-12-01'"
                                      << "Newest income: 11/30/2026 in the archive, 12/1/2026 in the data folder.";
        QTest::newRow("another balance") << DataFiles::balance << "10.51\r\n"
                                         << "Balance: 10.50 in the archive, 10.51 in the data folder.";
    }

    // The backup's own check: the archive read back must hold what the
    // folder it was made from holds.
    void archiveThatDiffersFromTheFolderIsRefused()
    {
        QFETCH(QString, file);
        QFETCH(QString, change);
        QFETCH(QString, told);
        TempDataFolder folder;
        fill(folder);
        QFile::rename(archiveOf(folder, DataFiles::backedUp()), folder.filePath(FloppyBackup::archiveFile));
        if (file == DataFiles::balance)
            folder.writeBytes(file, change.toUtf8());
        else if (!file.isEmpty())
            folder.execute(file, change);
        DataSummary present, packed;
        QString error;
        QVERIFY2(DataSummary::read(folder.folder(), &present, &error), qPrintable(error));
        QCOMPARE(FloppyBackup::check(folder.folder(), present, &packed, &error), told.isEmpty());
        if (!told.isEmpty())
            QCOMPARE(error, told);
    }

    void commandLine_data()
    {
        // ZIP and DIR stand for a backup and a data folder; BSDZIP for the
        // backup as bsdtar writes it (each entry's sizes after its data),
        // FOLDERZIP for a user's own zip of a folder holding its files, and
        // ACCESSZIP for a backup of the older program, its databases in the
        // Access format.
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("output");
        QTest::addColumn<QStringList>("shown"); // by the window started after a restore
        const QStringList restored{"Ann", "Sales", "10.50"};
        QTest::newRow("verify") << QStringList{"--verify-backup", "ZIP"} << 0
                                << "Customers: 1\n  Incomes: 1\n  Expenses: 1\n  Newest income: "
                                   "11/30/2026\n  Newest expense: 11/2/2026\n  Balance: 10.50\n"
                                << QStringList();
        QTest::newRow("restore") << QStringList{"--restore", "ZIP", "DIR"} << 0 << "Restored balance.kvd" << restored;
        QTest::newRow("verify, made by bsdtar") << QStringList{"--verify-backup", "BSDZIP"} << 0
                                                << "Customers: 1\n  Incomes: 1\n  Expenses: 1\n" << QStringList();
        QTest::newRow("verify, made by the older program")
            << QStringList{"--verify-backup", "ACCESSZIP"} << 0
            << "Customers: 5\n  Incomes: 300\n  Expenses: 40\n  Newest income: 10/26/2004\n  Newest "
               "expense: 2/9/2004\n  Balance: 12.50\n  Made by the older program: Customers.mdb, "
               "Expense.mdb, Income.mdb are in the Access format, and a restore converts them.\n"
            << QStringList();
        QTest::newRow("restore, made by the older program") << QStringList{"--restore", "ACCESSZIP", "DIR"}
            << 0 << "Restored balance.kvd" << QStringList{"Adams, Robert", "Café supplies", "12.50"};
        QTest::newRow("restore, all in one folder") << QStringList{"--restore", "FOLDERZIP", "DIR"} << 0
                                                    << "Restored balance.kvd" << restored;
        QTest::newRow("restore to a new machine") << QStringList{"--restore", "ZIP", "DIR/new"} << 0
                                                  << "Restored balance.kvd" << restored;
        QTest::newRow("restore, program running") << QStringList{"--restore", "ZIP", "DIR"} << 1
                                                  << "is in use by Bramblewood" << QStringList();
        QTest::newRow("convert, program running") << QStringList{"--convert-from", "SOURCE", "DIR"} << 1
                                                  << "is in use by Bramblewood" << QStringList();
        QTest::newRow("no file") << QStringList{"--verify-backup"} << 1 << "Usage" << QStringList();
        QTest::newRow("help") << QStringList{"--help"} << 0 << "--restore FILE [DATA-FOLDER]" << QStringList();
        QTest::newRow("version") << QStringList{"--version"} << 0 << "Bramblewood 2.5\n" << QStringList();
        QTest::newRow("an option it does not know") << QStringList{"--frobnicate"} << 2
                                                    << "--frobnicate is not an option it knows.\n\nUsage"
                                                    << QStringList();
    }

    // A folder restored from the command line is the backup's when the
    // program next starts on it; one the program holds is refused, untouched.
    void commandLine()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, code);
        QFETCH(QString, output);
        QFETCH(QStringList, shown);
        TempDataFolder source, target;
        fill(source);
        const QString zip = archiveOf(source, DataFiles::backedUp());
        if (arguments.contains("BSDZIP"))
            QProcess::execute("bsdtar", QStringList{"--format", "zip", "-cf", source.filePath("bsd.zip"),
                                                    "-C", source.path()} + DataFiles::backedUp());
        if (arguments.contains("FOLDERZIP")) {
            QDir(source.path()).mkdir("data1");
            for (const QString &name : DataFiles::backedUp())
                QFile::copy(source.filePath(name), source.filePath("data1/" + name));
            QProcess zipping;
            zipping.setWorkingDirectory(source.path());
            zipping.start("zip", {"-qr", "folder.zip", "data1"});
            QVERIFY(zipping.waitForFinished());
        }
        if (arguments.contains("ACCESSZIP")) { // as the older program named them
            const TempDataFolder older(false);
            JetFixture::write(older.path());
            older.writeBytes("balance.kvd", "12.5\r\n");
            older.writeBytes("income.kvd", "Caf\xe9\r\n");
            older.writeBytes("expense.kvd", "Fuel\r\n");
            for (const QString &name : DataFiles::backedUp())
                QFile::rename(older.filePath(name), older.filePath(name.toLower()));
            QStringList zipped{"-qj", source.filePath("access.zip")};
            for (const QString &name : DataFiles::backedUp())
                zipped << older.filePath(name.toLower());
            QProcess::execute("zip", zipped);
        }
        arguments.replaceInStrings("ACCESSZIP", source.filePath("access.zip"))
            .replaceInStrings("BSDZIP", source.filePath("bsd.zip"))
            .replaceInStrings("FOLDERZIP", source.filePath("folder.zip"))
            .replaceInStrings("ZIP", zip)
            .replaceInStrings("DIR", target.path())
            .replaceInStrings("SOURCE", source.path());
        QLockFile lock(target.filePath(DataFiles::lock));
        QVERIFY(code == 0 || lock.tryLock(0));
        const QMap<QString, QByteArray> before = target.snapshot();
        const auto [exitCode, printed] = bramblewood(arguments);
        QVERIFY2(exitCode == code && printed.contains(output), qPrintable(printed));
        if (code != 0 || arguments[0] != "--restore") {
            QCOMPARE(target.snapshot(), before);
            return;
        }
        RecordingMessageBox messages;
        FakeLauncher launcher;
        Startup startup(DataFolder(arguments[2]), messages, launcher, fixedClock);
        QVERIFY(startup.run());
        for (DataControl *data : startup.mainWindow()->findChildren<DataControl *>())
            data->recordset().rows();
        QCOMPARE(texts(startup.mainWindow(), {"txtName", "txtIncomeType", "txtBalance"}), shown);
    }

    // The folder's books go onto the server, and a new folder connects to
    // them; a refusal ends the program with 1.
    void moveToServerFromTheCommandLine()
    {
        const PostgresServer server;
        const QString uri = server.createDatabase("office");
        TempDataFolder first, second;
        fill(first);
        fill(second);
        auto [code, printed] = bramblewood({"--move-to-server", uri, first.path()});
        QVERIFY2(code == 0 && printed.contains("The books were moved to the server"), qPrintable(printed));
        QCOMPARE(first.bytes("server.kvd"), uri.toUtf8() + "\r\n");
        std::tie(code, printed) = bramblewood({"--connect", uri, second.filePath("desk")});
        QVERIFY2(code == 0 && printed.contains("now opens the books on the server"), qPrintable(printed));
        QCOMPARE(second.bytes("desk/server.kvd"), uri.toUtf8() + "\r\n");
        std::tie(code, printed) = bramblewood({"--connect", uri, second.path()});
        QVERIFY2(code == 1 && printed.contains("holds books of its own."), qPrintable(printed));
    }
};

QTEST_MAIN(tst_BackupRestore)
#include "tst_BackupRestore.moc"
