#include "Startup.h"

#include "Balance.h"
#include "BalanceJournal.h"
#include "Clock.h"
#include "ConversionMessages.h"
#include "ConvertFromCommand.h"
#include "CustomerExport.h"
#include "DataFiles.h"
#include "DataRestore.h"
#include "DatabaseCompaction.h"
#include "FloppyBackup.h"
#include "FolderLock.h"
#include "LedgerTotals.h"
#include "MessageBox.h"
#include "MoveToServer.h"
#include "NumberText.h"
#include "OpenBooks.h"
#include "PasswordFile.h"
#include "ProgramSettings.h"
#include "ServerAddress.h"
#include "SideFile.h"
#include "WorkProgress.h"
#include "frmMain.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QInputDialog>
#include <QLineEdit>
#include <QScreen>
#include <QStyle>

namespace {

// Where the user left it the last time, if that still fits the screen;
// otherwise centred. A screen that cannot hold the whole window and its title
// bar gets it filling the screen's free area, and its client area scrolls.
void showOnScreen(QWidget &window)
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    if (!screen) {
        window.show();
        return;
    }
    const QRect available = screen->availableGeometry();
    const int titleBar = window.style()->pixelMetric(QStyle::PM_TitleBarHeight);
    if (window.restoreGeometry(ProgramSettings::windowGeometry())
        && available.contains(window.geometry().adjusted(0, -titleBar, 0, 0))) {
        window.show();
        return;
    }
    window.resize(window.sizeHint());
    window.move(available.center() - window.rect().center());
    const QSize whole = window.size() + QSize(0, titleBar);
    if (whole.boundedTo(available.size()) == whole) {
        window.show();
        return;
    }
    // Placed within the screen as well, for a desktop without a window
    // manager to maximize it.
    window.setGeometry(available.adjusted(0, titleBar, 0, 0));
    window.showMaximized();
}

} // namespace

QString Startup::askForServerPassword(const QString &address)
{
    return QInputDialog::getText(nullptr, MessageBox::applicationTitle(),
                                 QStringLiteral("The password for the books at\n%1:").arg(address),
                                 QLineEdit::Password);
}

Startup::Startup(const DataFolder &folder, MessageBox &messages, Launcher &launcher,
                 const Clock &clock, const QString &jetReader, PasswordAsker askPassword)
    : m_folder(folder), m_messages(messages), m_launcher(launcher), m_clock(clock),
      m_jetReader(jetReader), m_askPassword(std::move(askPassword))
{
}

Startup::~Startup() = default;

void Startup::tell(const QString &text, QMessageBox::Icon icon)
{
    m_messages.show(nullptr, {text, MessageBox::applicationTitle(), QMessageBox::Ok, icon});
}

bool Startup::lockFolder()
{
    m_lock = std::make_unique<FolderLock>(m_folder);
    if (m_lock->take())
        return true;
    switch (m_lock->refusal()) {
    case FolderLock::Refusal::Unwritable:
        tell(QStringLiteral("The data folder %1 cannot be used: the program cannot write in it "
                            "(%2). If the disk is full, make room on it and start the program "
                            "again.")
                 .arg(m_folder.path(), m_lock->reason()));
        break;
    case FolderLock::Refusal::InUse:
        tell(QStringLiteral("Bramblewood is already running on the data folder %1. Use the "
                            "window that is open.")
                 .arg(m_folder.path()));
        break;
    default:
        tell(QStringLiteral("The data folder %1 cannot be used: the program may not write in it.")
                 .arg(m_folder.path()));
    }
    return false;
}

// bramblewood --convert-from stopped before it finished: what it had
// written goes, and the conversion is done again from the same folder.
bool Startup::finishConversionInto()
{
    const QString from = AccessConversion::unfinishedFrom(m_folder);
    if (from.isEmpty())
        return true;
    QString text;
    if (!ConvertFromCommand::convert(from, m_folder, m_jetReader, m_clock.today(), &text)) {
        tell(QStringLiteral("A conversion from %1 into this data folder stopped before it "
                            "finished, and could not be done again: %2\n\nThe program ends. "
                            "Run bramblewood --convert-from again once the folder %1 is there.")
                 .arg(from, text));
        return false;
    }
    tell(text, QMessageBox::Information);
    return true;
}

bool Startup::convertAccessFiles()
{
    const QString ends = QStringLiteral("\n\nThe program ends without changing anything.");
    AccessConversion conversion(m_folder.path(), m_folder, m_jetReader, m_clock.today());
    conversion.removeLeftovers();
    QString error;
    if (!conversion.survey(&error)) {
        tell(error + ends);
        return false;
    }
    // A folder that lacks a database is refused as it is, unconverted; the
    // side files are written after the conversion where they are missing.
    QStringList missing = m_folder.missingFiles();
    missing.removeAll(DataFiles::password);
    for (const QString &side : DataFiles::sideFiles())
        missing.removeAll(side);
    if (conversion.accessFiles().isEmpty() || !missing.isEmpty())
        return true;
    const MessageBoxRequest question{ConversionMessages::question(m_folder.path(), conversion),
                                     MessageBox::applicationTitle(),
                                     QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Question,
                                     QMessageBox::Ok};
    if (m_messages.show(nullptr, question) != QMessageBox::Ok)
        return false;
    // A damaged file can take a while to give up on: the user may call it off.
    WorkProgress progress(QStringLiteral("Converting the Access databases..."), 0, nullptr, true);
    progress.setObjectName(QStringLiteral("dlgConverting"));
    conversion.setKeepGoing([&progress] {
        QCoreApplication::processEvents();
        return !progress.wasCanceled();
    });
    const bool converted = conversion.run(&error);
    progress.finish();
    if (!converted) {
        tell(error + (conversion.leftChanges() ? QStringLiteral("\n\nThe program ends.") : ends));
        return false;
    }
    tell(ConversionMessages::report(conversion, m_folder.filePath(conversion.originalsName())),
         QMessageBox::Information);
    return true;
}

bool Startup::undoUnfinishedRestore()
{
    bool undone = false;
    QString error;
    if (!DataRestore::undoUnfinished(m_folder, &undone, &error)) {
        tell(QStringLiteral("A restore from a backup stopped before it finished, and the data as "
                            "they were before it could not be put back: %1\n\nThe program ends; "
                            "start it again to try once more.")
                 .arg(error));
        return false;
    }
    if (undone)
        tell(QStringLiteral("A restore from a backup stopped before it finished. The data were put "
                            "back as they were before it; restore the backup again to have its "
                            "data."),
             QMessageBox::Information);
    return true;
}

// Only files of the names this program writes, never one of another's.
void Startup::removeLeftovers()
{
    DataRestore::removeLeftovers(m_folder);
    QStringList written = DataFiles::all();
    written << QFileInfo(BalanceJournal::stagedPath(m_folder)).fileName() << FloppyBackup::archiveFile
            << CustomerExport::workbookFile;
    for (const DatabaseCompaction::DatabaseFiles &database : DatabaseCompaction::databases(m_folder))
        written << QFileInfo(database.backup).fileName();
    Disk::removeLeftovers(m_folder.path(), written);
}

// A move to a server that a crash stopped after the server took the books is
// finished; one stopped before is forgotten, the folder keeping its books.
bool Startup::finishMoveToServer()
{
    bool finished = false;
    const MoveToServer::Result result = MoveToServer::finishUnfinished(m_folder, m_clock.today(), &finished);
    if (!result.moved) {
        tell(QStringLiteral("A move of the books to a server stopped before it finished, and could not be "
                            "finished now: %1\n\nThe program ends; start it again to try once more.")
                 .arg(result.error));
        return false;
    }
    if (finished)
        tell(QStringLiteral("A move of the books to the server stopped before it finished, and was finished "
                            "now. The files they were kept in are in %1.")
                 .arg(QDir::toNativeSeparators(result.kept)),
             QMessageBox::Information);
    return true;
}

// A folder whose books were moved to a server opens them there.
bool Startup::findServer()
{
    const QString path = m_folder.filePath(DataFiles::server);
    if (!QFile::exists(path))
        return true;
    QString error;
    const std::optional<QString> address = SideFile::read(path, &error);
    if (!address || address->trimmed().isEmpty()) {
        tell(QStringLiteral("The file %1 must hold the address of the server that keeps the books: %2")
                 .arg(DataFiles::server, address ? QStringLiteral("it is empty.") : error));
        return false;
    }
    m_folder = m_folder.onServer(address->trimmed());
    // Asked once in a session, and only where ~/.pgpass and PGPASSWORD give none.
    if (ServerAddress::needsPassword(m_folder.serverAddress())) {
        const QString password = m_askPassword(m_folder.serverAddress());
        if (password.isEmpty()) {
            tell(QStringLiteral("The server at %1 asks for a password, and none was given.\n\nThe program "
                                "ends without changing anything.")
                     .arg(m_folder.serverAddress()));
            return false;
        }
        ServerAddress::usePassword(password);
    }
    return true;
}

bool Startup::prepareFolder()
{
    QStringList missing = m_folder.missingFiles();
    if (missing.size() == DataFiles::all().size() || m_folder.hasUnfinishedInstallation())
        return install();
    // No backup holds pw.kvd (the password does not travel on removable
    // media), so a folder brought back from one lacks it. The password guards
    // only the setting of the balance, and no record is at stake.
    const bool passwordFileMissing = missing.removeAll(DataFiles::password) > 0;
    QStringList sideFiles;
    for (const QString &side : DataFiles::sideFiles())
        if (missing.removeAll(side) > 0)
            sideFiles << side;
    if (!missing.isEmpty()) {
        tell(QStringLiteral("The data folder %1 is missing these files:\n\n%2\n\nThe program ends "
                            "without changing anything. Put the missing files back, for example "
                            "from a backup, and start the program again.")
                 .arg(QDir::toNativeSeparators(m_folder.path()), missing.join(u'\n')));
        return false;
    }
    if (!sideFiles.isEmpty())
        return writeSideFiles(sideFiles, passwordFileMissing);
    return PasswordFile::holdsPassword(m_folder) || writeNewPassword(passwordFileMissing);
}

// A folder copied with its databases alone (from Windows, say): the names
// each ledger remembers start empty, the balance at what the ledgers say, and
// the password at the default where it is missing too. One message tells it.
bool Startup::writeSideFiles(const QStringList &names, bool passwordFileMissing)
{
    QString error;
    const std::optional<double> balance = LedgerTotals::incomesLessExpenses(m_folder, &error);
    const QString balanceText = NumberText::twoDecimals(balance.value_or(0));
    bool written = balance.has_value();
    for (const QString &name : names)
        written = written && SideFile::write(m_folder.disk(), m_folder.filePath(name),
                                             name == DataFiles::balance ? Balance::fileText(balanceText)
                                                                        : QString(),
                                             &error);
    const bool newPassword = passwordFileMissing || !PasswordFile::holdsPassword(m_folder);
    written = written && (!newPassword ||
                          PasswordFile::write(m_folder, DataFolder::defaultPassword, &error));
    const QString folder = QDir::toNativeSeparators(m_folder.path());
    if (!written) {
        tell(QStringLiteral("The data folder %1 lacks %2, and new ones could not be written: %3")
                 .arg(folder, names.join(QLatin1String(", ")), error));
        return false;
    }
    QString text =
        QStringLiteral("The data folder %1 had its databases but not %2. New ones were written: "
                       "the names each ledger remembers start empty, and the balance starts at "
                       "%3, the stored incomes less the stored expenses. If it should be "
                       "otherwise, correct it with Set on the Income and Expenses tab.")
            .arg(folder, names.join(QLatin1String(", ")), balanceText);
    if (newPassword)
        text += QStringLiteral("\n\nThere was no password either: it is \"%1\" until you change it "
                               "there with Change Password.")
                    .arg(DataFolder::defaultPassword);
    tell(text, QMessageBox::Information);
    return true;
}

bool Startup::install()
{
    QString error;
    if (m_folder.install(&error)) {
        m_installed = true;
        return true;
    }
    tell(QStringLiteral("A new data folder could not be set up in %1: %2\n\nStart the program "
                        "again to finish setting it up.")
             .arg(m_folder.path(), error));
    return false;
}

bool Startup::writeNewPassword(bool fileMissing)
{
    const QString folder = QDir::toNativeSeparators(m_folder.path());
    QString error;
    if (!PasswordFile::write(m_folder, DataFolder::defaultPassword, &error)) {
        tell(QStringLiteral("A new password file pw.kvd could not be written in %1: %2")
                 .arg(folder, error));
        return false;
    }
    const QString found =
        fileMissing ? QStringLiteral("The data folder %1 had no password file (pw.kvd). Backups do "
                                     "not hold it, so a folder brought back from one lacks it.")
                    : QStringLiteral("The password file pw.kvd in the data folder %1 held no "
                                     "password.");
    tell(found.arg(folder) +
             QStringLiteral("\n\nA new pw.kvd was written with the password \"%1\". To change the "
                            "password, click Set on the Income and Expenses tab, then Change "
                            "Password.")
                 .arg(DataFolder::defaultPassword),
         QMessageBox::Information);
    return true;
}

bool Startup::run()
{
    QCoreApplication::processEvents();
    if (!lockFolder() || !finishMoveToServer() || !findServer() || !undoUnfinishedRestore())
        return false;
    removeLeftovers();
    if (!m_folder.isOnServer() && (!finishConversionInto() || !convertAccessFiles() || !prepareFolder()))
        return false;
    OpenBooks books(m_folder);
    if (QString reason; !books.open(&reason)) {
        tell(reason + QStringLiteral("\n\nThe program ends without changing anything."));
        return false;
    }
    m_window = std::make_unique<frmMain>(books, m_messages, m_launcher, m_clock);
    if (!m_window->Form_Load())
        return false;
    QObject::connect(m_window.get(), &frmMain::dataFolderChosen, m_window.get(),
                     [this](const QString &path) { openDataFolder(path); }, Qt::QueuedConnection);
    ProgramSettings::addRecentFolder(m_folder.path());
    showOnScreen(*m_window);
    if (m_installed)
        welcome();
    return true;
}

// The folder now open is left as at Exit, and the program starts on the one
// chosen as it starts at all. One that is refused (the user was told why)
// has the program go back to the folder it left.
void Startup::openDataFolder(const QString &path)
{
    const DataFolder left = m_folder;
    m_window->leaveDataFolder();
    m_window.release()->deleteLater();
    m_lock.reset();
    m_installed = false;
    m_folder = DataFolder(QDir(path).absolutePath());
    if (run())
        return;
    m_folder = left;
    if (!run())
        QCoreApplication::exit(1);
}

// A new user learns where the data are, and how to begin the books.
void Startup::welcome()
{
    m_messages.show(m_window.get(),
                    {QStringLiteral("Welcome to Bramblewood. Your data are kept in the folder %1.\n\n"
                                    "The balance starts at 0.00. To set the opening balance, click "
                                    "Set on the Income and Expenses tab and type the password, which "
                                    "is \"%2\" until you change it there with Change Password.")
                         .arg(QDir::toNativeSeparators(m_folder.path()), DataFolder::defaultPassword),
                     MessageBox::applicationTitle(), QMessageBox::Ok, QMessageBox::Information});
}
