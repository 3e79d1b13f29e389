#pragma once

#include "Database.h"

#include <QSqlDatabase>
#include <QString>

// The balance as a server keeps it, in its one-row table. A ledger step
// moves it by what the step changes, inside the step's own transaction, so
// that two desks stepping at once both count.
namespace ServerBalance {

// The stored balance moved by delta and kept to the cent; *stored: the
// balance after it, other desks' steps included.
bool move(const QSqlDatabase &db, double delta, double *stored, QString *error);
// Set: the stored balance becomes the one given.
bool set(const Database &server, double balance, QString *error);

} // namespace ServerBalance
