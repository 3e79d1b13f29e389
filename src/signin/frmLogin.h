#pragma once

#include <QDialog>

class MessageBox;
class QLineEdit;
class QPushButton;

// The sign-in window through which the balance is set. It holds the whole
// content of pw.kvd, read when it loads, and its only output is the text of
// the main window's balance box. Modeless; it unloads when it closes.
class frmLogin : public QDialog
{
    Q_OBJECT
public:
    // Loads the window, reading pw.kvd; null when the file cannot be read,
    // after telling the user.
    static frmLogin *load(QLineEdit &balanceBox, MessageBox &messages, QWidget *parent);

    void cmdOK_Click();
    void cmdChangePassword_Click();

signals:
    void changePasswordRequested();

private:
    frmLogin(const QString &storedPassword, QLineEdit &balanceBox, MessageBox &messages,
             QWidget *parent);
    void refuse(const QString &text, const QString &title, QLineEdit *box);

    QString m_storedPassword;
    QLineEdit &m_balanceBox;
    MessageBox &m_messages;
    QLineEdit *m_password;
    QLineEdit *m_balance;
};
