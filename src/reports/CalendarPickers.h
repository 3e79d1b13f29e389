#pragma once

#include "frmMonthview.h"

#include <QObject>
#include <QPointer>
#include <list>

class Clock;
class MessageBox;
class QPushButton;

// The "Cal" buttons and their calendar windows, one window for each button
// at most, centred on the main window and not modal.
class CalendarPickers : public QObject
{
    Q_OBJECT
public:
    CalendarPickers(QWidget *mainWindow, MessageBox &messages, const Clock &clock);

    void add(QPushButton *button, const CalendarTarget &target);

private:
    struct Picker {
        CalendarTarget target;
        QPointer<frmMonthview> window;
    };
    void open(Picker &picker);

    QWidget *m_mainWindow;
    MessageBox &m_messages;
    const Clock &m_clock;
    std::list<Picker> m_pickers; // stable addresses for the buttons' connections
};
