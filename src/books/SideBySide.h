#pragma once

#include <QString>

#include <functional>
#include <vector>

// Has a worker run each job and waits for them all: for work that
// reads separate files, which two cores do in about half the time. False,
// with the error of the first job in order that failed.
using SideBySideJob = std::function<bool(QString *error)>;
bool runSideBySide(const std::vector<SideBySideJob> &jobs, QString *error);
