#include "ZipRun.h"

#include "ZipErrorText.h"

#include <QDir>
#include <QFile>
#include <QHash>

using ZipLibrary::Result;

ZipRun::ZipRun(const ZipCallbacks &callbacks, const ZipOptionRecord &options,
               const QString &archive, const QStringList &names)
    : m_callbacks(callbacks), m_options(options), m_archive(archive),
      m_archiveFile(QFileInfo(archive).canonicalFilePath()), m_names(names)
{
}

Result ZipRun::run()
{
    if (m_names.isEmpty())
        return fail(ZipLibrary::NothingToDo, QStringLiteral("nothing to do"));
    if (const Result result = open(); result != ZipLibrary::Ok)
        return result;
    if (const Result result = addFiles(); result != ZipLibrary::Ok)
        return result;
    return close();
}

Result ZipRun::open()
{
    // A run replaces the archive as a whole.
    int error = 0;
    m_zip.reset(zip_open(QFile::encodeName(m_archive).constData(), ZIP_CREATE | ZIP_TRUNCATE, &error));
    if (!m_zip)
        return fail(ZipLibrary::OpenFailed, m_archive + QStringLiteral(": ") + zipErrorText(error));
    return ZipLibrary::Ok;
}

Result ZipRun::addFiles()
{
    const ZipFileFinder finder({m_options.recurse != 0, m_options.systemAndHidden != 0,
                                m_options.noFolderNames == 0, m_options.noFolderEntries == 0});
    QHash<QString, QString> taken; // entry name -> the file it comes from
    for (const QString &name : m_names) {
        QList<ZipFileFinder::Item> items;
        if (!finder.find(name, &items))
            return fail(ZipLibrary::NameNotMatched, QStringLiteral("name not matched: ") + name);
        for (const ZipFileFinder::Item &item : items) {
            if (isArchive(item.path))
                continue;
            const QString file = QDir::cleanPath(QFileInfo(item.path).absoluteFilePath());
            const auto earlier = taken.constFind(item.entry);
            if (earlier != taken.cend() && *earlier != file)
                return fail(ZipLibrary::RepeatedName, QStringLiteral("%1 and %2 would both be %3")
                                                          .arg(*earlier, file, item.entry));
            if (earlier != taken.cend())
                continue;
            taken.insert(item.entry, file);
            if (const Result result = stage(item); result != ZipLibrary::Ok)
                return result;
        }
    }
    // libzip would remove the archive instead of writing an empty one.
    if (m_staged.empty())
        return fail(ZipLibrary::NothingToDo, QStringLiteral("nothing to do"));
    return ZipLibrary::Ok;
}

Result ZipRun::stage(const ZipFileFinder::Item &item)
{
    const QByteArray entry = item.entry.toUtf8();
    if (cancelled(entry))
        return ZipLibrary::Cancelled;
    const QString method = item.folder ? QStringLiteral("stored") : QStringLiteral("deflated");
    print(QStringLiteral("  adding: %1 (%2)").arg(item.entry, method));
    return item.folder ? addFolder(item.path, entry) : addFile(item.path, entry);
}

Result ZipRun::addFolder(const QString &path, const QByteArray &entry)
{
    m_staged.push_back({path, entry, true, nullptr});
    return ZipLibrary::Ok;
}

// The first files are deflated meanwhile, side by side; the archive takes
// them at the end, in the order the files and folders came. The files past
// those are deflated as the archive is written, one after the other, so that
// a run of many files holds no more threads and open files than a few.
Result ZipRun::addFile(const QString &path, const QByteArray &entry)
{
    constexpr size_t deflatedAhead = 8;
    if (m_staged.size() >= deflatedAhead) {
        m_staged.push_back({path, entry, false, nullptr});
        return ZipLibrary::Ok;
    }
    if (!m_scratch)
        m_scratch = std::make_unique<QTemporaryDir>();
    if (!m_scratch->isValid())
        return fail(ZipLibrary::WriteFailed,
                    QStringLiteral("no temporary folder to deflate in: ") + m_scratch->errorString());
    const QString scratch = m_scratch->filePath(QString::number(m_staged.size()));
    m_staged.push_back({path, entry, false,
                        std::make_unique<DeflatedFile>(
                            scratch, [this, path](zip_t *zip) { return source(zip, path); })});
    return ZipLibrary::Ok;
}

Result ZipRun::addStaged(const Staged &staged)
{
    zip_t *zip = m_zip.get();
    if (staged.folder) {
        if (zip_dir_add(zip, staged.entry.constData(), 0) < 0)
            return fail(ZipLibrary::WriteFailed, QString::fromUtf8(zip_strerror(zip)));
        return ZipLibrary::Ok;
    }
    QString error = QString::fromUtf8(zip_strerror(zip));
    zip_source_t *data = staged.deflated ? staged.deflated->sourceFor(zip, &error) : source(zip, staged.path);
    if (!data)
        return fail(ZipLibrary::WriteFailed, staged.path + QStringLiteral(": ") + error);
    const zip_int64_t index = zip_file_add(zip, staged.entry.constData(), data, ZIP_FL_OVERWRITE);
    if (index < 0)
        zip_source_free(data);
    // The entry takes the file's time, not that of a copy made now.
    const time_t modified = QFileInfo(staged.path).lastModified().toSecsSinceEpoch();
    if (index < 0 || zip_set_file_compression(zip, index, ZIP_CM_DEFLATE, DeflatedFile::bestCompression) ||
        zip_file_set_mtime(zip, index, modified, 0))
        return fail(ZipLibrary::WriteFailed, staged.path + QStringLiteral(": ") + zip_strerror(zip));
    return ZipLibrary::Ok;
}

Result ZipRun::close()
{
    for (const Staged &staged : m_staged)
        if (const Result result = addStaged(staged); result != ZipLibrary::Ok)
            return result;
    if (zip_close(m_zip.get()))
        return fail(ZipLibrary::WriteFailed,
                    m_archive + QStringLiteral(": ") + zip_strerror(m_zip.get()));
    m_zip.release(); // zip_close freed it
    printVerbose(QStringLiteral("%1 written").arg(m_archive));
    return ZipLibrary::Ok;
}

bool ZipRun::isArchive(const QString &path) const
{
    return !m_archiveFile.isEmpty() && QFileInfo(path).canonicalFilePath() == m_archiveFile;
}

// Runs on the thread that deflates the file, if any.
zip_source_t *ZipRun::source(zip_t *zip, const QString &path) const
{
    return zip_source_file(zip, QFile::encodeName(path).constData(), 0, 0);
}

bool ZipRun::cancelled(const QByteArray &entry) const
{
    return m_callbacks.service && m_callbacks.service(entry.constData(), entry.size() + 1) != 0;
}

Result ZipRun::fail(Result result, const QString &why) const
{
    print(QStringLiteral("zip error: ") + why);
    return result;
}

void ZipRun::print(const QString &text) const
{
    if (m_options.quiet || !m_callbacks.print)
        return;
    const QByteArray bytes = text.toUtf8();
    m_callbacks.print(bytes.constData(), bytes.size() + 1);
}

void ZipRun::printVerbose(const QString &text) const
{
    if (m_options.verbose)
        print(text);
}
