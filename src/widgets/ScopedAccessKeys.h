#pragma once

#include <QList>
#include <QObject>

class QAbstractButton;
class QWidget;

// Access keys that answer only while the keyboard focus is within an area.
// Twin panels repeat their captions, and some captions leave no letter that
// another button of the window has not taken: each group keeps its letters
// to itself, and a key never finds two buttons to choose from.
class ScopedAccessKeys : public QObject
{
    Q_OBJECT
public:
    ScopedAccessKeys(QWidget *area, const QList<QAbstractButton *> &buttons);

private:
    void follow(QWidget *focus);

    QWidget *m_area;
    QList<QAbstractButton *> m_buttons;
};
