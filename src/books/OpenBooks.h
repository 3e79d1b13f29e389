#pragma once

#include "DataFolder.h"

#include <QString>
#include <QStringList>
#include <optional>

// The books of a data folder as the program opens and leaves them. The
// databases hold the records; beside them, side files hold the names each
// ledger remembers and the balance. Opening finishes a ledger change whose
// balance.kvd a crash left unwritten, reads the side files and checks the
// three databases; saving finishes such changes again and writes the side
// files back. Books on a server keep those values in tables of their own;
// saving stores the names, while the balance moves with each ledger step.
// No window: start-up opens the books, and the main window shows them.
class OpenBooks
{
public:
    struct SideValues {
        QString expenseNames, incomeNames;
        QString balance; // with two decimals
    };

    explicit OpenBooks(const DataFolder &folder) : m_folder(folder) {}

    const DataFolder &folder() const { return m_folder; }
    // False, with the reason, when the books cannot be worked on; nothing
    // has then been changed but a finished ledger change.
    bool open(QString *reason);
    const SideValues &values() const { return m_values; }
    // The databases the user made read-only, which are shown but not changed.
    const QStringList &readOnlyDatabases() const { return m_readOnly; }

    // The balance a server holds now, with two decimals.
    std::optional<QString> storedBalance(QString *error) const;

    // Every problem, each in a sentence; empty when all was written.
    QStringList save(const SideValues &values) const;

private:
    bool readSideFiles(QString *reason);
    bool readServerValues(QString *reason);
    bool checkDatabases(QString *reason);

    DataFolder m_folder;
    SideValues m_values;
    QStringList m_readOnly;
};
