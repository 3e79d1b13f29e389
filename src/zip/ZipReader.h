#pragma once

#include <QString>
#include <QStringList>

#include <zip.h>

#include <memory>

// Reads a zip archive: the names of its entries, and each entry's bytes,
// checked against the CRC the archive keeps for them.
class ZipReader
{
public:
    // False, with the error, when the file is no zip archive or its
    // directory does not match its entries (a truncated or damaged file).
    bool open(const QString &archive, QString *error);

    // In the archive's order.
    QStringList entries() const;

    // Writes the entry's bytes into the file at path. False when they cannot
    // be read whole or do not match their CRC.
    bool extract(const QString &entry, const QString &path, QString *error) const;

private:
    struct Close {
        void operator()(zip_t *zip) const { zip_discard(zip); }
    };
    std::unique_ptr<zip_t, Close> m_zip;
};
