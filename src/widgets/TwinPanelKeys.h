#pragma once

#include <QGroupBox>
#include <QList>
#include <QObject>
#include <QPointer>

class QAbstractButton;

// The access keys of twin panels that repeat their captions (New, Edit,
// Save, Delete): only the panel that last held the keyboard focus answers
// them, the first until then, and it stays so while the focus is elsewhere
// in the window (on Set, say), so that a key always means one panel. That
// panel shows it: its frame's caption takes the highlight colour, and the
// frame's "keysHere" property is true.
class TwinPanelKeys : public QObject
{
    Q_OBJECT
public:
    struct Panel {
        QGroupBox *frame;
        QList<QAbstractButton *> buttons;
    };

    TwinPanelKeys(QObject *parent, const QList<Panel> &panels);

    QGroupBox *current() const { return m_current; }

private:
    void follow(QWidget *focus);
    void make(QGroupBox *current);

    QList<Panel> m_panels;
    QPointer<QGroupBox> m_current;
};
