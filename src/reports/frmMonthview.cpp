#include "frmMonthview.h"

#include "DateText.h"
#include "MessageBox.h"
#include "Twips.h"

#include <QCalendarWidget>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QWindow>

frmMonthview::frmMonthview(const CalendarTarget &target, MessageBox &messages, const QDate &today,
                           QWidget *mainWindow)
    : QWidget(mainWindow, Qt::Tool | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      m_target(target), m_messages(messages)
{
    setObjectName(target.windowName);
    setWindowTitle(target.title);
    setAttribute(Qt::WA_DeleteOnClose);
    m_calendar = new QCalendarWidget(this);
    m_calendar->setObjectName(target.calendarName);
    m_calendar->setSelectedDate(today);
    m_calendar->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    // The month calendar fills the window, which is never smaller than the
    // calendar needs for its title and weekday names at the font in use.
    const QSize size = QSize(Twips::toPixels(2715), Twips::toPixels(2370))
                           .expandedTo(m_calendar->sizeHint());
    setFixedSize(size);
    m_calendar->setGeometry(QRect(QPoint(0, 0), size));
    connect(m_calendar, &QCalendarWidget::clicked, this, &frmMonthview::MonthView_DateClick);
    if (target.keysPick)
        for (QWidget *part : m_calendar->findChildren<QWidget *>())
            part->installEventFilter(this);
    move(mainWindow->geometry().center() - rect().center());
}

// Only the program writes the date, and only where the user could type it:
// a box that is locked belongs to a record that is not being entered.
bool frmMonthview::writeDate(QWidget *focusAfter)
{
    if (m_target.box->isReadOnly()) {
        m_messages.show(this, {QStringLiteral("Press New or Edit first: a date can only go into a "
                                              "record that is being entered."),
                               m_target.title, QMessageBox::Ok, QMessageBox::Information});
        return false;
    }
    m_target.box->setText(DateText::toShort(m_calendar->selectedDate()));
    // A box on a tab that is no longer showing cannot take the focus.
    if (focusAfter->isVisible())
        moveFocus(focusAfter);
    return true;
}

// While this window has the focus, the main window counts as active already
// (this one is its transient child), so activateWindow() would ask for
// nothing: its own window is asked directly. Once active, it gives the focus
// back to a control of its own choosing, so the move is made again then.
void frmMonthview::moveFocus(QWidget *to)
{
    to->setFocus();
    if (to->isActiveWindow())
        return;
    m_focusOnActivation = to;
    to->window()->installEventFilter(this);
    to->window()->windowHandle()->requestActivate();
}

void frmMonthview::MonthView_DateClick()
{
    if (writeDate(m_target.focusAfterPick))
        hide();
}

void frmMonthview::closeEvent(QCloseEvent *event)
{
    writeDate(m_target.focusAfterClose);
    QWidget::closeEvent(event);
}

bool frmMonthview::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::WindowActivate && m_focusOnActivation &&
        watched == m_focusOnActivation->window()) {
        watched->removeEventFilter(this);
        m_focusOnActivation->setFocus();
        m_focusOnActivation = nullptr;
    }
    if (event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (!key->text().isEmpty() || key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter ||
            key->key() == Qt::Key_Escape) {
            MonthView_DateClick();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}
