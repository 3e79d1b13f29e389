#include "Controls.h"
#include "FakeLauncher.h"
#include "PathStub.h"
#include "ScriptedMessageBox.h"
#include "frmAbout.h"

#include <QLabel>
#include <QPointer>
#include <QTest>

class tst_frmAbout : public QObject
{
    Q_OBJECT
private slots:
    // System Info starts the first tool found on the PATH, or tells that none
    // can start. The icon comes from the program's resources, which a static
    // build must link in; OK closes the box.
    void systemInformationIconAndOk()
    {
        ScriptedMessageBox messages;
        FakeLauncher launcher;
        QPointer<frmAbout> about = new frmAbout(launcher, messages);
        about->show();
        PathStub path;
        const MessageBoxRequest unavailable{"System Information Is Unavailable At This Time", "Bramblewood"};
        messages.expect(unavailable);
        click(about, "cmdSysInfo");
        path.add("gnome-system-monitor");
        const QString preferred = path.add("kinfocenter");
        click(about, "cmdSysInfo");
        QCOMPARE(launcher.started, QStringList{preferred});
        launcher.succeed = false;
        messages.expect(unavailable);
        click(about, "cmdSysInfo");
        QVERIFY(!control<QLabel>(about, "picIcon")->pixmap().isNull());
        click(about, "cmdOK");
        QTRY_VERIFY(!about);
    }
};

QTEST_MAIN(tst_frmAbout)
#include "tst_frmAbout.moc"
