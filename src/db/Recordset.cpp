#include "Recordset.h"

#include "TableReader.h"
#include "TextMatch.h"

#include <QRegularExpression>
#include <QThread>
#include <algorithm>
#include <thread>

struct Recordset::Reading {
    TableCopy copy;
    bool ok = false;
    QString error;
};

Recordset::Recordset(const Database &database, const QString &rowSource)
    : m_database(database), m_connection(database), m_rowSource(rowSource)
{
}

Recordset::~Recordset()
{
    if (m_reader)
        m_reader->wait();
}

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
    auto reading = std::make_shared<Reading>();
    m_reading = reading;
    m_reader.reset(QThread::create(
        [reading, database = m_database, table = m_table.table(), order = m_table.orderSql()] {
            reading->ok = TableReader::read(database, table, order, &reading->copy, &reading->error);
        }));
    connect(m_reader.get(), &QThread::finished, this, &Recordset::takeReadRows);
    m_reader->start();
    return true;
}

// Taking the rows in does not change what the recordset stands for, so a
// reader of it may wait for them.
void Recordset::waitForRows() const
{
    if (m_reader)
        const_cast<Recordset *>(this)->takeReadRows();
}

void Recordset::takeReadRows()
{
    if (!m_reader)
        return;
    m_reader->wait();
    m_reader.reset();
    const std::shared_ptr<Reading> reading = std::move(m_reading);
    QString error = reading->error;
    const bool ok = reading->ok && take(reading->copy, &error);
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
    m_cells = RowBlock();
    m_rows.clear();
    m_order.clear();
    m_visible.clear();
    m_dataVersion = -1;
}

void Recordset::close()
{
    if (m_reader) {
        m_reader->wait();
        m_reader.reset();
        m_reading.reset();
    }
    dropRows();
    m_connection.close();
    setPosition(0);
    emit rowsChanged();
}

bool Recordset::refresh(QString *error)
{
    waitForRows();
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

bool Recordset::load(QString *error)
{
    TableCopy copy;
    return m_table.describe(m_rowSource, error) &&
           TableReader::read(m_database, m_table.table(), m_table.orderSql(), &copy, error) &&
           take(copy, error);
}

bool Recordset::take(TableCopy &copy, QString *error)
{
    m_columns = copy.columns;
    m_fieldNames = m_columns.mid(1);
    m_cells = std::move(copy.rows);
    const qsizetype rows = m_cells.rows();
    // A damaged page can end a table's rows early without any error.
    if (rows != copy.counted)
        return damaged(copy.counted, rows, error);
    m_rows.assign(rows, Row{});
    for (qsizetype row = 0; row < rows; ++row)
        m_rows[row].bookmark = rowidOf(row);
    return orderRows(copy.order, error);
}

bool Recordset::damaged(qsizetype counted, qsizetype read, QString *error) const
{
    *error = QStringLiteral("%1 is damaged: its table %2 counts %3 rows, but %4 could be read. Put "
                            "back a copy of the file, for example the backup copy taken at the "
                            "last exit.")
                 .arg(dataSource(), m_table.table())
                 .arg(counted)
                 .arg(read);
    return false;
}

// Nothing has changed the table but this recordset, so the copy is the table:
// rows stored since the last reading only take their place in the order.
bool Recordset::reuseCopy(QString *error)
{
    for (qsizetype row = 0; row < qsizetype(m_rows.size()); ++row)
        m_rows[row].bookmark = rowidOf(row);
    if (!m_orderStale)
        return true;
    std::vector<qint64> rowids;
    return (!m_table.hasOrder() ||
            TableReader::readOrder(m_database, m_table.orderSql(), &rowids, error)) &&
           orderRows(rowids, error);
}

bool Recordset::orderRows(const std::vector<qint64> &rowids, QString *error)
{
    m_orderStale = false;
    m_order.clear();
    m_order.reserve(m_rows.size());
    if (!m_table.hasOrder()) {
        for (qsizetype row = 0; row < qsizetype(m_rows.size()); ++row)
            m_order.push_back(row);
        return true;
    }
    // The rows lie in rowid order as read, so a row is found by halving.
    std::vector<std::pair<qint64, qsizetype>> rowByRowid;
    rowByRowid.reserve(m_rows.size());
    for (qsizetype row = 0; row < qsizetype(m_rows.size()); ++row)
        if (!m_rows[row].deleted)
            rowByRowid.emplace_back(rowidOf(row), row);
    if (!std::is_sorted(rowByRowid.begin(), rowByRowid.end()))
        std::sort(rowByRowid.begin(), rowByRowid.end());
    for (const qint64 rowid : rowids) {
        const auto it = std::lower_bound(rowByRowid.begin(), rowByRowid.end(),
                                         std::pair<qint64, qsizetype>(rowid, -1));
        if (it != rowByRowid.end() && it->first == rowid)
            m_order.push_back(it->second);
    }
    // The order comes from an index, which a damaged page can leave short of
    // the table or naming rows it does not hold; a row left out would vanish.
    const qsizetype counted = qsizetype(std::max(rowids.size(), rowByRowid.size()));
    if (qsizetype(m_order.size()) != counted)
        return damaged(counted, qsizetype(m_order.size()), error);
    return true;
}

bool Recordset::isEOF() const
{
    waitForRows();
    return m_visible.empty() || m_position >= qsizetype(m_visible.size());
}

bool Recordset::isBOF() const
{
    waitForRows();
    return m_visible.empty() || m_position < 0;
}

qsizetype Recordset::currentRow() const
{
    if (isEOF() || isBOF() || m_onDeletedRow)
        return -1;
    return m_visible[m_position];
}

bool Recordset::isNew() const
{
    const qsizetype row = currentRow();
    return row >= 0 && m_rows[row].isNew;
}

QVariant Recordset::field(const QString &name) const
{
    const qsizetype row = currentRow();
    const qsizetype column = m_columns.indexOf(name);
    if (row < 0 || column <= 0) // the rowid in column 0 is not a field
        return {};
    return m_cells.value(row, column);
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
    m_cells.removeLastRow();
    m_visible.pop_back();
    m_order.pop_back();
}

void Recordset::addNew()
{
    waitForRows();
    dropNewRow();
    m_cells.appendEmptyRow();
    m_rows.push_back({--m_lastNewBookmark, false, true});
    m_order.push_back(qsizetype(m_rows.size()) - 1);
    m_visible.push_back(m_order.back());
    setPosition(qsizetype(m_visible.size()) - 1);
}

void Recordset::moveFirst()
{
    waitForRows();
    dropNewRow();
    setPosition(0);
}

void Recordset::moveLast()
{
    waitForRows();
    dropNewRow();
    setPosition(qsizetype(m_visible.size()) - 1);
}

void Recordset::moveNext()
{
    waitForRows();
    const bool wasDeleted = m_onDeletedRow;
    dropNewRow();
    const qsizetype size = qsizetype(m_visible.size());
    // After a delete the next row has already slid into the current place.
    setPosition(std::min(wasDeleted ? m_position : m_position + 1, size));
}

void Recordset::movePrevious()
{
    waitForRows();
    dropNewRow();
    setPosition(std::max<qsizetype>(m_position - 1, -1));
}

Recordset::Bookmark Recordset::bookmark() const
{
    const qsizetype row = currentRow();
    return row >= 0 ? m_rows[row].bookmark : 0;
}

bool Recordset::setBookmark(Bookmark bookmark)
{
    waitForRows();
    const auto it = std::find_if(m_visible.begin(), m_visible.end(), [&](qsizetype row) {
        return m_rows[row].bookmark == bookmark;
    });
    if (it == m_visible.end())
        return false;
    if (!m_rows[*it].isNew)
        dropNewRow();
    setPosition(it - m_visible.begin());
    return true;
}

// The column of each field the recordset has.
QList<qsizetype> Recordset::columnsOf(const QStringList &fields) const
{
    QList<qsizetype> columns;
    for (const QString &field : fields)
        if (const qsizetype column = columnOf(field); column > 0)
            columns << column;
    return columns;
}

bool Recordset::cellHolds(const TextMatch &match, qsizetype row, qsizetype column) const
{
    return m_cells.isAscii(row, column)  ? match.inAscii(m_cells.utf8(row, column))
           : m_cells.isText(row, column) ? match.in(m_cells.utf8(row, column))
                                         : match.in(m_cells.value(row, column).toString());
}

// The digits of a cell, the rest left out: "(813) 555-0113" is 8135550113.
QByteArray Recordset::digitsOf(qsizetype row, qsizetype column) const
{
    QByteArray digits;
    if (!m_cells.isText(row, column))
        return digits;
    for (const char c : m_cells.utf8(row, column))
        if (c >= '0' && c <= '9')
            digits += c;
    return digits;
}

std::vector<qsizetype> Recordset::rowsMatching(const RecordFilter &filter) const
{
    waitForRows();
    const QList<qsizetype> columns = columnsOf(filter.fields);
    const QList<qsizetype> digitColumns = columnsOf(filter.digitFields);
    struct Word {
        TextMatch text;
        QByteArray digits; // when the word is a number as a phone number is written
    };
    std::vector<Word> words;
    const QStringList parts = filter.byWords ? filter.text.split(u' ', Qt::SkipEmptyParts)
                                             : QStringList{filter.text};
    static const QRegularExpression phoneWord(QStringLiteral(R"(^[0-9()./+-]*[0-9][0-9()./+-]*$)"));
    for (const QString &part : parts) {
        QByteArray digits = filter.byWords && phoneWord.match(part).hasMatch() ? part.toLatin1() : QByteArray();
        digits.removeIf([](char c) { return c < '0' || c > '9'; });
        words.push_back({TextMatch(part), digits});
    }
    const auto hasWord = [&](const Word &word, qsizetype row) {
        for (const qsizetype column : columns)
            if (cellHolds(word.text, row, column))
                return true;
        if (!word.digits.isEmpty())
            for (const qsizetype column : digitColumns)
                if (digitsOf(row, column).contains(word.digits))
                    return true;
        return false;
    };
    const auto matches = [&](qsizetype row) {
        return std::all_of(words.begin(), words.end(), [&](const Word &word) { return hasWord(word, row); });
    };
    // Rows are tested in the order they lie in memory, which the processor
    // reads ahead; visiting them in name order would wait on every one. The
    // second half is tested on a thread of its own, so that both cores search.
    std::vector<char> shown(m_rows.size());
    const auto test = [&](qsizetype from, qsizetype to) {
        for (qsizetype row = from; row < to; ++row)
            shown[row] = !m_rows[row].deleted && !m_rows[row].isNew && (filter.isEmpty() || matches(row));
    };
    const qsizetype half = qsizetype(m_rows.size()) / 2;
    std::thread secondHalf(test, half, qsizetype(m_rows.size()));
    test(0, half);
    secondHalf.join();
    std::vector<qsizetype> rows;
    rows.reserve(m_order.size());
    for (const qsizetype row : m_order)
        if (shown[row])
            rows.push_back(row);
    return rows;
}

void Recordset::rebuildVisible()
{
    m_visible = rowsMatching(m_filter);
}

qsizetype Recordset::columnOf(const QString &field) const
{
    waitForRows();
    return m_columns.indexOf(field);
}

QVariant Recordset::valueAt(qsizetype row, qsizetype column) const
{
    return m_cells.value(row, column);
}

bool Recordset::lessAt(qsizetype row, qsizetype other, qsizetype column) const
{
    return m_cells.compare(row, other, column) < 0;
}

void Recordset::setFilter(const RecordFilter &filter)
{
    waitForRows();
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
        if (!m_fieldNames.contains(it.key()) || m_table.isAssigned(it.key())) {
            *error = QStringLiteral("%1 is not a field that can be stored.").arg(it.key());
            return false;
        }
    }
    qint64 rowid = rowidOf(row);
    const bool stored = commitChange(
        [&](QString *error) {
            return m_rows[row].isNew ? m_table.insert(values, &rowid, error)
                                     : m_table.update(rowid, values, error);
        },
        alongside, error);
    QList<QVariant> reread;
    if (!stored || !m_table.readRow(rowid, m_columns, &reread, error))
        return false;
    m_cells.setRow(row, reread);
    m_rows[row].isNew = false;
    m_orderStale = true;
    emit currentChanged();
    emit rowsChanged();
    return true;
}

// A change of the rows and the write that goes with it, as one transaction.
bool Recordset::commitChange(const std::function<bool(QString *error)> &change,
                             const AlongsideWrite &alongside, QString *error)
{
    return m_connection.inTransaction(
        [&](QString *error) {
            QSqlDatabase db = m_connection.database();
            return change(error) && (!alongside || alongside(db, error));
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
    if (!commitChange(
            [&](QString *error) { return m_rows[row].isNew || m_table.remove(rowidOf(row), error); },
            alongside, error))
        return false;
    m_rows[row].deleted = true;
    m_visible.erase(m_visible.begin() + m_position);
    m_onDeletedRow = true;
    emit currentChanged();
    emit rowsChanged();
    return true;
}
