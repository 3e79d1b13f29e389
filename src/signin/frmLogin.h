#pragma once

#include <QDialog>

class DataFolder;
class MessageBox;
class QLineEdit;
class QPushButton;

// The sign-in window through which the balance is set. It holds the whole
// content of pw.kvd, read when it loads, and its only output is the balance
// as typed, which it emits. Modeless; it unloads when it closes.
class frmLogin : public QDialog
{
    Q_OBJECT
public:
    // Loads the window, reading pw.kvd; null when the file cannot be read,
    // after telling the user.
    static frmLogin *load(const DataFolder &folder, MessageBox &messages, QWidget *parent);

    void cmdOK_Click();
    void cmdChangePassword_Click();

signals:
    void balanceSet(const QString &balance);
    void changePasswordRequested();

private:
    frmLogin(const QString &storedPassword, MessageBox &messages, QWidget *parent);
    void refuse(const QString &text, const QString &title, QLineEdit *box);

    QString m_storedPassword;
    MessageBox &m_messages;
    QLineEdit *m_password;
    QLineEdit *m_balance;
};
