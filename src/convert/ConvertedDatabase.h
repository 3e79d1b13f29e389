#pragma once

#include "DataFiles.h"
#include "JetTable.h"

#include <QStringList>
#include <optional>

// One Access database converted into a work file of ours and checked: the
// table read whole, every row the table counts; written in one transaction;
// read back equal.
struct ConvertedDatabase {
    DataFiles::Database database;
    qsizetype rows = 0;
    std::optional<qint64> nextNumber; // for a table that numbers its rows
    QStringList notCarried;

    static std::optional<ConvertedDatabase> convert(const DataFiles::Database &database,
                                                    const QString &source, const QString &work,
                                                    const QString &reader,
                                                    const JetTable::KeepGoing &keepGoing,
                                                    QString *error);
};
