#include "ScopedAccessKeys.h"

#include <QAbstractButton>
#include <QApplication>

ScopedAccessKeys::ScopedAccessKeys(QWidget *area, const QList<QAbstractButton *> &buttons)
    : QObject(area), m_area(area), m_buttons(buttons)
{
    connect(qApp, &QApplication::focusChanged, this,
            [this](QWidget *, QWidget *now) { follow(now); });
    follow(QApplication::focusWidget());
}

// A button's caption gives it its access key; taking the key away leaves the
// letter underlined.
void ScopedAccessKeys::follow(QWidget *focus)
{
    const bool inside = focus && m_area->isAncestorOf(focus);
    for (QAbstractButton *button : std::as_const(m_buttons))
        button->setShortcut(inside ? QKeySequence::mnemonic(button->text()) : QKeySequence());
}
