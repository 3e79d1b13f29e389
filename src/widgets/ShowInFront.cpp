#include "ShowInFront.h"

#include <QScreen>
#include <QWidget>

namespace {

void keepOnScreen(QWidget *window)
{
    const QScreen *screen = window->screen();
    if (!screen)
        return;
    const QRect free = screen->availableGeometry();
    // The frame the window manager adds is not known before the window
    // shows; a title bar's height is room enough for it.
    const int frame = 2 * window->fontMetrics().height();
    const QSize room = free.size() - QSize(frame / 2, frame);
    if (window->width() > room.width() || window->height() > room.height())
        window->resize(window->size().boundedTo(room));
    const QPoint inside(std::clamp(window->x(), free.left(), free.right() - window->width()),
                        std::clamp(window->y(), free.top(), free.bottom() - window->height() - frame / 2));
    window->move(inside);
}

} // namespace

void showInFront(QWidget *window)
{
    keepOnScreen(window);
    window->show();
    window->raise();
    window->activateWindow();
}
