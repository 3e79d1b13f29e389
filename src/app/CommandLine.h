#pragma once

#include <optional>

class Clock;

// The commands that run without a window, for scripts and for a machine
// whose display will not open:
//   bramblewood --verify-backup FILE          what a backup holds, or what is wrong with it
//   bramblewood --restore FILE [DATA-FOLDER]  the backup put in place of the folder's data
//   bramblewood --convert-from FOLDER [DATA-FOLDER]  an Access data folder converted into one of ours
//   bramblewood --help, --version
// The data folder is the current folder unless one is given.
namespace CommandLine {

// The exit code when there are arguments: 0 or 1 for a command, 0 for
// --help and --version, 2 for one it does not know (the usage then goes to
// stderr). Nothing when there are none, and the window starts.
std::optional<int> run(int &argc, char **argv, const Clock &clock);

} // namespace CommandLine
