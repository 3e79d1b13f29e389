#pragma once

#include "DataFolder.h"

#include <QLockFile>
#include <QString>

// A data folder held against a second program for as long as this lives.
// Only a lock whose program is gone is taken over (a run that crashed).
class FolderLock
{
public:
    enum class Refusal {
        None,
        InUse,      // another program holds the folder
        Unwritable, // the folder takes no new file (a full disk): reason() says why
        NotAllowed, // the program may not write in the folder
    };

    explicit FolderLock(const DataFolder &folder);

    bool take();
    Refusal refusal() const { return m_refusal; }
    // The system's words for an Unwritable folder.
    const QString &reason() const { return m_reason; }
    // The refusal in a sentence for the command line: in use, the user
    // leaves the program and then does `then` ("restore").
    QString refusalText(const QString &then) const;

private:
    bool heldByARunningProgram() const;
    QString whyNothingCanBeWritten() const;

    DataFolder m_folder;
    QLockFile m_lock;
    Refusal m_refusal = Refusal::None;
    QString m_reason;
};
