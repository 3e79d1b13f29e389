#pragma once

#include <QString>

// The steps that put whole files in place so that a crash or a failure never
// leaves one half-written: a copy that reaches the disk before it is used,
// and a rename whose new name reaches the disk with its folder. Each step
// marks itself for the crash tests (CrashPoints).
namespace FileSteps {

// Copies from into to (a new file, or one replaced) and flushes it to the disk.
bool copySynced(const QString &from, const QString &to, QString *error);
// Flushes a finished file to the disk.
bool sync(const QString &path, QString *error);
// Renames from over to, then flushes to's folder.
bool renameSynced(const QString &from, const QString &to, QString *error);
// Removes a file, and its name from the disk; a file already gone is no failure.
bool removeSynced(const QString &path, QString *error);

// A test seam: the disk cannot be made to fail for real where tests run as
// root. failAt(step, n) makes the n-th next run of that step fail.
enum class Step { Sync, Rename };
void failAt(Step step, int nth);
void clearFailures();

} // namespace FileSteps
