#pragma once

#include "Database.h"

#include <QString>
#include <QStringList>
#include <functional>

class Connection;
class QSqlDatabase;

// The tables of the three databases. Dates are ISO yyyy-MM-dd text, money is
// REAL, and Active holds -1 for yes and 0 for no, as the reports ask for it.
namespace Schema {

// A table's column definitions in the table's order, each a name and then
// its type as SQLite declares it.
QStringList definitions(const QString &table);

QStringList customers();
QStringList income();
QStringList expense();
// The books on a server, in their schema: the three tables, each with a row
// id of the server's making, their indexes, and one-row tables for the
// balance, the password and the names each ledger remembers.
QStringList onServer();

// True when the database holds the table with every column the
// program uses, and nothing that runs or reads by itself (a trigger, a view):
// such a thing would change the books behind the program's back. Otherwise
// the error names the file and what is missing or there.
bool check(const Database &database, const QString &table, QString *error);
// The same on a connection that may be open already, as the books on a
// server check their three tables on one.
bool check(Connection &connection, const QString &table, QString *error);

// For a database that comes in a backup: it holds the table with the
// program's columns and no others, the program's indexes and the engine's own
// bookkeeping, and nothing else (no trigger, view or other table, not even
// the program's balance note, which would override the backup's balance).
bool checkBackedUp(const Database &database, const QString &table, QString *error);

// Creates the database with the given statements, and fills it by `fill`,
// in one transaction; a failure leaves no file behind.
bool create(const Database &database, const QStringList &statements, QString *error,
            const std::function<bool(const QSqlDatabase &, QString *error)> &fill = {});

// True when the database, opened read-only, has the table and the table has
// no rows. One that cannot be read that way is not empty.
bool isEmpty(const Database &database, const QString &table);

} // namespace Schema
