#include "Controls.h"
#include "DataFiles.h"
#include "ScriptedMessageBox.h"
#include "TempDataFolder.h"
#include "frmChangePassword.h"
#include "frmLogin.h"

#include <QPointer>
#include <QSignalSpy>
#include <QTest>

namespace {

// The sign-in window and the change-password dialog on a data folder whose
// pw.kvd holds the given bytes.
struct Fixture {
    TempDataFolder folder;
    ScriptedMessageBox messages;
    QWidget mainWindow;

    explicit Fixture(const QByteArray &passwordFile = "secret\r\n")
    {
        folder.writeBytes(DataFiles::password, passwordFile);
    }
    // Loads the window of type Window; null when it refused to open.
    template <class Window> Window *open()
    {
        Window *window = Window::load(folder.folder(), messages, &mainWindow);
        if (window)
            showActive(window);
        return window;
    }
};

// Signs in with OK; what the window emitted, or nothing when it stayed open.
QStringList signIn(frmLogin *window, const QString &password, const QString &balance)
{
    QPointer<frmLogin> login = window;
    QSignalSpy set(window, &frmLogin::balanceSet);
    box(window, "txtPassword")->setText(password);
    box(window, "txtInputBalance")->setText(balance);
    click(window, "cmdOK");
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return login ? QStringList() : QStringList{set.value(0).value(0).toString()};
}

struct Attempt {
    QByteArray file;
    QString password, balance;
    MessageBoxRequest told; // no text: the balance is set
    QString focus;
};

} // namespace

Q_DECLARE_METATYPE(Attempt)

class tst_SignIn : public QObject
{
    Q_OBJECT
private slots:
    void signIn_data()
    {
        QTest::addColumn<Attempt>("attempt");
        const QByteArray secret = "secret\r\n";
        const MessageBoxRequest invalid{"Invalid Password, try again!", "Login"};
        const MessageBoxRequest noData{"Please enter an Initial Balace!", "No Data"};
        const MessageBoxRequest noNumber{"The Initial Balance must be a number, such as 1250.50!",
                                         "No Data"};
        QTest::newRow("exact") << Attempt{secret, "secret", "1234.5", {}, {}};
        QTest::newRow("blanks count") << Attempt{" secret \r\n", " secret ", "1234.5", {}, {}};
        QTest::newRow("letter case") << Attempt{secret, "Secret", "5", invalid, "txtPassword"};
        QTest::newRow("blanks missing") << Attempt{" secret \r\n", "secret", "5", invalid, "txtPassword"};
        QTest::newRow("no line break") << Attempt{"secret", "secret", "5", {}, {}};
        QTest::newRow("second line") << Attempt{"secret\r\nmore\r\n", "secret", "5", invalid, "txtPassword"};
        QTest::newRow("no password") << Attempt{secret, "", "5", {"Please enter a password!", "Login"},
                                                "txtPassword"};
        QTest::newRow("no balance") << Attempt{secret, "secret", "", noData, "txtInputBalance"};
        QTest::newRow("balance beyond a trillion")
            << Attempt{secret, "secret", "2e12",
                       {"An amount can have at most two decimals and must lie between "
                        "-1000000000000 and 1000000000000.", "No Data"},
                       "txtInputBalance"};
        QTest::newRow("balance no number") << Attempt{secret, "secret", "1,250.00", noNumber,
                                                      "txtInputBalance"};
    }

    // The password matches the whole file, its final line break aside; the balance
    // goes out exactly as typed. Refused, the box at fault has the focus with
    // its text selected, so that the next keystroke replaces it.
    void signIn()
    {
        QFETCH(Attempt, attempt);
        Fixture f(attempt.file);
        frmLogin *login = f.open<frmLogin>();
        if (!attempt.told.text.isEmpty())
            f.messages.expect(attempt.told);
        const QStringList set = ::signIn(login, attempt.password, attempt.balance);
        if (attempt.told.text.isEmpty()) {
            QCOMPARE(set, QStringList{attempt.balance});
        } else {
            QVERIFY(set.isEmpty() && login->isVisible());
            QCOMPARE(focused(), attempt.focus);
            QCOMPARE(box(login, attempt.focus)->selectedText(), box(login, attempt.focus)->text());
        }
    }

    void keys_data()
    {
        QTest::addColumn<QString>("focus");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("outcome");
        QTest::newRow("sign-in, password box Return") << "txtPassword" << "Return" << "OK";
        QTest::newRow("sign-in, balance box Esc") << "txtInputBalance" << "Esc" << "closed";
        QTest::newRow("sign-in, Cancel Return") << "cmdCancel" << "Return" << "closed";
        QTest::newRow("change, old box Return") << "txtOldPassword" << "Return" << "open";
        QTest::newRow("change, new box Enter") << "txtNewPassword" << "Enter" << "open";
        QTest::newRow("change, Cancel Return") << "CancelButton" << "Return" << "closed";
        QTest::newRow("change, OK Esc") << "OKButton" << "Esc" << "open";
    }

    // Enter presses the focused button, else the default one (the dialog has none); Esc is Cancel where bound.
    void keys()
    {
        QFETCH(QString, focus);
        QFETCH(QString, key);
        QFETCH(QString, outcome);
        Fixture f;
        const bool login = !focus.contains("Old") && !focus.contains("New") && !focus.contains("Button");
        QPointer<QDialog> dialog = login ? static_cast<QDialog *>(f.open<frmLogin>()) : f.open<frmChangePassword>();
        dialog->findChildren<QLineEdit *>()[0]->setText("secret");
        dialog->findChildren<QLineEdit *>()[1]->setText("x"); // OK refuses it, and says so
        if (outcome == "OK")
            f.messages.expect({"The Initial Balance must be a number, such as 1250.50!", "No Data"});
        control(dialog, focus)->setFocus();
        QTest::keyClick(QApplication::focusWidget(), QKeySequence(key)[0].key());
        QCOMPARE(dialog->isVisible() ? "open" : "closed", outcome == "OK" ? "open" : outcome);
    }

    // Each window names itself in the box.
    void unreadablePasswordFileIsTold()
    {
        Fixture f;
        QFile::remove(f.folder.filePath(DataFiles::password));
        for (const char *title : {"Login", "Password"})
            f.messages.expect({"The password file pw.kvd could not be read: No such file or directory",
                               title, QMessageBox::Ok, QMessageBox::Warning});
        QVERIFY(!f.open<frmLogin>() && !f.open<frmChangePassword>());
    }

    void changePassword_data()
    {
        QTest::addColumn<QString>("oldPassword");
        QTest::addColumn<QString>("newPassword");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("focus"); // empty: the password is changed
        QTest::newRow("no old") << "" << "" << "Please enter the old password!" << "txtOldPassword";
        QTest::newRow("wrong old, no new") << "nope" << "" << "Please enter the new password!"
                                           << "txtNewPassword";
        QTest::newRow("wrong old") << "Secret" << "x" << "Invalid Password, try again!"
                                   << "txtOldPassword";
        QTest::newRow("changed, blanks kept") << "secret" << " new "
                                              << "Password changed! Please be sure to remember password!"
                                              << "";
    }

    // Enter as the dialog opens presses OK, which has the focus. The file has
    // lost its line break (edited by hand) and still holds the old password.
    void changePassword()
    {
        QFETCH(QString, oldPassword);
        QFETCH(QString, newPassword);
        QFETCH(QString, text);
        QFETCH(QString, focus);
        Fixture f("secret");
        QPointer<frmChangePassword> dialog = f.open<frmChangePassword>();
        box(dialog, "txtOldPassword")->setText(oldPassword);
        box(dialog, "txtNewPassword")->setText(newPassword);
        f.messages.expect({text, "Password"});
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        if (focus.isEmpty()) {
            QTRY_VERIFY(!dialog);
            QCOMPARE(f.folder.bytes(DataFiles::password), QByteArray(" new \r\n"));
        } else {
            QCOMPARE(focused(), focus);
            QCOMPARE(f.folder.bytes(DataFiles::password), QByteArray("secret"));
        }
    }
};

QTEST_MAIN(tst_SignIn)
#include "tst_SignIn.moc"
