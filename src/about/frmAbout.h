#pragma once

#include <QDialog>

class Launcher;
class MessageBox;

// The about box: the product's name and version, where to report bugs, and a
// button that starts the system's information tool. Modeless; it unloads
// when it closes.
class frmAbout : public QDialog
{
    Q_OBJECT
public:
    frmAbout(Launcher &launcher, MessageBox &messages, QWidget *parent = nullptr);

    void cmdSysInfo_Click();

private:
    Launcher &m_launcher;
    MessageBox &m_messages;
};
