#include "WidgetMessageBox.h"

#include <QGridLayout>

// Qt sizes a box by its text alone, and the window manager cuts a title that
// is longer ("Invali…t Date"): the box is made wide enough for its title, in
// a bold face as title bars have it, with room for the bar's buttons.
void WidgetMessageBox::makeRoomForTitle(QMessageBox &box)
{
    QFont bold = box.font();
    bold.setBold(true);
    const int width = QFontMetrics(bold).horizontalAdvance(box.windowTitle()) +
                      6 * QFontMetrics(bold).height();
    if (auto *grid = qobject_cast<QGridLayout *>(box.layout()))
        grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Minimum, QSizePolicy::Fixed),
                      grid->rowCount(), 0, 1, grid->columnCount());
}

QMessageBox::StandardButton WidgetMessageBox::show(QWidget *parent,
                                                   const MessageBoxRequest &request)
{
    QMessageBox box(request.icon, request.title, request.text, request.buttons, parent);
    makeRoomForTitle(box);
    if (request.defaultButton != QMessageBox::NoButton)
        box.setDefaultButton(request.defaultButton);
    // Closing a box that offers Cancel counts as Cancel; Qt picks the Escape
    // button itself when the box offers Cancel or only one button.
    return QMessageBox::StandardButton(box.exec());
}
