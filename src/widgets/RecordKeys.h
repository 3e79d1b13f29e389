#pragma once

#include "DataControl.h"

#include <QObject>
#include <functional>

class QWidget;

// The keys that work a record tab or panel from whichever of its controls
// has the focus: PageUp, PageDown, Ctrl+Home and Ctrl+End step through the
// records as the navigation bar's buttons do, and Esc gives up the record
// being entered. The keys go no further, so a schedule list or a box never
// takes them for its own.
class RecordKeys : public QObject
{
    Q_OBJECT
public:
    RecordKeys(QWidget *area, DataControl &records, std::function<void()> escape);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    DataControl &m_records;
    std::function<void()> m_escape;
};
