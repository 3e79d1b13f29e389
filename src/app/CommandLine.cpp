#include "CommandLine.h"

#include "BackupArchive.h"
#include "Clock.h"
#include "ConvertFromCommand.h"
#include "DataFiles.h"
#include "DataFolder.h"
#include "DataRestore.h"
#include "ZipReader.h"

#include <QCoreApplication>
#include <QDir>
#include <QLockFile>
#include <QTemporaryDir>
#include <QTextStream>

namespace {

QTextStream out(stdout);
QTextStream err(stderr);

// The archive checked and read into work; false once the problem is printed.
// `current`: the data folder it would replace, if any.
bool extract(const QString &archive, const QTemporaryDir &work, const DataFolder *current,
             DataSummary *summary)
{
    QString error = work.errorString();
    if (work.isValid() &&
        BackupArchive::extract(archive, DataFolder(work.path()),
                               BackupArchive::roomFor(current, work.path()), summary, &error))
        return true;
    err << QDir::toNativeSeparators(archive) << ": " << error << Qt::endl;
    return false;
}

void print(const DataSummary &summary)
{
    const QStringList labels = DataSummary::labels(), values = summary.values();
    for (qsizetype i = 0; i < labels.size(); ++i)
        out << "  " << labels[i] << ": " << values[i] << '\n';
    out.flush();
}

int verify(const QString &archive)
{
    QTemporaryDir work;
    DataSummary summary;
    if (!extract(archive, work, nullptr, &summary))
        return 1;
    ZipReader reader;
    QString error;
    reader.open(archive, &error);
    out << QDir::toNativeSeparators(archive) << " is a sound backup.\n  Entries: "
        << reader.entries().join(QLatin1String(", ")) << '\n';
    print(summary);
    return 0;
}

int restore(const QString &archive, const QString &path, const QDateTime &now)
{
    const DataFolder folder(QDir(path).absolutePath());
    QLockFile lock(folder.filePath(DataFiles::lock));
    lock.setStaleLockTime(0); // as the program itself: only a lock whose process is gone is stale
    if (!QDir().mkpath(folder.path()) || !lock.tryLock(0)) {
        err << "The data folder " << QDir::toNativeSeparators(folder.path())
            << (lock.error() == QLockFile::LockFailedError
                    ? " is in use by Bramblewood. Leave the program, then restore."
                    : " cannot be used: the program may not write in it.")
            << Qt::endl;
        return 1;
    }
    bool undone = false;
    QString error;
    if (!DataRestore::undoUnfinished(folder, &undone, &error)) {
        err << "A restore that stopped before it finished could not be undone: " << error << Qt::endl;
        return 1;
    }
    if (undone)
        out << "A restore that stopped before it finished was undone first." << Qt::endl;
    QTemporaryDir work(folder.filePath(QStringLiteral(".restore-XXXXXX")));
    DataSummary summary;
    if (!extract(archive, work, &folder, &summary))
        return 1;
    out << "Restoring " << QDir::toNativeSeparators(archive) << ", which holds:\n";
    print(summary);
    const DataRestore::Result result =
        DataRestore::run(folder, work.path(), now,
                         [](const QString &step) { out << step << Qt::endl; });
    if (!result.restored) {
        err << "The backup was not restored. " << result.error << Qt::endl;
        return 1;
    }
    out << "The backup was restored. The data as they were before are kept in "
        << QDir::toNativeSeparators(result.kept) << Qt::endl;
    return 0;
}

} // namespace

namespace CommandLine {

std::optional<int> run(int &argc, char **argv, const Clock &clock)
{
    const QByteArray command = argc > 1 ? QByteArray(argv[1]) : QByteArray();
    if (command != "--verify-backup" && command != "--restore" && command != "--convert-from")
        return std::nullopt;
    QCoreApplication application(argc, argv);
    const QStringList arguments = QCoreApplication::arguments().mid(2);
    if (command == "--convert-from")
        return ConvertFromCommand::run(arguments, clock.today());
    if (command == "--verify-backup" && arguments.size() == 1)
        return verify(arguments[0]);
    if (command == "--restore" && (arguments.size() == 1 || arguments.size() == 2))
        return restore(arguments[0], arguments.value(1, QDir::currentPath()), clock.now());
    err << "Usage: bramblewood --verify-backup FILE\n"
           "       bramblewood --restore FILE [DATA-FOLDER]"
        << Qt::endl;
    return 1;
}

} // namespace CommandLine
