#pragma once

#include <QDate>
#include <QString>
#include <QVariant>
#include <optional>

// How a stored field reads in a box, a list or a report, and how a box's text
// is stored.
enum class FieldFormat {
    Text,   // as it stands
    Money,  // "0.00" on screen, REAL in the table
    Date,   // the short date on screen, yyyy-MM-dd in the table
    Number, // a whole number the database assigns; never stored from a box
};

namespace FieldText {

QString display(const QVariant &value, FieldFormat format);

// The value that a box's text stores, or nothing and the reason. An empty
// amount or date stores no value (NULL); a two-digit year is read around today.
std::optional<QVariant> stored(const QString &text, FieldFormat format, const QDate &today,
                               QString *error);

} // namespace FieldText
