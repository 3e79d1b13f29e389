#include "Connection.h"

#include <QSqlError>
#include <atomic>

namespace {

QString uniqueName()
{
    static std::atomic<int> counter{0};
    return QStringLiteral("bramblewood-%1").arg(++counter);
}

} // namespace

Connection::Connection(const Database &database, Engine::Access access)
    : m_database(database), m_access(access), m_name(uniqueName())
{
}

Connection::~Connection()
{
    close();
}

bool Connection::open(QString *error)
{
    close();
    if (m_access != Engine::Access::Create) {
        *error = m_database.engine->missing(m_database.name);
        if (!error->isEmpty())
            return false;
    }
    if (!m_database.engine->open(m_name, m_database.name, m_access, error)) {
        *error = QStringLiteral("%1 could not be opened: %2").arg(dataSource(), *error);
        close();
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
    const bool done = runTransaction(work, error);
    if (!done && engine().isLost(database()))
        *error = QStringLiteral("The server could not be reached: %1; nothing was stored.").arg(error->trimmed());
    return done;
}

bool Connection::runTransaction(const std::function<bool(QString *error)> &work, QString *error)
{
    QSqlDatabase db = database();
    // A connection the server dropped since the last step (a restart, a
    // cable out) is opened again.
    if (!db.transaction() && (!engine().isLost(db) || !open(error) || !(db = database()).transaction())) {
        if (db.lastError().isValid())
            *error = db.lastError().text();
        return false;
    }
    if (!work(error)) {
        db.rollback();
        return false;
    }
    if (!m_database.faults->before(Faults::Step::Commit, m_database.name, error)) {
        db.rollback();
        return false;
    }
    if (!db.commit()) {
        *error = db.lastError().text();
        db.rollback();
        return false;
    }
    m_database.faults->after(Faults::Step::Commit);
    return true;
}
