#pragma once

#include "MessageBox.h"

// The real, modal QMessageBox.
class WidgetMessageBox final : public MessageBox
{
public:
    QMessageBox::StandardButton show(QWidget *parent, const MessageBoxRequest &request) override;

    static void makeRoomForTitle(QMessageBox &box);
};
