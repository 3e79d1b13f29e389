#include "WidgetMessageBox.h"

QMessageBox::StandardButton WidgetMessageBox::show(QWidget *parent,
                                                   const MessageBoxRequest &request)
{
    QMessageBox box(request.icon, request.title, request.text, request.buttons, parent);
    if (request.defaultButton != QMessageBox::NoButton)
        box.setDefaultButton(request.defaultButton);
    // Closing a box that offers Cancel counts as Cancel; Qt picks the Escape
    // button itself when the box offers Cancel or only one button.
    return QMessageBox::StandardButton(box.exec());
}
