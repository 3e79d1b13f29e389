#pragma once

#include <QString>
#include <QStringList>

class DataFolder;

// The three databases as the exit keeps them: a backup copy of each as it was
// before the exit, and the database compacted into a work file that replaces
// it only once it has been checked. No step leaves a database missing or
// half-written, whenever it stops.
namespace DatabaseCompaction {

// Each path in the data folder.
struct Database {
    QString file;   // ".../Customers.mdb"
    QString table;  // "Customers", the one table it holds
    QString backup; // ".../CustomersBackup.mdb"
    QString work;   // ".../NewCustomers.mdb"
};

// Customers, expenses and income, in the order the exit handles them.
QList<Database> databases(const DataFolder &folder);

bool backUp(const Database &database, QString *error);
// Removes a work file left by an earlier exit, compacts the database into a
// fresh one and checks it: intact, and holding as many rows as the database.
bool compact(const Database &database, QString *error);
// The checked work file takes the database's name in one rename.
bool replace(const Database &database, QString *error);

} // namespace DatabaseCompaction
