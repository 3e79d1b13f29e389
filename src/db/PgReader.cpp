#include "PgReader.h"

#include "PgConnectionInfo.h"
#include "PgText.h"
#include "RowBlock.h"

#include <QtEndian>
#include <cstring>
#include <vector>
#include <libpq-fe.h>

namespace {

// The type numbers of the server's built-in types that the books use.
enum Type : Oid { Bool = 16, Int8 = 20, Int2 = 21, Int4 = 23, Text = 25, Float4 = 700, Float8 = 701, Varchar = 1043 };

template <class T> T bigEndian(const char *bytes)
{
    T value;
    std::memcpy(&value, bytes, sizeof value);
    return qFromBigEndian(value);
}

double float8(const char *bytes)
{
    const quint64 bits = bigEndian<quint64>(bytes);
    double value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

float float4(const char *bytes)
{
    const quint32 bits = bigEndian<quint32>(bytes);
    float value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

} // namespace

PgReader::PgReader(const QString &uri)
{
    m_connection = PgConnectionInfo::connect(uri, &m_connectError);
}

PgReader::~PgReader()
{
    endStatement();
    PQfinish(m_connection);
}

bool PgReader::failed(QString *error) const
{
    *error = !m_connectError.isEmpty() ? m_connectError
             : !m_error.isEmpty()      ? m_error
             : m_connection     ? QString::fromUtf8(PQerrorMessage(m_connection)).trimmed()
                                : QStringLiteral("out of memory");
    return false;
}

bool PgReader::command(const char *sql, QString *error)
{
    PGresult *result = PQexec(m_connection, sql);
    const bool done = PQresultStatus(result) == PGRES_COMMAND_OK;
    if (!done)
        m_error = QString::fromUtf8(PQresultErrorMessage(result)).trimmed();
    PQclear(result);
    return done || failed(error);
}

// One snapshot for all the work: the count and the rows agree.
bool PgReader::inReadTransaction(const std::function<bool(QString *error)> &work, QString *error)
{
    m_error.clear();
    if (PQstatus(m_connection) != CONNECTION_OK)
        return failed(error);
    if (!command("BEGIN ISOLATION LEVEL REPEATABLE READ READ ONLY", error))
        return false;
    const bool done = work(error);
    endStatement();
    QString ignored;
    command("COMMIT", &ignored); // a read transaction has nothing to lose
    return done;
}

bool PgReader::prepare(const QString &sql, const QVariantList &parameters, QString *error)
{
    endStatement();
    m_error.clear();
    PGresult *prepared = PQprepare(m_connection, "", PgText::numbered(PgText::withoutIndexHints(sql)).toUtf8().constData(),
                                   int(parameters.size()), nullptr);
    const bool ok = PQresultStatus(prepared) == PGRES_COMMAND_OK;
    if (!ok)
        m_error = QString::fromUtf8(PQresultErrorMessage(prepared)).trimmed();
    PQclear(prepared);
    if (!ok)
        return failed(error);
    PGresult *described = PQdescribePrepared(m_connection, "");
    m_columns.clear();
    m_types.clear();
    for (int column = 0; column < PQnfields(described); ++column) {
        m_columns << QString::fromUtf8(PQfname(described, column));
        m_types << PQftype(described, column);
    }
    PQclear(described);
    const QList<QByteArray> texts = PgText::parameters(parameters);
    std::vector<const char *> values;
    for (const QByteArray &text : texts)
        values.push_back(text.isNull() ? nullptr : text.constData());
    const int binary = 1;
    if (!PQsendQueryPrepared(m_connection, "", int(values.size()), values.data(), nullptr, nullptr, binary) ||
        !PQsetSingleRowMode(m_connection))
        return failed(error);
    m_running = true;
    return true;
}

RowReader::Step PgReader::step()
{
    PQclear(m_row);
    m_row = nullptr;
    if (!m_running)
        return Step::Done;
    PGresult *result = PQgetResult(m_connection);
    switch (PQresultStatus(result)) {
    case PGRES_SINGLE_TUPLE:
        m_row = result;
        return Step::Row;
    case PGRES_TUPLES_OK:
        PQclear(result);
        endStatement();
        return Step::Done;
    default:
        m_error = result ? QString::fromUtf8(PQresultErrorMessage(result)).trimmed() : QString();
        PQclear(result);
        endStatement();
        return Step::Failed;
    }
}

// Whatever rows are still coming are read and dropped, so that the
// connection can take the next statement.
void PgReader::endStatement()
{
    PQclear(m_row);
    m_row = nullptr;
    if (!m_running)
        return;
    m_running = false;
    while (PGresult *rest = PQgetResult(m_connection))
        PQclear(rest);
}

void PgReader::appendRow(RowBlock *rows) const
{
    for (int column = 0; column < rows->columns(); ++column) {
        if (PQgetisnull(m_row, 0, column)) {
            rows->appendNull();
            continue;
        }
        const char *value = PQgetvalue(m_row, 0, column);
        switch (m_types[column]) {
        case Bool:
            rows->appendInteger(*value ? -1 : 0);
            break;
        case Int2:
            rows->appendInteger(bigEndian<qint16>(value));
            break;
        case Int4:
            rows->appendInteger(bigEndian<qint32>(value));
            break;
        case Int8:
            rows->appendInteger(bigEndian<qint64>(value));
            break;
        case Float4:
            rows->appendReal(float4(value));
            break;
        case Float8:
            rows->appendReal(float8(value));
            break;
        default: // text and varchar: the books' tables and queries use no other types
            rows->appendText(QByteArrayView(value, PQgetlength(m_row, 0, column)));
        }
    }
}

qint64 PgReader::integer(int column) const
{
    if (PQgetisnull(m_row, 0, column))
        return 0;
    const char *value = PQgetvalue(m_row, 0, column);
    switch (m_types[column]) {
    case Int2:
        return bigEndian<qint16>(value);
    case Int4:
        return bigEndian<qint32>(value);
    default:
        return bigEndian<qint64>(value);
    }
}
