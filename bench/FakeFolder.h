#pragma once

#include "DataFolder.h"

#include <QTemporaryDir>

// A data folder in a temporary directory, installed as the program installs
// one, then filled with plausible rows from a fixed seed, so that every run
// sorts and stores the same data: the customers, and the given number of
// income and of expense entries. The first customers of a larger folder are
// those of a smaller one.
class FakeFolder
{
public:
    FakeFolder(int customers, int ledgerEntries);

    const DataFolder &folder() const { return m_folder; }

private:
    QTemporaryDir m_directory;
    DataFolder m_folder;
};
