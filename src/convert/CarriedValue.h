#pragma once

#include "JetTable.h"

#include <QString>
#include <QVariant>

// What a value of an Access column becomes in a column of ours. A value
// that cannot be carried leaves our column empty (a yes/no column: no) and
// says why, so that it can be listed rather than lost unseen.
namespace CarriedValue {

// The kinds of column our tables have.
enum class Kind { Key, YesNo, Number, Date, Text };

struct Result {
    QVariant value; // a null QVariant for NULL
    QString problem;
};

Result carry(const JetTable::Value &value, int type, Kind kind);

} // namespace CarriedValue
