#pragma once

#include <QString>

// Where the steps that make a change durable can be made to fail, or the
// process to end, as a full disk or a power cut would. The disk cannot be
// made to fail for real where tests run as root, so the steps consult this
// object, handed in with the data folder: the program's lets every step run,
// and a test hands in one that plans a failure or a crash at a chosen run of
// a step.
class Faults
{
public:
    enum class Step { Write, Sync, Rename, Commit };

    virtual ~Faults() = default;

    // Just before a step: false fails it, with the reason in *error.
    virtual bool before(Step step, const QString &path, QString *error);
    // Just after a step has run.
    virtual void after(Step step);

    // The program's own: no step fails.
    static Faults &none();
};
