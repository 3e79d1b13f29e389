#pragma once

#include <QDate>
#include <QPointer>
#include <QWidget>

class MessageBox;
class QCalendarWidget;
class QLineEdit;

// What a calendar window fills, and where the cursor goes afterwards.
struct CalendarTarget {
    QString windowName;   // "frmMonthview", "frmMonthview2", "frmMonthview3"
    QString title;        // "Date Started", "Income Date", "Expense Date"
    QString calendarName; // "MonthView1" or "MonthView2"
    QLineEdit *box;
    QWidget *focusAfterPick;
    QWidget *focusAfterClose;
    bool keysPick; // any key that makes a character picks the day shown
};

// A calendar window that writes the picked date into its box in the short
// date form. Picking hides it (the next opening shows the same date); the
// close box writes the date shown and unloads it (the next opening starts at
// today). It writes only into a box the user could type into at that moment,
// so that it never changes a stored record behind the user's back.
class frmMonthview : public QWidget
{
    Q_OBJECT
public:
    // The calendar opens at today.
    frmMonthview(const CalendarTarget &target, MessageBox &messages, const QDate &today,
                 QWidget *mainWindow);

    QCalendarWidget &calendar() { return *m_calendar; }
    void MonthView_DateClick();

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool writeDate(QWidget *focusAfter);
    void moveFocus(QWidget *to);

    CalendarTarget m_target;
    MessageBox &m_messages;
    QCalendarWidget *m_calendar;
    QPointer<QWidget> m_focusOnActivation;
};
