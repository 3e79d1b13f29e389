#include "HelpPage.h"
#include "TempDataFolder.h"
#include "TestMain.h"

class tst_HelpPage : public QObject
{
    Q_OBJECT
private slots:
    void foundBesideProgramOrInShareFolder();
    void tooShortPathMeansNoHelp_data();
    void tooShortPathMeansNoHelp();
};

void tst_HelpPage::foundBesideProgramOrInShareFolder()
{
    TempDataFolder folder(false);
    QDir root(folder.path());
    root.mkpath(QStringLiteral("bin"));
    root.mkpath(QStringLiteral("share/bramblewood"));
    const QString bin = root.filePath(QStringLiteral("bin"));
    // Neither: the path beside the program, so that opening it names that file.
    QCOMPARE(HelpPage::pathFor(bin), bin + QStringLiteral("/Bramblewood.html"));
    folder.writeBytes(QStringLiteral("share/bramblewood/Bramblewood.html"), "<html/>");
    QCOMPARE(HelpPage::pathFor(bin),
             root.filePath(QStringLiteral("share/bramblewood/Bramblewood.html")));
    folder.writeBytes(QStringLiteral("bin/Bramblewood.html"), "<html/>");
    QCOMPARE(HelpPage::pathFor(bin), bin + QStringLiteral("/Bramblewood.html"));
}

void tst_HelpPage::tooShortPathMeansNoHelp_data()
{
    QTest::addColumn<QString>("programFolder");
    QTest::addColumn<bool>("tooShort");
    QTest::newRow("root") << "/" << true;
    QTest::newRow("one letter") << "/a" << true;
    QTest::newRow("two letters") << "/ab" << false;
    QTest::newRow("installed") << "/usr/local/bin" << false;
}

void tst_HelpPage::tooShortPathMeansNoHelp()
{
    QFETCH(QString, programFolder);
    QFETCH(bool, tooShort);
    QCOMPARE(HelpPage::isTooShort(HelpPage::pathFor(programFolder)), tooShort);
}

BRAMBLEWOOD_TEST_MAIN(tst_HelpPage)
#include "tst_HelpPage.moc"
