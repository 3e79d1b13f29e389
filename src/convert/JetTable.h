#pragma once

#include <QList>
#include <QString>
#include <functional>
#include <optional>

// One table of an Access database, as the helper program
// bramblewood-read-jet prints it in a process of its own: each value the
// text it writes (see its TableDump.h), NULL none.
struct JetTable {
    // The column types, numbered as in the file.
    enum Type { YesNo = 1, Byte, Integer, Long, Currency, Single, Double, DateTime, Binary, Text,
                OleObject, Memo };
    struct Column {
        QString name;
        int type;
    };
    using Value = std::optional<QString>;

    qint64 storedRows = 0; // as the table's definition counts them
    qint64 lastAutoNumber = 0;
    QList<Column> columns;
    QList<QList<Value>> rows;

    // Asked every few hundredths of a second while the helper reads; false
    // calls the reading off. Empty: it goes on.
    using KeepGoing = std::function<bool()>;

    // Reads the table of the file through the helper. Whatever the helper
    // says on stderr fails the read, as does a failed exit or output that
    // breaks off or strays from the format. A helper that writes nothing for
    // five seconds, or far more than the file could hold, is stopped: a
    // damaged file may send it round in circles.
    static std::optional<JetTable> read(const QString &reader, const QString &path,
                                        const QString &table, const KeepGoing &keepGoing,
                                        QString *error);
};
