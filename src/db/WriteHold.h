#pragma once

#include "Connection.h"

#include <QString>

// Keeps every other program from committing to a database while it is held:
// a write transaction that is opened and never committed. Other programs may
// still read. A program that is writing already is waited for a few seconds;
// after that the database is not held, and whoever needed the hold leaves it
// alone, so that nothing that program commits is lost.
class WriteHold
{
public:
    explicit WriteHold(const Database &database);
    ~WriteHold();
    WriteHold(const WriteHold &) = delete;
    WriteHold &operator=(const WriteHold &) = delete;

    // False, with the reason, when another program went on writing, or the
    // database cannot be opened.
    bool take(QString *error);

private:
    Connection m_connection;
    bool m_held = false;
};
