#include "AutoCompleteBox.h"
#include "ConvertFromCommand.h"
#include "DataFiles.h"
#include "DesktopLauncher.h"
#include "FloppyBackup.h"
#include "HelpPage.h"
#include "JetFixture.h"
#include "MainWindowFixture.h"
#include "MediumCopy.h"
#include "NumberText.h"
#include "PathStub.h"
#include "ProgramSettings.h"
#include "Readers.h"
#include "Startup.h"
#include "UsEnglish.h"
#include "WidgetMessageBox.h"
#include "frmAbout.h"
#include "frmHelp.h"
#include "frmMonthview.h"

#include <QCalendarWidget>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QLabel>
#include <QLockFile>
#include <QMenuBar>
#include <QPointer>
#include <QProcess>
#include <QProgressDialog>
#include <QTemporaryDir>
#include <QSysInfo>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

namespace {

const FixedClock fixedClock;

const QString lockFile = QStringLiteral("Bramblewood.lock");

// What the first start on a folder says once it has set the folder up (%1).
const QString welcome = "Welcome to Bramblewood. Your data are kept in the folder %1.\n\nThe balance starts at "
                        "0.00. To set the opening balance, click Set on the Income and Expenses tab and type the "
                        "password, which is \"bramblewood\" until you change it there with Change Password.";

MessageBoxRequest refusal(const QString &text, QMessageBox::Icon icon = QMessageBox::Critical)
{
    return {text, "Bramblewood", QMessageBox::Ok, icon};
}

} // namespace

Q_DECLARE_METATYPE(MessageBoxRequest)

// The help page where the program looks for it, for as long as a test needs it.
struct HelpPageBesideTheTests {
    const QString path = HelpPage::pathFor(QCoreApplication::applicationDirPath());
    HelpPageBesideTheTests()
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write("<h1>Bramblewood Help</h1>") <= 0)
            qFatal("The help page could not be written beside the tests.");
    }
    ~HelpPageBesideTheTests() { QFile::remove(path); }
};

class tst_frmMain : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { useUsEnglish(); }

    // The window opens on the Reports tab with the balance and first rows
    // shown, the date ranges set, and only the boxes a user may type into open.
    void loadFillsTheWindow()
    {
        MainWindowFixture f;
        f.folder.execute(DataFiles::customers,
                         "INSERT INTO Customers (Name, DateStarted, Schedule, AmountPerVisit, "
                         "AmountMonthly, Active) VALUES ('Zimmer', '2020-01-01', 'Monthly', 30, 30, 0), "
                         "('Adams', '2004-03-15', 'Quarterly', 25, 8.33333333333333, -1)");
        f.folder.execute(DataFiles::income, "INSERT INTO Income VALUES ('Sales', 12.5, '2024-07-04', 'D')");
        f.folder.execute(DataFiles::expense, "INSERT INTO Expense VALUES ('Fuel', 40, '2024-07-05', '17')");
        f.folder.writeBytes(DataFiles::incomeNames, "Sales\r\nRent\r\n");
        f.folder.writeBytes(DataFiles::balance, "1250.5\r\n");
        QVERIFY(f.load());
        QCOMPARE(control<QTabWidget>(f.window.get(), "SSTab1")->currentIndex(), 2);

        QCOMPARE(texts(f.window.get(), {"txtBalance", "txtAccountNumber", "txtName", "txtDateStarted",
                                        "txtVisitAmount", "txtMonthlyAmount", "txtIncomeAmount",
                                        "txtIncomeDate", "txtExpenseInvoice"}),
                 (QStringList{"1250.50", "2", "Adams", "3/15/2004", "25.00", "8.33", "12.50",
                              "7/4/2024", "17"}));
        QCOMPARE(control<QComboBox>(f.window.get(), "Combo1")->currentText(), QStringLiteral("Quarterly"));
        QVERIFY(control<QCheckBox>(f.window.get(), "Check1")->isChecked());
        QCOMPARE(control<AutoCompleteBox>(f.window.get(), "txtIncomeType")->rememberedValue(),
                 QStringLiteral("Sales\r\nRent"));

        QStringList dates;
        for (const char *picker : {"DTPicker1", "DTPicker2", "DTPicker3", "DTPicker5"})
            dates << control<QDateEdit>(f.window.get(), picker)->text();
        QCOMPARE(dates, (QStringList{"1/1/1980", "2/3/2031", "1/1/2004", "1/1/2004"}));
        // Opened at its own size, every menu command shows, none behind a ».
        f.window->resize(f.window->sizeHint());
        f.window->show();
        // Each has one access key of its own.
        QSet<QKeySequence> keys;
        for (QAction *command : f.window->menuBar()->actions()) {
            QVERIFY2(f.window->menuBar()->rect().contains(f.window->menuBar()->actionGeometry(command)),
                     qPrintable(command->text()));
            QCOMPARE(command->text().count('&'), 1);
            keys.insert(QKeySequence::mnemonic(command->text()));
        }
        QCOMPARE(keys.size(), f.window->menuBar()->actions().size());

        QString locked;
        for (const char *name : {"txtAccountNumber", "txtName", "txtMonthlyAmount", "txtBalance",
                                 "txtIncomeAmount", "txtAddress", "txtDateStarted", "txtIncomeType"})
            locked += box(f.window.get(), name)->isReadOnly() ? u'1' : u'0';
        QCOMPARE(locked, QStringLiteral("11111000"));
        QCOMPARE(enabledFlags(f.window.get(), {"cmdSave", "cmdSave2", "cmdSave3", "cmdAdd2", "cmdEdit3"}),
                 QStringLiteral("10011"));
    }

    void damagedFolderAtStart_data()
    {
        QTest::addColumn<QStringList>("toWork"); // databases back under their work names
        QTest::addColumn<QStringList>("removed");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QByteArray>("content"); // written into file; null: a folder in its place
        QTest::addColumn<MessageBoxRequest>("told"); // %1: the folder; critical: start refused
        const QStringList none;
        const QString ends = "\n\nThe program ends without changing anything.";
        const QString missing = "The data folder %1 is missing these files:\n\n";
        const QString putBack = ends + " Put the missing files back, for example from a backup, "
                                       "and start the program again.";
        const QString noNumber = "The file balance.kvd must hold the balance as a number, but it holds ";
        const QString newPassword = "\n\nA new pw.kvd was written with the password "
                                    "\"bramblewood\". To change the password, click Set on the "
                                    "Income and Expenses tab, then Change Password.";
        // No backup holds pw.kvd: it is not asked for, and is written once the rest is back.
        QTest::newRow("data files missing")
            << none << QStringList{DataFiles::expense, DataFiles::password, DataFiles::balance} << ""
            << QByteArray() << refusal(missing + "Expense.mdb" + putBack);
        // A folder copied with its databases alone goes on, its ledgers giving the balance.
        QTest::newRow("only the databases")
            << none << QStringList{DataFiles::password, DataFiles::balance, DataFiles::incomeNames, DataFiles::expenseNames}
            << "" << QByteArray()
            << refusal("The data folder %1 had its databases but not balance.kvd, income.kvd, expense.kvd. New ones "
                       "were written: the names each ledger remembers start empty, and the balance starts at 0.00, "
                       "the stored incomes less the stored expenses. If it should be otherwise, correct it with Set "
                       "on the Income and Expenses tab.\n\nThere was no password either: it is \"bramblewood\" "
                       "until you change it there with Change Password.",
                       QMessageBox::Information);
        QTest::newRow("password file missing")
            << none << QStringList{DataFiles::password} << "" << QByteArray()
            << refusal("The data folder %1 had no password file (pw.kvd). Backups do not hold it, "
                       "so a folder brought back from one lacks it." + newPassword,
                       QMessageBox::Information);
        QTest::newRow("password file empty")
            << none << none << DataFiles::password << QByteArray("")
            << refusal("The password file pw.kvd in the data folder %1 held no password." +
                           newPassword,
                       QMessageBox::Information);
        QTest::newRow("installation stopped in the side files") << DataFiles::all().mid(0, 3)
            << DataFiles::all().mid(4) << "" << QByteArray() << refusal(welcome, QMessageBox::Information);
        QTest::newRow("unfinished installation beside a balance")
            << QStringList{DataFiles::income, DataFiles::expense} << none << DataFiles::balance
            << QByteArray("12\r\n") << refusal(missing + "Income.mdb\nExpense.mdb" + putBack);
        const TempDataFolder altered; // refused before the window works
        altered.execute(DataFiles::income, "ALTER TABLE Income DROP COLUMN IncomeInvoice");
        QTest::newRow("column missing")
            << none << none << DataFiles::income << altered.bytes(DataFiles::income)
            << refusal("Income.mdb has no table Income with the column IncomeInvoice, which the program "
                       "uses. Put back a copy of the file that has it, for example the backup copy taken "
                       "at the last exit." + ends);
        const TempDataFolder withTrigger;
        withTrigger.execute(DataFiles::income, "CREATE TRIGGER Inflate AFTER INSERT ON Income BEGIN "
                                               "UPDATE Income SET IncomeAmount = 5000; END");
        QTest::newRow("a trigger")
            << none << none << DataFiles::income << withTrigger.bytes(DataFiles::income)
            << refusal("Income.mdb holds the trigger \"Inflate\", which would change or show the books "
                       "behind the program's back. Remove it with a database tool, or put back a copy "
                       "of the file without it, for example the backup copy taken at the last exit." + ends);
        QTest::newRow("balance no number")
            << none << none << DataFiles::balance << QByteArray("abc\r\n")
            << refusal(noNumber + "\"abc\"." + ends);
        QTest::newRow("names unreadable")
            << none << QStringList{DataFiles::incomeNames} << DataFiles::incomeNames << QByteArray()
            << refusal("The file income.kvd could not be read: file to open is a directory" + ends);
    }

    // A refusal tells why in one box and leaves every file as it was. A folder
    // that holds no data (an installation a crash left half done, a folder
    // brought back from a backup, which holds no pw.kvd) is made whole.
    void damagedFolderAtStart()
    {
        QFETCH(QStringList, toWork);
        QFETCH(QStringList, removed);
        QFETCH(QString, file);
        QFETCH(QByteArray, content);
        QFETCH(MessageBoxRequest, told);
        TempDataFolder folder;
        for (const QString &name : toWork)
            QFile::rename(folder.filePath(name), folder.filePath(name + ".install"));
        for (const QString &name : removed)
            QFile::remove(folder.filePath(name));
        if (content.isNull() && !file.isEmpty())
            QDir(folder.path()).mkdir(file);
        else if (!file.isEmpty())
            folder.writeBytes(file, content);
        const QStringList before = QDir(folder.path()).entryList(QDir::Files);
        ScriptedMessageBox messages;
        FakeLauncher launcher;
        told.text.replace("%1", folder.path());
        if (!told.text.isEmpty())
            messages.expect(told);
        const bool refused = told.icon == QMessageBox::Critical;
        QCOMPARE(Startup(folder.folder(), messages, launcher, fixedClock).run(), !refused);
        if (refused) {
            QCOMPARE(QDir(folder.path()).entryList(QDir::Files), before);
            QCOMPARE(folder.bytes(file), content);
        } else {
            QCOMPARE(folder.folder().missingFiles() + QDir(folder.path()).entryList({"*.install"}),
                     QStringList());
            QCOMPARE(folder.bytes(DataFiles::password), QByteArray("bramblewood\r\n"));
        }
    }

    void staleLockIsReplaced_data()
    {
        QTest::addColumn<bool>("takesNoFile");
        QTest::newRow("replaced") << false;
        QTest::newRow("the folder takes no new file") << true;
    }

    // The lock left by a run whose process is gone (a process number nobody
    // has) does not lock the user out; a folder without data files becomes a
    // fresh installation. Where the lock cannot be replaced (a full disk;
    // here a folder made immutable), that is what the user is told.
    void staleLockIsReplaced()
    {
        QFETCH(bool, takesNoFile);
        TempDataFolder folder(false);
        folder.writeBytes(lockFile, "2147483000\n" + QCoreApplication::applicationName().toUtf8() +
                                        "\n" + QSysInfo::machineHostName().toUtf8() + "\n");
        // chmod does not hold root back; chattr does not work for others.
        if (takesNoFile && (QProcess::execute("chattr", {"+i", folder.path()}) != 0 ||
                            QFile(folder.filePath("probe")).open(QIODevice::WriteOnly)))
            QSKIP("This file system lets this user write in any folder.");
        RecordingMessageBox messages;
        FakeLauncher launcher;
        Startup startup(folder.folder(), messages, launcher, fixedClock);
        const bool ran = startup.run();
        QProcess::execute("chattr", {"-i", folder.path()});
        QCOMPARE(ran, !takesNoFile);
        if (takesNoFile) {
            QVERIFY2(messages.shown.first().text.startsWith("The data folder " + folder.path() +
                                                            " cannot be used: the program cannot write in it ("),
                     qPrintable(messages.shown.first().text));
            return;
        }
        QVERIFY(startup.mainWindow()->isVisible());
        QCOMPARE(messages.shown.size(), 1);
        QCOMPARE(messages.shown[0].text, welcome.arg(folder.path()));
        QVERIFY(folder.folder().missingFiles().isEmpty());
    }

    void accessFolderConvertedAtStart_data()
    {
        QTest::addColumn<QMessageBox::StandardButton>("answer");
        QTest::addColumn<bool>("calledOff"); // by Cancel in the progress window, while a file is read
        QTest::addColumn<bool>("databasesOnly"); // copied from Windows without the side files
        QTest::newRow("OK") << QMessageBox::Ok << false << false;
        QTest::newRow("Cancel") << QMessageBox::Cancel << false << false;
        QTest::newRow("OK, then called off") << QMessageBox::Ok << true << false;
        QTest::newRow("OK, the databases only") << QMessageBox::Ok << false << true;
    }

    // A folder of the older program, its databases in the Access format and a
    // work file left by a crash: one question, and on OK the window shows the
    // first customer and numbers the next after the file's counter; on Cancel,
    // or called off while a reader that never ends reads, nothing changes but
    // the work file.
    void accessFolderConvertedAtStart()
    {
        QFETCH(QMessageBox::StandardButton, answer);
        QFETCH(bool, calledOff);
        QFETCH(bool, databasesOnly);
        TempDataFolder folder(false);
        JetFixture::write(folder.path());
        for (const char *side : {"pw.kvd", "balance.kvd", "income.kvd", "expense.kvd"})
            if (!databasesOnly)
                folder.writeBytes(side, "Caf\xe9\r\n");
        if (!databasesOnly)
            folder.writeBytes(DataFiles::balance, "12.5\r\n");
        folder.writeBytes("Income.mdb.convert", "left by a crash");
        RecordingMessageBox messages;
        messages.answer = answer;
        messages.standsAWhile = answer == QMessageBox::Ok && !calledOff; // the report follows the progress window
        FakeLauncher launcher;
        QTemporaryDir scripts;
        const QString slowReader = scripts.filePath("reader");
        if (calledOff) {
            QFile script(slowReader);
            QVERIFY(script.open(QIODevice::WriteOnly) && script.write("#!/bin/sh\nexec sleep 4\n") > 0);
            script.setPermissions(QFile::ReadOwner | QFile::ExeOwner);
            QTimer::singleShot(300, [] {
                for (QWidget *window : QApplication::topLevelWidgets())
                    if (auto *progress = qobject_cast<QProgressDialog *>(window); progress && window->objectName() == "dlgConverting")
                        progress->cancel();
            });
        }
        Startup startup(folder.folder(), messages, launcher, fixedClock, calledOff ? slowReader : JET_READER);
        QCOMPARE(startup.run(), answer == QMessageBox::Ok && !calledOff);
        QVERIFY(messages.shown[0].text.startsWith("These databases in the data folder " + folder.path() +
                                                  " are in the format of Microsoft Access:\n\n"
                                                  "Customers.mdb (Access 2000 to 2003)\n"));
        QCOMPARE(messages.shown[0].buttons, QMessageBox::Ok | QMessageBox::Cancel);
        if (calledOff)
            QCOMPARE(messages.shown[1].text, "Customers.mdb could not be converted: the conversion was cancelled.\n\n"
                                             "The program ends without changing anything.");
        if (answer == QMessageBox::Cancel || calledOff) {
            QCOMPARE(QDir(folder.path()).entryList({"Access*", "*.convert"}), QStringList());
            return;
        }
        QVERIFY(messages.shown[1].text.contains("Customers.mdb: 5 customers; the next new customer "
                                                "gets the account number 12."));
        QVERIFY(messages.shown[1].text.contains("kept unchanged in " + folder.filePath("Access originals 2031-02-03")));
        QCOMPARE(messages.shownUnderProgress, 0);
        frmMain *window = startup.mainWindow();
        for (DataControl *data : window->findChildren<DataControl *>())
            data->recordset().rows();
        // Without a balance of its own, the folder takes the one its ledgers say.
        const QString balance = databasesOnly ? NumberText::twoDecimals(folder.storedSum("Income") - folder.storedSum("Expense"))
                                              : "12.50";
        if (databasesOnly)
            QVERIFY2(messages.shown[2].text.contains("the balance starts at " + balance + ", the stored incomes less"),
                     qPrintable(messages.shown[2].text));
        QCOMPARE(texts(window, {"txtName", "txtAccountNumber", "txtBalance"}),
                 (QStringList{"Adams, Robert", "1", balance}));
        click(window, "cmdAdd");
        box(window, "txtName")->setText("Newman");
        box(window, "txtVisitAmount")->setText("30");
        control<QComboBox>(window, "Combo1")->setEditText("Monthly");
        click(window, "cmdSave");
        QCOMPARE(box(window, "txtAccountNumber")->text(), "12");
    }

    // What crashes left half written goes at the next start; files of other
    // names, which this program did not make, stay.
    void leftoversOfCrashesAreRemoved()
    {
        TempDataFolder folder;
        const QStringList leftovers{".restore-a1B2c3/Customers.mdb", ".Restore.unfinished.part", "Restore.unfinished.part", ".balance.kvd.new.part",
                                    ".balance.kvd.part", ".income.kvd.part", ".Backup.zip.part",
                                    ".IncomeBackup.mdb.part", ".Income.mdb.restoring"};
        const QStringList others{".notes.txt.part", ".restore-mine/notes.txt", "Backup.zip.part", "income.kvd.part"};
        for (const QString &name : leftovers + others) {
            QDir(folder.path()).mkpath(QFileInfo(folder.filePath(name)).path());
            folder.writeBytes(name, "left");
        }
        ScriptedMessageBox messages;
        FakeLauncher launcher;
        Startup startup(folder.folder(), messages, launcher, fixedClock);
        QVERIFY(startup.run());
        for (const QString &name : leftovers)
            QVERIFY2(!QFileInfo::exists(folder.filePath(name)), qPrintable(name));
        QVERIFY(!QFileInfo::exists(folder.filePath(".restore-a1B2c3")));
        for (const QString &name : others)
            QVERIFY2(QFileInfo::exists(folder.filePath(name)), qPrintable(name));
    }

    void conversionIntoTheFolderStoppedPartWay_data()
    {
        QTest::addColumn<bool>("fromGone");
        QTest::newRow("done again") << false;
        QTest::newRow("the folder converted from is gone") << true;
    }

    // --convert-from killed after it had put two databases in place: the
    // start does it again from the same folder, or refuses with nothing changed.
    void conversionIntoTheFolderStoppedPartWay()
    {
        QFETCH(bool, fromGone);
        auto from = std::make_unique<TempDataFolder>(false);
        const TempDataFolder into(false);
        const QString fromPath = from->path();
        JetFixture::write(fromPath);
        for (const char *side : {"balance.kvd", "income.kvd", "expense.kvd"})
            from->writeBytes(side, "1\r\n");
        QString text;
        QVERIFY2(ConvertFromCommand::convert(fromPath, into.folder(), JET_READER, fixedClock.today(), &text),
                 qPrintable(text));
        into.writeBytes("Conversion.unfinished", fromPath.toUtf8());
        QFile::remove(into.filePath(DataFiles::income));
        if (fromGone)
            from.reset();
        const QMap<QString, QByteArray> before = into.snapshot();
        RecordingMessageBox messages;
        FakeLauncher launcher;
        Startup startup(into.folder(), messages, launcher, fixedClock, JET_READER);
        QCOMPARE(startup.run(), !fromGone);
        QVERIFY2(messages.shown[0].text.startsWith(fromGone ? "A conversion from " + fromPath + " into this data folder "
                                                              "stopped before it finished, and could not be done again"
                                                            : "A conversion into " + into.path() + " stopped before it finished"),
                 qPrintable(messages.shown[0].text));
        if (fromGone) {
            QMap<QString, QByteArray> after = into.snapshot();
            after.remove(DataFiles::lock);
            QCOMPARE(after, before);
            return;
        }
        QCOMPARE(into.storedCount("Income"), 300);
        QVERIFY(!QFile::exists(into.filePath("Conversion.unfinished")));
    }

    void databaseLockedByAnotherProgram_data()
    {
        QTest::addColumn<bool>("forLong");
        QTest::newRow("for a moment") << false;
        QTest::newRow("for longer than the start waits") << true;
    }

    // The start waits for a database another program holds locked; a lock
    // that outlasts the wait is told in words the user can act on.
    void databaseLockedByAnotherProgram()
    {
        QFETCH(bool, forLong);
        TempDataFolder folder;
        QProcess holder;
        holder.start("python3", {"-c", "import sqlite3, sys, time; db = sqlite3.connect(sys.argv[1], isolation_level=None); "
                                       "db.execute('BEGIN EXCLUSIVE'); print('held', flush=True); "
                                       "sys.stdin.readline() if sys.argv[2] == 'long' else time.sleep(1)",
                                 folder.filePath(DataFiles::income), forLong ? "long" : "moment"});
        QVERIFY(holder.waitForReadyRead(10000));
        RecordingMessageBox messages;
        FakeLauncher launcher;
        Startup startup(folder.folder(), messages, launcher, fixedClock);
        QCOMPARE(startup.run(), !forLong);
        holder.write("\n");
        QVERIFY(holder.waitForFinished(10000));
        if (forLong)
            QVERIFY2(messages.shown.first().text.contains("Income.mdb could not be opened: another program has held "
                                                          "it locked for more than five seconds."),
                     qPrintable(messages.shown.first().text));
    }

    void dataFolderOpenedFromTheMenu_data()
    {
        QTest::addColumn<bool>("refused");
        QTest::newRow("a sound folder") << false;
        QTest::newRow("a folder that lacks a database") << true;
    }

    // The Folder menu lists the folders used last; one chosen has the folder
    // open left as at Exit and the program start there, with the checks of
    // any start: a folder refused has it go back to the one it left.
    void dataFolderOpenedFromTheMenu()
    {
        QFETCH(bool, refused);
        const TempDataFolder first, other;
        other.writeBytes(DataFiles::balance, "77\r\n");
        if (refused)
            QFile::remove(other.filePath(DataFiles::income));
        ProgramSettings::addRecentFolder(other.path());
        RecordingMessageBox messages;
        FakeLauncher launcher;
        Startup startup(first.folder(), messages, launcher, fixedClock);
        QVERIFY(startup.run());
        QPointer<frmMain> left = startup.mainWindow();
        left->resize(700, 560); // and the window opens again as the user left it
        QAction *recent = control<QAction>(left, "mnuRecentFolder1");
        QVERIFY(recent->text().endsWith(other.path()));
        recent->trigger();
        QTRY_VERIFY(!left);
        for (DataControl *data : startup.mainWindow()->findChildren<DataControl *>())
            data->recordset().rows();
        QCOMPARE(startup.mainWindow()->findChild<QLineEdit *>("txtBalance")->text(), refused ? "0.00" : "77.00");
        QVERIFY(QFile::exists(first.filePath("CustomersBackup.mdb"))); // left as at Exit
        QCOMPARE(startup.mainWindow()->size(), QSize(700, 560));
        QLockFile lockOfFirst(first.filePath(lockFile)), lockOfOther(other.filePath(lockFile));
        QCOMPARE(lockOfFirst.tryLock(0), !refused);
        QCOMPARE(lockOfOther.tryLock(0), refused);
        if (refused)
            QVERIFY(messages.shown.last().text.contains("is missing these files:\n\nIncome.mdb"));
        else
            QCOMPARE(ProgramSettings::recentFolders().mid(0, 2), (QStringList{other.path(), first.path()}));
    }

    // A program open for an hour holds a lock older than QLockFile's default stale time.
    void secondProgramIsRefusedHoweverLongTheFirstRuns()
    {
        TempDataFolder folder;
        ScriptedMessageBox messages;
        FakeLauncher launcher;
        Startup first(folder.folder(), messages, launcher, fixedClock);
        QVERIFY(first.run());
        QFile lock(folder.filePath(lockFile));
        QVERIFY(lock.open(QIODevice::ReadWrite));
        QVERIFY(lock.setFileTime(QDateTime::currentDateTime().addSecs(-3600),
                                 QFileDevice::FileModificationTime));
        lock.close();
        messages.expect(refusal(QStringLiteral("Bramblewood is already running on the data folder %1. "
                                               "Use the window that is open.")
                                    .arg(folder.path())));
        Startup second(folder.folder(), messages, launcher, fixedClock);
        QVERIFY(!second.run());
    }

    // Refresh asks about a customer's changes, shows what another program stored,
    // and keeps a search in force: the tab still shows its search state (New off until Clear).
    void refreshShowsChangesKeepingSearch()
    {
        MainWindowFixture f;
        f.folder.execute(DataFiles::customers,
                         "INSERT INTO Customers (Name) VALUES ('Smith'), ('Baker'), ('Goldsmith')");
        QVERIFY(f.load());
        f.folder.execute(DataFiles::customers, "INSERT INTO Customers (Name) VALUES ('Adams')");
        box(f.window.get(), "txtCity")->setText(QStringLiteral("Tampa"));
        f.messages.expect(Boxes::saveChanges, QMessageBox::No);
        f.trigger("mnuRefresh");
        QCOMPARE(texts(f.window.get(), {"txtName", "txtCity"}), (QStringList{"Adams", ""}));
        box(f.window.get(), "txtSearch")->setText(QStringLiteral("smith"));
        click(f.window.get(), "cmdSearch");
        f.folder.execute(DataFiles::customers, "INSERT INTO Customers (Name) VALUES ('Arrowsmith')");
        f.trigger("mnuRefresh");
        QStringList shown;
        for (int i = 0; i < 4; ++i) {
            shown << f.text("txtName");
            f.navigate("Adodc1", "cmdNext");
        }
        QCOMPARE(shown, (QStringList{"Arrowsmith", "Goldsmith", "Smith", "Smith"}));
        QVERIFY(!control<QPushButton>(f.window.get(), "cmdAdd")->isEnabled());
    }

    // The names each ledger remembers go out at exit and come back at the next start.
    void rememberedNamesSurviveRestart()
    {
        MainWindowFixture f;
        QVERIFY(f.load());
        for (const char *name : {"Sales", "Rent", "Sales"}) {
            click(f.window.get(), "cmdAdd2");
            box(f.window.get(), "txtIncomeType")->setText(QString::fromLatin1(name));
            box(f.window.get(), "txtIncomeAmount")->setText("1");
            box(f.window.get(), "txtIncomeDate")->setText("1/1/2024");
            click(f.window.get(), "cmdSave2");
        }
        f.messages.expect(Boxes::exitNotice);
        f.window->close();
        QCOMPARE(f.folder.bytes(DataFiles::incomeNames), QByteArray("Sales\r\nRent\r\n"));
        QCOMPARE(f.folder.bytes(DataFiles::balance), QByteArray("3.00\r\n"));
        QVERIFY(f.load());
        QCOMPARE(control<AutoCompleteBox>(f.window.get(), "txtIncomeType")->rememberedValue(),
                 QStringLiteral("Sales\r\nRent"));
    }

    // Beside the program wins over the share folder; a program in the root has no help.
    void helpPagePath()
    {
        TempDataFolder root(false);
        QDir(root.path()).mkpath("bin");
        QDir(root.path()).mkpath("share/bramblewood");
        const QString bin = root.filePath("bin");
        QCOMPARE(HelpPage::pathFor(bin), root.filePath("bin/Bramblewood.html"));
        root.writeBytes("share/bramblewood/Bramblewood.html", "<html/>");
        QCOMPARE(HelpPage::pathFor(bin), root.filePath("share/bramblewood/Bramblewood.html"));
        root.writeBytes("bin/Bramblewood.html", "<html/>");
        QCOMPARE(HelpPage::pathFor(bin), root.filePath("bin/Bramblewood.html"));
        QVERIFY(HelpPage::isTooShort(HelpPage::pathFor("/a")));
        QVERIFY(!HelpPage::isTooShort(HelpPage::pathFor("/ab")));
    }

    // Help opens the page, shows it in its one window of its own when no
    // browser starts, or tells why not; both Calculator buttons and System
    // Info start the first program of their kind found on the PATH, or tell
    // that none can start and what to install. About opens its one window, whose icon comes from
    // the resources (which a static build must link in); OK closes it.
    void smallCommandsHandOver()
    {
        MainWindowFixture f;
        QVERIFY(f.load());
        f.trigger("Help");
        QCOMPARE(f.launcher.opened.size(), 1);
        QVERIFY(f.launcher.opened.first().endsWith(QLatin1String("/Bramblewood.html")));
        PathStub path;
        f.messages.expect({"No calculator was found. Install one of these programs: gnome-calculator, "
                           "kcalc, mate-calc, galculator, qalculate-gtk, xcalc.",
                           "Bramblewood", QMessageBox::Ok, QMessageBox::Information});
        click(f.window.get(), "cmdCalculator1");
        f.trigger("mnuAbout");
        f.trigger("mnuAbout");
        QCOMPARE(f.window->findChildren<frmAbout *>().size(), 1);
        QPointer<frmAbout> about = f.window->findChild<frmAbout *>();
        QVERIFY(about->isVisible());
        QVERIFY(!control<QLabel>(about, "picIcon")->pixmap().isNull());
        const MessageBoxRequest noSystemInfo{"System Information Is Unavailable At This Time", "Bramblewood"};
        f.messages.expect({noSystemInfo.text + "\n\nNo system information program was found. Install one "
                           "of these Debian packages: hardinfo, kinfocenter, gnome-system-monitor.",
                           "Bramblewood"});
        click(about, "cmdSysInfo");
        path.add("xcalc");
        path.add("gnome-system-monitor");
        const QString kcalc = path.add("kcalc"), kinfocenter = path.add("kinfocenter");
        for (const char *button : {"cmdCalculator1", "cmdCalculator2"})
            click(f.window.get(), button);
        click(about, "cmdSysInfo");
        QCOMPARE(f.launcher.started, (QStringList{kcalc, kcalc, kinfocenter}));
        // xdg-open says when no program took the page; Help then shows its own window.
        const QString someFile = QCoreApplication::applicationFilePath();
        QString why;
        for (const char *exit : {"exit 3", "exit 0"}) {
            path.add("xdg-open", exit);
            QCOMPARE(DesktopLauncher().openDocument(someFile, &why), QByteArray(exit) == "exit 0");
        }
        f.launcher.succeed = false;
        f.messages.expect({f.launcher.failure, "Bramblewood"});
        f.trigger("Help");
        const HelpPageBesideTheTests page;
        f.trigger("Help");
        f.trigger("Help");
        QCOMPARE(f.window->findChildren<frmHelp *>().size(), 1);
        QVERIFY(control<frmHelp>(f.window.get(), "frmHelp")->isVisible());
        QCOMPARE(control<frmHelp>(f.window.get(), "frmHelp")->toPlainText(), "Bramblewood Help");
        f.messages.expect(noSystemInfo);
        click(about, "cmdSysInfo");
        click(about, "cmdOK");
        QTRY_VERIFY(!about);
    }

    void menuCommandsTellTheirOutcome_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("trouble"); // what stands in the way
        QTest::addColumn<QString>("text");    // of the one box, or its start
        QTest::addColumn<int>("icon");
        QTest::addColumn<QString>("file"); // in the data folder
        QTest::addColumn<bool>("made");
        const QString daily = "medium/" + FloppyBackup::dailyName(fixedClock.today());
        const int warning = int(QMessageBox::Warning);
        QTest::newRow("backup") << "mnuBackup" << "" << "Files successfully backed up to floppy!" << 0
                                << daily << true;
        // Left by a Save whose balance.kvd could not be written; no backup may hold it.
        QTest::newRow("backup, a balance note left") << "mnuBackup" << "note"
                                                     << "Files successfully backed up to floppy!" << 0 << daily << true;
        QTest::newRow("backup, no medium") << "mnuBackup" << "no medium"
                                           << "No disk in drive. Please insert disk and try again." << 0
                                           << daily << false;
        QTest::newRow("backup, medium gone") << "mnuBackup" << "medium gone"
                                             << "The backup could not be copied to the disk: " << warning
                                             << daily << false;
        QTest::newRow("backup, file missing") << "mnuBackup" << "Income.mdb"
                                              << "The backup archive Backup.zip could not be made: "
                                              << warning << daily << false;
        QTest::newRow("backup, damaged table")
            << "mnuBackup" << "damaged table"
            << "The backup archive Backup.zip failed its check and was not copied to the disk. "
               "Customers.mdb failed SQLite's quick check" << warning << daily << false;
        // The day's earlier copy stays.
        QTest::newRow("backup, medium differs")
            << "mnuBackup" << "medium differs"
            << "The backup could not be copied to the disk: the copy read back from the disk "
               "differs from Backup.zip" << warning << daily << true;
        QTest::newRow("export") << "mnuExport" << "" << "Export Completed\n%1/Customers.xls" << 0 << "Customers.xls" << true;
        QTest::newRow("export, a text cut")
            << "mnuExport" << "long comment" << "Export Completed\n%1/Customers.xls\n\nOne text was longer "
               "than a cell holds (32,767 characters) and was cut there." << 0 << "Customers.xls" << true;
        QTest::newRow("export blocked") << "mnuExport" << "Customers.xls"
                                        << "The customers could not be exported to Customers.xls: "
                                        << warning << "Customers.xls" << false;
    }

    // The menu's Backup and Export commands reach their work, and a failure is
    // told as a failure, never as success. The archive holds the six files
    // under their real, bare names, never the password; a second backup of
    // the day replaces the first.
    void menuCommandsTellTheirOutcome()
    {
        QFETCH(QString, command);
        QFETCH(QString, trouble);
        QFETCH(QString, text);
        QFETCH(int, icon);
        QFETCH(QString, file);
        QFETCH(bool, made);
        MainWindowWith<RecordingMessageBox> f;
        QDir(f.folder.path()).mkdir("medium");
        f.medium = trouble == "no medium" ? QString() : f.folder.filePath(trouble == "medium gone" ? "gone" : "medium");
        f.folder.execute(DataFiles::customers, "INSERT INTO Customers (Name) VALUES ('Ann')");
        QVERIFY(f.load());
        // A data file gone, or a folder where the workbook goes.
        if (trouble.contains('.') && !QFile::remove(f.folder.filePath(trouble)))
            QDir(f.folder.path()).mkdir(trouble);
        if (trouble == "long comment")
            f.folder.execute(DataFiles::customers, "UPDATE Customers SET Comments = printf('%.40000c', 'x')");
        if (trouble == "note") {
            f.folder.execute(DataFiles::income, "CREATE TABLE BalanceNote (Balance TEXT, Noted INTEGER)");
            f.folder.execute(DataFiles::income, "INSERT INTO BalanceNote VALUES ('0', 1)");
        }
        if (trouble == "damaged table")
            f.folder.damageFirstTable(DataFiles::customers);
        if (trouble == "medium differs") {
            f.folder.writeBytes(file, "earlier");
            MediumCopy::setReadBackFilter([](QByteArray *block) { (*block)[0] = ~(*block)[0]; });
        }
        f.trigger(command);
        MediumCopy::setReadBackFilter({});
        text.replace("%1", f.folder.path());
        QCOMPARE(f.messages.shown.size(), 1);
        QVERIFY2(f.messages.shown.first().text.startsWith(text), qPrintable(f.messages.shown.first().text));
        QCOMPARE(int(f.messages.shown.first().icon), icon);
        QCOMPARE(QFileInfo(f.folder.filePath(file)).isFile(), made);
        if (command == "mnuBackup") // no copy left half made
            QCOMPARE(QDir(f.folder.filePath("medium")).count(), 2u + made);
        if (trouble == "medium differs")
            QCOMPARE(f.folder.bytes(file), "earlier");
        else if (command == "mnuBackup" && made) {
            QCOMPARE(Readers::zipEntries(f.folder.filePath(file)),
                     (QStringList{"Customers.mdb", "Expense.mdb", "expense.kvd", "Income.mdb",
                                  "income.kvd", "balance.kvd"}));
            f.folder.execute(DataFiles::expense, "INSERT INTO Expense (ExpenseType) VALUES ('Fuel')");
            f.trigger(command);
            QCOMPARE(Readers::zipEntry(f.folder.filePath(file), "Expense.mdb"), f.folder.bytes(DataFiles::expense));
            QCOMPARE(QDir(f.folder.filePath("medium")).count(), 3u); // ".", ".." and the one copy
        }
    }

    void progressGoesBeforeItsMessage_data()
    {
        QTest::addColumn<QString>("command");
        QTest::newRow("backup") << "mnuBackup";
        QTest::newRow("export") << "mnuExport";
        QTest::newRow("restore") << "mnuRestore";
        QTest::newRow("exit, a step failing") << "mnuExit";
    }

    // The real box that follows a progress window is the active window, no
    // progress window standing however long it stays open (the work would
    // look frozen), and Return answers it.
    void progressGoesBeforeItsMessage()
    {
        QFETCH(QString, command);
        MainWindowWith<WidgetMessageBox> f;
        QVERIFY(f.load());
        showActive(f.window.get());
        int answered = 0, polls = 0, standing = 0;
        bool allActive = true;
        QPointer<QMessageBox> seen;
        QTimer answer;
        // Each box is answered once it has stood longer than a progress window waits to show.
        connect(&answer, &QTimer::timeout, this, [&] {
            QMessageBox *box = nullptr;
            for (QWidget *window : QApplication::topLevelWidgets())
                if (window->isVisible() && qobject_cast<QMessageBox *>(window))
                    box = static_cast<QMessageBox *>(window);
            standing = box && box == seen ? standing + 1 : 0;
            seen = box;
            if (standing == 10) {
                bool alone = QApplication::activeWindow() == box;
                for (QWidget *window : QApplication::topLevelWidgets())
                    alone = alone && !(qobject_cast<QProgressDialog *>(window) && window->isVisible());
                allActive = allActive && alone;
                ++answered;
                QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : box, Qt::Key_Return);
            }
            if (++polls % 200 == 0 && box) { // never left standing, whatever goes wrong
                allActive = false;
                box->done(QMessageBox::Cancel);
            }
        });
        answer.start(50);
        f.medium = f.folder.filePath("medium");
        QDir(f.folder.path()).mkdir("medium");
        f.trigger("mnuBackup"); // what the restore restores
        f.chosen = f.medium + '/' + FloppyBackup::dailyName(f.clock.today());
        answered = 0;
        f.faults.failAt(Faults::Step::Rename, 8); // the exit's first compacted copy
        f.trigger(command);
        answer.stop();
        QVERIFY(answered > 0);
        QVERIFY(allActive);
    }

    // A calendar writes only into a box open for typing. Picking hides it and
    // it opens again on the day picked; its close box writes the day shown and
    // the next one starts at today. The start date's calendar takes keys, and
    // a box on a tab no longer shown takes the date but not the focus.
    void calendarsFillTheirBoxes()
    {
        MainWindowFixture f;
        QVERIFY(f.load());
        const auto tab = [&](int index) {
            control<QTabWidget>(f.window.get(), "SSTab1")->setCurrentIndex(index);
            showActive(f.window.get());
        };
        const auto open = [&](const char *button, const char *name) {
            click(f.window.get(), button);
            return f.window->findChild<frmMonthview *>(QString::fromLatin1(name));
        };
        tab(1);
        f.messages.expect({"Press New or Edit first: a date can only go into a record that is being "
                           "entered.",
                           "Income Date", QMessageBox::Ok, QMessageBox::Information});
        frmMonthview *income = open("cmdMonthview2", "frmMonthview2");
        income->MonthView_DateClick();
        QVERIFY(f.text("txtIncomeDate").isEmpty() && income->isVisible());
        click(f.window.get(), "cmdAdd2");
        QCOMPARE(income->calendar().selectedDate(), f.clock.today());
        income->calendar().setSelectedDate(QDate(2024, 3, 15));
        income->windowHandle()->requestActivate();
        QTRY_VERIFY(income->isActiveWindow());
        income->MonthView_DateClick();
        QCOMPARE(f.text("txtIncomeDate"), QStringLiteral("3/15/2024"));
        QTRY_VERIFY(!income->isVisible() && f.window->isActiveWindow());
        QTRY_COMPARE(focused(), QStringLiteral("txtIncomeInvoice"));
        QCOMPARE(open("cmdMonthview2", "frmMonthview2")->calendar().selectedDate(), QDate(2024, 3, 15));

        click(f.window.get(), "cmdAdd3");
        QPointer<frmMonthview> expense = open("cmdMonthView3", "frmMonthview3");
        expense->calendar().setSelectedDate(QDate(2025, 1, 9));
        expense->close();
        QCOMPARE(f.text("txtExpenseDate"), QStringLiteral("1/9/2025"));
        QCOMPARE(focused(), QStringLiteral("txtExpenseInvoice"));
        QTRY_VERIFY(!expense);
        QCOMPARE(open("cmdMonthView3", "frmMonthview3")->calendar().selectedDate(), f.clock.today());

        tab(0);
        frmMonthview *started = open("cmdMonthView", "frmMonthview");
        started->calendar().setSelectedDate(QDate(2023, 7, 4));
        QTest::keyClick(started->calendar().findChild<QWidget *>("qt_calendar_calendarview"), Qt::Key_Return);
        QCOMPARE(f.text("txtDateStarted"), QStringLiteral("7/4/2023"));
        QVERIFY(!started->isVisible() && f.window->isActiveWindow());
        QTRY_COMPARE(focused(), QStringLiteral("txtVisitAmount"));
        open("cmdMonthView", "frmMonthview");
        tab(2);
        started->calendar().setSelectedDate(QDate(2022, 2, 2));
        started->MonthView_DateClick();
        QCOMPARE(f.text("txtDateStarted"), QStringLiteral("2/2/2022"));
        QVERIFY(focused() != QLatin1String("txtVisitAmount"));
    }

    void actingWhileRowsAreReadWaitsForThem_data()
    {
        QTest::addColumn<QString>("action");
        QTest::addColumn<QString>("name"); // the customer shown afterwards
        QTest::addColumn<int>("shown");    // the customers the recordset shows
        QTest::newRow("tab shown") << "tab" << "Customer 1" << 3000;
        QTest::newRow("search") << "search" << "Customer 2999" << 1;
        QTest::newRow("last row") << "last" << "Customer 999" << 3000;
        QTest::newRow("refresh") << "refresh" << "Customer 1" << 3000;
    }

    // The rows reach the window only by a queued notice or by a step that
    // waits for them; a step taken before the notice must see every row, and
    // the late notice must not undo what it did.
    void actingWhileRowsAreReadWaitsForThem()
    {
        QFETCH(QString, action);
        MainWindowFixture f;
        f.folder.execute(DataFiles::customers,
                         "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 3000) "
                         "INSERT INTO Customers (Name) SELECT 'Customer ' || i FROM n");
        QVERIFY(f.start());
        f.window->show();
        if (action == "tab") {
            control<QTabWidget>(f.window.get(), "SSTab1")->setCurrentIndex(0);
        } else if (action == "search") {
            box(f.window.get(), "txtSearch")->setText("customer 2999");
            click(f.window.get(), "cmdSearch");
        } else if (action == "last") {
            f.navigate("Adodc1", "cmdLast");
        } else {
            f.trigger("mnuRefresh");
        }
        QFETCH(QString, name);
        QCOMPARE(f.text("txtName"), name);
        QCoreApplication::processEvents(); // the notice that the worker has finished
        QCOMPARE(f.text("txtName"), name);
        QFETCH(int, shown);
        QCOMPARE(control<DataControl>(f.window.get(), "Adodc1")->recordset().visibleCount(), shown);
    }

    // Rows that cannot be read once the window shows end the program as a
    // refused start does: told, nothing written, no exit copies.
    void rowsThatCannotBeReadEndTheProgramUnchanged()
    {
        MainWindowWith<RecordingMessageBox> f;
        f.folder.execute(DataFiles::income,
                         "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 300) "
                         "INSERT INTO Income (IncomeType, IncomeAmount) SELECT printf('%.99c', 'x'), i FROM n");
        const int page = f.folder.value(DataFiles::income, "SELECT rootpage FROM sqlite_master WHERE name = 'Income'").toInt();
        QByteArray bytes = f.folder.bytes(DataFiles::income);
        f.folder.writeBytes(DataFiles::income, bytes.replace((page - 1) * 4096, 8, QByteArray("\x0d\0\0\0\0\x10\0\0", 8)));
        const QStringList files = QDir(f.folder.path()).entryList(QDir::Files);
        QVERIFY(f.start());
        f.window->show();
        QTRY_COMPARE(f.messages.shown.size(), 1);
        QVERIFY2(f.messages.shown[0].text.startsWith("Income.mdb could not be opened.\n\nIncome.mdb is damaged"),
                 qPrintable(f.messages.shown[0].text));
        QVERIFY(!f.window->isVisible());
        f.window->close();
        QCOMPARE(QDir(f.folder.path()).entryList(QDir::Files), files);
        QCOMPARE(f.messages.shown.size(), 1);
    }

    // One list, brought back by the menu; Enter in it shows the customer on
    // the Customers tab.
    void customerListShowsTheChosenCustomer()
    {
        MainWindowFixture f;
        f.folder.execute(DataFiles::customers, "INSERT INTO Customers (Name) VALUES ('Baker'), ('Carter')");
        QVERIFY(f.load());
        f.window->show();
        f.trigger("mnuCustomerList");
        f.trigger("mnuCustomerList");
        const QList<QWidget *> lists = f.window->findChildren<QWidget *>("frmCustomerList");
        QCOMPARE(lists.size(), 1);
        QVERIFY(lists[0]->isVisible());
        box(lists[0], "txtListFilter")->setText("cart");
        QTest::keyClick(box(lists[0], "txtListFilter"), Qt::Key_Return);
        QCOMPARE(control<QTabWidget>(f.window.get(), "SSTab1")->currentIndex(), 0);
        QCOMPARE(f.text("txtName"), QStringLiteral("Carter"));
    }

    void mainWindowOpensWithinTheScreen_data()
    {
        QTest::addColumn<QSize>("left"); // as the user left it, on a larger screen
        QTest::newRow("never left before") << QSize();
        QTest::newRow("left larger than this screen") << QSize(3000, 2000);
    }

    void mainWindowOpensWithinTheScreen()
    {
        QFETCH(QSize, left);
        QWidget elsewhere;
        elsewhere.setGeometry(QRect(QPoint(200, 100), left));
        ProgramSettings::setWindowGeometry(left.isValid() ? elsewhere.saveGeometry() : QByteArray());
        const TempDataFolder folder;
        RecordingMessageBox messages;
        FakeLauncher launcher;
        Startup startup(folder.folder(), messages, launcher, fixedClock);
        QVERIFY(startup.run());
        const frmMain *window = startup.mainWindow();
        QVERIFY2(window->screen()->availableGeometry().contains(window->geometry()),
                 qPrintable(QString("%1 x %2").arg(window->width()).arg(window->height())));
    }

    void windowsOpenWithinTheScreenAndCloseByKey_data()
    {
        QTest::addColumn<QString>("command"); // opens the window
        QTest::addColumn<QString>("window");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::newRow("the customer list, Esc") << "mnuCustomerList" << "frmCustomerList" << int(Qt::Key_Escape) << 0;
        QTest::newRow("the customer list, Ctrl+W") << "mnuCustomerList" << "frmCustomerList" << int(Qt::Key_W)
                                                   << int(Qt::ControlModifier);
        QTest::newRow("help, by F1, Esc") << "F1" << "frmHelp" << int(Qt::Key_Escape) << 0;
        QTest::newRow("help, Ctrl+W") << "Help" << "frmHelp" << int(Qt::Key_W) << int(Qt::ControlModifier);
        QTest::newRow("a report, Esc") << "cmdShowReport1" << "frmReport" << int(Qt::Key_Escape) << 0;
    }

    // Each opens within the screen's free area, however large it would be
    // (here an 800 x 600 screen), and closes by its keys.
    void windowsOpenWithinTheScreenAndCloseByKey()
    {
        QFETCH(QString, command);
        QFETCH(QString, window);
        QFETCH(int, key);
        QFETCH(int, modifiers);
        MainWindowFixture f;
        QVERIFY(f.load());
        showActive(f.window.get());
        f.launcher.succeed = false; // no browser: Help shows its own window
        const HelpPageBesideTheTests page;
        if (command == "F1")
            QTest::keyClick(f.window.get(), Qt::Key_F1);
        else if (command.startsWith("cmd"))
            click(f.window.get(), command);
        else
            f.trigger(command);
        QWidget *opened = nullptr;
        for (QWidget *each : QApplication::topLevelWidgets())
            if (each->objectName() == window || each->inherits(qPrintable(window)))
                opened = each->isVisible() ? each : opened;
        QVERIFY(opened);
        QVERIFY2(opened->screen()->availableGeometry().contains(opened->geometry()),
                 qPrintable(QString("%1 x %2").arg(opened->width()).arg(opened->height())));
        opened->activateWindow();
        QTRY_VERIFY(opened->isActiveWindow());
        QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : opened, Qt::Key(key),
                        Qt::KeyboardModifiers(modifiers));
        QTRY_VERIFY(!opened->isVisible());
    }
};

QTEST_MAIN(tst_frmMain)
#include "tst_frmMain.moc"
