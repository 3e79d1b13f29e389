#pragma once

#include <QDate>
#include <QString>
#include <QStringList>

class DataFolder;

// What the data files of a folder hold, in the few figures that tell two sets
// of data apart: a backup's beside the folder's own, before one replaces the
// other.
struct DataSummary {
    qint64 customers = 0, incomes = 0, expenses = 0;
    QDate newestIncome, newestExpense; // null when the ledger is empty
    QString balance;                   // with two decimals, as the balance box shows it

    // Reads the figures, checking on the way that every database passes
    // its engine's check and has every column the program uses, and that
    // balance.kvd holds a number. The error names the file and what is wrong.
    static bool read(const DataFolder &folder, DataSummary *summary, QString *error);

    // What each figure is ("Customers", ..., "Balance"), and the figures in
    // that order, dates in the short form.
    static QStringList labels();
    QStringList values() const;
};
