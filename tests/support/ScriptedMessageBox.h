#pragma once

#include "MessageBox.h"

#include <QList>
#include <QStringList>

// Stands in for the real message box: each box the program shows must be
// the next one the test expects (text, title, buttons, icon, default
// button), and is answered as the test says. A box nobody expected, or an
// expected box that never came, is a problem; VERIFY_MESSAGES fails the test on it.
class ScriptedMessageBox final : public MessageBox
{
public:
    void expect(const MessageBoxRequest &request,
                QMessageBox::StandardButton answer = QMessageBox::Ok);

    QMessageBox::StandardButton show(QWidget *parent, const MessageBoxRequest &request) override;

    // Empty when every box came as expected; else what went wrong.
    QStringList problems() const;

private:
    struct Expected {
        MessageBoxRequest request;
        QMessageBox::StandardButton answer;
    };
    QList<Expected> m_queue;
    QStringList m_problems;
};

// In a test slot: fails the test with every problem of the script.
#define VERIFY_MESSAGES(script)                                                                    \
    do {                                                                                           \
        const QStringList problems_ = (script).problems();                                        \
        QVERIFY2(problems_.isEmpty(), qPrintable(problems_.join(QLatin1String("\n"))));           \
    } while (false)
