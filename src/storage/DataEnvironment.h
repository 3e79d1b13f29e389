#pragma once

#include "Connection.h"
#include "ReportRows.h"

#include <QVariantList>

// The connection behind the reports on one database, and the commands run on
// it. The reports reopen it before every run, so that they read the tables
// as they are at the click, and close it when their window closes.
class DataEnvironment
{
public:
    explicit DataEnvironment(const QString &databasePath) : m_connection(databasePath) {}

    bool open(QString *error) { return m_connection.open(error); }
    void close() { m_connection.close(); }

    // Runs a query with its parameters, in order, bound to its question marks.
    bool run(const QString &command, const QVariantList &parameters, ReportRows *rows,
             QString *error);

private:
    Connection m_connection;
};
