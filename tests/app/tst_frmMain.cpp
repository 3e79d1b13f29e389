#include "AutoCompleteBox.h"
#include "DataFiles.h"
#include "HelpPage.h"
#include "MainWindowFixture.h"
#include "PathStub.h"
#include "frmAbout.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QMenuBar>
#include <QTabWidget>
#include <QTest>

class tst_frmMain : public QObject
{
    Q_OBJECT
private slots:
    void opensOnReportsTabWithItsControlsReady();
    void loadShowsBalanceAndDates_data();
    void loadShowsBalanceAndDates();
    void showsFirstRowOfEachTable();
    void brokenSideFileStopsStart_data();
    void brokenSideFileStopsStart();
    void refreshShowsChangesKeepingSearch();
    void rememberedNamesSurviveRestart();
    void helpPagePath_data();
    void helpPagePath();
    void helpOpensPageOrTellsWhy();
    void calculatorStartsFirstFoundOrTellsWhy();
    void aboutOpensOnce();
};

// The menu in its order; the boxes a user may type into at once, and those locked.
void tst_frmMain::opensOnReportsTabWithItsControlsReady()
{
    MainWindowFixture f;
    QVERIFY(f.load());
    QCOMPARE(control<QTabWidget>(f.window.get(), "SSTab1")->currentIndex(), 2);
    QStringList names;
    for (const QAction *action : f.window->menuBar()->actions())
        names << action->objectName();
    QCOMPARE(names, (QStringList{"mnuExit", "mnuBackup", "mnuExport", "mnuRefresh", "Help", "mnuAbout"}));
    for (const char *locked : {"txtAccountNumber", "txtName", "txtMonthlyAmount", "txtBalance",
                               "txtIncomeAmount", "txtIncomeDate", "txtExpenseInvoice"})
        QVERIFY2(box(f.window.get(), locked)->isReadOnly(), locked);
    for (const char *open : {"txtAddress", "txtDateStarted", "txtVisitAmount", "txtSearch",
                             "txtIncomeType", "txtExpenseType"})
        QVERIFY2(!box(f.window.get(), open)->isReadOnly(), open);
    for (QPushButton *button : f.window->findChildren<QPushButton *>()) {
        const bool save = button->objectName() == "cmdSave2" || button->objectName() == "cmdSave3";
        QVERIFY2(button->isEnabled() != save, qPrintable(button->objectName()));
    }
    VERIFY_MESSAGES(f.messages);
}

void tst_frmMain::loadShowsBalanceAndDates_data()
{
    QTest::addColumn<QByteArray>("balanceFile");
    QTest::addColumn<QString>("shown");
    QTest::newRow("one decimal") << QByteArray("125.5\r\n") << "125.50";
    QTest::newRow("negative") << QByteArray("-20.25\r\n") << "-20.25";
    QTest::newRow("no line break") << QByteArray("7") << "7.00";
    QTest::newRow("as shown at exit") << QByteArray("1250.50\r\n") << "1250.50";
}

void tst_frmMain::loadShowsBalanceAndDates()
{
    QFETCH(QByteArray, balanceFile);
    QFETCH(QString, shown);
    MainWindowFixture f;
    f.folder.writeBytes(DataFiles::balance, balanceFile);
    QVERIFY(f.load(QDate(2026, 12, 6)));
    QCOMPARE(f.text("txtBalance"), shown);
    const struct {
        const char *picker;
        QDate date;
    } pickers[] = {{"DTPicker1", {1980, 1, 1}}, {"DTPicker3", {2004, 1, 1}}, {"DTPicker5", {2004, 1, 1}},
                   {"DTPicker2", {2026, 12, 6}}, {"DTPicker4", {2026, 12, 6}}, {"DTPicker6", {2026, 12, 6}}};
    for (const auto &picker : pickers)
        QCOMPARE(control<QDateEdit>(f.window.get(), picker.picker)->date(), picker.date);
    QCOMPARE(control<QDateEdit>(f.window.get(), "DTPicker1")->text(), QStringLiteral("1/1/1980"));
    VERIFY_MESSAGES(f.messages);
}

void tst_frmMain::showsFirstRowOfEachTable()
{
    MainWindowFixture f;
    f.folder.execute(DataFiles::customers,
                     "INSERT INTO Customers (Name, DateStarted, Schedule, AmountPerVisit, "
                     "AmountMonthly, Active) VALUES ('Zimmer', '2020-01-01', 'Monthly', 30, 30, -1), "
                     "('Adams', '2004-03-15', 'Quarterly', 25, 8.33333333333333, -1)");
    f.folder.execute(DataFiles::income, "INSERT INTO Income VALUES ('Sales', 12.5, '2024-07-04', 'D')");
    f.folder.execute(DataFiles::expense, "INSERT INTO Expense VALUES ('Fuel', 40, '2024-07-05', '17')");
    f.folder.writeBytes(DataFiles::incomeNames, "Sales\r\nRent\r\n");
    QVERIFY(f.load());
    QCOMPARE(f.text("txtAccountNumber"), QStringLiteral("2"));
    QCOMPARE(f.text("txtName"), QStringLiteral("Adams"));
    QCOMPARE(f.text("txtDateStarted"), QStringLiteral("3/15/2004"));
    QCOMPARE(control<QComboBox>(f.window.get(), "Combo1")->currentText(), QStringLiteral("Quarterly"));
    QCOMPARE(f.text("txtVisitAmount"), QStringLiteral("25.00"));
    QCOMPARE(f.text("txtMonthlyAmount"), QStringLiteral("8.33"));
    QVERIFY(control<QCheckBox>(f.window.get(), "Check1")->isChecked());
    QCOMPARE(f.text("txtIncomeAmount"), QStringLiteral("12.50"));
    QCOMPARE(f.text("txtIncomeDate"), QStringLiteral("7/4/2024"));
    QCOMPARE(f.text("txtExpenseInvoice"), QStringLiteral("17"));
    QCOMPARE(control<AutoCompleteBox>(f.window.get(), "txtIncomeType")->rememberedValue(),
             QStringLiteral("Sales\r\nRent"));
    VERIFY_MESSAGES(f.messages);
}

void tst_frmMain::brokenSideFileStopsStart_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QByteArray>("content"); // null: the file is missing
    QTest::addColumn<QString>("reason");
    QTest::newRow("balance no number")
        << DataFiles::balance << QByteArray("abc\r\n")
        << "The file balance.kvd must hold the balance as a number, but it holds \"abc\".";
    QTest::newRow("balance empty")
        << DataFiles::balance << QByteArray("")
        << "The file balance.kvd must hold the balance as a number, but it holds \"\".";
    QTest::newRow("names missing") << DataFiles::incomeNames << QByteArray()
                                   << "The file income.kvd could not be read: No such file or "
                                      "directory";
}

void tst_frmMain::brokenSideFileStopsStart()
{
    QFETCH(QString, file);
    QFETCH(QByteArray, content);
    QFETCH(QString, reason);
    MainWindowFixture f;
    if (content.isNull())
        QFile::remove(f.folder.filePath(file));
    else
        f.folder.writeBytes(file, content);
    f.messages.expect({reason + "\n\nThe program ends without changing anything.", "Bramblewood",
                       QMessageBox::Ok, QMessageBox::Critical});
    QVERIFY(!f.load());
    QCOMPARE(f.folder.bytes(file), content);
    QCOMPARE(QFile::exists(f.folder.filePath(file)), !content.isNull());
    VERIFY_MESSAGES(f.messages);
}

// Refresh shows what another program stored, and a search stays in force:
// the tab still shows its search state (New off until Clear).
void tst_frmMain::refreshShowsChangesKeepingSearch()
{
    MainWindowFixture f;
    f.folder.execute(DataFiles::customers,
                     "INSERT INTO Customers (Name) VALUES ('Smith'), ('Baker'), ('Goldsmith')");
    QVERIFY(f.load());
    f.folder.execute(DataFiles::customers, "INSERT INTO Customers (Name) VALUES ('Adams')");
    f.trigger("mnuRefresh");
    QCOMPARE(f.text("txtName"), QStringLiteral("Adams"));
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
    VERIFY_MESSAGES(f.messages);
}

// The names each ledger remembers go out at exit and come back at the next start.
void tst_frmMain::rememberedNamesSurviveRestart()
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
    VERIFY_MESSAGES(f.messages);
}

void tst_frmMain::helpPagePath_data()
{
    QTest::addColumn<QString>("present"); // the page as installed: "", "bin", "share" or both
    QTest::addColumn<QString>("expected");
    QTest::newRow("nowhere: beside the program") << "" << "bin/Bramblewood.html";
    QTest::newRow("installed") << "share" << "share/bramblewood/Bramblewood.html";
    QTest::newRow("beside wins") << "bin share" << "bin/Bramblewood.html";
}

void tst_frmMain::helpPagePath()
{
    QFETCH(QString, present);
    QFETCH(QString, expected);
    TempDataFolder root(false);
    QDir(root.path()).mkpath("bin");
    QDir(root.path()).mkpath("share/bramblewood");
    if (present.contains("bin"))
        root.writeBytes("bin/Bramblewood.html", "<html/>");
    if (present.contains("share"))
        root.writeBytes("share/bramblewood/Bramblewood.html", "<html/>");
    QCOMPARE(HelpPage::pathFor(root.filePath("bin")), root.filePath(expected));
    // A program in the file system's root has no help.
    QVERIFY(HelpPage::isTooShort(HelpPage::pathFor("/a")));
    QVERIFY(!HelpPage::isTooShort(HelpPage::pathFor("/ab")));
}

void tst_frmMain::helpOpensPageOrTellsWhy()
{
    MainWindowFixture f;
    QVERIFY(f.load());
    f.trigger("Help");
    QCOMPARE(f.launcher.opened.size(), 1);
    QVERIFY(f.launcher.opened.first().endsWith(QLatin1String("/Bramblewood.html")));
    f.launcher.succeed = false;
    f.launcher.failure = QStringLiteral("No program could be found to open it.");
    f.messages.expect({f.launcher.failure, "Bramblewood"});
    f.trigger("Help");
    VERIFY_MESSAGES(f.messages);
}

// Both Calculator buttons start the first calculator found on the PATH.
void tst_frmMain::calculatorStartsFirstFoundOrTellsWhy()
{
    MainWindowFixture f;
    QVERIFY(f.load());
    PathStub path;
    f.messages.expect({"No calculator was found. Install one of these programs: gnome-calculator, "
                       "kcalc, mate-calc, galculator, qalculate-gtk, xcalc.",
                       "Bramblewood", QMessageBox::Ok, QMessageBox::Information});
    click(f.window.get(), "cmdCalculator1");
    VERIFY_MESSAGES(f.messages);
    path.add("xcalc");
    const QString kcalc = path.add("kcalc");
    click(f.window.get(), "cmdCalculator1");
    click(f.window.get(), "cmdCalculator2");
    QCOMPARE(f.launcher.started, (QStringList{kcalc, kcalc}));
    VERIFY_MESSAGES(f.messages);
}

void tst_frmMain::aboutOpensOnce()
{
    MainWindowFixture f;
    QVERIFY(f.load());
    f.trigger("mnuAbout");
    f.trigger("mnuAbout");
    QCOMPARE(f.window->findChildren<frmAbout *>().size(), 1);
    QVERIFY(f.window->findChild<frmAbout *>()->isVisible());
    VERIFY_MESSAGES(f.messages);
}

QTEST_MAIN(tst_frmMain)
#include "tst_frmMain.moc"
