#include "frmLogin.h"

#include "FormBuilder.h"
#include "MessageBox.h"
#include "NumberText.h"
#include "PasswordFile.h"
#include "StoredPassword.h"
#include "Twips.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

frmLogin *frmLogin::load(const DataFolder &folder, MessageBox &messages, QWidget *parent)
{
    const auto stored = storedPassword(folder, messages, parent, QStringLiteral("Login"));
    return stored ? new frmLogin(*stored, messages, parent) : nullptr;
}

frmLogin::frmLogin(const QString &storedPassword, MessageBox &messages, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                          Qt::MSWindowsFixedSizeDialogHint),
      m_storedPassword(storedPassword), m_messages(messages)
{
    setObjectName(QStringLiteral("frmLogin"));
    setWindowTitle(QStringLiteral("Login"));
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(Twips::toPixels(3750), Twips::toPixels(1635));

    const FormBuilder in(this);
    auto *passwordLabel = in.label(QStringLiteral("&Password:"), 105, 150, 1425);
    passwordLabel->setObjectName(QStringLiteral("lblLabels"));
    m_password = in.textBox(QStringLiteral("txtPassword"), 1560, 120, 2085, 300);
    m_password->setEchoMode(QLineEdit::Password);
    m_password->setAttribute(Qt::WA_InputMethodEnabled, false);
    passwordLabel->setBuddy(m_password);
    auto *ok = in.button(QStringLiteral("cmdOK"), QStringLiteral("OK"), 1650, 1080, 930, 390);
    ok->setDefault(true);
    auto *cancel = in.button(QStringLiteral("cmdCancel"), QStringLiteral("Cancel"), 2685, 1080,
                             960, 390);
    in.label(QStringLiteral("Initial Balance:  $"), 105, 570, 1425)
        ->setObjectName(QStringLiteral("Label1"));
    m_balance = in.textBox(QStringLiteral("txtInputBalance"), 1560, 540, 2085, 300);
    auto *change = in.button(QStringLiteral("cmdChangePassword"), QStringLiteral("Change Password"),
                             105, 1080, 1455, 390);

    // Enter presses OK, unless another button has the focus: then that one.
    cancel->setAutoDefault(true);
    change->setAutoDefault(true);

    connect(ok, &QPushButton::clicked, this, &frmLogin::cmdOK_Click);
    // Esc and the close box end the window as Cancel does.
    connect(cancel, &QPushButton::clicked, this, &QDialog::close);
    connect(change, &QPushButton::clicked, this, &frmLogin::cmdChangePassword_Click);
}

void frmLogin::refuse(const QString &text, const QString &title, QLineEdit *box)
{
    m_messages.show(this, {text, title});
    box->setFocus();
    box->selectAll();
}

void frmLogin::cmdOK_Click()
{
    const auto balance = NumberText::readPlain(m_balance->text());
    if (m_password->text().isEmpty()) {
        refuse(QStringLiteral("Please enter a password!"), QStringLiteral("Login"), m_password);
    } else if (!PasswordFile::matches(m_password->text(), m_storedPassword)) {
        refuse(QStringLiteral("Invalid Password, try again!"), QStringLiteral("Login"), m_password);
    } else if (m_balance->text().isEmpty()) {
        refuse(QStringLiteral("Please enter an Initial Balace!"), QStringLiteral("No Data"),
               m_balance);
    } else if (!balance) {
        // The balance file must hold a number the next start can read.
        refuse(QStringLiteral("The Initial Balance must be a number, such as 1250.50!"),
               QStringLiteral("No Data"), m_balance);
    } else if (!NumberText::isMoney(*balance)) {
        refuse(NumberText::moneyRule(), QStringLiteral("No Data"), m_balance);
    } else {
        emit balanceSet(m_balance->text());
        close();
    }
}

void frmLogin::cmdChangePassword_Click()
{
    emit changePasswordRequested();
    close();
}
