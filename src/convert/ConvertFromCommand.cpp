#include "ConvertFromCommand.h"

#include "AccessConversion.h"
#include "ConversionMessages.h"
#include "FolderLock.h"

#include <QDir>

namespace ConvertFromCommand {

bool convert(const QString &from, const DataFolder &into, const QString &reader, const QDate &today,
             QString *text)
{
    QStringList missing = DataFolder(from).missingFiles();
    // As at start-up, where a new pw.kvd is written.
    missing.removeAll(DataFiles::password);
    if (!missing.isEmpty()) {
        *text = QStringLiteral("The folder %1 is missing these files: %2.")
                    .arg(from, missing.join(QLatin1String(", ")));
        return false;
    }
    QString undone;
    if (!AccessConversion::unfinishedFrom(into).isEmpty()) {
        if (!AccessConversion::undoUnfinished(into, text)) {
            *text = QStringLiteral("What a conversion into %1 that stopped before it finished had "
                                   "written could not be removed: %2")
                        .arg(into.path(), *text);
            return false;
        }
        undone = QStringLiteral("A conversion into %1 stopped before it finished; what it had "
                                "written was removed, and the conversion done again.\n\n")
                     .arg(into.path());
    }
    if (into.missingFiles().size() != DataFiles::all().size() || !QDir().mkpath(into.path())) {
        *text = QStringLiteral("The data folder %1 already holds data files, or cannot be made. "
                               "Name a new folder to convert into.")
                    .arg(into.path());
        return false;
    }
    AccessConversion conversion(from, into, reader, today);
    if (!conversion.survey(text))
        return false;
    if (conversion.accessFiles().isEmpty()) {
        *text = QStringLiteral("The folder %1 holds no databases in the Access format.").arg(from);
        return false;
    }
    if (!conversion.run(text))
        return false;
    *text = undone + ConversionMessages::report(conversion, QDir(from).absolutePath());
    return true;
}

int run(const QStringList &arguments, const QString &reader, const QDate &today, QTextStream &out,
        QTextStream &err)
{
    if (arguments.isEmpty() || arguments.size() > 2) {
        err << "usage: bramblewood --convert-from FOLDER [DATA-FOLDER]\n";
        return 1;
    }
    const DataFolder into(QDir(arguments.value(1, QDir::currentPath())).absolutePath());
    // Held, as the program holds it, so that no program starts on the folder
    // while the conversion writes into it.
    FolderLock lock(into);
    if (!QDir().mkpath(into.path()) || !lock.take()) {
        err << lock.refusalText(QStringLiteral("convert")) << '\n';
        return 1;
    }
    QString text;
    const bool converted = convert(arguments[0], into, reader, today, &text);
    (converted ? out : err) << text << '\n';
    return converted ? 0 : 1;
}

int run(const QStringList &arguments, const QDate &today)
{
    QTextStream out(stdout), err(stderr);
    return run(arguments, AccessConversion::readerBesideProgram(), today, out, err);
}

} // namespace ConvertFromCommand
