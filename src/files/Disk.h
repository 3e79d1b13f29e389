#pragma once

#include "Faults.h"

#include <QByteArray>
#include <QByteArrayList>
#include <QString>
#include <QStringList>
#include <functional>

class QFile;

// The steps that put whole files in place so that a crash, a full disk or a
// removed medium never leaves one half-written: content reaches the disk
// before it takes a name, and a new name reaches the disk with its folder.
// Every step goes through the faults handed in.
class Disk
{
public:
    explicit Disk(Faults &faults) : m_faults(&faults) {}

    // A new content through a temporary file beside the target, which takes
    // the target's name once it is on the disk; the target is either the old
    // file or the new one, whatever happens.
    bool write(const QString &path, const QByteArray &bytes, QString *error) const;
    // The parts one after the other, as one file.
    bool write(const QString &path, const QByteArrayList &parts, QString *error) const;
    bool copy(const QString &from, const QString &to, QString *error) const;
    // A finished file flushed and renamed over the target, the folder flushed.
    bool replace(const QString &from, const QString &to, QString *error) const;

    // The single steps, for work that orders them itself.
    // Copies from into to (a new file, or one replaced) and flushes it.
    bool copySynced(const QString &from, const QString &to, QString *error) const;
    // Flushes a file, or a folder's names.
    bool sync(const QString &path, QString *error) const;
    // Renames from over to, then flushes to's folder.
    bool renameSynced(const QString &from, const QString &to, QString *error) const;
    // Removes a file, and its name from the disk; a file already gone is no failure.
    bool remove(const QString &path, QString *error) const;

    // For files that are checked before they take their names: the rest of
    // the open file `from` copied into a fresh file `to`, not yet flushed;
    // then replaceUnsynced(), as replace() but leaving the folder; then, once
    // a batch of replacements is done, one flush of each folder they went to.
    bool copyUnsynced(QFile &from, const QString &to, QString *error) const;
    bool replaceUnsynced(const QString &from, const QString &to, QString *error) const;
    bool syncFolders(const QStringList &files, QString *error) const;

    // Removes what writes of these files in the folder, stopped by a crash,
    // left half written. Only files of exactly those names go.
    static void removeLeftovers(const QString &folder, const QStringList &names);

private:
    bool writeThrough(const QString &path, const std::function<bool(QFile &)> &produce,
                      QString *error) const;
    bool writeBytes(QFile &file, const QByteArrayList &parts, QString *error) const;
    bool copyContent(QFile &from, QFile &to, QString *error) const;
    bool syncOpen(QFile &file, QString *error) const;
    bool rename(const QString &from, const QString &to, QString *error) const;

    Faults *m_faults;
};
