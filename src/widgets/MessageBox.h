#pragma once

#include <QMessageBox>
#include <QString>

class QWidget;

struct MessageBoxRequest {
    QString text;
    QString title;
    QMessageBox::StandardButtons buttons = QMessageBox::Ok;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;

    bool operator==(const MessageBoxRequest &) const = default;
};

// Every message box of the program goes through here, so that tests can
// script the answers instead of blocking on a modal window.
class MessageBox
{
public:
    virtual ~MessageBox() = default;
    virtual QMessageBox::StandardButton show(QWidget *parent, const MessageBoxRequest &request) = 0;

    // The application's title, carried by every box that names no title of its own.
    static QString applicationTitle() { return QStringLiteral("Bramblewood"); }
};
