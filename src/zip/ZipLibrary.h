#pragma once

#include "ZipOptionRecord.h"

#include <QByteArray>
#include <QList>

#include <cstdint>

// The zip library behind cZip, with the three entry points of the DLL it
// stands in for. Texts are 8-bit (UTF-8) and zero-terminated; lengths passed
// to the print and service callbacks count the text with its terminating
// zero.
struct ZipCallbacks
{
    // Progress text; the result is ignored.
    int32_t (*print)(const char *text, uint32_t length) = nullptr;
    // Called once per file with its entry name before it is stored; non-zero
    // cancels the run.
    int32_t (*service)(const char *name, uint32_t length) = nullptr;
};

namespace ZipLibrary {

// What ZpArchive returns. Whenever it is not Ok, an existing archive is left
// as it was.
enum Result : int32_t {
    Ok = 0,
    Cancelled = 1,       // a callback asked to stop
    NothingToDo = 2,     // no names, or nothing to write
    NameNotMatched = 3,  // a name matched no file
    RepeatedName = 5,    // two different files would share one entry name
    OpenFailed = 6,      // the archive could not be read, or is missing where it must exist
    WriteFailed = 7,     // a file could not be read or the archive written
    BadArguments = 8,    // no archive name, or a null name in the table
};

} // namespace ZipLibrary

void ZpInit(const ZipCallbacks &callbacks);
// texts: the texts behind the record's handles, handle n being texts[n - 1].
void ZpSetOptions(const ZipOptionRecord &options, const QList<QByteArray> &texts);
// Builds archiveName with the names names[0] to
// names[count - 1] (files, folders or wildcard patterns, relative to the
// current folder or absolute).
int32_t ZpArchive(int32_t count, const char *archiveName, const char *const *names);
