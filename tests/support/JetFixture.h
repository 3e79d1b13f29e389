#pragma once

#include <QJsonObject>
#include <QString>
#include <QStringList>

// Databases of the older program in the Access format (Jet 3 or Jet 4),
// written by make_jet.py: Customers.mdb, Income.mdb, Expense.mdb and
// Stress.mdb in folder. options are its own (--jet 3, --money double, ...).
// Returns, per table, the rows as they must read back (its expected.json).
namespace JetFixture {

QJsonObject write(const QString &folder, const QStringList &options = {});

} // namespace JetFixture
