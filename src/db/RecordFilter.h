#pragma once

#include <QString>
#include <QStringList>

// Which rows a filtered recordset shows: those in which any of the fields
// contains the text, letter case aside. The text is matched literally, so
// an apostrophe or an asterisk is just a character. No text: every row.
//
// By words, as the customer list finds a customer: every word of the text,
// in any order, in one of the fields; a word of digits (written with a phone
// number's dashes, brackets or dots or without) is found among the digits of
// the digit fields too, however those are written.
struct RecordFilter {
    QStringList fields;
    QString text;
    bool byWords = false;
    QStringList digitFields;

    bool isEmpty() const { return byWords ? text.trimmed().isEmpty() : text.isEmpty(); }
};
