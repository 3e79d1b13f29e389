#pragma once

#include "Launcher.h"

class DesktopLauncher final : public Launcher
{
public:
    bool openDocument(const QString &path, QString *error) override;
    bool startProgram(const QString &program, QString *error) override;
};
