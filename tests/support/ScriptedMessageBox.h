#pragma once

#include "MessageBox.h"

#include <QList>
#include <QStringList>

// Stands in for the real message box: each box the program shows must be
// the next one the test expects (text, title, buttons, icon, default
// button), and is answered as the test says. A box nobody expected, or an
// expected box that never came, fails the test when the script goes away.
class ScriptedMessageBox final : public MessageBox
{
public:
    ~ScriptedMessageBox() override;

    void expect(const MessageBoxRequest &request,
                QMessageBox::StandardButton answer = QMessageBox::Ok);

    QMessageBox::StandardButton show(QWidget *parent, const MessageBoxRequest &request) override;

private:
    struct Expected {
        MessageBoxRequest request;
        QMessageBox::StandardButton answer;
    };
    QList<Expected> m_queue;
    QStringList m_problems;
};
