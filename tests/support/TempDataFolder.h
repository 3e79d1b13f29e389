#pragma once

#include <QDir>
#include <QString>
#include <QTemporaryDir>

// A fresh data folder in a temporary directory, made the current folder for
// the life of the object (the program finds its files in the current folder).
class TempDataFolder
{
public:
    // installed: with the seven files of a fresh installation.
    explicit TempDataFolder(bool installed = true);
    ~TempDataFolder();

    QString path() const { return m_dir.path(); }
    QString filePath(const QString &name) const { return QDir(m_dir.path()).filePath(name); }

    QByteArray bytes(const QString &name) const;
    void writeBytes(const QString &name, const QByteArray &bytes) const;
    // Runs a statement on one of the databases through a connection of its own.
    void execute(const QString &database, const QString &statement) const;

private:
    QTemporaryDir m_dir;
    QString m_previous;
};
