#include "CrashPoints.h"
#include "DataFiles.h"
#include "DataRestore.h"
#include "FileSteps.h"
#include "TempDataFolder.h"

#include <QProcess>
#include <QTest>

namespace {

const QDateTime now(QDate(2026, 12, 6), QTime(10, 15));

QMap<QString, QByteArray> dataFiles(const TempDataFolder &folder)
{
    QMap<QString, QByteArray> files;
    for (const QString &name : DataFiles::all())
        files.insert(name, folder.bytes(name));
    return files;
}

// The child side of a crash row: the restore, until the crash point ends the process.
int crashedRestore(char **argv)
{
    CrashPoints::endProcessAt(CrashPoints::Step(std::stoi(argv[4])), std::stoi(argv[5]),
                              CrashPoints::When(std::stoi(argv[6])));
    return DataRestore::run(DataFolder(argv[2]), argv[3], now).restored ? 0 : 1;
}

} // namespace

class tst_DataRestore : public QObject
{
    Q_OBJECT
private slots:
    void cleanup() { FileSteps::clearFailures(); }

    void initTestCase()
    {
        m_live.execute(DataFiles::income, "INSERT INTO Income VALUES ('Now', 5, '2026-12-01', '')");
        m_live.writeBytes(DataFiles::password, "secret\r\n");
        m_backup.writeBytes(DataFiles::balance, "7\r\n");
    }

    void stoppedAnywhereLeavesTheDataAsBefore_data()
    {
        QTest::addColumn<bool>("crash");
        QTest::addColumn<int>("step");
        QTest::addColumn<int>("nth");
        QTest::addColumn<int>("when");
        const auto row = [](bool crash, int step, int nth, int when) {
            QTest::addRow("%s %s %d%s", crash ? "crash at" : "failure at", step ? "rename" : "sync",
                          nth, when ? " after" : "")
                << crash << step << nth << when;
        };
        // Seven files kept, a marker, six files replaced, the marker gone: 24
        // syncs and 7 renames.
        for (const auto &[step, count] : {std::pair{0, 24}, {1, 7}})
            for (int nth = 1; nth <= count; ++nth)
                row(false, step, nth, 0);
        // Only renames and removals change what a killed process leaves:
        // after each rename, before the first, amid the copies, after the
        // marker's removal.
        for (int nth = 1; nth <= 7; ++nth)
            row(true, 1, nth, 1);
        row(true, 1, 1, 0);
        row(true, 0, 5, 1);
        row(true, 0, 24, 0);
    }

    // A failure at any step puts back what was replaced and says so; a crash
    // is undone at the next start. Either way the data are as before, or, once
    // the restore has finished, the backup's.
    void stoppedAnywhereLeavesTheDataAsBefore()
    {
        QFETCH(bool, crash);
        QFETCH(int, step);
        QFETCH(int, nth);
        QFETCH(int, when);
        const TempDataFolder live(false), backup(false);
        for (const QString &name : DataFiles::all()) {
            QFile::copy(m_live.filePath(name), live.filePath(name));
            QFile::copy(m_backup.filePath(name), backup.filePath(name));
        }
        const QMap<QString, QByteArray> before = live.snapshot(), dataBefore = dataFiles(live);
        QMap<QString, QByteArray> restored = dataFiles(backup);
        restored[DataFiles::password] = "secret\r\n";
        if (!crash) {
            FileSteps::failAt(FileSteps::Step(step), nth);
            const DataRestore::Result result = DataRestore::run(live.folder(), backup.path(), now);
            QVERIFY(!result.restored && !result.error.isEmpty());
            QCOMPARE(live.snapshot(), before);
            return;
        }
        const int code = QProcess::execute(QCoreApplication::applicationFilePath(),
                                           {"--crashed-restore", live.path(), backup.path(),
                                            QString::number(step), QString::number(nth),
                                            QString::number(when)});
        QVERIFY(code == CrashPoints::exitCode || code == 0);
        bool undone = false;
        QString error;
        QVERIFY2(DataRestore::undoUnfinished(live.folder(), &undone, &error), qPrintable(error));
        const QMap<QString, QByteArray> after = dataFiles(live);
        QVERIFY(after == restored || (code != 0 && after == dataBefore));
    }

    void failedPutBackIsFinishedAtTheNextStart_data()
    {
        QTest::addColumn<int>("sync");
        // The third replacement fails after 16 syncs; putting back then
        // copies and renames each of six files, two syncs each.
        QTest::newRow("the first copy") << 17;
        QTest::newRow("amid the files") << 22;
        QTest::newRow("the last file") << 28;
    }

    // A restore fails part-way, and so does putting the current files back:
    // the marker stays until every file is back, so the next start finishes
    // the job from the kept folder.
    void failedPutBackIsFinishedAtTheNextStart()
    {
        QFETCH(int, sync);
        const TempDataFolder live(false), backup(false);
        for (const QString &name : DataFiles::all()) {
            QFile::copy(m_live.filePath(name), live.filePath(name));
            QFile::copy(m_backup.filePath(name), backup.filePath(name));
        }
        const QMap<QString, QByteArray> before = dataFiles(live);
        FileSteps::failAt(FileSteps::Step::Rename, 4);
        FileSteps::failAt(FileSteps::Step::Sync, sync);
        const DataRestore::Result result = DataRestore::run(live.folder(), backup.path(), now);
        QVERIFY(!result.restored && QFileInfo(result.kept).isDir());
        QVERIFY2(result.error.contains("put back when the program next starts"), qPrintable(result.error));
        QVERIFY(QFile::exists(live.filePath("Restore.unfinished")));
        FileSteps::clearFailures();
        bool undone = false;
        QString error;
        QVERIFY2(DataRestore::undoUnfinished(live.folder(), &undone, &error) && undone, qPrintable(error));
        QCOMPARE(dataFiles(live), before);
        QVERIFY(!QFile::exists(live.filePath("Restore.unfinished")) && !QFileInfo::exists(result.kept));
    }

private:
    TempDataFolder m_live, m_backup;
};

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc == 7 && QByteArray(argv[1]) == "--crashed-restore")
        return crashedRestore(argv);
    tst_DataRestore test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}
#include "tst_DataRestore.moc"
