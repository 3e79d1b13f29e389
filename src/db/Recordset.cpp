#include "Recordset.h"

#include "TableReader.h"

#include <algorithm>

Recordset::Recordset(const Database &database, const QString &rowSource)
    : m_database(database), m_connection(database), m_rowSource(rowSource)
{
}

Recordset::~Recordset() = default;

bool Recordset::open(QString *error)
{
    return m_connection.open(error) && refresh(error);
}

bool Recordset::openInBackground(QString *error)
{
    close();
    // The version is taken before the rows are read: a change committed in
    // between is then read again at the next refresh, never missed.
    if (!m_connection.open(error) || !m_table.describe(m_rowSource, error) ||
        !m_table.dataVersion(&m_dataVersion, error)) {
        close();
        return false;
    }
    const auto read = [database = m_database, table = m_table.table(), order = m_table.orderSql()] {
        ArrivingRows::Reading reading;
        reading.ok = TableReader::read(database, table, order, &reading.copy, &reading.error);
        return reading;
    };
    m_rows.expect(m_database.engine->tableReads(), read);
    return true;
}

const RowCopy &Recordset::rows() const
{
    return m_rows.rows();
}

const std::vector<qsizetype> &Recordset::visible() const
{
    m_rows.rows();
    return m_visible;
}

void Recordset::takeIn(ArrivingRows::Reading &reading, RowCopy &rows)
{
    m_orderStale = false;
    QString error = reading.error;
    const bool ok = reading.ok && rows.take(reading.copy, m_table.hasOrder(), dataSource(),
                                            m_table.table(), &error);
    if (!ok) {
        dropRows();
        m_connection.close();
    }
    rebuildVisible();
    setPosition(0);
    emit rowsChanged();
    if (!ok)
        emit readFailed(error);
}

void Recordset::dropRows()
{
    copy() = RowCopy();
    m_visible.clear();
    m_dataVersion = -1;
}

void Recordset::close()
{
    m_rows.forget();
    dropRows();
    m_connection.close();
    setPosition(0);
    emit rowsChanged();
}

bool Recordset::refresh(QString *error)
{
    copy();
    if (!m_connection.isOpen()) {
        *error = QStringLiteral("%1 is not open.").arg(m_connection.dataSource());
        return false;
    }
    m_filter = {};
    dropNewRow();
    const qint64 lastVersion = m_dataVersion;
    bool ok = m_table.dataVersion(&m_dataVersion, error);
    if (ok)
        ok = m_dataVersion == lastVersion ? reuseCopy(error) : load(error);
    if (!ok)
        dropRows();
    rebuildVisible();
    setPosition(0);
    emit rowsChanged();
    return ok;
}

bool Recordset::follow(const QList<qint64> &rowids, QString *error)
{
    const Bookmark current = bookmark();
    const RecordFilter filter = m_filter;
    if (rowids.isEmpty()) {
        if (!refresh(error))
            return false;
        if (!filter.isEmpty())
            setFilter(filter);
        setBookmark(current);
        return true;
    }
    dropNewRow();
    bool changed = false;
    for (const qint64 rowid : rowids)
        if (!followRow(rowid, &changed, error))
            return false;
    if (!changed)
        return true;
    if (m_table.hasOrder()) {
        std::vector<qint64> order;
        if (!TableReader::readOrder(m_database, m_table.orderSql(), &order, error))
            return false;
        copy().followOrder(order);
    }
    rebuildVisible();
    if (!setBookmark(current))
        setPosition(0);
    emit rowsChanged();
    return true;
}

// The row as the table now holds it: changed in the copy, added to it, or
// gone from it. A desk's own change, which the copy already holds, changes nothing.
bool Recordset::followRow(qint64 rowid, bool *changed, QString *error)
{
    std::optional<QList<QVariant>> now;
    if (!m_table.readRowIfThere(rowid, copy().columns(), &now, error))
        return false;
    const qsizetype row = copy().rowOf(rowid);
    if (row < 0 ? !now : now && *now == asRead(row).values)
        return true;
    *changed = true;
    if (!now)
        copy().markDeleted(row);
    else
        copy().store(row >= 0 ? row : copy().addNew(rowid), *now);
    return true;
}

bool Recordset::load(QString *error)
{
    TableCopy read;
    m_orderStale = false;
    return m_table.describe(m_rowSource, error) &&
           TableReader::read(m_database, m_table.table(), m_table.orderSql(), &read, error) &&
           copy().take(read, m_table.hasOrder(), dataSource(), m_table.table(), error);
}

// Nothing has changed the table but this recordset, so the copy is the table:
// rows stored since the last reading only take their place in the order.
bool Recordset::reuseCopy(QString *error)
{
    copy().nameStoredRows();
    if (!m_orderStale)
        return true;
    m_orderStale = false;
    std::vector<qint64> rowids;
    return (!m_table.hasOrder() ||
            TableReader::readOrder(m_database, m_table.orderSql(), &rowids, error)) &&
           copy().reorder(rowids, error);
}

bool Recordset::isEOF() const
{
    return visible().empty() || m_position >= qsizetype(m_visible.size());
}

bool Recordset::isBOF() const
{
    return visible().empty() || m_position < 0;
}

qsizetype Recordset::currentRow() const
{
    if (isEOF() || isBOF() || m_onDeletedRow)
        return -1;
    return m_visible[std::size_t(m_position)];
}

bool Recordset::isNew() const
{
    const qsizetype row = currentRow();
    return row >= 0 && rows().row(row).isNew;
}

QVariant Recordset::field(const QString &name) const
{
    const qsizetype row = currentRow();
    const qsizetype column = rows().columnOf(name);
    if (row < 0 || column <= 0) // the row id in column 0 is not a field
        return {};
    return rows().valueAt(row, column);
}

void Recordset::setPosition(qsizetype position)
{
    m_position = position;
    m_onDeletedRow = false;
    emit currentChanged();
}

// The new row is always the last one, in the copy and among the visible.
void Recordset::dropNewRow()
{
    if (copy().dropNew())
        m_visible.pop_back();
}

void Recordset::addNew()
{
    dropNewRow();
    m_visible.push_back(copy().addNew(--m_lastNewBookmark));
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
    copy();
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
    const qsizetype row = currentRow();
    return row >= 0 ? rows().bookmarkAt(row) : 0;
}

bool Recordset::setBookmark(Bookmark bookmark)
{
    const RowCopy &rowCopy = copy();
    const auto it = std::find_if(m_visible.begin(), m_visible.end(),
                                 [&](qsizetype row) { return rowCopy.bookmarkAt(row) == bookmark; });
    if (it == m_visible.end())
        return false;
    const qsizetype position = it - m_visible.begin();
    if (!rowCopy.row(*it).isNew)
        dropNewRow();
    setPosition(position);
    return true;
}

void Recordset::rebuildVisible()
{
    m_visible = copy().rowsMatching(m_filter);
}

void Recordset::setFilter(const RecordFilter &filter)
{
    dropNewRow();
    m_filter = filter;
    rebuildVisible();
    setPosition(0);
}

bool Recordset::update(const QVariantHash &values, QString *error, const AlongsideWrite &alongside)
{
    const qsizetype row = currentRow();
    if (row < 0) {
        *error = QStringLiteral("There is no current record.");
        return false;
    }
    for (auto it = values.cbegin(); it != values.cend(); ++it) {
        if (!copy().fieldNames().contains(it.key()) || m_table.isAssigned(it.key())) {
            *error = QStringLiteral("%1 is not a field that can be stored.").arg(it.key());
            return false;
        }
    }
    qint64 rowid = copy().rowidOf(row);
    const bool isNew = copy().row(row).isNew;
    const bool stored = commitChange(
        [&](QString *error) {
            return isNew ? m_table.insert(values, &rowid, error) : m_table.update(asRead(row), values, error);
        },
        rowid, alongside, error);
    if (!stored) {
        showAsItIs(row);
        return false;
    }
    QList<QVariant> reread;
    if (!m_table.readRow(rowid, copy().columns(), &reread, error))
        return false;
    copy().store(row, reread);
    m_orderStale = true;
    emit currentChanged();
    emit rowsChanged();
    return true;
}

TableRows::RowAsRead Recordset::asRead(qsizetype row)
{
    TableRows::RowAsRead asRead{copy().columns(), {}};
    for (qsizetype column = 0; column < asRead.columns.size(); ++column)
        asRead.values << copy().valueAt(row, column);
    return asRead;
}

// After a step that stored nothing, the row shows as the table now holds it,
// when it is still there and not a new one.
void Recordset::showAsItIs(qsizetype row)
{
    QList<QVariant> now;
    QString ignored;
    if (copy().row(row).isNew || !m_table.readRow(copy().rowidOf(row), copy().columns(), &now, &ignored) ||
        now == asRead(row).values)
        return;
    copy().store(row, now);
    emit currentChanged();
    emit rowsChanged();
}

// A change of the rows and the write that goes with it, as one transaction;
// the other desks hear of the row once the change has given it its id.
bool Recordset::commitChange(const std::function<bool(QString *error)> &change, const qint64 &rowid,
                             const AlongsideWrite &alongside, QString *error)
{
    return m_connection.inTransaction(
        [&](QString *error) {
            QSqlDatabase db = m_connection.database();
            return change(error) && (!alongside || alongside(db, error)) &&
                   m_connection.engine().announce(db, m_table.table(), rowid, error);
        },
        error);
}

bool Recordset::deleteCurrent(QString *error, const AlongsideWrite &alongside)
{
    const qsizetype row = currentRow();
    if (row < 0) {
        *error = QStringLiteral("There is no current record.");
        return false;
    }
    const bool isNew = copy().row(row).isNew;
    const qint64 rowid = copy().rowidOf(row);
    if (!commitChange([&](QString *error) { return isNew || m_table.remove(asRead(row), error); }, rowid,
                      alongside, error)) {
        showAsItIs(row);
        return false;
    }
    copy().markDeleted(row);
    m_visible.erase(m_visible.begin() + m_position);
    m_onDeletedRow = true;
    emit currentChanged();
    emit rowsChanged();
    return true;
}
