#include "DataFiles.h"
#include "DataRestore.h"
#include "PlannedFaults.h"
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

// The child side of a crash row: the restore, or the undo of one that a crash
// stopped, until the crash point (step, nth, when) ends the process.
int crashed(char **argv)
{
    PlannedFaults faults;
    const bool undo = QByteArray(argv[1]) == "--crashed-undo";
    const char *const *point = argv + (undo ? 3 : 4);
    faults.endProcessAt(Faults::Step(std::stoi(point[0])), std::stoi(point[1]),
                        PlannedFaults::When(std::stoi(point[2])));
    const DataFolder folder(argv[2], faults);
    bool undone = false;
    QString error;
    return (undo ? DataRestore::undoUnfinished(folder, &undone, &error)
                 : DataRestore::run(folder, argv[3], now).restored)
               ? 0
               : 1;
}

// Runs a crash row's child; its exit code.
int runCrashed(const QStringList &arguments)
{
    return QProcess::execute(QCoreApplication::applicationFilePath(), arguments);
}

} // namespace

class tst_DataRestore : public QObject
{
    Q_OBJECT
private slots:
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
            QTest::addRow("%s %s %d%s", crash ? "crash at" : "failure at",
                          step == int(Faults::Step::Rename) ? "rename" : "sync", nth, when ? " after" : "")
                << crash << step << nth << when;
        };
        const int sync = int(Faults::Step::Sync), rename = int(Faults::Step::Rename);
        // Seven files kept, a marker, six files replaced, the marker gone: 24
        // syncs and 7 renames.
        for (const auto &[step, count] : {std::pair{sync, 24}, {rename, 7}})
            for (int nth = 1; nth <= count; ++nth)
                row(false, step, nth, 0);
        // Only renames and removals change what a killed process leaves:
        // after each rename, before the first, amid the copies, after the
        // marker's removal.
        for (int nth = 1; nth <= 7; ++nth)
            row(true, rename, nth, 1);
        row(true, rename, 1, 0);
        row(true, sync, 5, 1);
        row(true, sync, 24, 0);
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
        prepare(live, backup);
        const QMap<QString, QByteArray> before = live.snapshot(), dataBefore = dataFiles(live);
        QMap<QString, QByteArray> restored = dataFiles(backup);
        restored[DataFiles::password] = "secret\r\n";
        if (!crash) {
            PlannedFaults faults;
            faults.failAt(Faults::Step(step), nth);
            const DataRestore::Result result = DataRestore::run(live.folder(faults), backup.path(), now);
            QVERIFY(!result.restored && !result.error.isEmpty());
            QCOMPARE(live.snapshot(), before);
            return;
        }
        const int code = runCrashed({"--crashed-restore", live.path(), backup.path(), QString::number(step),
                                     QString::number(nth), QString::number(when)});
        QVERIFY(code == PlannedFaults::exitCode || code == 0);
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
        prepare(live, backup);
        const QMap<QString, QByteArray> before = dataFiles(live);
        PlannedFaults faults;
        faults.failAt(Faults::Step::Rename, 4);
        faults.failAt(Faults::Step::Sync, sync);
        const DataRestore::Result result = DataRestore::run(live.folder(faults), backup.path(), now);
        QVERIFY(!result.restored && QFileInfo(result.kept).isDir());
        QVERIFY2(result.error.contains("put back when the program next starts"), qPrintable(result.error));
        QVERIFY(QFile::exists(live.filePath("Restore.unfinished")));
        bool undone = false;
        QString error;
        QVERIFY2(DataRestore::undoUnfinished(live.folder(), &undone, &error) && undone, qPrintable(error));
        QCOMPARE(dataFiles(live), before);
        QVERIFY(!QFile::exists(live.filePath("Restore.unfinished")) && !QFileInfo::exists(result.kept));
    }

    void undoStoppedAnywhereIsFinishedLater_data()
    {
        QTest::addColumn<bool>("crash");
        QTest::addColumn<int>("step");
        QTest::addColumn<int>("nth");
        QTest::addColumn<int>("when");
        // Six files put back, each copied and synced, then renamed into place
        // with its folder synced; then the marker removed: 13 syncs and 6 renames.
        for (const auto &[step, count] : {std::pair{Faults::Step::Sync, 13}, {Faults::Step::Rename, 6}})
            for (int nth = 1; nth <= count; ++nth) {
                const char *name = step == Faults::Step::Rename ? "rename" : "sync";
                QTest::addRow("failure at %s %d", name, nth) << false << int(step) << nth << 0;
                QTest::addRow("crash after %s %d", name, nth) << true << int(step) << nth << 1;
            }
    }

    // A restore that a crash stopped once Income.mdb, its third file, was
    // replaced is undone at the next start; an undo stopped in its turn, by a failure or a crash, leaves
    // the marker, and the start after that finishes it.
    void undoStoppedAnywhereIsFinishedLater()
    {
        QFETCH(bool, crash);
        QFETCH(int, step);
        QFETCH(int, nth);
        QFETCH(int, when);
        const TempDataFolder live(false), backup(false);
        prepare(live, backup);
        const QMap<QString, QByteArray> before = dataFiles(live);
        const QString rename = QString::number(int(Faults::Step::Rename));
        QCOMPARE(runCrashed({"--crashed-restore", live.path(), backup.path(), rename, "4", "1"}),
                 PlannedFaults::exitCode);
        bool undone = false;
        QString error;
        if (crash) {
            const int code = runCrashed({"--crashed-undo", live.path(), QString::number(step),
                                         QString::number(nth), QString::number(when)});
            QVERIFY(code == PlannedFaults::exitCode || code == 0);
        } else {
            PlannedFaults faults;
            faults.failAt(Faults::Step(step), nth);
            QVERIFY(!DataRestore::undoUnfinished(live.folder(faults), &undone, &error) && !error.isEmpty());
        }
        QVERIFY2(DataRestore::undoUnfinished(live.folder(), &undone, &error), qPrintable(error));
        QCOMPARE(dataFiles(live), before);
        QVERIFY(!QFile::exists(live.filePath("Restore.unfinished")));
    }

private:
    // The folder and the backup, as the first test made them.
    void prepare(const TempDataFolder &live, const TempDataFolder &backup) const
    {
        for (const QString &name : DataFiles::all()) {
            QFile::copy(m_live.filePath(name), live.filePath(name));
            QFile::copy(m_backup.filePath(name), backup.filePath(name));
        }
    }

    TempDataFolder m_live, m_backup;
};

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if ((argc == 7 && QByteArray(argv[1]) == "--crashed-restore") ||
        (argc == 6 && QByteArray(argv[1]) == "--crashed-undo"))
        return crashed(argv);
    tst_DataRestore test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}
#include "tst_DataRestore.moc"
