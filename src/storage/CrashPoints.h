#pragma once

// A test seam for crash safety: the steps that make a change durable mark
// themselves here, and a test can have the process end at once, without any
// clean-up, just before or just after the nth run of a step. A restart then
// shows what a power cut at that instant would leave.
namespace CrashPoints {

enum class Step { Sync, Rename, Commit };
enum class When { Before, After };

// Marks a step; ends the process when it is the planned point.
void reach(Step step, When when);

// For tests: the process ends with exitCode at the nth next run of step.
constexpr int exitCode = 86;
void endProcessAt(Step step, int nth, When when);
// How many times each step has run since the process started.
int runs(Step step);

} // namespace CrashPoints
