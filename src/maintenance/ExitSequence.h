#pragma once

#include <QStringList>

class DataFolder;
class MessageBox;
class QWidget;

// The databases' part of leaving the program, once the side files are saved
// and every connection is closed: a backup copy of each database, the notice
// that they will be compacted, the compaction of each one the user has not
// made read-only, and one message naming every
// step that failed (each such database stays as it was). Leaving goes on
// whatever failed: nothing here can be cancelled.
namespace ExitSequence {

void run(const DataFolder &folder, MessageBox &messages, QWidget *window, QStringList problems);

} // namespace ExitSequence
