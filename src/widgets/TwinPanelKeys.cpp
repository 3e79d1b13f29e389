#include "TwinPanelKeys.h"

#include <QAbstractButton>
#include <QApplication>
#include <QGroupBox>

TwinPanelKeys::TwinPanelKeys(QObject *parent, const QList<Panel> &panels)
    : QObject(parent), m_panels(panels)
{
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget *, QWidget *now) { follow(now); });
    make(m_panels.value(0).frame);
}

void TwinPanelKeys::follow(QWidget *focus)
{
    for (const Panel &panel : std::as_const(m_panels))
        if (focus && panel.frame->isAncestorOf(focus) && panel.frame != m_current)
            make(panel.frame);
}

// A button's caption gives it its access key; taking the key away leaves the
// letter underlined.
void TwinPanelKeys::make(QGroupBox *current)
{
    m_current = current;
    for (const Panel &panel : std::as_const(m_panels)) {
        const bool here = panel.frame == current;
        for (QAbstractButton *button : panel.buttons)
            button->setShortcut(here ? QKeySequence::mnemonic(button->text()) : QKeySequence());
        panel.frame->setProperty("keysHere", here);
        panel.frame->setStyleSheet(here ? QStringLiteral("QGroupBox::title { color: palette(highlight); }")
                                        : QString());
    }
}
