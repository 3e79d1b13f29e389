#pragma once

#include "DataFolder.h"
#include "FloppyBackup.h"
#include "OpenBooks.h"
#include "RestoreCommand.h"

#include <QMainWindow>
#include <QPointer>

class Clock;
class CustomerTab;
class DataControl;
class IncomeExpensesTab;
class Launcher;
class MessageBox;
class QAction;
class QMenu;
class QTabWidget;
class ReportsTab;
class frmAbout;
class frmCustomerList;
class frmHelp;

// The main window: it assembles the three tabs and the menu bar, shows the
// open books (OpenBooks) and opens the data controls, and owns the window's
// own small commands. Each tab keeps its handlers in its own class.
class frmMain : public QMainWindow
{
    Q_OBJECT
public:
    // Asks for a data folder, starting in the folder given; empty when none was picked.
    using FolderChooser = std::function<QString(QWidget *parent, const QString &startFolder)>;
    static QString askForDataFolder(QWidget *parent, const QString &startFolder);
    // Asks for the address of a server's database; empty when none was given.
    using AddressAsker = std::function<QString(QWidget *parent, const QString &title)>;
    static QString askForServerAddress(QWidget *parent, const QString &title);

    // The books are open (OpenBooks::open).
    frmMain(const OpenBooks &books, MessageBox &messages, Launcher &launcher, const Clock &clock,
            FloppyBackup::MediumFinder findMedium = FloppyBackup::mediumRoot,
            RestoreCommand::Chooser chooseBackup = RestoreCommand::askForBackup,
            FolderChooser chooseFolder = askForDataFolder, AddressAsker askAddress = askForServerAddress,
            QWidget *parent = nullptr);

    // Fills the boxes from the books, tells which databases are read-only,
    // sets the date pickers and opens the three databases' data controls.
    // False when the program cannot go on; the user has been told why, and
    // nothing has been changed.
    bool Form_Load();

    // Saves what the databases do not hold, through the open books: the
    // names each ledger remembers and the committed balance. Returns what failed.
    QStringList saveSideFiles();

    void mnuExit_Click();
    void mnuOpenFolder_Click();
    // Moves the folder's books to a server (MoveToServer), then opens them there.
    void mnuMoveToServer_Click();
    // Has a new folder open the books on a server (ConnectToServer).
    void mnuConnectToServer_Click();
    // Leaves the data folder as Exit does (side files, copies, compaction),
    // the program going on, and hides the window.
    void leaveDataFolder();
    void mnuAbout_Click();
    void mnuRefresh_Click();
    void mnuCustomerList_Click();
    void Help_Click();
    void cmdCalculator1_Click();
    void cmdCalculator2_Click();

    // The whole client area under the menu bar, and the whole menu bar.
    QSize sizeHint() const override;

signals:
    // Open Data Folder, or a recent folder: the program starts again there.
    void dataFolderChosen(const QString &path);

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    struct Menu {
        QMenu *folder;
        QAction *exit, *backup, *restore, *exportToExcel, *refresh, *customerList, *help, *about;
    };

    Menu buildMenu();
    void listRecentFolders();
    void addCalendars();
    QList<DataControl *> dataControls() const;
    void showBooks();
    // After the folder came to name a server: the program starts again on it.
    void openOnServer(const QString &told);
    void followOtherDesks();
    void followChange(const QString &table, const QList<qint64> &rowids);
    void showSideValues();
    void closeConnections();
    // Around a restore (RestoreCommand::Window).
    bool letGoOfData();
    void takeUpData();
    void endUnchanged();
    void shutDown();
    void showChosenCustomer(qint64 bookmark);

    DataFolder m_folder;
    OpenBooks m_books;
    MessageBox &m_messages;
    Launcher &m_launcher;
    const Clock &m_clock;
    FloppyBackup::MediumFinder m_findMedium;
    RestoreCommand::Chooser m_chooseBackup;
    FolderChooser m_chooseFolder;
    AddressAsker m_askAddress;
    QWidget *m_client;
    QTabWidget *m_tabs;
    CustomerTab *m_customers;
    IncomeExpensesTab *m_ledger;
    ReportsTab *m_reports;
    Menu m_menu;
    bool m_shutDown = false;
    QPointer<frmAbout> m_about;
    QPointer<frmCustomerList> m_customerList;
    QPointer<frmHelp> m_help;
};
