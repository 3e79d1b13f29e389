#pragma once

#include "Database.h"
#include "RowBlock.h"

#include <QMap>
#include <QString>
#include <QStringList>
#include <functional>

// The books written onto an empty database of a server in one transaction:
// the schema, every row of the three tables, and what a data folder keeps in
// side files. Before the commit, the server's own count and sum of each
// table are read back in the same transaction; a load they do not satisfy
// is rolled back whole.
namespace ServerLoad {

struct Table {
    QString name;
    QStringList columns; // of the block's last columns, those written; any before them stay out
    const RowBlock *rows;
    QString numbered;    // the column the server numbers; empty: none
    qint64 lastNumber = 0; // that the table gave, a deleted row's too: the server goes on after it
    QString summed;      // the column whose sum is read back
};

struct SideValues {
    double balance = 0;
    QString password; // as pw.kvd holds it
    QString incomeNames, expenseNames;
};

struct Figures {
    qint64 rows = 0;
    double total = 0;
};
using ReadBack = std::function<bool(const QMap<QString, Figures> &figures, QString *error)>;

// True when the server's database holds none of the books' tables.
bool isEmpty(const Database &server, bool *empty, QString *error);

bool load(const Database &server, const QList<Table> &tables, const SideValues &side,
          const ReadBack &accept, QString *error);

// How many other copies of the program have the books open.
bool otherDesks(const Database &server, qint64 *count, QString *error);

// The books replaced by the tables' rows, the balance and the names, in one
// transaction (a restore): the password stays; every desk is told.
bool replace(const Database &server, const QList<Table> &tables, const SideValues &side, QString *error);

} // namespace ServerLoad
