#pragma once

#include <QByteArray>
#include <QByteArrayList>
#include <QString>
#include <QStringList>

class QFile;

// Writing files so that a crash, a full disk or a removed medium never leaves
// a file half-written: the new content goes to a temporary file beside the
// target, reaches the disk, and then takes the target's name in one rename,
// after which the folder itself is flushed. The target is either the old file
// or the new one, whatever happens.
namespace SafeFiles {

bool write(const QString &path, const QByteArray &bytes, QString *error);
// The parts one after the other, as one file.
bool write(const QString &path, const QByteArrayList &parts, QString *error);
bool copy(const QString &from, const QString &to, QString *error);
// Flushes a finished file and renames it over the target, then flushes the
// target's folder.
bool replace(const QString &from, const QString &to, QString *error);

// For files that are checked before they take their names: the rest of the
// open file `from` copied into a fresh file `to`, not yet flushed; then
// replaceUnsynced(), as replace() but leaving the folder; then, once a batch
// of replacements is done, one flush of each folder they went to.
bool copyUnsynced(QFile &from, const QString &to, QString *error);
bool replaceUnsynced(const QString &from, const QString &to, QString *error);
bool syncFolders(const QStringList &files, QString *error);

// Removes what writes of these files in the folder, stopped by a crash, left
// half written. Only files of exactly those names go.
void removeLeftovers(const QString &folder, const QStringList &names);

// A test seam: the disk cannot be made to fail for real where tests run as
// root. failAt(step, n) makes the n-th next time that step runs fail;
// failRenameOf(path) the next rename of that file, whatever comes before it.
enum class Step { Write, Sync, Rename };
void failAt(Step step, int nth);
void failRenameOf(const QString &path);
void clearFailures();

} // namespace SafeFiles
