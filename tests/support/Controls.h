#pragma once

#include "MessageBox.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

// Finds a control by its objectName, as outside tools do; a missing control
// ends the run, naming it.
template <class T = QWidget> T *control(const QObject *root, const QString &name)
{
    auto *found = root->findChild<T *>(name);
    if (!found)
        qFatal("no control %s", qPrintable(name));
    return found;
}

inline QLineEdit *box(const QObject *root, const QString &name)
{
    return control<QLineEdit>(root, name);
}

inline void click(const QObject *root, const QString &button)
{
    control<QAbstractButton>(root, button)->click();
}

// The enabled flags of the buttons, in their order, as 0 and 1.
inline QString enabledFlags(const QObject *root, const QStringList &buttons)
{
    QString flags;
    for (const QString &button : buttons)
        flags += control(root, button)->isEnabled() ? u'1' : u'0';
    return flags;
}

// The texts of the boxes, in their order.
inline QStringList texts(const QObject *root, const QStringList &boxes)
{
    QStringList shown;
    for (const QString &name : boxes)
        shown << box(root, name)->text();
    return shown;
}

// The objectName of the control with the keyboard focus.
inline QString focused()
{
    return QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString();
}

// Shows a window and makes it active, so that focus moves can be seen.
inline void showActive(QWidget *window)
{
    window->show();
    QApplication::setActiveWindow(window);
}

// The boxes that several windows show.
namespace Boxes {

inline const MessageBoxRequest emptyFile{QStringLiteral("You must add a record."),
                                         QStringLiteral("Empty file"), QMessageBox::Ok,
                                         QMessageBox::Information};
inline const MessageBoxRequest confirmEdit{QStringLiteral("Are you sure you want to edit this file?"),
                                           QStringLiteral("Edit File?"),
                                           QMessageBox::Ok | QMessageBox::Cancel,
                                           QMessageBox::NoIcon, QMessageBox::Cancel};
inline const MessageBoxRequest saveChanges{"Save the changes to this customer?", "Save File?",
                                           QMessageBox::Yes | QMessageBox::No, QMessageBox::NoIcon, QMessageBox::Yes};
inline const MessageBoxRequest exitNotice{QStringLiteral("Databases will be compacted and saved!"),
                                          QStringLiteral("Exiting Program")};

} // namespace Boxes
