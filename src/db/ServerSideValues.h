#pragma once

#include "Database.h"

#include <QString>
#include <optional>

// What a data folder keeps in side files, as a server keeps it: the balance,
// the password (as pw.kvd would hold it) and the names each ledger remembers,
// one row each, shared by every desk.
namespace ServerSideValues {

struct Values {
    double balance = 0;
    QString incomeNames, expenseNames;
};

bool read(const Database &server, Values *values, QString *error);
// The names; the balance moves only with the rows it belongs to.
bool writeNames(const Database &server, const QString &incomeNames, const QString &expenseNames, QString *error);

std::optional<QString> password(const Database &server, QString *error);
bool setPassword(const Database &server, const QString &password, QString *error);

} // namespace ServerSideValues
