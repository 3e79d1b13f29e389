#pragma once

#include <QString>
#include <QStringList>

// Which rows a filtered recordset shows: those in which any of the fields
// contains the text, letter case aside. The text is matched literally, so
// an apostrophe or an asterisk is just a character. No text: every row.
struct RecordFilter {
    QStringList fields;
    QString text;

    bool isEmpty() const { return text.isEmpty(); }
};
