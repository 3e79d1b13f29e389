#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QVariant>
#include <vector>

// The cells of a table's rows in one block, row after row: eight bytes and a
// kind per cell, text as UTF-8 in one shared buffer. A hundred thousand
// customers take a fraction of what one QVariant per cell would, and a
// search reads the block in memory order.
class RowBlock
{
public:
    explicit RowBlock(qsizetype columns = 0) : m_columns(columns) {}

    qsizetype columns() const { return m_columns; }
    qsizetype rows() const { return m_columns == 0 ? 0 : qsizetype(m_kinds.size()) / m_columns; }
    // Room set aside that is never written costs address space, not memory.
    void reserve(qsizetype rows, qsizetype textBytes);
    void squeeze() { m_text.squeeze(); }

    // Filling a row, cell after cell.
    void appendNull();
    void appendInteger(qint64 value);
    void appendReal(double value);
    // Text is addressed by 32-bit offsets: a reader stops before textBytes()
    // would pass maxTextBytes.
    void appendText(QByteArrayView utf8);
    static constexpr qint64 maxTextBytes = 0xFFFFFFFF;
    qint64 textBytes() const { return m_text.size(); }
    void appendValue(const QVariant &value);
    // Another block's rows, of as many columns, after these.
    void appendRows(const RowBlock &other);

    void appendEmptyRow();
    void removeLastRow();
    void setRow(qsizetype row, const QList<QVariant> &values);

    QVariant value(qsizetype row, qsizetype column) const;
    // Orders two cells of a column: empty first, then numbers, then text
    // with letter case aside. Negative, zero or positive.
    int compare(qsizetype row, qsizetype other, qsizetype column) const;
    qint64 integer(qsizetype row, qsizetype column) const;
    bool isText(qsizetype row, qsizetype column) const { return kind(row, column) >= Kind::Text; }
    // Text of ASCII characters only (every byte below 0x80), known when it
    // was stored, so that a search need not look at every byte twice.
    bool isAscii(qsizetype row, qsizetype column) const { return kind(row, column) == Kind::Ascii; }
    QByteArrayView utf8(qsizetype row, qsizetype column) const
    {
        const Text &text = m_cells[index(row, column)].text;
        return QByteArrayView(m_text.constData() + text.offset, text.length);
    }

private:
    enum class Kind : quint8 { Null, Integer, Real, Text, Ascii };
    struct Text {
        quint32 offset, length;
    };
    union Cell {
        qint64 integer;
        double real;
        Text text;
    };

    qsizetype index(qsizetype row, qsizetype column) const { return row * m_columns + column; }
    Kind kind(qsizetype row, qsizetype column) const { return m_kinds[index(row, column)]; }
    void append(Kind kind, Cell cell);
    Cell cellFor(const QVariant &value, Kind *kind);
    Cell textCell(QByteArrayView utf8, Kind *kind);
    double number(qsizetype row, qsizetype column) const; // of an Integer or Real cell

    qsizetype m_columns;
    std::vector<Cell> m_cells;
    std::vector<Kind> m_kinds;
    QByteArray m_text; // a changed row's text is appended; the old text stays until the next reading
};
