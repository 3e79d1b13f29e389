#include "Startup.h"

#include "DataFiles.h"
#include "DataFolder.h"
#include "MessageBox.h"
#include "frmMain.h"

#include <QCoreApplication>
#include <QDir>
#include <QGuiApplication>
#include <QScreen>

Startup::Startup(MessageBox &messages, Launcher &launcher)
    : m_messages(messages), m_launcher(launcher),
      m_lock(QDir::current().filePath(QStringLiteral("Bramblewood.lock")))
{
    // A lock left by a run that crashed names a process that is gone;
    // QLockFile takes it over instead of locking the user out.
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
                 .arg(QDir::currentPath()));
    else
        tell(QStringLiteral("The data folder %1 cannot be used: the program may not write in it.")
                 .arg(QDir::currentPath()));
    return false;
}

bool Startup::prepareFolder()
{
    const QDir folder = QDir::current();
    const QStringList missing = DataFolder::missingFiles(folder);
    if (missing.isEmpty())
        return true;
    if (missing.size() == DataFiles::all().size()) {
        QString error;
        if (DataFolder::install(folder, &error))
            return true;
        tell(QStringLiteral("A new data folder could not be set up in %1: %2")
                 .arg(folder.path(), error));
        return false;
    }
    tell(QStringLiteral("The data folder %1 is missing these files:\n\n%2\n\nThe program ends "
                        "without changing anything. Put the missing files back, for example from "
                        "a backup, and start the program again.")
             .arg(QDir::toNativeSeparators(folder.absolutePath()), missing.join(u'\n')));
    return false;
}

bool Startup::run()
{
    QCoreApplication::processEvents();
    if (!lockFolder() || !prepareFolder())
        return false;
    m_window = std::make_unique<frmMain>(m_messages, m_launcher);
    if (!m_window->Form_Load())
        return false;
    m_window->adjustSize();
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        m_window->move(screen->availableGeometry().center() - m_window->rect().center());
    m_window->show();
    return true;
}
