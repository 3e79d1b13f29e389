#include "ZipRun.h"

#include "ZipErrorText.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QHash>
#include <QRegularExpression>

#include <cstdlib>
#include <cstring>

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
    const bool deleting = m_options.deleteEntries != 0;
    if (m_options.encrypt && !deleting)
        if (const Result result = askPassword(); result != ZipLibrary::Ok)
            return result;
    if (const Result result = open(); result != ZipLibrary::Ok)
        return result;
    if (const Result result = deleting ? deleteEntries() : addFiles(); result != ZipLibrary::Ok)
        return result;
    if (m_options.askComment)
        if (const Result result = askComment(); result != ZipLibrary::Ok)
            return result;
    return close();
}

Result ZipRun::askPassword()
{
    // Asked twice, the second time for confirmation, as a mistyped password
    // would lock the archive for good.
    char first[ZipLibrary::passwordBufferSize] = {};
    char second[ZipLibrary::passwordBufferSize] = {};
    const QByteArray archive = m_archive.toUtf8();
    const int32_t max = ZipLibrary::maxPasswordLength;
    const auto ask = [&](char *buffer, const char *prompt) {
        return m_callbacks.password(buffer, max, prompt, archive.constData()) == 0;
    };
    if (!m_callbacks.password || !ask(first, "Enter password: ") ||
        !ask(second, "Verify password: "))
        return ZipLibrary::Cancelled;
    m_password = QByteArray(first, qstrnlen(first, max));
    if (m_password.isEmpty() || m_password != QByteArray(second, qstrnlen(second, max)))
        return fail(ZipLibrary::BadPassword, QStringLiteral("password verification failed"));
    return ZipLibrary::Ok;
}

Result ZipRun::open()
{
    // Deleting and freshening work on entries that must already be there;
    // updating and appending add to the archive; anything else replaces it.
    int flags = ZIP_CREATE | ZIP_TRUNCATE;
    if (m_options.deleteEntries || m_options.freshen)
        flags = 0;
    else if (m_options.allowAppend || m_options.update)
        flags = ZIP_CREATE;
    int error = 0;
    m_zip.reset(zip_open(QFile::encodeName(m_archive).constData(), flags, &error));
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
    if (zip_get_num_entries(m_zip.get(), 0) == 0 && m_staged.empty())
        return fail(ZipLibrary::NothingToDo, QStringLiteral("nothing to do"));
    return ZipLibrary::Ok;
}

Result ZipRun::stage(const ZipFileFinder::Item &item)
{
    const QByteArray entry = item.entry.toUtf8();
    const zip_int64_t existing = zip_name_locate(m_zip.get(), entry.constData(), 0);
    if (existing < 0 && m_options.freshen) {
        printVerbose(QStringLiteral("skipping: %1 (not in archive)").arg(item.entry));
        return ZipLibrary::Ok;
    }
    if (existing >= 0 && item.folder)
        return ZipLibrary::Ok;
    if (existing >= 0 && (m_options.update || m_options.freshen) && !isNewer(item.path, existing)) {
        printVerbose(QStringLiteral("skipping: %1 (not newer)").arg(item.entry));
        return ZipLibrary::Ok;
    }
    if (cancelled(entry))
        return ZipLibrary::Cancelled;
    const QString action = existing >= 0 ? QStringLiteral("updating") : QStringLiteral("  adding");
    const QString method = item.folder ? QStringLiteral("stored") : QStringLiteral("deflated");
    print(QStringLiteral("%1: %2 (%3)").arg(action, item.entry, method));
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
        zip_file_set_mtime(zip, index, modified, 0) ||
        (!m_password.isEmpty() &&
         zip_file_set_encryption(zip, index, ZIP_EM_AES_256, m_password.constData())))
        return fail(ZipLibrary::WriteFailed, staged.path + QStringLiteral(": ") + zip_strerror(zip));
    return ZipLibrary::Ok;
}

Result ZipRun::deleteEntries()
{
    zip_t *zip = m_zip.get();
    for (const QString &name : m_names) {
        const auto pattern = QRegularExpression::fromWildcard(name, Qt::CaseInsensitive);
        bool matched = false;
        const zip_int64_t count = zip_get_num_entries(zip, 0);
        for (zip_int64_t index = 0; index < count; ++index) {
            const char *entry = zip_get_name(zip, index, 0); // null once deleted
            if (!entry || !pattern.match(QString::fromUtf8(entry)).hasMatch())
                continue;
            matched = true;
            if (cancelled(entry))
                return ZipLibrary::Cancelled;
            print(QStringLiteral("deleting: ") + QString::fromUtf8(entry));
            zip_delete(zip, index);
        }
        if (!matched)
            return fail(ZipLibrary::NameNotMatched, QStringLiteral("name not matched: ") + name);
    }
    return ZipLibrary::Ok;
}

Result ZipRun::askComment()
{
    char buffer[ZipLibrary::commentBufferSize] = {};
    if (!m_callbacks.comment || m_callbacks.comment(buffer))
        return ZipLibrary::Cancelled;
    const auto length = static_cast<zip_uint16_t>(qstrnlen(buffer, sizeof buffer - 1));
    if (zip_set_archive_comment(m_zip.get(), buffer, length))
        return fail(ZipLibrary::WriteFailed, QString::fromUtf8(zip_strerror(m_zip.get())));
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

bool ZipRun::isNewer(const QString &path, zip_uint64_t index) const
{
    zip_stat_t entry;
    zip_stat_init(&entry);
    if (zip_stat_index(m_zip.get(), index, 0, &entry) || !(entry.valid & ZIP_STAT_MTIME))
        return true;
    // Entries keep their time in steps of two seconds, rounded down: the
    // file's time is rounded alike, or an unchanged file would look newer.
    const qint64 modified = QFileInfo(path).lastModified().toSecsSinceEpoch();
    return modified / 2 * 2 > entry.mtime;
}

// Runs on the thread that deflates the file, if any.
zip_source_t *ZipRun::source(zip_t *zip, const QString &path) const
{
    if (!m_options.crlfToLf && !m_options.lfToCrlf)
        return zip_source_file(zip, QFile::encodeName(path).constData(), 0, 0);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return nullptr;
    const QByteArray bytes = convertLineEnds(file.readAll());
    // libzip reads the buffer at zip_close and frees it then.
    void *copy = std::malloc(bytes.size());
    std::memcpy(copy, bytes.constData(), bytes.size());
    zip_source_t *data = zip_source_buffer(zip, copy, bytes.size(), 1);
    if (!data)
        std::free(copy);
    return data;
}

QByteArray ZipRun::convertLineEnds(QByteArray bytes) const
{
    // A NUL byte marks a binary file, whose bytes must stay as they are.
    if (bytes.contains('\0'))
        return bytes;
    if (m_options.crlfToLf)
        bytes.replace("\r\n", "\n");
    if (!m_options.lfToCrlf)
        return bytes;
    QByteArray converted;
    converted.reserve(bytes.size() + bytes.count('\n'));
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\n' && (i == 0 || bytes[i - 1] != '\r'))
            converted += '\r';
        converted += bytes[i];
    }
    return converted;
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
