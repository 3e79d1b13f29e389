#include "CalendarPickers.h"

#include "Clock.h"
#include "ShowInFront.h"

#include <QPushButton>

CalendarPickers::CalendarPickers(QWidget *mainWindow, MessageBox &messages, const Clock &clock)
    : QObject(mainWindow), m_mainWindow(mainWindow), m_messages(messages), m_clock(clock)
{
}

void CalendarPickers::add(QPushButton *button, const CalendarTarget &target)
{
    Picker &picker = m_pickers.emplace_back(Picker{target, {}});
    connect(button, &QPushButton::clicked, this, [this, &picker] { open(picker); });
}

// A hidden window comes back with the date it had; a new one starts at today.
void CalendarPickers::open(Picker &picker)
{
    if (!picker.window)
        picker.window = new frmMonthview(picker.target, m_messages, m_clock.today(), m_mainWindow);
    showInFront(picker.window);
}
