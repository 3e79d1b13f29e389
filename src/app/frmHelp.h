#pragma once

#include <QTextBrowser>

// The help page in a window of the program's own, for a system where no
// browser can be started. One at a time; it unloads when it closes.
class frmHelp : public QTextBrowser
{
    Q_OBJECT
public:
    frmHelp(const QString &page, QWidget *mainWindow);
};
