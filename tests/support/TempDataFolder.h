#pragma once

#include "DataFolder.h"

#include <QByteArray>
#include <QMap>
#include <QString>
#include <QTemporaryDir>
#include <QVariant>

// A data folder in a temporary directory, installed as a fresh installation
// unless asked otherwise. The program finds it only through folder(): the
// current directory is left alone, so that nothing may depend on it.
class TempDataFolder
{
public:
    explicit TempDataFolder(bool installed = true);

    DataFolder folder() const { return DataFolder(m_dir.path()); }
    // With the faults a test plans for the steps that write in it.
    DataFolder folder(Faults &faults) const { return DataFolder(m_dir.path(), faults); }
    QString path() const { return m_dir.path(); }
    QString filePath(const QString &name) const { return folder().filePath(name); }

    QByteArray bytes(const QString &name) const;
    void writeBytes(const QString &name, const QByteArray &bytes) const;
    // Moves the first row of a database's first table by a byte: the rows
    // still count, but SQLite's quick check fails.
    void damageFirstTable(const QString &database) const;
    // Every file in the folder and its subfolders, hidden ones too, by relative path.
    QMap<QString, QByteArray> snapshot() const;
    // Runs a statement on one of the databases through a connection of its own.
    void execute(const QString &database, const QString &statement) const;
    // The first column of the first row of a query, through a connection of its own.
    QVariant value(const QString &database, const QString &query) const;
    // Every row of a query, NULL an invalid QVariant.
    QList<QVariantList> rows(const QString &database, const QString &query) const;
    // The sum of a ledger table's stored amounts and the number of its rows.
    double storedSum(const QString &table) const;
    int storedCount(const QString &table) const;

private:
    QTemporaryDir m_dir;
};
