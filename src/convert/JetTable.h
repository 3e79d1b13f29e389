#pragma once

#include <QList>
#include <QString>
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

    // Reads the table of the file through the helper. Whatever the helper
    // says on stderr fails the read, as does a failed exit or output that
    // breaks off or strays from the format.
    static std::optional<JetTable> read(const QString &reader, const QString &path,
                                        const QString &table, QString *error);
};
