#pragma once

#include <QProxyStyle>

// The application's style, but for a box that takes no typing: it is filled
// with the window's colour instead of the colour of a box to type in, so
// that the user sees where typing goes.
class ReadOnlyLook : public QProxyStyle
{
public:
    void drawPrimitive(PrimitiveElement element, const QStyleOption *option, QPainter *painter,
                       const QWidget *widget = nullptr) const override;
};
