#include "DatabaseFormat.h"

#include <QByteArray>
#include <QFile>

namespace DatabaseFormats {

DatabaseFormat of(const QString &path)
{
    QFile file(path);
    const QByteArray head = file.open(QIODevice::ReadOnly) ? file.read(32) : QByteArray();
    if (head.startsWith(QByteArrayLiteral("SQLite format 3\0")))
        return DatabaseFormat::Ours;
    const QByteArray access = QByteArrayLiteral("\x00\x01\x00\x00Standard ");
    if (head.startsWith(access + "ACE DB"))
        return DatabaseFormat::Ace;
    if (head.size() > 0x14 && head.startsWith(access + "Jet DB")) {
        // The version byte: 0 for Jet 3, 1 for Jet 4.
        if (head[0x14] == 0)
            return DatabaseFormat::Jet3;
        if (head[0x14] == 1)
            return DatabaseFormat::Jet4;
    }
    return DatabaseFormat::Other;
}

QString writtenBy(DatabaseFormat format)
{
    return format == DatabaseFormat::Jet3 ? QStringLiteral("Access 97")
                                          : QStringLiteral("Access 2000 to 2003");
}

} // namespace DatabaseFormats
