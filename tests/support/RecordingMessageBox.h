#pragma once

#include "MessageBox.h"

#include <QApplication>
#include <QList>
#include <QProgressDialog>
#include <QTest>

// Answers every box alike (OK unless told) and keeps what it showed, for
// tests that look at the boxes after the work rather than script them.
// Standing like a real box, it runs the event loop for a while, and counts
// the boxes that a progress window then stood over.
class RecordingMessageBox final : public MessageBox
{
public:
    QMessageBox::StandardButton show(QWidget *, const MessageBoxRequest &request) override
    {
        shown.append(request);
        if (standsAWhile) {
            QTest::qWait(500);
            for (QWidget *window : QApplication::topLevelWidgets())
                shownUnderProgress += qobject_cast<QProgressDialog *>(window) && window->isVisible();
        }
        return answer;
    }
    QList<MessageBoxRequest> shown;
    QMessageBox::StandardButton answer = QMessageBox::Ok;
    bool standsAWhile = false;
    int shownUnderProgress = 0;
};
