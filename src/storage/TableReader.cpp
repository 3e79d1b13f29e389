#include "TableReader.h"

#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <sqlite3.h>

namespace {

// A read-only connection of its own, or one lent by its owner, and the
// statement run on it; what it owns is closed on every way out.
class ReadConnection
{
public:
    explicit ReadConnection(const QString &path) : m_owned(true)
    {
        m_status = sqlite3_open_v2(QFile::encodeName(path).constData(), &m_db,
                                   SQLITE_OPEN_READONLY | SQLITE_OPEN_NOMUTEX, nullptr);
        if (m_status == SQLITE_OK)
            sqlite3_busy_timeout(m_db, 5000); // as long as the program's own connections wait
    }
    explicit ReadConnection(sqlite3 *lent) : m_db(lent), m_owned(false) {}
    ~ReadConnection()
    {
        sqlite3_finalize(m_statement);
        if (m_owned)
            sqlite3_close(m_db);
    }
    ReadConnection(const ReadConnection &) = delete;
    ReadConnection &operator=(const ReadConnection &) = delete;

    bool failed(QString *error) const
    {
        *error = m_db ? QString::fromUtf8(sqlite3_errmsg(m_db)) : QStringLiteral("out of memory");
        return false;
    }
    bool opened(QString *error) const { return m_status == SQLITE_OK || failed(error); }
    bool execute(const char *sql, QString *error) const
    {
        return sqlite3_exec(m_db, sql, nullptr, nullptr, nullptr) == SQLITE_OK || failed(error);
    }
    bool prepare(const QString &sql, QString *error)
    {
        sqlite3_finalize(m_statement);
        m_statement = nullptr;
        return sqlite3_prepare_v2(m_db, sql.toUtf8().constData(), -1, &m_statement, nullptr) ==
                   SQLITE_OK ||
               failed(error);
    }
    // SQLITE_ROW while there is a row, SQLITE_DONE at the end, else an error.
    int step() { return sqlite3_step(m_statement); }
    sqlite3_stmt *statement() const { return m_statement; }
    bool bind(const QVariantList &parameters, QString *error);

private:
    sqlite3 *m_db = nullptr;
    sqlite3_stmt *m_statement = nullptr;
    int m_status = SQLITE_OK;
    bool m_owned;
};

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

QString quoted(const QString &identifier)
{
    return u'"' + QString(identifier).replace(u'"', QLatin1String("\"\"")) + u'"';
}

bool readCount(ReadConnection &connection, const QString &table, qint64 *rows, QString *error)
{
    if (!connection.prepare(QStringLiteral("SELECT count(*) FROM %1").arg(quoted(table)), error))
        return false;
    if (connection.step() != SQLITE_ROW)
        return connection.failed(error);
    *rows = sqlite3_column_int64(connection.statement(), 0);
    return true;
}

void appendCell(sqlite3_stmt *statement, int column, RowBlock *rows)
{
    switch (sqlite3_column_type(statement, column)) {
    case SQLITE_NULL:
        rows->appendNull();
        break;
    case SQLITE_INTEGER:
        rows->appendInteger(sqlite3_column_int64(statement, column));
        break;
    case SQLITE_FLOAT:
        rows->appendReal(sqlite3_column_double(statement, column));
        break;
    default: {
        // As a blob the text comes as it lies in the page; as text SQLite
        // would first copy it to add a terminating zero.
        const auto *text = static_cast<const char *>(sqlite3_column_blob(statement, column));
        rows->appendText(QByteArrayView(text, sqlite3_column_bytes(statement, column)));
    }
    }
}

// Every row of the prepared statement, cell after cell; the room is set
// aside before, so that the block is never copied while it grows.
bool readStatement(ReadConnection &connection, qint64 rowsExpected, qint64 textBytes,
                   QStringList *columnNames, RowBlock *rows, QString *error)
{
    sqlite3_stmt *statement = connection.statement();
    const int columns = sqlite3_column_count(statement);
    columnNames->clear();
    for (int column = 0; column < columns; ++column)
        *columnNames << QString::fromUtf8(sqlite3_column_name(statement, column));
    *rows = RowBlock(columns);
    rows->reserve(rowsExpected, std::min(textBytes, RowBlock::maxTextBytes / 2));
    int status;
    while ((status = connection.step()) == SQLITE_ROW) {
        for (int column = 0; column < columns; ++column)
            appendCell(statement, column, rows);
        // Half the room is left for the rows the user changes afterwards.
        if (rows->textBytes() > RowBlock::maxTextBytes / 2) {
            *error = QStringLiteral("The rows hold more text than the program can keep.");
            return false;
        }
    }
    rows->squeeze();
    return status == SQLITE_DONE || connection.failed(error);
}

// The file holds all the text and more, so its size is room enough.
bool readRows(ReadConnection &connection, const QString &path, const QString &table, TableCopy *copy,
              QString *error)
{
    return connection.prepare(
               QStringLiteral("SELECT rowid AS bramblewood_rowid, * FROM %1").arg(quoted(table)), error) &&
           readStatement(connection, copy->counted, QFileInfo(path).size(), &copy->columns, &copy->rows,
                         error);
}

bool readRowids(ReadConnection &connection, const QString &orderSql, std::vector<qint64> *rowids,
                QString *error)
{
    rowids->clear();
    if (!connection.prepare(orderSql, error))
        return false;
    int status;
    while ((status = connection.step()) == SQLITE_ROW)
        rowids->push_back(sqlite3_column_int64(connection.statement(), 0));
    return status == SQLITE_DONE || connection.failed(error);
}

} // namespace

namespace TableReader {

bool read(const QString &path, const QString &table, const QString &orderSql, TableCopy *copy,
          QString *error)
{
    ReadConnection connection(path);
    if (!connection.opened(error) || !connection.execute("BEGIN", error))
        return false;
    const bool ok = readCount(connection, table, &copy->counted, error) &&
                    readRows(connection, path, table, copy, error) &&
                    (orderSql.isEmpty() || readRowids(connection, orderSql, &copy->order, error));
    QString ignored; // a read transaction has nothing to lose
    connection.execute("COMMIT", &ignored);
    return ok;
}

bool readOrder(const QString &path, const QString &orderSql, std::vector<qint64> *rowids,
               QString *error)
{
    ReadConnection connection(path);
    return connection.opened(error) && readRowids(connection, orderSql, rowids, error);
}

bool readQuery(sqlite3 *db, const QString &sql, const QVariantList &parameters, QStringList *columns,
               RowBlock *rows, QString *error)
{
    ReadConnection connection(db);
    const qint64 textBytes = sqlite3_db_filename(db, "main")
                                 ? QFileInfo(QFile::decodeName(sqlite3_db_filename(db, "main"))).size()
                                 : 0;
    return connection.prepare(sql, error) && connection.bind(parameters, error) &&
           readStatement(connection, 0, textBytes, columns, rows, error);
}

} // namespace TableReader
