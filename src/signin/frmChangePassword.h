#pragma once

#include "DataFolder.h"

#include <QDialog>
#include <QMessageBox>

class MessageBox;
class QLineEdit;

// The dialog that replaces the password in pw.kvd, after the old one has
// been given. Both boxes show what is typed. Modeless; it unloads when it closes.
class frmChangePassword : public QDialog
{
    Q_OBJECT
public:
    // Loads the dialog, reading pw.kvd; null when the file cannot be read,
    // after telling the user.
    static frmChangePassword *load(const DataFolder &folder, MessageBox &messages, QWidget *parent);

    void OKButton_Click();

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    frmChangePassword(const DataFolder &folder, const QString &storedPassword, MessageBox &messages,
                      QWidget *parent);
    void tell(const QString &text, QMessageBox::Icon icon = QMessageBox::NoIcon);

    DataFolder m_folder;
    QString m_storedPassword;
    MessageBox &m_messages;
    QLineEdit *m_oldPassword;
    QLineEdit *m_newPassword;
};
