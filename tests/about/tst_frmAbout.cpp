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
    // The icon comes from the program's resources, which a static build must link in.
    void iconShowsAndOkCloses()
    {
        ScriptedMessageBox messages;
        FakeLauncher launcher;
        QPointer<frmAbout> about = new frmAbout(launcher, messages);
        about->show();
        QVERIFY(!control<QLabel>(about, "picIcon")->pixmap().isNull());
        click(about, "cmdOK");
        QTRY_VERIFY(!about);
    }

    void systemInformationStartsFirstFoundOrIsUnavailable()
    {
        ScriptedMessageBox messages;
        FakeLauncher launcher;
        frmAbout about(launcher, messages);
        PathStub path;
        messages.expect({"System Information Is Unavailable At This Time", "Bramblewood"});
        click(&about, "cmdSysInfo");
        path.add("gnome-system-monitor");
        const QString preferred = path.add("kinfocenter");
        click(&about, "cmdSysInfo");
        QCOMPARE(launcher.started, QStringList{preferred});
        launcher.succeed = false;
        messages.expect({"System Information Is Unavailable At This Time", "Bramblewood"});
        click(&about, "cmdSysInfo");
    }
};

QTEST_MAIN(tst_frmAbout)
#include "tst_frmAbout.moc"
