#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringView>

// The shared string table of an Excel 97 workbook: every text cell refers to
// its text by an index into this table, and each distinct text is kept once.
class SharedStrings
{
public:
    // The index of text, which is added when new; each call counts one cell.
    quint32 indexOf(QStringView text);

    // At least the size of what appendRecords() appends.
    qsizetype sizeBound() const;
    // Appends the SST record with its CONTINUE records and the EXTSST record
    // that indexes them to out, in which the stream begins at streamStart.
    void appendRecords(QByteArray &out, qsizetype streamStart) const;

private:
    QStringView text(qsizetype index) const;
    void grow();

    // The texts one after another, in the order they came, and where each
    // ends: hundreds of thousands of texts cost no allocation each.
    QString m_characters;
    QList<qsizetype> m_ends;
    // An open-addressing hash table of the texts, 0 marking a free slot.
    QList<quint64> m_slots;
    quint32 m_references = 0;
    qsizetype m_stringBytes = 0; // as if every text took the 16-bit form
};
