#include "Recordset.h"

#include <QRegularExpression>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QStringMatcher>

namespace {

const QString hiddenKey = QStringLiteral("bramblewood_key");

QString quoted(const QString &identifier)
{
    return u'"' + QString(identifier).replace(u'"', QLatin1String("\"\"")) + u'"';
}

} // namespace

Recordset::Recordset(const QString &connectionString, const QString &rowSource)
    : m_connection(connectionString), m_rowSource(rowSource)
{
}

bool Recordset::open(QString *error)
{
    return m_connection.open(error) && refresh(error);
}

bool Recordset::refresh(QString *error)
{
    if (!m_connection.isOpen()) {
        *error = QStringLiteral("%1 is not open.").arg(m_connection.dataSource());
        return false;
    }
    m_filter = {};
    dropNewRow();
    QSqlDatabase db = m_connection.database();
    // One read transaction, so that the order and the rows are of one moment.
    const qint64 lastVersion = m_dataVersion;
    bool ok = db.transaction() && readDataVersion(error);
    if (ok)
        ok = m_dataVersion == lastVersion ? reuseCopy(error) : describeSource(error) && load(error);
    db.commit();
    if (!ok) {
        m_rows.clear();
        m_order.clear();
        m_dataVersion = -1;
    }
    rebuildVisible();
    setPosition(0);
    return ok;
}

// SQLite counts the changes other connections commit; this connection's own
// changes are already in the copy.
bool Recordset::readDataVersion(QString *error)
{
    QSqlQuery query(m_connection.database());
    if (!query.exec(QStringLiteral("PRAGMA data_version")) || !query.next()) {
        *error = query.lastError().text();
        return false;
    }
    m_dataVersion = query.value(0).toLongLong();
    return true;
}

bool Recordset::reuseCopy(QString *error)
{
    for (Row &row : m_rows)
        row.bookmark = row.values[0].toLongLong();
    if (!m_orderStale)
        return true;
    m_orderStale = false;
    return orderRows(error);
}

// A row source is a table name, or a query "SELECT * FROM <table> ..." whose
// WHERE and ORDER BY give the rows and their order.
bool Recordset::describeSource(QString *error)
{
    static const QRegularExpression query(
        QStringLiteral(R"(^\s*SELECT\s+\*\s+FROM\s+\[?(\w+)\]?(.*)$)"),
        QRegularExpression::CaseInsensitiveOption | QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression table(QStringLiteral(R"(^\w+$)"));
    if (table.match(m_rowSource).hasMatch()) {
        m_table = m_rowSource;
        m_orderSql.clear();
    } else if (const auto match = query.match(m_rowSource); match.hasMatch()) {
        m_table = match.captured(1);
        m_orderSql = QStringLiteral("SELECT rowid FROM %1%2").arg(quoted(m_table), match.captured(2));
    } else {
        *error = QStringLiteral("The row source is neither a table nor a query of one: %1")
                     .arg(m_rowSource);
        return false;
    }
    // An INTEGER PRIMARY KEY is the rowid itself: the database assigns it.
    QSqlQuery info(m_connection.database());
    if (!info.exec(QStringLiteral("PRAGMA table_info(%1)").arg(quoted(m_table)))) {
        *error = info.lastError().text();
        return false;
    }
    m_assignedFields.clear();
    while (info.next())
        if (info.value(5).toInt() == 1 &&
            info.value(2).toString().compare(QLatin1String("INTEGER"), Qt::CaseInsensitive) == 0)
            m_assignedFields << info.value(1).toString();
    return true;
}

// The rows are read in the table's own order, which is a sequential read, and
// put in the row source's order by a query that needs no more than an index.
// Reading them through the index instead jumps about the whole file.
bool Recordset::load(QString *error)
{
    QSqlDatabase db = m_connection.database();
    QSqlQuery query(db);
    query.setForwardOnly(true);
    if (!query.exec(QStringLiteral("SELECT rowid AS %1, * FROM %2").arg(hiddenKey, quoted(m_table)))) {
        *error = query.lastError().text();
        return false;
    }
    const QSqlRecord record = query.record();
    m_columns.clear();
    for (int i = 0; i < record.count(); ++i)
        m_columns << record.fieldName(i);
    m_fieldNames = m_columns.mid(1);

    const int columns = int(m_columns.size());
    m_rows.clear();
    while (query.next()) {
        Row row;
        row.values.reserve(columns);
        for (int i = 0; i < columns; ++i)
            row.values.append(query.value(i));
        row.bookmark = row.values[0].toLongLong();
        m_rows.push_back(std::move(row));
    }
    m_orderStale = false;
    if (query.lastError().isValid()) {
        *error = query.lastError().text();
        return false;
    }
    return orderRows(error);
}

bool Recordset::orderRows(QString *error)
{
    m_order.clear();
    m_order.reserve(m_rows.size());
    if (m_orderSql.isEmpty()) {
        for (qsizetype i = 0; i < qsizetype(m_rows.size()); ++i)
            m_order.push_back(i);
        return true;
    }
    QHash<qint64, qsizetype> byKey;
    byKey.reserve(qsizetype(m_rows.size()));
    for (qsizetype i = 0; i < qsizetype(m_rows.size()); ++i)
        if (!m_rows[i].deleted)
            byKey.insert(m_rows[i].values[0].toLongLong(), i);
    QSqlQuery query(m_connection.database());
    query.setForwardOnly(true);
    if (!query.exec(m_orderSql)) {
        *error = query.lastError().text();
        return false;
    }
    while (query.next())
        if (const auto it = byKey.constFind(query.value(0).toLongLong()); it != byKey.constEnd())
            m_order.push_back(*it);
    return true;
}

bool Recordset::isEOF() const
{
    return m_visible.empty() || m_position >= qsizetype(m_visible.size());
}

bool Recordset::isBOF() const
{
    return m_visible.empty() || m_position < 0;
}

bool Recordset::isNew() const
{
    const Row *row = currentRow();
    return row && row->isNew;
}

Recordset::Row *Recordset::currentRow()
{
    if (isEOF() || isBOF() || m_onDeletedRow)
        return nullptr;
    return &m_rows[m_visible[m_position]];
}

const Recordset::Row *Recordset::currentRow() const
{
    return const_cast<Recordset *>(this)->currentRow();
}

qsizetype Recordset::columnOf(const QString &field) const
{
    return m_columns.indexOf(field);
}

QVariant Recordset::field(const QString &name) const
{
    const Row *row = currentRow();
    const qsizetype column = columnOf(name);
    if (!row || column <= 0)
        return {};
    return row->values[column];
}

void Recordset::setPosition(qsizetype position)
{
    m_position = position;
    m_onDeletedRow = false;
    emit currentChanged();
}

void Recordset::dropNewRow()
{
    if (m_visible.empty() || !m_rows[m_visible.back()].isNew)
        return;
    // The new row is always the last one added.
    m_rows.pop_back();
    m_visible.pop_back();
    m_order.pop_back();
}

void Recordset::addNew()
{
    dropNewRow();
    Row row;
    row.values.resize(m_columns.size());
    row.bookmark = --m_lastNewBookmark;
    row.isNew = true;
    m_rows.push_back(std::move(row));
    m_order.push_back(qsizetype(m_rows.size()) - 1);
    m_visible.push_back(m_order.back());
    setPosition(qsizetype(m_visible.size()) - 1);
}

void Recordset::moveFirst()
{
    dropNewRow();
    setPosition(0);
}

void Recordset::moveLast()
{
    dropNewRow();
    setPosition(qsizetype(m_visible.size()) - 1);
}

void Recordset::moveNext()
{
    const bool wasDeleted = m_onDeletedRow;
    dropNewRow();
    const qsizetype size = qsizetype(m_visible.size());
    // After a delete the next row has already slid into the current place.
    setPosition(std::min(wasDeleted ? m_position : m_position + 1, size));
}

void Recordset::movePrevious()
{
    dropNewRow();
    setPosition(std::max<qsizetype>(m_position - 1, -1));
}

Recordset::Bookmark Recordset::bookmark() const
{
    const Row *row = currentRow();
    return row ? row->bookmark : 0;
}

bool Recordset::setBookmark(Bookmark bookmark)
{
    const auto it = std::find_if(m_visible.begin(), m_visible.end(), [&](qsizetype i) {
        return m_rows[i].bookmark == bookmark;
    });
    if (it == m_visible.end())
        return false;
    if (!m_rows[*it].isNew)
        dropNewRow();
    setPosition(it - m_visible.begin());
    return true;
}

void Recordset::rebuildVisible()
{
    m_visible.clear();
    m_visible.reserve(m_order.size());
    QList<qsizetype> columns;
    for (const QString &field : m_filter.fields)
        if (const qsizetype column = columnOf(field); column > 0)
            columns << column;
    const QStringMatcher matcher(m_filter.text, Qt::CaseInsensitive);
    const auto matches = [&](const Row &row) {
        for (const qsizetype column : columns)
            if (matcher.indexIn(row.values[column].toString()) >= 0)
                return true;
        return false;
    };
    for (const qsizetype i : m_order)
        if (!m_rows[i].deleted && (m_filter.isEmpty() || matches(m_rows[i])))
            m_visible.push_back(i);
}

void Recordset::setFilter(const RecordFilter &filter)
{
    dropNewRow();
    m_filter = filter;
    rebuildVisible();
    setPosition(0);
}

bool Recordset::readRow(const QVariant &key, QList<QVariant> *values, QString *error)
{
    QStringList columns;
    for (const QString &column : m_columns)
        columns << (column == hiddenKey ? QStringLiteral("rowid") : quoted(column));
    QSqlQuery query(m_connection.database());
    query.prepare(QStringLiteral("SELECT %1 FROM %2 WHERE rowid = ?")
                      .arg(columns.join(QLatin1String(", ")), quoted(m_table)));
    query.addBindValue(key);
    if (!query.exec() || !query.next()) {
        *error = query.lastError().isValid()
                     ? query.lastError().text()
                     : QStringLiteral("The record is no longer in %1.").arg(m_table);
        return false;
    }
    for (int i = 0; i < m_columns.size(); ++i)
        (*values)[i] = query.value(i);
    return true;
}

bool Recordset::insertRow(const QVariantHash &values, QVariant *key, QString *error)
{
    QStringList columns, marks;
    for (auto it = values.cbegin(); it != values.cend(); ++it) {
        columns << quoted(it.key());
        marks << QStringLiteral("?");
    }
    QSqlQuery query(m_connection.database());
    query.prepare(columns.isEmpty()
                      ? QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(quoted(m_table))
                      : QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                            .arg(quoted(m_table), columns.join(QLatin1String(", ")),
                                 marks.join(QLatin1String(", "))));
    for (auto it = values.cbegin(); it != values.cend(); ++it)
        query.addBindValue(it.value());
    if (!query.exec()) {
        *error = query.lastError().text();
        return false;
    }
    *key = query.lastInsertId();
    return true;
}

bool Recordset::updateRow(const QVariant &key, const QVariantHash &values, QString *error)
{
    if (values.isEmpty())
        return true;
    QStringList assignments;
    for (auto it = values.cbegin(); it != values.cend(); ++it)
        assignments << quoted(it.key()) + QStringLiteral(" = ?");
    QSqlQuery query(m_connection.database());
    query.prepare(QStringLiteral("UPDATE %1 SET %2 WHERE rowid = ?")
                      .arg(quoted(m_table), assignments.join(QLatin1String(", "))));
    for (auto it = values.cbegin(); it != values.cend(); ++it)
        query.addBindValue(it.value());
    query.addBindValue(key);
    if (!query.exec()) {
        *error = query.lastError().text();
        return false;
    }
    if (query.numRowsAffected() == 0) {
        *error = QStringLiteral("The record is no longer in %1; another program may have deleted it.")
                     .arg(m_table);
        return false;
    }
    return true;
}

bool Recordset::update(const QVariantHash &values, QString *error)
{
    Row *row = currentRow();
    if (!row) {
        *error = QStringLiteral("There is no current record.");
        return false;
    }
    for (auto it = values.cbegin(); it != values.cend(); ++it) {
        if (!m_fieldNames.contains(it.key()) || m_assignedFields.contains(it.key())) {
            *error = QStringLiteral("%1 is not a field that can be stored.").arg(it.key());
            return false;
        }
    }
    QVariant key = row->values[0];
    const bool stored = row->isNew ? insertRow(values, &key, error) : updateRow(key, values, error);
    if (!stored)
        return false;
    QList<QVariant> reread = row->values;
    if (!readRow(key, &reread, error))
        return false;
    row->values = reread;
    row->isNew = false;
    m_orderStale = true;
    emit currentChanged();
    return true;
}

bool Recordset::deleteCurrent(QString *error)
{
    Row *row = currentRow();
    if (!row) {
        *error = QStringLiteral("There is no current record.");
        return false;
    }
    if (!row->isNew) {
        QSqlQuery query(m_connection.database());
        query.prepare(QStringLiteral("DELETE FROM %1 WHERE rowid = ?").arg(quoted(m_table)));
        query.addBindValue(row->values[0]);
        if (!query.exec()) {
            *error = query.lastError().text();
            return false;
        }
    }
    row->deleted = true;
    m_visible.erase(m_visible.begin() + m_position);
    m_onDeletedRow = true;
    emit currentChanged();
    return true;
}
