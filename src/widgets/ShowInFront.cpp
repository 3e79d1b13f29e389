#include "ShowInFront.h"

#include <QWidget>

void showInFront(QWidget *window)
{
    window->show();
    window->raise();
    window->activateWindow();
}
