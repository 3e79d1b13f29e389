#pragma once

#include "Launcher.h"

#include <QStringList>

// Records what the program asked to open or start, and answers as told.
class FakeLauncher final : public Launcher
{
public:
    bool openDocument(const QString &path, QString *error) override
    {
        opened << path;
        if (!succeed)
            *error = failure;
        return succeed;
    }
    bool startProgram(const QString &program, QString *error) override
    {
        started << program;
        if (!succeed)
            *error = failure;
        return succeed;
    }

    QStringList opened;
    QStringList started;
    bool succeed = true;
    QString failure = QStringLiteral("it failed");
};
