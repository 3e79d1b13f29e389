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

void WorkProgress::finish()
{
    setValue(maximum());
}
