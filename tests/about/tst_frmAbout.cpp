#include "FakeLauncher.h"
#include "ScriptedMessageBox.h"
#include "TempDataFolder.h"
#include "TestMain.h"
#include "frmAbout.h"

#include <QFile>
#include <QLabel>
#include <QPushButton>

class tst_frmAbout : public QObject
{
    Q_OBJECT
private slots:
    void captionAndTexts();
    void systemInformationStartsFirstFoundOrIsUnavailable();
};

void tst_frmAbout::captionAndTexts()
{
    ScriptedMessageBox messages;
    FakeLauncher launcher;
    frmAbout about(launcher, messages);
    QCOMPARE(about.windowTitle(), QStringLiteral("About Bramblewood"));
    QCOMPARE(about.findChild<QLabel *>("lblVersion")->text(), QStringLiteral("Version 2.5"));
    QVERIFY(about.findChild<QLabel *>("lblTitle")->text().startsWith(QLatin1String("Bramblewood")));
    QVERIFY(about.findChild<QLabel *>("lblDisclaimer")->text().startsWith(
        QLatin1String("Please email any bugs to:")));
    QVERIFY(!about.findChild<QLabel *>("picIcon")->pixmap().isNull());
    QVERIFY(about.findChild<QPushButton *>("cmdOK")->isDefault());
    QCOMPARE(about.findChild<QPushButton *>("cmdSysInfo")->text(), QStringLiteral("&System Info..."));
    VERIFY_MESSAGES(messages);
}

void tst_frmAbout::systemInformationStartsFirstFoundOrIsUnavailable()
{
    TempDataFolder folder(false);
    ScriptedMessageBox messages;
    FakeLauncher launcher;
    frmAbout about(launcher, messages);
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", folder.path().toUtf8());
    messages.expect({"System Information Is Unavailable At This Time", "Bramblewood"});
    about.cmdSysInfo_Click();
    for (const char *name : {"gnome-system-monitor", "kinfocenter"}) {
        folder.writeBytes(QString::fromLatin1(name), "#!/bin/sh\n");
        QFile::setPermissions(folder.filePath(QString::fromLatin1(name)),
                              QFile::ReadOwner | QFile::ExeOwner);
    }
    about.cmdSysInfo_Click();
    QCOMPARE(launcher.started, QStringList{folder.filePath("kinfocenter")});
    launcher.succeed = false;
    messages.expect({"System Information Is Unavailable At This Time", "Bramblewood"});
    about.cmdSysInfo_Click();
    qputenv("PATH", path);
    VERIFY_MESSAGES(messages);
}

BRAMBLEWOOD_TEST_MAIN(tst_frmAbout)
#include "tst_frmAbout.moc"
