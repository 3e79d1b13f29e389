#pragma once

#include "Launcher.h"
#include "MessageBox.h"

#include <QStringList>

// Answers every box with OK and keeps its text: on a sound data folder the
// work measured shows no box, or only the one it always shows.
class RecordingMessageBox final : public MessageBox
{
public:
    QMessageBox::StandardButton show(QWidget *, const MessageBoxRequest &request) override
    {
        shown << request.text;
        return QMessageBox::Ok;
    }
    QStringList shown;
};

class IdleLauncher final : public Launcher
{
public:
    bool openDocument(const QString &, QString *) override { return true; }
    bool startProgram(const QString &, QString *) override { return true; }
};
