#pragma once

#include <QDateTime>
#include <QSqlDatabase>
#include <QString>

class DataFolder;

// balance.kvd and a ledger database cannot change in one step. So a ledger
// change notes the balance it leads to in the ledger's own database, in the
// same transaction as its rows; balance.kvd takes that balance next, and the
// note is cleared. A start after a crash in between finds the note and
// finishes the write, so that balance.kvd always ends up holding what the
// committed rows say. A note outlives its change only when balance.kvd could
// not take its name or the note could not be cleared; the settle before the
// next change, or at the next start, finishes it.
namespace BalanceJournal {

// Inside a ledger database's open transaction: notes the balance text, and
// when, so that of two notes the newer wins.
bool note(QSqlDatabase &db, const QString &balanceText, const QDateTime &now, QString *error);

// Clears the notes of both ledger databases.
bool clear(const DataFolder &folder, QString *error);

// At start, before balance.kvd is read, and before each change: a note left
// behind gives balance.kvd its content, and a balance staged for a change
// that never committed goes.
bool settle(const DataFolder &folder, QString *error);

// Where a change's new balance.kvd waits, written and synced, for its commit.
QString stagedPath(const DataFolder &folder);

} // namespace BalanceJournal
