#include "frmChangePassword.h"

#include "FormBuilder.h"
#include "MessageBox.h"
#include "PasswordFile.h"
#include "StoredPassword.h"
#include "Twips.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

frmChangePassword *frmChangePassword::load(const DataFolder &folder, MessageBox &messages,
                                           QWidget *parent)
{
    const auto stored = storedPassword(folder, messages, parent, QStringLiteral("Password"));
    return stored ? new frmChangePassword(folder, *stored, messages, parent) : nullptr;
}

frmChangePassword::frmChangePassword(const DataFolder &folder, const QString &storedPassword,
                                     MessageBox &messages, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                          Qt::MSWindowsFixedSizeDialogHint),
      m_folder(folder), m_storedPassword(storedPassword), m_messages(messages)
{
    setObjectName(QStringLiteral("frmChangePassword"));
    setWindowTitle(QStringLiteral("Change Password?"));
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(Twips::toPixels(6030), Twips::toPixels(1095));

    const FormBuilder in(this);
    // OK comes first in the tab order, so it has the focus when the dialog
    // opens and Enter presses it; it is not the default button.
    auto *ok = in.button(QStringLiteral("OKButton"), QStringLiteral("OK"), 4680, 120, 1215, 375);
    m_oldPassword = in.textBox(QStringLiteral("txtOldPassword"), 1380, 150, 3120, 300);
    in.label(QStringLiteral("Old Password:"), 120, 180, 1200)->setObjectName(QStringLiteral("Label1"));
    m_newPassword = in.textBox(QStringLiteral("txtNewPassword"), 1380, 600, 3120, 300);
    in.label(QStringLiteral("New Password:"), 120, 630, 1200)->setObjectName(QStringLiteral("Label2"));
    auto *cancel = in.button(QStringLiteral("CancelButton"), QStringLiteral("Cancel"), 4680, 600,
                             1215, 375);

    connect(ok, &QPushButton::clicked, this, &frmChangePassword::OKButton_Click);
    connect(cancel, &QPushButton::clicked, this, &QDialog::close);
    ok->setFocus();
}

// The dialog has no default button: Enter presses the button that has the
// focus and does nothing in a text box. Esc is not bound to Cancel.
void frmChangePassword::keyPressEvent(QKeyEvent *event)
{
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (auto *button = qobject_cast<QPushButton *>(focusWidget()); enter && button)
        button->click();
    else if (!enter && event->key() != Qt::Key_Escape)
        QDialog::keyPressEvent(event);
}

void frmChangePassword::tell(const QString &text, QMessageBox::Icon icon)
{
    m_messages.show(this, {text, QStringLiteral("Password"), QMessageBox::Ok, icon});
}

void frmChangePassword::OKButton_Click()
{
    if (m_oldPassword->text().isEmpty()) {
        tell(QStringLiteral("Please enter the old password!"));
        m_oldPassword->setFocus();
        return;
    }
    if (m_newPassword->text().isEmpty()) {
        tell(QStringLiteral("Please enter the new password!"));
        m_newPassword->setFocus();
        return;
    }
    if (!PasswordFile::matches(m_oldPassword->text(), m_storedPassword)) {
        tell(QStringLiteral("Invalid Password, try again!"));
        m_oldPassword->setFocus();
        m_oldPassword->selectAll();
        return;
    }
    QString error;
    if (!PasswordFile::write(m_folder, m_newPassword->text(), &error)) {
        tell(QStringLiteral("The new password could not be saved in pw.kvd: %1\n\nThe old password "
                            "is still the one to use.")
                 .arg(error),
             QMessageBox::Warning);
        return;
    }
    tell(QStringLiteral("Password changed! Please be sure to remember password!"));
    close();
}
