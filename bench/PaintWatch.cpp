#include "PaintWatch.h"

#include <QCoreApplication>
#include <QEvent>
#include <QWidget>

PaintWatch::PaintWatch(const QString &objectName, std::function<void(QWidget &)> painting)
    : m_objectName(objectName), m_painting(std::move(painting))
{
    QCoreApplication::instance()->installEventFilter(this);
}

PaintWatch::~PaintWatch()
{
    QCoreApplication::instance()->removeEventFilter(this);
}

bool PaintWatch::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Paint && watched->objectName() == m_objectName)
        if (auto *widget = qobject_cast<QWidget *>(watched))
            m_painting(*widget);
    return false;
}
