#pragma once

#include "Database.h"

#include <QString>
#include <optional>

// The highest account number on file, read through a connection of its own,
// so that it sees the stored table: no filter, no unsaved customer.
struct HighestAccount {
    bool ok = false;           // the table could be read
    std::optional<qint64> account; // none when the table is empty
    QString error;

    static HighestAccount read(const Database &customers);
};
