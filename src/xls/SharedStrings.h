#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QStringList>

// The shared string table of an Excel 97 workbook: every text cell refers to
// its text by an index into this table, and each distinct text is kept once.
class SharedStrings
{
public:
    // Room for count distinct texts, so that the table does not grow by steps.
    void reserve(qsizetype count);

    // The index of text, which is added when new; each call counts one cell.
    quint32 indexOf(const QString &text);

    // At least the size of what appendRecords() appends.
    qsizetype sizeBound() const;
    // Appends the SST record with its CONTINUE records and the EXTSST record
    // that indexes them to out, in which the stream begins at streamStart.
    void appendRecords(QByteArray &out, qsizetype streamStart) const;

private:
    QHash<QString, quint32> m_indexes;
    QStringList m_strings;
    quint32 m_references = 0;
    qsizetype m_stringBytes = 0; // as if every text took the 16-bit form
};
