#pragma once

#include <QProgressDialog>

// The progress window of a long piece of work: it keeps the main window from
// looking frozen, and shows only when the work takes long enough to be
// noticed. maximum 0 shows a busy bar. Only work that can stop part-way with
// nothing changed has a Cancel button (wasCanceled() tells).
class WorkProgress : public QProgressDialog
{
    Q_OBJECT
public:
    WorkProgress(const QString &label, int maximum, QWidget *parent, bool cancellable = false);

    // One more step done; the bar stays short of its end until finish().
    void advance();
    // Closes the window, before any message that tells how the work went.
    void finish();
};
