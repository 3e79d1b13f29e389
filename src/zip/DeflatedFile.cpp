#include "DeflatedFile.h"

#include "ZipErrorText.h"

#include <QFile>
#include <QtConcurrent>

namespace {

QString deflate(const QString &scratchPath, const DeflatedFile::Source &source)
{
    int code = 0;
    zip_t *packer = zip_open(QFile::encodeName(scratchPath).constData(), ZIP_CREATE | ZIP_TRUNCATE, &code);
    if (!packer)
        return zipErrorText(code);
    zip_source_t *data = source(packer);
    if (!data) {
        zip_discard(packer);
        return QStringLiteral("it could not be read");
    }
    const zip_int64_t index = zip_file_add(packer, "deflated", data, 0);
    if (index < 0)
        zip_source_free(data);
    if (index < 0 || zip_set_file_compression(packer, zip_uint64_t(index), ZIP_CM_DEFLATE, DeflatedFile::bestCompression) ||
        zip_close(packer)) {
        const QString error = QString::fromUtf8(zip_strerror(packer));
        zip_discard(packer);
        return error;
    }
    return {};
}

} // namespace

DeflatedFile::DeflatedFile(const QString &scratchPath, Source source)
    : m_scratchPath(scratchPath),
      m_deflating(QtConcurrent::run(deflate, scratchPath, std::move(source)))
{
}

DeflatedFile::~DeflatedFile()
{
    m_deflating.waitForFinished();
    if (m_packed)
        zip_discard(m_packed);
}

zip_source_t *DeflatedFile::sourceFor(zip_t *archive, QString *error)
{
    *error = m_deflating.result();
    if (!error->isEmpty())
        return nullptr;
    int code = 0;
    m_packed = zip_open(QFile::encodeName(m_scratchPath).constData(), ZIP_RDONLY, &code);
    if (!m_packed) {
        *error = zipErrorText(code);
        return nullptr;
    }
    // Taken whole, the entry's bytes are copied still deflated, with their CRC.
    zip_source_t *data = zip_source_zip(archive, m_packed, 0, ZIP_FL_COMPRESSED, 0, -1);
    if (!data)
        *error = QString::fromUtf8(zip_strerror(archive));
    return data;
}
