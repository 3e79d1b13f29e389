#pragma once

#include "Database.h"
#include "RowBlock.h"

#include <QMap>
#include <QString>
#include <QStringList>

// The books on a server as they stand at one moment, read in one
// repeatable-read transaction while the desks go on working: the three
// tables' rows with the books' own columns, the balance, the names each
// ledger remembers, and the last account number the server gave.
struct ServerSnapshot {
    struct Table {
        QStringList columns;
        RowBlock rows;
    };
    QMap<QString, Table> tables; // by the table's name
    double balance = 0;
    QString incomeNames, expenseNames;
    qint64 lastAccount = 0;

    static bool read(const Database &server, ServerSnapshot *snapshot, QString *error);
};
