#include "frmMain.h"

#include "AutoCompleteBox.h"
#include "Calculator.h"
#include "CalendarPickers.h"
#include "ChangeNotices.h"
#include "Clock.h"
#include "ConnectToServer.h"
#include "CustomerTab.h"
#include "DataControl.h"
#include "DataFiles.h"
#include "ExitSequence.h"
#include "HelpPage.h"
#include "IncomeExpensesTab.h"
#include "Launcher.h"
#include "LedgerPanel.h"
#include "MaintenanceCommands.h"
#include "MessageBox.h"
#include "MoveToServer.h"
#include "ProgramSettings.h"
#include "ReportsTab.h"
#include "RunningBalance.h"
#include "ShowInFront.h"
#include "Twips.h"
#include "frmAbout.h"
#include "frmCustomerList.h"
#include "frmHelp.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollArea>
#include <QTabWidget>

QString frmMain::askForDataFolder(QWidget *parent, const QString &startFolder)
{
    return QFileDialog::getExistingDirectory(parent, QStringLiteral("Open Data Folder"), startFolder);
}

QString frmMain::askForServerAddress(QWidget *parent, const QString &title)
{
    return QInputDialog::getText(parent, title,
                                 QStringLiteral("The address of the server's database, as\n"
                                                "postgresql://user@server/database:"))
        .trimmed();
}

frmMain::frmMain(const OpenBooks &books, MessageBox &messages, Launcher &launcher,
                 const Clock &clock, FloppyBackup::MediumFinder findMedium,
                 RestoreCommand::Chooser chooseBackup, FolderChooser chooseFolder, AddressAsker askAddress,
                 QWidget *parent)
    : QMainWindow(parent), m_folder(books.folder()), m_books(books), m_messages(messages), m_launcher(launcher),
      m_clock(clock), m_findMedium(std::move(findMedium)), m_chooseBackup(std::move(chooseBackup)),
      m_chooseFolder(std::move(chooseFolder)), m_askAddress(std::move(askAddress))
{
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("Bramblewood v2.5 by Quillmark"));
    setWindowIcon(QIcon(QStringLiteral(":/bramblewood.png")));

    m_client = new QWidget;
    m_client->setFixedSize(Twips::toPixels(7725), Twips::toPixels(6945));
    // On a screen smaller than the window the client area scrolls rather
    // than being cut off.
    auto *scroll = new QScrollArea;
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidget(m_client);
    setCentralWidget(scroll);
    m_tabs = new QTabWidget(m_client);
    m_tabs->setObjectName(QStringLiteral("SSTab1"));
    m_tabs->setGeometry(Twips::rect(45, 45, 7635, 6855));
    m_customers = new CustomerTab(m_folder, messages, clock);
    m_ledger = new IncomeExpensesTab(m_folder, messages, clock);
    m_reports = new ReportsTab(m_folder, messages, clock);
    m_tabs->addTab(m_customers, QStringLiteral("Customers"));
    m_tabs->addTab(m_ledger, QStringLiteral("Income and Expenses"));
    m_tabs->addTab(m_reports, QStringLiteral("Reports"));
    m_tabs->setCurrentWidget(m_reports);

    m_menu = buildMenu();
    listRecentFolders();
    addCalendars();
    connect(&m_ledger->calculatorButton(), &QPushButton::clicked, this,
            &frmMain::cmdCalculator1_Click);
    connect(&m_reports->calculatorButton(), &QPushButton::clicked, this,
            &frmMain::cmdCalculator2_Click);
}

// Wide enough for the menu bar too, so that no command hides behind its »
// (the bar's letters grow with the font, the client area does not).
QSize frmMain::sizeHint() const
{
    const QSize menu = menuBar()->sizeHint();
    return QSize(std::max(m_client->width(), menu.width()), m_client->height() + menu.height());
}

void frmMain::addCalendars()
{
    auto *pickers = new CalendarPickers(this, m_messages, m_clock);
    const CustomerTabForm &customer = m_customers->form();
    const LedgerPanelForm &income = m_ledger->income().form();
    const LedgerPanelForm &expense = m_ledger->expense().form();
    pickers->add(customer.calendar, {QStringLiteral("frmMonthview"), QStringLiteral("Date Started"),
                                     QStringLiteral("MonthView1"), customer.dateStarted,
                                     customer.visitAmount, customer.dateStarted, true});
    pickers->add(income.calendar, {QStringLiteral("frmMonthview2"), QStringLiteral("Income Date"),
                                   QStringLiteral("MonthView1"), income.date, income.invoice,
                                   income.invoice, false});
    pickers->add(expense.calendar, {QStringLiteral("frmMonthview3"), QStringLiteral("Expense Date"),
                                    QStringLiteral("MonthView2"), expense.date, expense.invoice,
                                    expense.invoice, false});
}

frmMain::Menu frmMain::buildMenu()
{
    const auto command = [this](const char *name, const char *caption) {
        QAction *action = menuBar()->addAction(QString::fromLatin1(caption));
        action->setObjectName(QString::fromLatin1(name));
        return action;
    };
    // The data folder's own menu comes first, beside the design's commands.
    QMenu *folder = menuBar()->addMenu(QStringLiteral("&Folder"));
    folder->setObjectName(QStringLiteral("mnuFolder"));
    connect(folder, &QMenu::aboutToShow, this, &frmMain::listRecentFolders);
    const Menu menu{folder,
                    command("mnuExit", "&Exit"),
                    command("mnuBackup", "&Backup To Floppy"),
                    command("mnuRestore", "Res&tore From Backup..."),
                    command("mnuExport", "Export To Ex&cel"),
                    command("mnuRefresh", "&Refresh"),
                    command("mnuCustomerList", "Customer &List"),
                    command("Help", "&Help"),
                    command("mnuAbout", "&About")};
    connect(menu.exit, &QAction::triggered, this, &frmMain::mnuExit_Click);
    connect(menu.refresh, &QAction::triggered, this, &frmMain::mnuRefresh_Click);
    connect(menu.customerList, &QAction::triggered, this, &frmMain::mnuCustomerList_Click);
    connect(menu.help, &QAction::triggered, this, &frmMain::Help_Click);
    menu.help->setShortcut(QKeySequence::HelpContents);
    connect(menu.about, &QAction::triggered, this, &frmMain::mnuAbout_Click);
    return menu;
}

// Open Data Folder, then the folders used last but this one, each a command.
void frmMain::listRecentFolders()
{
    m_menu.folder->clear();
    QAction *open = m_menu.folder->addAction(QStringLiteral("&Open Data Folder..."), this,
                                             &frmMain::mnuOpenFolder_Click);
    open->setObjectName(QStringLiteral("mnuOpenFolder"));
    if (!m_folder.isOnServer()) {
        QAction *move = m_menu.folder->addAction(QStringLiteral("Move To &Server..."), this,
                                                 &frmMain::mnuMoveToServer_Click);
        move->setObjectName(QStringLiteral("mnuMoveToServer"));
        QAction *join = m_menu.folder->addAction(QStringLiteral("&Connect To Server..."), this,
                                                 &frmMain::mnuConnectToServer_Click);
        join->setObjectName(QStringLiteral("mnuConnectToServer"));
    }
    const QString current = QDir(m_folder.path()).absolutePath();
    QStringList recent = ProgramSettings::recentFolders();
    recent.removeAll(current);
    if (!recent.isEmpty())
        m_menu.folder->addSeparator();
    for (qsizetype i = 0; i < recent.size(); ++i) {
        QAction *folder = m_menu.folder->addAction(
            QStringLiteral("&%1 %2").arg(i + 1).arg(QDir::toNativeSeparators(recent[i])));
        folder->setObjectName(QStringLiteral("mnuRecentFolder%1").arg(i + 1));
        connect(folder, &QAction::triggered, this, [this, path = recent[i]] { emit dataFolderChosen(path); });
    }
}

void frmMain::mnuOpenFolder_Click()
{
    const QString path = m_chooseFolder(this, QFileInfo(m_folder.path()).absolutePath());
    if (!path.isEmpty())
        emit dataFolderChosen(path);
}

void frmMain::mnuMoveToServer_Click()
{
    const QString address = m_askAddress(this, QStringLiteral("Move To Server"));
    if (address.isEmpty() || !letGoOfData())
        return;
    const MoveToServer::Result result = MoveToServer::run(m_folder, address, m_clock.today());
    if (!result.moved) {
        takeUpData();
        m_messages.show(this, {QStringLiteral("The books were not moved to the server. %1").arg(result.error),
                               MessageBox::applicationTitle(), QMessageBox::Ok, QMessageBox::Warning});
        return;
    }
    openOnServer(QStringLiteral("The books were moved to the server. The files they were kept in are in %1. "
                                "The program now opens the books there.")
                     .arg(QDir::toNativeSeparators(result.kept)));
}

void frmMain::mnuConnectToServer_Click()
{
    const QString address = m_askAddress(this, QStringLiteral("Connect To Server"));
    if (address.isEmpty() || !letGoOfData())
        return;
    QString error;
    if (!ConnectToServer::run(m_folder, address, &error)) {
        takeUpData();
        m_messages.show(this, {QStringLiteral("The folder was not connected to the server. %1").arg(error),
                               MessageBox::applicationTitle(), QMessageBox::Ok, QMessageBox::Warning});
        return;
    }
    openOnServer(QStringLiteral("This folder now opens the books on the server."));
}

void frmMain::openOnServer(const QString &told)
{
    m_messages.show(this, {told, MessageBox::applicationTitle(), QMessageBox::Ok, QMessageBox::Information});
    m_shutDown = true; // nothing of the folder's is left to save or compact
    emit dataFolderChosen(m_folder.path());
}

QList<DataControl *> frmMain::dataControls() const
{
    return {&m_customers->customers(), &m_ledger->income().entries(), &m_ledger->expense().entries()};
}

void frmMain::showBooks()
{
    showSideValues();
    if (const QStringList readOnly = m_books.readOnlyDatabases(); !readOnly.isEmpty())
        m_messages.show(this, {QStringLiteral("These databases are read-only: %1. Their records "
                                              "are shown but cannot be changed, and leaving the "
                                              "program leaves the files as they are. To change "
                                              "them, make the files writable and start the "
                                              "program again.")
                                   .arg(readOnly.join(QLatin1String(", "))),
                               MessageBox::applicationTitle(), QMessageBox::Ok,
                               QMessageBox::Information});
}

void frmMain::showSideValues()
{
    const OpenBooks::SideValues &values = m_books.values();
    m_ledger->balance().setFromFile(values.balance);
    m_ledger->expense().nameBox().setRememberedValue(values.expenseNames);
    m_ledger->income().nameBox().setRememberedValue(values.incomeNames);
}

bool frmMain::Form_Load()
{
    showBooks();
    m_reports->setStartingDates();
    // The zip component comes with the backup command that uses it.
    auto *maintenance = new MaintenanceCommands(
        m_folder, m_findMedium, [this] { return saveSideFiles(); }, m_messages, m_clock, this);
    connect(m_menu.backup, &QAction::triggered, maintenance, &MaintenanceCommands::mnuBackup_Click);
    connect(m_menu.exportToExcel, &QAction::triggered, maintenance,
            &MaintenanceCommands::mnuExport_Click);
    auto *restore = new RestoreCommand(
        m_folder, m_findMedium, m_chooseBackup, m_messages, m_clock,
        {this, [this] { return letGoOfData(); }, [this] { takeUpData(); }});
    connect(m_menu.restore, &QAction::triggered, restore, &RestoreCommand::mnuRestore_Click);
    // The rows are read while the window shows; each tab waits for its own.
    for (DataControl *data : dataControls()) {
        if (!data->openInBackground())
            return false;
        connect(data, &DataControl::readFailed, this, &frmMain::endUnchanged);
    }
    followOtherDesks();
    return true;
}

// On a server, what another desk stores shows here within a moment; where
// the server cannot be listened to, it shows at Refresh.
void frmMain::followOtherDesks()
{
    if (!m_folder.isOnServer())
        return;
    auto *notices = new ChangeNotices(m_folder.database(DataFiles::customers), this);
    QString error;
    if (notices->listen(&error))
        connect(notices, &ChangeNotices::changed, this, &frmMain::followChange);
}

void frmMain::followChange(const QString &table, const QList<qint64> &rowids)
{
    const QStringList tables{QStringLiteral("Customers"), QStringLiteral("Income"), QStringLiteral("Expense")};
    const QList<DataControl *> controls = dataControls();
    if (const qsizetype index = tables.indexOf(table); index >= 0)
        controls[index]->follow(rowids);
    QString error;
    if (table != tables[0])
        if (const std::optional<QString> balance = m_books.storedBalance(&error))
            m_ledger->balance().follow(*balance);
}

// Rows that cannot be read leave the program nothing to work on: it ends as
// when it cannot start, without the exit's copies and compaction.
void frmMain::endUnchanged()
{
    m_shutDown = true;
    hide();
    QCoreApplication::exit(1);
}

QStringList frmMain::saveSideFiles()
{
    return m_books.save({m_ledger->expense().nameBox().rememberedValue(),
                         m_ledger->income().nameBox().rememberedValue(), m_ledger->balance().committed()});
}

// Leaving the program, by Exit or by closing the window whatever the reason:
// the side files first, then every connection closed so that the databases
// can be copied and compacted, then the databases. It asks nothing and cannot
// be cancelled.
void frmMain::shutDown()
{
    if (m_shutDown)
        return;
    m_shutDown = true;
    ProgramSettings::setWindowGeometry(saveGeometry());
    m_ledger->leaveEntries();
    const QStringList problems = saveSideFiles();
    closeConnections();
    ExitSequence::run(m_folder, m_messages, this, problems);
}

void frmMain::closeConnections()
{
    for (DataControl *data : dataControls())
        data->close();
    m_reports->closeConnections();
}

// Before a restore replaces the files: nothing left half-entered, what the
// window holds only in memory written to its files (so that the kept copies
// hold it too), every connection closed.
bool frmMain::letGoOfData()
{
    if (!m_customers->leaveRecord())
        return false;
    m_customers->leaveEntry();
    m_ledger->leaveEntries();
    if (const QStringList problems = saveSideFiles(); !problems.isEmpty()) {
        m_messages.show(this, {problems.join(QLatin1String("\n\n")) +
                                   QStringLiteral("\n\nNothing was restored."),
                               MessageBox::applicationTitle(), QMessageBox::Ok,
                               QMessageBox::Warning});
        return false;
    }
    closeConnections();
    return true;
}

// After a restore, done or put back: the window shows the files as they are.
void frmMain::takeUpData()
{
    for (DataControl *data : dataControls())
        data->open();
    m_customers->cmdClear_Click();
    QString reason;
    if (!m_books.open(&reason))
        m_messages.show(this, {reason, MessageBox::applicationTitle(), QMessageBox::Ok,
                               QMessageBox::Warning});
    else
        showSideValues();
}

void frmMain::leaveDataFolder()
{
    shutDown();
    hide();
}

void frmMain::mnuExit_Click()
{
    shutDown();
    QCoreApplication::quit();
}

void frmMain::closeEvent(QCloseEvent *event)
{
    shutDown();
    QMainWindow::closeEvent(event);
    QCoreApplication::quit();
}

// A search stays in force across Refresh: the tab still shows its search
// state (New disabled until Clear), so the customers shown keep matching it.
void frmMain::mnuRefresh_Click()
{
    if (!m_customers->leaveRecord())
        return;
    DataControl &customers = m_customers->customers();
    const RecordFilter filter = customers.recordset().filter();
    if (customers.refresh() && !filter.isEmpty())
        customers.recordset().setFilter(filter);
}

void frmMain::mnuCustomerList_Click()
{
    if (!m_customerList) {
        m_customerList = new frmCustomerList(m_customers->customers().recordset(), this);
        connect(m_customerList, &frmCustomerList::customerChosen, this, &frmMain::showChosenCustomer);
    }
    showInFront(m_customerList);
}

void frmMain::showChosenCustomer(qint64 bookmark)
{
    if (!m_customers->showCustomer(bookmark))
        return;
    m_tabs->setCurrentWidget(m_customers);
    showInFront(this);
}

void frmMain::Help_Click()
{
    const QString path = HelpPage::pathFor(QCoreApplication::applicationDirPath());
    if (HelpPage::isTooShort(path)) {
        m_messages.show(this, {QStringLiteral("Unable to display Help Contents. There is no Help "
                                              "associated with this project."),
                               windowTitle(), QMessageBox::Ok, QMessageBox::Information});
        return;
    }
    QString error;
    if (m_launcher.openDocument(path, &error))
        return;
    // No browser could be started; the page can still be read here.
    if (const QFileInfo page(path); !page.isFile() || !page.isReadable()) {
        m_messages.show(this, {error, MessageBox::applicationTitle()});
        return;
    }
    if (!m_help)
        m_help = new frmHelp(path, this);
    showInFront(m_help);
}

void frmMain::mnuAbout_Click()
{
    if (!m_about)
        m_about = new frmAbout(m_launcher, m_messages, this);
    showInFront(m_about);
}

void frmMain::cmdCalculator1_Click()
{
    Calculator::start(m_launcher, m_messages, this);
}

void frmMain::cmdCalculator2_Click()
{
    Calculator::start(m_launcher, m_messages, this);
}
