#pragma once

#include "MessageBox.h"

#include <QList>

// Answers every box alike (OK unless told) and keeps what it showed, for
// tests that look at the boxes after the work rather than script them.
class RecordingMessageBox final : public MessageBox
{
public:
    QMessageBox::StandardButton show(QWidget *, const MessageBoxRequest &request) override
    {
        shown.append(request);
        return answer;
    }
    QList<MessageBoxRequest> shown;
    QMessageBox::StandardButton answer = QMessageBox::Ok;
};
