#pragma once

#include <QFuture>
#include <QString>

#include <zip.h>

#include <functional>

// One file deflated at best compression by a worker, into an
// archive of one entry at the path given, so that the files of an archive
// are compressed side by side. The archive being written then takes the
// deflated bytes as they are, without deflating them again.
class DeflatedFile
{
public:
    // The file's bytes as a source for the archive given.
    using Source = std::function<zip_source_t *(zip_t *archive)>;
    static constexpr zip_uint32_t bestCompression = 9;

    DeflatedFile(const QString &scratchPath, Source source);
    ~DeflatedFile();
    DeflatedFile(const DeflatedFile &) = delete;
    DeflatedFile &operator=(const DeflatedFile &) = delete;

    // Waits for the deflating. The deflated entry as a source for `archive`,
    // which must be written or discarded before this goes; null, with the
    // error, when the file could not be read or deflated.
    zip_source_t *sourceFor(zip_t *archive, QString *error);

private:
    QString m_scratchPath;
    QFuture<QString> m_deflating; // the error, empty when deflated
    zip_t *m_packed = nullptr;        // the scratch archive, open for reading
};
