#pragma once

#include <QString>

// Starts the programs the window hands work to (the browser for the help
// page, a calculator) without waiting for them or tracking them.
class Launcher
{
public:
    virtual ~Launcher() = default;
    virtual bool openDocument(const QString &path, QString *error) = 0;
    virtual bool startProgram(const QString &program, QString *error) = 0;
};
