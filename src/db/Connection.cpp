#include "Connection.h"


#include <QFile>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <QUrl>
#include <atomic>

namespace {

QString uniqueName()
{
    static std::atomic<int> counter{0};
    return QStringLiteral("bramblewood-%1").arg(++counter);
}

// The rollback journal, not WAL: backups and the zip copy the database file
// alone, and a WAL file beside it would be left behind. FULL makes every
// committed change reach the disk before the call returns.
bool applySettings(QSqlDatabase &db, QString *error)
{
    QSqlQuery query(db);
    for (const char *pragma : {"PRAGMA journal_mode=DELETE", "PRAGMA synchronous=FULL"}) {
        if (!query.exec(QString::fromLatin1(pragma))) {
            *error = query.lastError().text();
            // Still locked once the busy timeout has run out: the user can act on that.
            if (query.lastError().nativeErrorCode() == QLatin1String("5"))
                *error = QStringLiteral("another program has held it locked for more than five "
                                        "seconds. Close that program, or wait until it is done, "
                                        "and try again");
            return false;
        }
    }
    return true;
}

} // namespace

bool Connection::isReadOnlyFile(const QString &path)
{
    const QFileInfo info(path);
    const auto anyWrite = QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther;
    return !(info.permissions() & anyWrite) || !info.isWritable();
}

Connection::Connection(const QString &path, Faults &faults)
    : m_path(path), m_faults(&faults), m_name(uniqueName())
{
}

Connection::~Connection()
{
    close();
}

bool Connection::open(QString *error)
{
    close();
    if (!QFileInfo(m_path).isFile()) {
        *error = QStringLiteral("The database file %1 does not exist.").arg(m_path);
        return false;
    }
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_name);
    // Never mode=rwc: a file that vanishes between the check and the open is
    // an error, not a new empty database.
    const QString mode = isReadOnlyFile(m_path) ? QStringLiteral("ro") : QStringLiteral("rw");
    db.setDatabaseName(QUrl::fromLocalFile(m_path).toString(QUrl::FullyEncoded) +
                       QStringLiteral("?mode=") + mode);
    db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_URI;QSQLITE_BUSY_TIMEOUT=5000"));
    if (!db.open() || !applySettings(db, error)) {
        if (db.lastError().isValid())
            *error = db.lastError().text();
        *error = QStringLiteral("%1 could not be opened: %2").arg(dataSource(), *error);
        db.close();
        return false;
    }
    return true;
}

void Connection::close()
{
    if (!QSqlDatabase::contains(m_name))
        return;
    {
        QSqlDatabase db = QSqlDatabase::database(m_name, false);
        db.close();
    }
    QSqlDatabase::removeDatabase(m_name);
}

QString Connection::dataSource() const
{
    return QFileInfo(m_path).fileName();
}

bool Connection::isOpen() const
{
    return QSqlDatabase::contains(m_name) && QSqlDatabase::database(m_name, false).isOpen();
}

QSqlDatabase Connection::database() const
{
    return QSqlDatabase::database(m_name, false);
}

bool Connection::inTransaction(const std::function<bool(QString *error)> &work, QString *error)
{
    QSqlDatabase db = database();
    if (!db.transaction()) {
        *error = db.lastError().text();
        return false;
    }
    if (!work(error)) {
        db.rollback();
        return false;
    }
    if (!m_faults->before(Faults::Step::Commit, m_path, error)) {
        db.rollback();
        return false;
    }
    if (!db.commit()) {
        *error = db.lastError().text();
        db.rollback();
        return false;
    }
    m_faults->after(Faults::Step::Commit);
    return true;
}
