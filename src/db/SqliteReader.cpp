#include "SqliteReader.h"

#include "RowBlock.h"

#include <QFile>
#include <sqlite3.h>

SqliteReader::SqliteReader(const QString &path)
{
    m_opened = sqlite3_open_v2(QFile::encodeName(path).constData(), &m_db,
                               SQLITE_OPEN_READONLY | SQLITE_OPEN_NOMUTEX, nullptr) == SQLITE_OK;
    if (m_opened)
        sqlite3_busy_timeout(m_db, 5000); // as long as the program's own connections wait
}

SqliteReader::~SqliteReader()
{
    sqlite3_finalize(m_statement);
    sqlite3_close(m_db);
}

bool SqliteReader::failed(QString *error) const
{
    *error = m_db ? QString::fromUtf8(sqlite3_errmsg(m_db)) : QStringLiteral("out of memory");
    return false;
}

bool SqliteReader::inReadTransaction(const std::function<bool(QString *error)> &work, QString *error)
{
    if (!m_opened || sqlite3_exec(m_db, "BEGIN", nullptr, nullptr, nullptr) != SQLITE_OK)
        return failed(error);
    const bool done = work(error);
    // A read transaction has nothing to lose, so its end cannot fail the work.
    sqlite3_exec(m_db, "COMMIT", nullptr, nullptr, nullptr);
    return done;
}

bool SqliteReader::prepare(const QString &sql, const QVariantList &parameters, QString *error)
{
    sqlite3_finalize(m_statement);
    m_statement = nullptr;
    if (!m_opened ||
        sqlite3_prepare_v2(m_db, sql.toUtf8().constData(), -1, &m_statement, nullptr) != SQLITE_OK)
        return failed(error);
    return bind(parameters, error);
}

RowReader::Step SqliteReader::step()
{
    switch (sqlite3_step(m_statement)) {
    case SQLITE_ROW:
        return Step::Row;
    case SQLITE_DONE:
        return Step::Done;
    default:
        return Step::Failed;
    }
}

bool SqliteReader::bind(const QVariantList &parameters, QString *error)
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

QStringList SqliteReader::columnNames() const
{
    QStringList names;
    for (int column = 0; column < sqlite3_column_count(m_statement); ++column)
        names << QString::fromUtf8(sqlite3_column_name(m_statement, column));
    return names;
}

qint64 SqliteReader::integer(int column) const
{
    return sqlite3_column_int64(m_statement, column);
}

void SqliteReader::appendRow(RowBlock *rows) const
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
