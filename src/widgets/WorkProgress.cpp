#include "WorkProgress.h"

WorkProgress::WorkProgress(const QString &label, int maximum, QWidget *parent, bool cancellable)
    : QProgressDialog(label, cancellable ? QStringLiteral("Cancel") : QString(), 0, maximum, parent)
{
    setWindowModality(Qt::WindowModal);
    setMinimumDuration(400);
}

void WorkProgress::advance()
{
    setValue(std::min(value() + 1, maximum() - 1));
}

// The window goes now, and its timer with it: one that showed later would
// stand over the message that follows the work, which then looks frozen.
void WorkProgress::finish()
{
    setValue(maximum());
    reset();
    hide();
}
