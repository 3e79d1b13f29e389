#include "ConversionMessages.h"

#include <QDir>

namespace {

// Beyond this many, the list only says how many more there are: a message
// box must stay readable.
constexpr qsizetype longestList = 20;

QString notCarried(const AccessConversion &conversion)
{
    QStringList lines;
    for (const ConvertedDatabase &converted : conversion.converted())
        for (const QString &line : converted.notCarried)
            lines << converted.database.file + QStringLiteral(", ") + line;
    if (lines.isEmpty())
        return {};
    const qsizetype more = lines.size() - longestList;
    if (more > 0)
        lines = lines.mid(0, longestList) << QStringLiteral("and %1 more").arg(more);
    return QStringLiteral("Not carried over, and kept only in the Access files:\n") +
           lines.join(u'\n') + QStringLiteral("\n\n");
}

} // namespace

namespace ConversionMessages {

QString question(const QString &folder, const AccessConversion &conversion)
{
    QStringList files;
    for (const AccessConversion::Found &found : conversion.accessFiles())
        files << QStringLiteral("%1 (%2)").arg(found.database.file,
                                               DatabaseFormats::writtenBy(found.format));
    return QStringLiteral("These databases in the data folder %1 are in the format of Microsoft "
                          "Access:\n\n%2\n\nBramblewood will convert them into its own format. The "
                          "Access files are kept unchanged in the folder \"%3\" in the data folder."
                          "\n\nOK converts them; Cancel ends the program without changing anything.")
        .arg(QDir::toNativeSeparators(folder), files.join(u'\n'), conversion.originalsName());
}

QString report(const AccessConversion &conversion, const QString &originals)
{
    QString text = QStringLiteral("The Access databases were converted.\n\n");
    for (const ConvertedDatabase &converted : conversion.converted()) {
        const bool customers = converted.database.table == QLatin1String("Customers");
        text += QStringLiteral("%1: %2 %3").arg(converted.database.file).arg(converted.rows)
                    .arg(customers ? QStringLiteral("customers") : QStringLiteral("entries"));
        if (converted.nextNumber)
            text += QStringLiteral("; the next new customer gets the account number %1")
                        .arg(*converted.nextNumber);
        text += QStringLiteral(".\n");
    }
    return text + u'\n' + notCarried(conversion) +
           QStringLiteral("The Access files are kept unchanged in %1. Changes made in Bramblewood do "
                          "not reach them.")
               .arg(QDir::toNativeSeparators(originals));
}

} // namespace ConversionMessages
