#pragma once

#include "Connection.h"
#include "ReportQuery.h"

#include <QVariantList>
#include <memory>

// The connection behind the reports on one database, and the commands run on
// it. The reports reopen it before every run, so that a database that cannot
// be opened is told at the click, and close it when their window closes.
class DataEnvironment
{
public:
    explicit DataEnvironment(const Database &database) : m_database(database), m_connection(database) {}

    bool open(QString *error) { return m_connection.open(error); }
    void close() { m_connection.close(); }

    // Starts a query with its parameters, in order, bound to its question
    // marks. It reads the tables as they are now, on a thread of its own.
    std::unique_ptr<ReportQuery> start(const ReportCommand &command,
                                       const QVariantList &parameters) const
    {
        return std::make_unique<ReportQuery>(m_database, command, parameters);
    }

private:
    Database m_database;
    Connection m_connection;
};
