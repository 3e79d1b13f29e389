#include "ZipFileFinder.h"

#include <QDir>

bool ZipFileFinder::find(const QString &name, QList<Item> *items) const
{
    QString given = name;
    while (given.size() > 1 && given.endsWith(QLatin1Char('/')))
        given.chop(1);
    const QFileInfo info(given);
    if (info.isDir()) {
        take(given, true, items);
        if (m_options.recurse) {
            const QString inside =
                given.endsWith(QLatin1Char('/')) ? given : given + QLatin1Char('/');
            bool matched = false;
            search(inside, QRegularExpression::fromWildcard(u"*"), items, &matched);
        }
        return true;
    }
    // With recursion a file name is looked for in every subfolder as well.
    if (info.exists() && !m_options.recurse) {
        take(given, false, items);
        return true;
    }
    // Names are matched without regard to case, as on the system the data
    // files come from, where "customers.mdb" names "Customers.mdb".
    const qsizetype slash = given.lastIndexOf(QLatin1Char('/'));
    const auto pattern = QRegularExpression::fromWildcard(QStringView(given).mid(slash + 1),
                                                          Qt::CaseInsensitive);
    bool matched = false;
    search(given.left(slash + 1), pattern, items, &matched);
    return matched;
}

void ZipFileFinder::search(const QString &folder, const QRegularExpression &pattern,
                           QList<Item> *items, bool *matched) const
{
    for (const QFileInfo &info : listing(folder)) {
        const QString path = folder + info.fileName();
        if (pattern.match(info.fileName()).hasMatch()) {
            *matched = true;
            take(path, info.isDir(), items);
        }
        // Symbolic links to folders are not followed, so that a link to a
        // folder above cannot make the search endless.
        if (m_options.recurse && info.isDir() && !info.isSymLink())
            search(path + QLatin1Char('/'), pattern, items, matched);
    }
}

void ZipFileFinder::take(const QString &path, bool folder, QList<Item> *items) const
{
    if (folder && !(m_options.folderEntries && m_options.folderNames))
        return;
    const QString entry = entryName(path);
    if (entry.isEmpty())
        return;
    items->append({path, folder ? entry + QLatin1Char('/') : entry, folder});
}

QFileInfoList ZipFileFinder::listing(const QString &folder) const
{
    // Sockets, pipes and devices (Qt's "system" entries) are never taken:
    // reading a pipe would wait for ever.
    QDir::Filters filters = QDir::AllEntries | QDir::NoDotAndDotDot;
    if (m_options.hidden)
        filters |= QDir::Hidden;
    return QDir(folder.isEmpty() ? QStringLiteral(".") : folder).entryInfoList(filters, QDir::Name);
}

QString ZipFileFinder::entryName(const QString &path) const
{
    if (!m_options.folderNames)
        return QFileInfo(path).fileName();
    // An entry never points outside the folder it is unpacked in.
    QString name = QDir::cleanPath(path);
    for (;;) {
        if (name.startsWith(QLatin1Char('/')))
            name.remove(0, 1);
        else if (name.startsWith(QLatin1String("../")))
            name.remove(0, 3);
        else
            break;
    }
    return name == QLatin1String(".") || name == QLatin1String("..") ? QString() : name;
}
