#include "CommandLine.h"

#include "AccessConversion.h"
#include "BackupArchive.h"
#include "Clock.h"
#include "ConnectToServer.h"
#include "ConvertFromCommand.h"
#include "DataFiles.h"
#include "DataFolder.h"
#include "DataRestore.h"
#include "FolderLock.h"
#include "MoveToServer.h"
#include "OpenBooks.h"
#include "ZipReader.h"

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QTextStream>

namespace {

QTextStream out(stdout);
QTextStream err(stderr);

const char *const usage =
    "Usage: bramblewood [OPTION]\n"
    "Keeps the books of a service business: its customers and their visits, income,\n"
    "expenses and the cash balance. With no option the window opens on the data\n"
    "folder, the folder it is started in.\n"
    "\n"
    "  --verify-backup FILE                 check a backup and say what it holds\n"
    "  --restore FILE [DATA-FOLDER]         put a backup in place of the data\n"
    "  --convert-from FOLDER [DATA-FOLDER]  convert a data folder of the older\n"
    "                                       program, in the Access format\n"
    "  --move-to-server URI [DATA-FOLDER]   move the books onto an empty database\n"
    "                                       of a PostgreSQL server\n"
    "  --connect URI [DATA-FOLDER]          open from now on the books another desk\n"
    "                                       moved to a server\n"
    "  --help                               show this, and end\n"
    "  --version                            show the version, and end\n"
    "\n"
    "The data folder is the current folder unless one is given. The exit code is 0\n"
    "on success, 1 when the work failed, 2 for an option it does not know.\n";

// The archive checked and read into work, where it opens as books as the
// program opens them; false once the problem is printed. `current`: the data
// folder it would replace, if any.
bool extract(const QString &archive, const QTemporaryDir &work, const DataFolder *current,
             const QDate &today, BackupArchive::Contents *contents)
{
    QString error = work.errorString();
    const BackupArchive::Unpacking how{BackupArchive::roomFor(current, work.path()),
                                       AccessConversion::readerBesideProgram(), today, {}};
    if (work.isValid() &&
        BackupArchive::extract(archive, DataFolder(work.path()), how, contents, &error) &&
        OpenBooks(DataFolder(work.path())).open(&error))
        return true;
    err << QDir::toNativeSeparators(archive) << ": " << error << Qt::endl;
    return false;
}

void print(const BackupArchive::Contents &contents)
{
    const QStringList labels = DataSummary::labels(), values = contents.summary.values();
    for (qsizetype i = 0; i < labels.size(); ++i)
        out << "  " << labels[i] << ": " << values[i] << '\n';
    if (!contents.accessDatabases.isEmpty())
        out << "  Made by the older program: " << contents.accessDatabases.join(QLatin1String(", "))
            << " are in the Access format, and a restore converts them.\n";
    out.flush();
}

int verify(const QString &archive, const QDate &today)
{
    QTemporaryDir work;
    BackupArchive::Contents contents;
    if (!extract(archive, work, nullptr, today, &contents))
        return 1;
    ZipReader reader;
    QString error;
    reader.open(archive, &error);
    out << QDir::toNativeSeparators(archive) << " is a sound backup.\n  Entries: "
        << reader.entries().join(QLatin1String(", ")) << '\n';
    print(contents);
    return 0;
}

int restore(const QString &archive, const QString &path, const QDateTime &now)
{
    const DataFolder folder(QDir(path).absolutePath());
    FolderLock lock(folder);
    if (!QDir().mkpath(folder.path()) || !lock.take()) {
        err << lock.refusalText(QStringLiteral("restore")) << Qt::endl;
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
    QTemporaryDir work(DataRestore::workTemplate(folder));
    BackupArchive::Contents contents;
    if (!extract(archive, work, &folder, now.date(), &contents))
        return 1;
    out << "Restoring " << QDir::toNativeSeparators(archive) << ", which holds:\n";
    print(contents);
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

int moveToServer(const QString &uri, const QString &path, const QDate &today)
{
    const DataFolder folder(QDir(path).absolutePath());
    FolderLock lock(folder);
    if (!lock.take()) {
        err << lock.refusalText(QStringLiteral("move the books")) << Qt::endl;
        return 1;
    }
    const MoveToServer::Result result = MoveToServer::run(folder, uri, today);
    if (!result.moved) {
        err << "The books were not moved to the server. " << result.error << Qt::endl;
        return 1;
    }
    out << "The books were moved to the server; the folder now opens them there. The files they were "
           "kept in are in "
        << QDir::toNativeSeparators(result.kept) << Qt::endl;
    return 0;
}

int connect(const QString &uri, const QString &path)
{
    const DataFolder folder(QDir(path).absolutePath());
    QString error;
    if (!ConnectToServer::run(folder, uri, &error)) {
        err << "The folder was not connected. " << error << Qt::endl;
        return 1;
    }
    out << "The data folder " << QDir::toNativeSeparators(folder.path()) << " now opens the books on the server."
        << Qt::endl;
    return 0;
}

} // namespace

namespace CommandLine {

std::optional<int> run(int &argc, char **argv, const Clock &clock)
{
    if (argc < 2)
        return std::nullopt;
    const QByteArray command(argv[1]);
    if (command == "--help" || command == "-h") {
        out << usage;
        out.flush();
        return 0;
    }
    if (command == "--version") {
        out << "Bramblewood " << BRAMBLEWOOD_VERSION << Qt::endl;
        return 0;
    }
    if (command != "--verify-backup" && command != "--restore" && command != "--convert-from" &&
        command != "--move-to-server" && command != "--connect") {
        err << "bramblewood: " << QString::fromLocal8Bit(command) << " is not an option it knows.\n\n"
            << usage;
        err.flush();
        return 2;
    }
    QCoreApplication application(argc, argv);
    const QStringList arguments = QCoreApplication::arguments().mid(2);
    if (command == "--convert-from")
        return ConvertFromCommand::run(arguments, clock.today());
    if (command == "--verify-backup" && arguments.size() == 1)
        return verify(arguments[0], clock.today());
    if (command == "--restore" && (arguments.size() == 1 || arguments.size() == 2))
        return restore(arguments[0], arguments.value(1, QDir::currentPath()), clock.now());
    if (command == "--move-to-server" && (arguments.size() == 1 || arguments.size() == 2))
        return moveToServer(arguments[0], arguments.value(1, QDir::currentPath()), clock.today());
    if (command == "--connect" && (arguments.size() == 1 || arguments.size() == 2))
        return connect(arguments[0], arguments.value(1, QDir::currentPath()));
    err << usage;
    err.flush();
    return 1;
}

} // namespace CommandLine
