#include "ReadOnlyLook.h"

#include <QLineEdit>
#include <QStyleOptionFrame>

void ReadOnlyLook::drawPrimitive(PrimitiveElement element, const QStyleOption *option,
                                 QPainter *painter, const QWidget *widget) const
{
    const auto *box = qobject_cast<const QLineEdit *>(widget);
    const auto *frame = qstyleoption_cast<const QStyleOptionFrame *>(option);
    if (element != PE_PanelLineEdit || !box || !box->isReadOnly() || !frame) {
        QProxyStyle::drawPrimitive(element, option, painter, widget);
        return;
    }
    QStyleOptionFrame panel = *frame;
    panel.palette.setBrush(QPalette::Base, panel.palette.brush(QPalette::Window));
    QProxyStyle::drawPrimitive(element, &panel, painter, widget);
}
