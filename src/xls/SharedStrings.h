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
    // The index of text, which is added when new; each call counts one cell.
    quint32 indexOf(const QString &text);

    // The SST record with its CONTINUE records and the EXTSST record that
    // indexes them, for a stream in which they begin at streamOffset.
    QByteArray records(qsizetype streamOffset) const;

private:
    QHash<QString, quint32> m_indexes;
    QStringList m_strings;
    quint32 m_references = 0;
};
