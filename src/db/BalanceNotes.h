#pragma once

#include "Database.h"

#include <QSqlDatabase>
#include <QString>
#include <optional>

// The table in which a ledger database notes the balance that a change of
// its rows leads to, in the change's own transaction (the books' journal
// keeps balance.kvd by it).
namespace BalanceNotes {

struct Note {
    QString balance;
    qint64 noted = 0; // when, so that of two notes the newer wins
};

// Inside the ledger's open transaction: the note, in place of any earlier one.
bool write(const QSqlDatabase &db, const QString &balance, qint64 noted, QString *error);
// The ledger's newest note; none where there is none, or no table for notes.
bool read(const Database &ledger, std::optional<Note> *note, QString *error);
bool clear(const Database &ledger, QString *error);

} // namespace BalanceNotes
