#include "ZipReader.h"

#include "ZipErrorText.h"

#include <QFile>

bool ZipReader::open(const QString &archive, QString *error)
{
    int code = 0;
    m_zip.reset(zip_open(QFile::encodeName(archive).constData(), ZIP_RDONLY, &code));
    if (!m_zip)
        *error = zipErrorText(code);
    return m_zip != nullptr;
}

QStringList ZipReader::entries() const
{
    QStringList names;
    const zip_int64_t count = zip_get_num_entries(m_zip.get(), 0);
    for (zip_int64_t index = 0; index < count; ++index)
        names << QString::fromUtf8(zip_get_name(m_zip.get(), index, 0));
    return names;
}

qint64 ZipReader::declaredSize(const QString &entry) const
{
    zip_stat_t stat;
    zip_stat_init(&stat);
    if (zip_stat(m_zip.get(), entry.toUtf8().constData(), ZIP_FL_ENC_GUESS, &stat) != 0 ||
        !(stat.valid & ZIP_STAT_SIZE))
        return -1;
    return qint64(stat.size);
}

bool ZipReader::extract(const QString &entry, const QString &path, QString *error) const
{
    const qint64 declared = declaredSize(entry);
    // libzip compares the CRC once the last byte is read, and fails that read.
    zip_file_t *file = zip_fopen(m_zip.get(), entry.toUtf8().constData(), ZIP_FL_ENC_GUESS);
    QFile target(path);
    if (!file || !target.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        *error = file ? target.errorString() : QString::fromUtf8(zip_strerror(m_zip.get()));
        if (file)
            zip_fclose(file);
        return false;
    }
    QByteArray buffer(1 << 16, Qt::Uninitialized);
    zip_int64_t read = 0;
    qint64 written = 0;
    bool tooLong = false;
    while ((read = zip_fread(file, buffer.data(), buffer.size())) > 0) {
        // An entry that inflates past what it declares may be a bomb: the
        // writing stops before it fills the disk.
        written += read;
        if ((tooLong = written > declared))
            break;
        if (target.write(buffer.constData(), read) != read)
            break;
    }
    if (tooLong)
        *error = QStringLiteral("it unpacks to more than the %1 bytes it declares").arg(declared);
    else if (read < 0)
        *error = QString::fromUtf8(zip_error_strerror(zip_file_get_error(file)));
    else if (read > 0 || !target.flush())
        *error = target.errorString();
    zip_fclose(file);
    return read == 0 && target.error() == QFileDevice::NoError;
}
