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

// The sign-in window on a data folder whose pw.kvd holds the given bytes.
struct Fixture {
    TempDataFolder folder;
    ScriptedMessageBox messages;
    QWidget mainWindow;

    explicit Fixture(const QByteArray &passwordFile = "secret\r\n")
    {
        folder.writeBytes(DataFiles::password, passwordFile);
    }
    frmLogin *openLogin()
    {
        frmLogin *login = frmLogin::load(folder.folder(), messages, &mainWindow);
        if (login)
            showActive(login);
        return login;
    }
    // Signs in; the balance the window emitted, or a null text when it stayed open.
    QString signIn(const QString &password, const QString &balance)
    {
        QPointer<frmLogin> login = openLogin();
        QSignalSpy set(login.data(), &frmLogin::balanceSet);
        box(login, "txtPassword")->setText(password);
        box(login, "txtInputBalance")->setText(balance);
        click(login, "cmdOK");
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        const bool closed = !login;
        delete login;
        return closed && set.size() == 1 ? set.first().first().toString() : QString();
    }
    frmChangePassword *openChangePassword()
    {
        return frmChangePassword::load(folder.folder(), messages, &mainWindow);
    }
};

const MessageBoxRequest invalidLogin{"Invalid Password, try again!", "Login"};

} // namespace

class tst_SignIn : public QObject
{
    Q_OBJECT
private slots:
    void passwordMustMatchWholeFile_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("matches");
        QTest::newRow("exact") << QByteArray("secret\r\n") << "secret" << true;
        QTest::newRow("letter case") << QByteArray("secret\r\n") << "Secret" << false;
        QTest::newRow("blanks count") << QByteArray(" secret \r\n") << " secret " << true;
        QTest::newRow("blanks missing") << QByteArray(" secret \r\n") << "secret" << false;
        QTest::newRow("no line break") << QByteArray("secret") << "secret" << false;
        QTest::newRow("second line") << QByteArray("secret\r\nmore\r\n") << "secret" << false;
    }

    // The balance goes out exactly as typed, not reformatted.
    void passwordMustMatchWholeFile()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, typed);
        QFETCH(bool, matches);
        Fixture f(file);
        if (!matches)
            f.messages.expect(invalidLogin);
        QCOMPARE(f.signIn(typed, QStringLiteral("1234.5")), matches ? "1234.5" : QString());
        VERIFY_MESSAGES(f.messages);
    }

    void refusedInputKeepsWindowOpen_data()
    {
        QTest::addColumn<QString>("password");
        QTest::addColumn<QString>("balance");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("focus");
        QTest::newRow("no password") << "" << "5" << "Please enter a password!" << "Login" << "txtPassword";
        QTest::newRow("wrong password") << "nope" << "5" << "Invalid Password, try again!" << "Login"
                                        << "txtPassword";
        QTest::newRow("no balance") << "secret" << "" << "Please enter an Initial Balace!" << "No Data"
                                    << "txtInputBalance";
        QTest::newRow("balance no number")
            << "secret" << "1,250.00" << "The Initial Balance must be a number, such as 1250.50!"
            << "No Data" << "txtInputBalance";
    }

    // The box at fault has the focus, its text selected so that the next keystroke replaces it.
    void refusedInputKeepsWindowOpen()
    {
        QFETCH(QString, password);
        QFETCH(QString, balance);
        QFETCH(QString, text);
        QFETCH(QString, title);
        QFETCH(QString, focus);
        Fixture f;
        QPointer<frmLogin> login = f.openLogin();
        QSignalSpy set(login.data(), &frmLogin::balanceSet);
        box(login, "txtPassword")->setText(password);
        box(login, "txtInputBalance")->setText(balance);
        f.messages.expect({text, title});
        click(login, "cmdOK");
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(login && login->isVisible());
        QCOMPARE(focused(), focus);
        QCOMPARE(box(login, focus)->selectedText(), box(login, focus)->text());
        QVERIFY(set.isEmpty());
        VERIFY_MESSAGES(f.messages);
    }

    void enterPressesOkEscCancels()
    {
        Fixture f;
        QPointer<frmLogin> login = f.openLogin();
        QSignalSpy set(login.data(), &frmLogin::balanceSet);
        QCOMPARE(box(login, "txtPassword")->echoMode(), QLineEdit::Password);
        box(login, "txtPassword")->setText(QStringLiteral("secret"));
        box(login, "txtInputBalance")->setText(QStringLiteral("77"));
        QTest::keyClick(box(login, "txtInputBalance"), Qt::Key_Return);
        QTRY_VERIFY(!login);
        QCOMPARE(set.size(), 1);

        login = f.openLogin();
        QSignalSpy cancelled(login.data(), &frmLogin::balanceSet);
        box(login, "txtPassword")->setText(QStringLiteral("secret"));
        box(login, "txtInputBalance")->setText(QStringLiteral("99"));
        QTest::keyClick(box(login, "txtPassword"), Qt::Key_Escape);
        QTRY_VERIFY(!login);
        QVERIFY(cancelled.isEmpty());
        VERIFY_MESSAGES(f.messages);
    }

    void unreadablePasswordFileIsTold_data()
    {
        QTest::addColumn<bool>("login");
        QTest::addColumn<QString>("title");
        QTest::newRow("sign-in") << true << "Login";
        QTest::newRow("change password") << false << "Password";
    }

    void unreadablePasswordFileIsTold()
    {
        QFETCH(bool, login);
        QFETCH(QString, title);
        Fixture f;
        QFile::remove(f.folder.filePath(DataFiles::password));
        f.messages.expect({"The password file pw.kvd could not be read: No such file or directory",
                           title, QMessageBox::Ok, QMessageBox::Warning});
        QVERIFY(!(login ? static_cast<QWidget *>(f.openLogin()) : f.openChangePassword()));
        VERIFY_MESSAGES(f.messages);
    }

    void changePasswordChecksInOrder_data()
    {
        QTest::addColumn<QString>("oldPassword");
        QTest::addColumn<QString>("newPassword");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("focus");
        QTest::newRow("no old") << "" << "" << "Please enter the old password!" << "txtOldPassword";
        QTest::newRow("wrong old, no new") << "nope" << "" << "Please enter the new password!"
                                           << "txtNewPassword";
        QTest::newRow("wrong old") << "Secret" << "x" << "Invalid Password, try again!" << "txtOldPassword";
    }

    void changePasswordChecksInOrder()
    {
        QFETCH(QString, oldPassword);
        QFETCH(QString, newPassword);
        QFETCH(QString, text);
        QFETCH(QString, focus);
        Fixture f;
        frmChangePassword *dialog = f.openChangePassword();
        showActive(dialog);
        for (const char *name : {"txtOldPassword", "txtNewPassword"})
            QCOMPARE(box(dialog, name)->echoMode(), QLineEdit::Normal);
        box(dialog, "txtOldPassword")->setText(oldPassword);
        box(dialog, "txtNewPassword")->setText(newPassword);
        f.messages.expect({text, "Password"});
        if (oldPassword.isEmpty()) // Enter as the dialog opens presses OK, which has the focus
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        else
            click(dialog, "OKButton");
        QCOMPARE(focused(), focus);
        QCOMPARE(f.folder.bytes(DataFiles::password), QByteArray("secret\r\n"));
        VERIFY_MESSAGES(f.messages);
    }

    void changedPasswordReplacesOldOne()
    {
        Fixture f(QByteArray("a much longer password\r\n"));
        QPointer<frmChangePassword> dialog = f.openChangePassword();
        box(dialog, "txtOldPassword")->setText(QStringLiteral("a much longer password"));
        box(dialog, "txtNewPassword")->setText(QStringLiteral(" new "));
        f.messages.expect({"Password changed! Please be sure to remember password!", "Password"});
        click(dialog, "OKButton");
        QTRY_VERIFY(!dialog);
        QCOMPARE(f.folder.bytes(DataFiles::password), QByteArray(" new \r\n"));
        f.messages.expect(invalidLogin);
        QVERIFY(f.signIn(QStringLiteral("a much longer password"), QStringLiteral("1")).isNull());
        f.messages.expect(invalidLogin);
        QVERIFY(f.signIn(QStringLiteral("new"), QStringLiteral("2")).isNull()); // its blanks count
        QCOMPARE(f.signIn(QStringLiteral(" new "), QStringLiteral("3")), QStringLiteral("3"));
        VERIFY_MESSAGES(f.messages);
    }
};

QTEST_MAIN(tst_SignIn)
#include "tst_SignIn.moc"
