#pragma once

#include "DataFolder.h"
#include "ServerLoad.h"
#include "TableReader.h"

#include <QMap>
#include <vector>

// The three tables of a data folder read whole, as a server takes them
// (ServerLoad): each with the books' own columns, the account numbers going
// on after the highest the folder ever gave, and the count and sum that the
// server must read back.
class FolderTables
{
public:
    bool read(const DataFolder &folder, QString *error);

    const QList<ServerLoad::Table> &tables() const { return m_tables; }
    const QMap<QString, ServerLoad::Figures> &figures() const { return m_figures; }

private:
    std::vector<TableCopy> m_copies; // the rows the tables point into
    QList<ServerLoad::Table> m_tables;
    QMap<QString, ServerLoad::Figures> m_figures;
};
