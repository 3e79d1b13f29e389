#pragma once

#include <QString>
#include <QStringList>

// The tables of the three databases. Dates are ISO yyyy-MM-dd text, money is
// REAL, and Active holds -1 for yes and 0 for no, as the reports ask for it.
namespace Schema {

QStringList customers();
QStringList income();
QStringList expense();

// True when the database at path holds the table with every column the
// program uses; otherwise the error names the file and what is missing.
bool check(const QString &path, const QString &table, QString *error);

// Creates a database file at path with the given statements, in one
// transaction; a failure leaves no file behind.
bool create(const QString &path, const QStringList &statements, QString *error);

// True when the database at path, opened read-only, has the table and the
// table has no rows. A file that cannot be read that way is not empty.
bool isEmpty(const QString &path, const QString &table);

} // namespace Schema
