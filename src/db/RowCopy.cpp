#include "RowCopy.h"

#include "TableReader.h"
#include "TextMatch.h"

#include <QRegularExpression>
#include <QtConcurrent>
#include <algorithm>

bool RowCopy::take(TableCopy &copy, bool ordered, const QString &dataSource, const QString &table,
                   QString *error)
{
    m_dataSource = dataSource;
    m_table = table;
    m_ordered = ordered;
    m_columns = copy.columns;
    m_fieldNames = m_columns.mid(1);
    m_cells = std::move(copy.rows);
    const qsizetype rows = m_cells.rows();
    m_rows.assign(std::size_t(rows), Row{});
    m_order.clear();
    // A damaged page can end a table's rows early without any error.
    if (rows != copy.counted)
        return damaged(copy.counted, rows, error);
    nameStoredRows();
    return reorder(copy.order, error);
}

bool RowCopy::damaged(qsizetype counted, qsizetype read, QString *error) const
{
    *error = QStringLiteral("%1 is damaged: its table %2 counts %3 rows, but %4 could be read. Put "
                            "back a copy of the file, for example the backup copy taken at the "
                            "last exit.")
                 .arg(m_dataSource, m_table)
                 .arg(counted)
                 .arg(read);
    return false;
}

void RowCopy::nameStoredRows()
{
    for (qsizetype row = 0; row < qsizetype(m_rows.size()); ++row)
        m_rows[std::size_t(row)].bookmark = rowidOf(row);
}

bool RowCopy::reorder(const std::vector<qint64> &rowids, QString *error)
{
    const qsizetype stored = placeInOrder(rowids);
    // The order comes from an index, which a damaged page can leave short of
    // the table or naming rows it does not hold; a row left out would vanish.
    const qsizetype counted = std::max(qsizetype(rowids.size()), stored);
    if (qsizetype(m_order.size()) != counted)
        return damaged(counted, qsizetype(m_order.size()), error);
    return true;
}

void RowCopy::followOrder(const std::vector<qint64> &rowids)
{
    placeInOrder(rowids);
}

// The rows of the copy in the order of the ids, those the copy holds; the
// number of stored rows.
qsizetype RowCopy::placeInOrder(const std::vector<qint64> &rowids)
{
    m_order.clear();
    m_order.reserve(m_rows.size());
    if (!m_ordered) {
        for (qsizetype row = 0; row < qsizetype(m_rows.size()); ++row)
            m_order.push_back(row);
        // A server gives rows as they lie on its disk, where a changed row
        // moves: they show in the order they were entered, as from a file.
        const auto entered = [this](qsizetype row, qsizetype other) { return rowidOf(row) < rowidOf(other); };
        if (!std::is_sorted(m_order.begin(), m_order.end(), entered))
            std::sort(m_order.begin(), m_order.end(), entered);
        return qsizetype(m_order.size());
    }
    // The rows lie in row id order as read, so a row is found by halving.
    std::vector<std::pair<qint64, qsizetype>> rowByRowid;
    rowByRowid.reserve(m_rows.size());
    for (qsizetype row = 0; row < qsizetype(m_rows.size()); ++row)
        if (!m_rows[std::size_t(row)].deleted)
            rowByRowid.emplace_back(rowidOf(row), row);
    if (!std::is_sorted(rowByRowid.begin(), rowByRowid.end()))
        std::sort(rowByRowid.begin(), rowByRowid.end());
    for (const qint64 rowid : rowids) {
        const auto it = std::lower_bound(rowByRowid.begin(), rowByRowid.end(),
                                         std::pair<qint64, qsizetype>(rowid, -1));
        if (it != rowByRowid.end() && it->first == rowid)
            m_order.push_back(it->second);
    }
    return qsizetype(rowByRowid.size());
}

qsizetype RowCopy::rowOf(qint64 rowid) const
{
    for (qsizetype row = 0; row < qsizetype(m_rows.size()); ++row)
        if (!m_rows[std::size_t(row)].deleted && !m_rows[std::size_t(row)].isNew && rowidOf(row) == rowid)
            return row;
    return -1;
}

qsizetype RowCopy::addNew(Bookmark bookmark)
{
    m_cells.appendEmptyRow();
    m_rows.push_back({bookmark, false, true});
    m_order.push_back(qsizetype(m_rows.size()) - 1);
    return m_order.back();
}

bool RowCopy::dropNew()
{
    if (m_rows.empty() || !m_rows.back().isNew)
        return false;
    m_rows.pop_back();
    m_cells.removeLastRow();
    m_order.pop_back();
    return true;
}

void RowCopy::store(qsizetype row, const QList<QVariant> &values)
{
    m_cells.setRow(row, values);
    m_rows[std::size_t(row)].isNew = false;
}

// The column of each field the copy has.
QList<qsizetype> RowCopy::columnsOf(const QStringList &fields) const
{
    QList<qsizetype> columns;
    for (const QString &field : fields)
        if (const qsizetype column = columnOf(field); column > 0)
            columns << column;
    return columns;
}

bool RowCopy::cellHolds(const TextMatch &match, qsizetype row, qsizetype column) const
{
    return m_cells.isAscii(row, column)  ? match.inAscii(m_cells.utf8(row, column))
           : m_cells.isText(row, column) ? match.in(m_cells.utf8(row, column))
                                         : match.in(m_cells.value(row, column).toString());
}

// The digits of a cell, the rest left out: "(813) 555-0113" is 8135550113.
QByteArray RowCopy::digitsOf(qsizetype row, qsizetype column) const
{
    QByteArray digits;
    if (!m_cells.isText(row, column))
        return digits;
    for (const char c : m_cells.utf8(row, column))
        if (c >= '0' && c <= '9')
            digits += c;
    return digits;
}

std::vector<qsizetype> RowCopy::rowsMatching(const RecordFilter &filter) const
{
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
    // second half is tested by a worker, so that two cores search.
    std::vector<char> shown(m_rows.size());
    const auto test = [&](qsizetype from, qsizetype to) {
        for (qsizetype row = from; row < to; ++row) {
            const Row &each = m_rows[std::size_t(row)];
            shown[std::size_t(row)] = !each.deleted && !each.isNew && (filter.isEmpty() || matches(row));
        }
    };
    const qsizetype half = qsizetype(m_rows.size()) / 2;
    QFuture<void> secondHalf = QtConcurrent::run(test, half, qsizetype(m_rows.size()));
    test(0, half);
    secondHalf.waitForFinished();
    std::vector<qsizetype> rows;
    rows.reserve(m_order.size());
    for (const qsizetype row : m_order)
        if (shown[std::size_t(row)])
            rows.push_back(row);
    return rows;
}
