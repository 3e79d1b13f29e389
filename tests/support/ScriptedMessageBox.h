#pragma once

#include "MessageBox.h"

#include <QList>
#include <QStringList>

// Stands in for the real message box: each box the program shows must be
// the next one the test expects (text, title, buttons, icon, default
// button), and is answered as the test says. A box nobody expected, or an
// expected box that never came, is a failure that verifyDone() reports.
class ScriptedMessageBox final : public MessageBox
{
public:
    struct Expected {
        MessageBoxRequest request;
        QMessageBox::StandardButton answer;
    };

    void expect(const MessageBoxRequest &request,
                QMessageBox::StandardButton answer = QMessageBox::Ok);
    // Expects a box by its text alone, for tests that look at what follows it.
    void expectText(const QString &text, QMessageBox::StandardButton answer = QMessageBox::Ok);

    QMessageBox::StandardButton show(QWidget *parent, const MessageBoxRequest &request) override;

    // Empty when every box came as expected; else what went wrong.
    QStringList problems() const;
    void reset();

    const QList<MessageBoxRequest> &shown() const { return m_shown; }

private:
    struct Entry {
        Expected expected;
        bool textOnly;
    };
    QList<Entry> m_queue;
    QList<MessageBoxRequest> m_shown;
    QStringList m_problems;
};

// In a test slot: fails the test with every problem of the script.
#define VERIFY_MESSAGES(script)                                                                    \
    do {                                                                                           \
        const QStringList problems_ = (script).problems();                                        \
        QVERIFY2(problems_.isEmpty(), qPrintable(problems_.join(QLatin1String("\n"))));           \
    } while (false)
