#include "DataFiles.h"
#include "IncomeExpensesTab.h"
#include "ScriptedMessageBox.h"
#include "TempDataFolder.h"
#include "TestMain.h"
#include "frmChangePassword.h"
#include "frmLogin.h"

#include <QLineEdit>
#include <QPointer>
#include <QPushButton>

namespace {

// The ledger tab with its balance box, whose Set button opens the sign-in window.
struct Fixture {
    TempDataFolder folder;
    ScriptedMessageBox messages;
    IncomeExpensesTab tab{messages};

    explicit Fixture(const QByteArray &passwordFile = "secret\r\n")
    {
        folder.writeBytes(DataFiles::password, passwordFile);
        tab.balanceBox().setText(QStringLiteral("10.00"));
    }
    frmLogin *openLogin()
    {
        tab.findChild<QPushButton *>(QStringLiteral("cmdSetBalance"))->click();
        return tab.findChild<frmLogin *>();
    }
    static void type(QWidget *window, const char *box, const QString &text)
    {
        window->findChild<QLineEdit *>(QString::fromLatin1(box))->setText(text);
    }
    static void press(QWidget *window, const char *button)
    {
        window->findChild<QPushButton *>(QString::fromLatin1(button))->click();
    }
    // Signs in with the password and balance; true when the window closed.
    bool signIn(const QString &password, const QString &balance)
    {
        QPointer<frmLogin> login = openLogin();
        type(login, "txtPassword", password);
        type(login, "txtInputBalance", balance);
        press(login, "cmdOK");
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        if (login)
            login->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        return !tab.findChild<frmLogin *>() && tab.balanceBox().text() == balance;
    }
};

const MessageBoxRequest invalidLogin{"Invalid Password, try again!", "Login"};

} // namespace

class tst_SignIn : public QObject
{
    Q_OBJECT
private slots:
    void passwordMustMatchWholeFile_data();
    void passwordMustMatchWholeFile();
    void emptyAndRefusedInputKeepWindowOpen_data();
    void emptyAndRefusedInputKeepWindowOpen();
    void enterPressesOkEscCancels();
    void oneWindowAtATimeAndMissingFile();
    void changePasswordChecksInOrder_data();
    void changePasswordChecksInOrder();
    void changedPasswordReplacesOldOne();
};

void tst_SignIn::passwordMustMatchWholeFile_data()
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

void tst_SignIn::passwordMustMatchWholeFile()
{
    QFETCH(QByteArray, file);
    QFETCH(QString, typed);
    QFETCH(bool, matches);
    Fixture f(file);
    if (!matches)
        f.messages.expect(invalidLogin);
    QCOMPARE(f.signIn(typed, QStringLiteral("1234.5")), matches);
    // Set exactly as typed, not reformatted.
    QCOMPARE(f.tab.balanceBox().text(), matches ? QStringLiteral("1234.5") : QStringLiteral("10.00"));
    VERIFY_MESSAGES(f.messages);
}

void tst_SignIn::emptyAndRefusedInputKeepWindowOpen_data()
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

void tst_SignIn::emptyAndRefusedInputKeepWindowOpen()
{
    QFETCH(QString, password);
    QFETCH(QString, balance);
    QFETCH(QString, text);
    QFETCH(QString, title);
    QFETCH(QString, focus);
    Fixture f;
    frmLogin *login = f.openLogin();
    login->show();
    QApplication::setActiveWindow(login);
    Fixture::type(login, "txtPassword", password);
    Fixture::type(login, "txtInputBalance", balance);
    f.messages.expect({text, title});
    Fixture::press(login, "cmdOK");
    QCOMPARE(f.tab.findChild<frmLogin *>(), login);
    QCOMPARE(QApplication::focusWidget()->objectName(), focus);
    auto *box = login->findChild<QLineEdit *>(focus);
    QCOMPARE(box->selectedText(), box->text()); // the next keystroke replaces it
    QCOMPARE(f.tab.balanceBox().text(), QStringLiteral("10.00"));
    VERIFY_MESSAGES(f.messages);
}

void tst_SignIn::enterPressesOkEscCancels()
{
    Fixture f;
    QPointer<frmLogin> login = f.openLogin();
    QCOMPARE(login->findChild<QLineEdit *>(QStringLiteral("txtPassword"))->echoMode(),
             QLineEdit::Password);
    Fixture::type(login, "txtPassword", QStringLiteral("secret"));
    Fixture::type(login, "txtInputBalance", QStringLiteral("77"));
    QTest::keyClick(login->findChild<QLineEdit *>(QStringLiteral("txtInputBalance")), Qt::Key_Return);
    QTRY_VERIFY(!login);
    QCOMPARE(f.tab.balanceBox().text(), QStringLiteral("77"));

    login = f.openLogin();
    Fixture::type(login, "txtInputBalance", QStringLiteral("99"));
    QTest::keyClick(login->findChild<QLineEdit *>(QStringLiteral("txtPassword")), Qt::Key_Escape);
    QTRY_VERIFY(!login);
    QCOMPARE(f.tab.balanceBox().text(), QStringLiteral("77"));
    VERIFY_MESSAGES(f.messages);
}

void tst_SignIn::oneWindowAtATimeAndMissingFile()
{
    Fixture f;
    frmLogin *first = f.openLogin();
    QCOMPARE(f.openLogin(), first);
    QCOMPARE(f.tab.findChildren<frmLogin *>().size(), 1);
    first->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QFile::remove(f.folder.filePath(DataFiles::password));
    f.messages.expect({"The password file pw.kvd could not be read: No such file or directory",
                       "Login", QMessageBox::Ok, QMessageBox::Warning});
    QVERIFY(!f.openLogin());
    VERIFY_MESSAGES(f.messages);
}

void tst_SignIn::changePasswordChecksInOrder_data()
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

void tst_SignIn::changePasswordChecksInOrder()
{
    QFETCH(QString, oldPassword);
    QFETCH(QString, newPassword);
    QFETCH(QString, text);
    QFETCH(QString, focus);
    Fixture f;
    QPointer<frmLogin> login = f.openLogin();
    Fixture::press(login, "cmdChangePassword");
    QTRY_VERIFY(!login);
    auto *dialog = f.tab.findChild<frmChangePassword *>();
    QVERIFY(dialog);
    dialog->show();
    QApplication::setActiveWindow(dialog);
    for (const char *box : {"txtOldPassword", "txtNewPassword"})
        QCOMPARE(dialog->findChild<QLineEdit *>(QString::fromLatin1(box))->echoMode(),
                 QLineEdit::Normal);
    Fixture::type(dialog, "txtOldPassword", oldPassword);
    Fixture::type(dialog, "txtNewPassword", newPassword);
    f.messages.expect({text, "Password"});
    if (oldPassword.isEmpty()) // Enter as the dialog opens presses OK, which has the focus
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    else
        Fixture::press(dialog, "OKButton");
    QCOMPARE(QApplication::focusWidget()->objectName(), focus);
    QCOMPARE(f.folder.bytes(DataFiles::password), QByteArray("secret\r\n"));
    VERIFY_MESSAGES(f.messages);
}

void tst_SignIn::changedPasswordReplacesOldOne()
{
    Fixture f(QByteArray("a much longer password\r\n"));
    QPointer<frmLogin> login = f.openLogin();
    Fixture::press(login, "cmdChangePassword");
    QPointer<frmChangePassword> dialog = f.tab.findChild<frmChangePassword *>();
    Fixture::type(dialog, "txtOldPassword", QStringLiteral("a much longer password"));
    Fixture::type(dialog, "txtNewPassword", QStringLiteral(" new "));
    f.messages.expect({"Password changed! Please be sure to remember password!", "Password"});
    Fixture::press(dialog, "OKButton");
    QTRY_VERIFY(!dialog);
    QCOMPARE(f.folder.bytes(DataFiles::password), QByteArray(" new \r\n"));
    f.messages.expect(invalidLogin);
    QVERIFY(!f.signIn(QStringLiteral("a much longer password"), QStringLiteral("1")));
    f.messages.expect(invalidLogin);
    QVERIFY(!f.signIn(QStringLiteral("new"), QStringLiteral("2"))); // its blanks count
    QVERIFY(f.signIn(QStringLiteral(" new "), QStringLiteral("3")));
    VERIFY_MESSAGES(f.messages);
}

BRAMBLEWOOD_TEST_MAIN(tst_SignIn)
#include "tst_SignIn.moc"
