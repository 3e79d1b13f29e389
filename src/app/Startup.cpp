#include "Startup.h"

#include "DataFiles.h"
#include "MessageBox.h"
#include "frmMain.h"

#include <QCoreApplication>
#include <QDir>
#include <QGuiApplication>
#include <QScreen>

Startup::Startup(const DataFolder &folder, MessageBox &messages, Launcher &launcher)
    : m_folder(folder), m_messages(messages), m_launcher(launcher),
      m_lock(folder.filePath(QStringLiteral("Bramblewood.lock")))
{
    // Only a lock whose process is gone is stale (a run that crashed): by
    // default QLockFile would also take over any lock older than 30 seconds,
    // letting a second copy in beside a program that has simply been open a while.
    m_lock.setStaleLockTime(0);
}

Startup::~Startup() = default;

void Startup::tell(const QString &text)
{
    m_messages.show(nullptr, {text, MessageBox::applicationTitle(), QMessageBox::Ok,
                              QMessageBox::Critical});
}

bool Startup::lockFolder()
{
    if (m_lock.tryLock(0))
        return true;
    if (m_lock.error() == QLockFile::LockFailedError)
        tell(QStringLiteral("Bramblewood is already running on the data folder %1. Use the "
                            "window that is open.")
                 .arg(m_folder.path()));
    else
        tell(QStringLiteral("The data folder %1 cannot be used: the program may not write in it.")
                 .arg(m_folder.path()));
    return false;
}

bool Startup::prepareFolder()
{
    const QStringList missing = m_folder.missingFiles();
    if (missing.isEmpty())
        return true;
    if (missing.size() == DataFiles::all().size()) {
        QString error;
        if (m_folder.install(&error))
            return true;
        tell(QStringLiteral("A new data folder could not be set up in %1: %2")
                 .arg(m_folder.path(), error));
        return false;
    }
    tell(QStringLiteral("The data folder %1 is missing these files:\n\n%2\n\nThe program ends "
                        "without changing anything. Put the missing files back, for example from "
                        "a backup, and start the program again.")
             .arg(QDir::toNativeSeparators(m_folder.path()), missing.join(u'\n')));
    return false;
}

bool Startup::run()
{
    QCoreApplication::processEvents();
    if (!lockFolder() || !prepareFolder())
        return false;
    m_window = std::make_unique<frmMain>(m_folder, m_messages, m_launcher);
    if (!m_window->Form_Load())
        return false;
    m_window->adjustSize();
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        m_window->move(screen->availableGeometry().center() - m_window->rect().center());
    m_window->show();
    return true;
}
