#include "AutoCompleteBox.h"
#include "DataFiles.h"
#include "FakeLauncher.h"
#include "ScriptedMessageBox.h"
#include "TempDataFolder.h"
#include "TestMain.h"
#include "frmMain.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QToolButton>
#include <memory>

namespace {

const QDate today(2026, 12, 6);

struct LoadedWindow {
    ScriptedMessageBox messages;
    FakeLauncher launcher;
    std::unique_ptr<frmMain> window;

    bool load()
    {
        window = std::make_unique<frmMain>(messages, launcher);
        return window->Form_Load(today);
    }
    template <class T> T *get(const char *name) const
    {
        auto *widget = window->findChild<T *>(QString::fromLatin1(name));
        if (!widget)
            qFatal("no control %s", name);
        return widget;
    }
    QString text(const char *box) const { return get<QLineEdit>(box)->text(); }
};

} // namespace

class tst_frmMain : public QObject
{
    Q_OBJECT
private slots:
    void opensOnReportsTabWithMenu();
    void initialStateOfControls();
    void datePickersAndBalance_data();
    void datePickersAndBalance();
    void showsFirstRowOfEachTable();
    void brokenSideFileStopsStart_data();
    void brokenSideFileStopsStart();
    void refreshShowsChangesMadeElsewhere();
    void refreshKeepsSearchInForce();
    void helpOpensPageOrTellsWhy();
    void calculatorStartsFirstFoundOrTellsWhy();
};

void tst_frmMain::opensOnReportsTabWithMenu()
{
    TempDataFolder folder;
    LoadedWindow w;
    QVERIFY(w.load());
    QCOMPARE(w.window->windowTitle(), QStringLiteral("Bramblewood v2.5 by Quillmark"));
    auto *tabs = w.get<QTabWidget>("SSTab1");
    QCOMPARE(tabs->count(), 3);
    QCOMPARE(tabs->tabText(0), QStringLiteral("Customers"));
    QCOMPARE(tabs->tabText(1), QStringLiteral("Income and Expenses"));
    QCOMPARE(tabs->tabText(2), QStringLiteral("Reports"));
    QCOMPARE(tabs->currentIndex(), 2);

    const QList<QAction *> menu = w.window->menuBar()->actions();
    QStringList names, captions;
    for (const QAction *action : menu) {
        names << action->objectName();
        captions << action->text();
        QVERIFY(!action->menu());
        QVERIFY(action->isEnabled());
    }
    QCOMPARE(names, (QStringList{"mnuExit", "mnuBackup", "mnuExport", "mnuRefresh", "Help",
                                 "mnuAbout"}));
    QCOMPARE(captions, (QStringList{"&Exit", "&Backup To Floppy", "&Export To Ex&cel", "&Refresh",
                                    "&Help", "&About"}));
    VERIFY_MESSAGES(w.messages);
}

void tst_frmMain::initialStateOfControls()
{
    TempDataFolder folder;
    LoadedWindow w;
    QVERIFY(w.load());
    for (const char *box : {"txtAccountNumber", "txtName", "txtMonthlyAmount", "txtBalance",
                            "txtIncomeInvoice", "txtIncomeDate", "txtIncomeAmount",
                            "txtExpenseInvoice", "txtExpenseDate", "txtExpenseAmount"})
        QVERIFY2(w.get<QLineEdit>(box)->isReadOnly(), box);
    for (const char *box : {"txtAddress", "txtCity", "txtState", "txtZip", "txtHome", "txtCell",
                            "txtHisWork", "txtHerWork", "txtDateStarted", "txtVisitAmount",
                            "txtComments", "txtSearch", "txtIncomeType", "txtExpenseType"})
        QVERIFY2(!w.get<QLineEdit>(box)->isReadOnly(), box);
    for (QPushButton *button : w.window->findChildren<QPushButton *>()) {
        const bool save = button->objectName() == QLatin1String("cmdSave2") ||
                          button->objectName() == QLatin1String("cmdSave3");
        QVERIFY2(button->isEnabled() != save, qPrintable(button->objectName()));
    }
    const struct {
        const char *box;
        int maxLength;
    } limits[] = {{"txtAddress", 50}, {"txtCity", 20},     {"txtState", 20},  {"txtZip", 5},
                  {"txtHome", 15},    {"txtCell", 15},     {"txtHisWork", 15}, {"txtHerWork", 15},
                  {"txtComments", 100}};
    for (const auto &limit : limits)
        QCOMPARE(w.get<QLineEdit>(limit.box)->maxLength(), limit.maxLength);
    QVERIFY(w.get<QRadioButton>("Option1")->isChecked());
    QVERIFY(w.get<QRadioButton>("Option5")->isChecked());
    QVERIFY(!w.get<QRadioButton>("Option2")->isChecked());
    QVERIFY(!w.get<QRadioButton>("Option7")->isChecked());
    QVERIFY(w.text("txtSearch").isEmpty());
    QVERIFY(w.get<QLabel>("lblTotal")->text().isEmpty());
    auto *schedule = w.get<QComboBox>("Combo1");
    QVERIFY(schedule->isEditable());
    QStringList items;
    for (int i = 0; i < schedule->count(); ++i)
        items << schedule->itemText(i);
    QCOMPARE(items, (QStringList{"OneShot", "Monthly", "BiMonthly", "Quarterly", "Every 6 Months",
                                 "Yearly"}));
    for (const char *name : {"Adodc1", "Adodc2", "Adodc3", "fraIncome", "fraExpense",
                             "cmdMonthView", "cmdMonthview2", "cmdMonthView3", "Check1"})
        QVERIFY2(w.window->findChild<QWidget *>(QString::fromLatin1(name)), name);
    VERIFY_MESSAGES(w.messages);
}

void tst_frmMain::datePickersAndBalance_data()
{
    QTest::addColumn<QByteArray>("balanceFile");
    QTest::addColumn<QString>("shown");
    QTest::newRow("one decimal") << QByteArray("125.5\r\n") << "125.50";
    QTest::newRow("whole") << QByteArray("12\r\n") << "12.00";
    QTest::newRow("negative") << QByteArray("-20.25\r\n") << "-20.25";
    QTest::newRow("no line break") << QByteArray("7") << "7.00";
    QTest::newRow("as shown at exit") << QByteArray("1250.50\r\n") << "1250.50";
}

void tst_frmMain::datePickersAndBalance()
{
    QFETCH(QByteArray, balanceFile);
    QFETCH(QString, shown);
    TempDataFolder folder;
    folder.writeBytes(DataFiles::balance, balanceFile);
    LoadedWindow w;
    QVERIFY(w.load());
    QCOMPARE(w.text("txtBalance"), shown);
    QCOMPARE(w.get<QDateEdit>("DTPicker1")->date(), QDate(1980, 1, 1));
    QCOMPARE(w.get<QDateEdit>("DTPicker3")->date(), QDate(2004, 1, 1));
    QCOMPARE(w.get<QDateEdit>("DTPicker5")->date(), QDate(2004, 1, 1));
    for (const char *end : {"DTPicker2", "DTPicker4", "DTPicker6"})
        QCOMPARE(w.get<QDateEdit>(end)->date(), today);
    QCOMPARE(w.get<QDateEdit>("DTPicker1")->text(), QStringLiteral("1/1/1980"));
    VERIFY_MESSAGES(w.messages);
}

void tst_frmMain::showsFirstRowOfEachTable()
{
    TempDataFolder folder;
    folder.execute(DataFiles::customers,
                   "INSERT INTO Customers (Name, DateStarted, Schedule, AmountPerVisit, "
                   "AmountMonthly, Active, State) VALUES "
                   "('Zimmer', '2020-01-01', 'Monthly', 30, 30, -1, 'Georgia'), "
                   "('Adams', '2004-03-15', 'Quarterly', 25, 8.33333333333333, -1, 'Florida')");
    folder.execute(DataFiles::income, "INSERT INTO Income VALUES ('Sales', 12.5, '2024-07-04', 'Deposit')");
    folder.execute(DataFiles::expense, "INSERT INTO Expense VALUES ('Fuel', 40, '2024-07-05', '17')");
    folder.writeBytes(DataFiles::incomeNames, "Sales\r\nRent\r\n");
    LoadedWindow w;
    QVERIFY(w.load());
    QCOMPARE(w.text("txtAccountNumber"), QStringLiteral("2"));
    QCOMPARE(w.text("txtName"), QStringLiteral("Adams"));
    QCOMPARE(w.text("txtDateStarted"), QStringLiteral("3/15/2004"));
    QCOMPARE(w.get<QComboBox>("Combo1")->currentText(), QStringLiteral("Quarterly"));
    QCOMPARE(w.text("txtVisitAmount"), QStringLiteral("25.00"));
    QCOMPARE(w.text("txtMonthlyAmount"), QStringLiteral("8.33"));
    QVERIFY(w.get<QCheckBox>("Check1")->isChecked());
    QCOMPARE(w.text("txtIncomeType"), QStringLiteral("Sales"));
    QCOMPARE(w.text("txtIncomeAmount"), QStringLiteral("12.50"));
    QCOMPARE(w.text("txtIncomeDate"), QStringLiteral("7/4/2024"));
    QCOMPARE(w.text("txtExpenseInvoice"), QStringLiteral("17"));
    QCOMPARE(w.get<AutoCompleteBox>("txtIncomeType")->rememberedValue(),
             QStringLiteral("Sales\r\nRent"));
    VERIFY_MESSAGES(w.messages);
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
    TempDataFolder folder;
    if (content.isNull())
        QFile::remove(folder.filePath(file));
    else
        folder.writeBytes(file, content);
    LoadedWindow w;
    w.messages.expect({reason + "\n\nThe program ends without changing anything.", "Bramblewood",
                       QMessageBox::Ok, QMessageBox::Critical});
    QVERIFY(!w.load());
    QCOMPARE(folder.bytes(file), content);
    QCOMPARE(QFile::exists(folder.filePath(file)), !content.isNull());
    VERIFY_MESSAGES(w.messages);
}

void tst_frmMain::refreshShowsChangesMadeElsewhere()
{
    TempDataFolder folder;
    folder.execute(DataFiles::customers, "INSERT INTO Customers (Name) VALUES ('Baker')");
    LoadedWindow w;
    QVERIFY(w.load());
    folder.execute(DataFiles::customers, "INSERT INTO Customers (Name) VALUES ('Adams')");
    QCOMPARE(w.text("txtName"), QStringLiteral("Baker"));
    w.window->findChild<QAction *>(QStringLiteral("mnuRefresh"))->trigger();
    QCOMPARE(w.text("txtName"), QStringLiteral("Adams"));
    VERIFY_MESSAGES(w.messages);
}

void tst_frmMain::refreshKeepsSearchInForce()
{
    TempDataFolder folder;
    folder.execute(DataFiles::customers,
                   "INSERT INTO Customers (Name) VALUES ('Smith'), ('Adams'), ('Goldsmith')");
    LoadedWindow w;
    QVERIFY(w.load());
    w.get<QLineEdit>("txtSearch")->setText(QStringLiteral("smith"));
    w.get<QPushButton>("cmdSearch")->click();
    folder.execute(DataFiles::customers, "INSERT INTO Customers (Name) VALUES ('Arrowsmith')");
    w.window->findChild<QAction *>(QStringLiteral("mnuRefresh"))->trigger();
    QCOMPARE(w.text("txtName"), QStringLiteral("Arrowsmith"));
    QStringList shown;
    for (int i = 0; i < 4; ++i) {
        shown << w.text("txtName");
        w.window->findChild<QWidget *>(QStringLiteral("Adodc1"))
            ->findChild<QToolButton *>(QStringLiteral("cmdNext"))
            ->click();
    }
    QCOMPARE(shown, (QStringList{"Arrowsmith", "Goldsmith", "Smith", "Smith"}));
    QVERIFY(!w.get<QPushButton>("cmdAdd")->isEnabled());
    VERIFY_MESSAGES(w.messages);
}

void tst_frmMain::helpOpensPageOrTellsWhy()
{
    TempDataFolder folder;
    LoadedWindow w;
    QVERIFY(w.load());
    QAction *help = w.window->findChild<QAction *>(QStringLiteral("Help"));
    help->trigger();
    QCOMPARE(w.launcher.opened.size(), 1);
    QVERIFY(w.launcher.opened.first().endsWith(QLatin1String("/Bramblewood.html")));

    w.launcher.succeed = false;
    w.launcher.failure = QStringLiteral("No program could be found to open it.");
    w.messages.expect({w.launcher.failure, "Bramblewood"});
    help->trigger();
    VERIFY_MESSAGES(w.messages);
}

void tst_frmMain::calculatorStartsFirstFoundOrTellsWhy()
{
    TempDataFolder folder;
    LoadedWindow w;
    QVERIFY(w.load());
    const QByteArray path = qgetenv("PATH");
    QDir(folder.path()).mkdir(QStringLiteral("bin"));
    qputenv("PATH", folder.filePath(QStringLiteral("bin")).toUtf8());
    w.messages.expect({"No calculator was found. Install one of these programs: gnome-calculator, "
                       "kcalc, mate-calc, galculator, qalculate-gtk, xcalc.",
                       "Bramblewood", QMessageBox::Ok, QMessageBox::Information});
    w.get<QPushButton>("cmdCalculator1")->click();
    VERIFY_MESSAGES(w.messages);
    QVERIFY(w.launcher.started.isEmpty());

    for (const char *name : {"xcalc", "kcalc"}) {
        const QString program = folder.filePath(QStringLiteral("bin/") + QString::fromLatin1(name));
        folder.writeBytes(QStringLiteral("bin/") + QString::fromLatin1(name), "#!/bin/sh\n");
        QFile::setPermissions(program, QFile::ReadOwner | QFile::ExeOwner);
    }
    w.get<QPushButton>("cmdCalculator2")->click();
    qputenv("PATH", path);
    QCOMPARE(w.launcher.started, QStringList{folder.filePath(QStringLiteral("bin/kcalc"))});
    VERIFY_MESSAGES(w.messages);
}

BRAMBLEWOOD_TEST_MAIN(tst_frmMain)
#include "tst_frmMain.moc"
