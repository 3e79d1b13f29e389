#include "ReadConnection.h"

#include "RowBlock.h"

#include <QFile>
#include <sqlite3.h>

ReadConnection::ReadConnection(const QString &path)
{
    m_status = sqlite3_open_v2(QFile::encodeName(path).constData(), &m_db,
                               SQLITE_OPEN_READONLY | SQLITE_OPEN_NOMUTEX, nullptr);
    if (m_status == SQLITE_OK)
        sqlite3_busy_timeout(m_db, 5000); // as long as the program's own connections wait
}

ReadConnection::~ReadConnection()
{
    sqlite3_finalize(m_statement);
    sqlite3_close(m_db);
}

bool ReadConnection::failed(QString *error) const
{
    *error = m_db ? QString::fromUtf8(sqlite3_errmsg(m_db)) : QStringLiteral("out of memory");
    return false;
}

bool ReadConnection::opened(QString *error) const
{
    return m_status == SQLITE_OK || failed(error);
}

bool ReadConnection::inReadTransaction(const std::function<bool(QString *error)> &work,
                                       QString *error) const
{
    if (!opened(error))
        return false;
    if (sqlite3_exec(m_db, "BEGIN", nullptr, nullptr, nullptr) != SQLITE_OK)
        return failed(error);
    const bool done = work(error);
    // A read transaction has nothing to lose, so its end cannot fail the work.
    sqlite3_exec(m_db, "COMMIT", nullptr, nullptr, nullptr);
    return done;
}

bool ReadConnection::prepare(const QString &sql, QString *error)
{
    sqlite3_finalize(m_statement);
    m_statement = nullptr;
    return sqlite3_prepare_v2(m_db, sql.toUtf8().constData(), -1, &m_statement, nullptr) == SQLITE_OK ||
           failed(error);
}

int ReadConnection::step()
{
    return sqlite3_step(m_statement);
}

bool ReadConnection::number(const QString &sql, const QVariantList &parameters, qint64 *value,
                            QString *error)
{
    if (!prepare(sql, error) || !bind(parameters, error))
        return false;
    if (step() != SQLITE_ROW)
        return failed(error);
    *value = sqlite3_column_int64(m_statement, 0);
    return true;
}

bool ReadConnection::bind(const QVariantList &parameters, QString *error)
{
    for (int i = 0; i < parameters.size(); ++i) {
        const QVariant &value = parameters[i];
        int status;
        if (value.isNull()) {
            status = sqlite3_bind_null(m_statement, i + 1);
        } else if (value.typeId() == QMetaType::Double) {
            status = sqlite3_bind_double(m_statement, i + 1, value.toDouble());
        } else if (value.typeId() == QMetaType::Int || value.typeId() == QMetaType::LongLong) {
            status = sqlite3_bind_int64(m_statement, i + 1, value.toLongLong());
        } else {
            const QByteArray text = value.toString().toUtf8();
            status = sqlite3_bind_text(m_statement, i + 1, text.constData(), int(text.size()),
                                       SQLITE_TRANSIENT);
        }
        if (status != SQLITE_OK)
            return failed(error);
    }
    return true;
}

QStringList ReadConnection::columnNames() const
{
    QStringList names;
    for (int column = 0; column < sqlite3_column_count(m_statement); ++column)
        names << QString::fromUtf8(sqlite3_column_name(m_statement, column));
    return names;
}

void ReadConnection::appendRow(RowBlock *rows) const
{
    for (int column = 0; column < rows->columns(); ++column) {
        switch (sqlite3_column_type(m_statement, column)) {
        case SQLITE_NULL:
            rows->appendNull();
            break;
        case SQLITE_INTEGER:
            rows->appendInteger(sqlite3_column_int64(m_statement, column));
            break;
        case SQLITE_FLOAT:
            rows->appendReal(sqlite3_column_double(m_statement, column));
            break;
        default: {
            // As a blob the text comes as it lies in the page; as text SQLite
            // would first copy it to add a terminating zero.
            const auto *text = static_cast<const char *>(sqlite3_column_blob(m_statement, column));
            rows->appendText(QByteArrayView(text, sqlite3_column_bytes(m_statement, column)));
        }
        }
    }
}
