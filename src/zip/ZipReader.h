#pragma once

#include <QString>
#include <QStringList>

#include <zip.h>

#include <memory>

// Reads a zip archive: the names of its entries, the sizes they declare, and
// each entry's bytes, checked against the CRC and the size the archive keeps
// for them. Archives that other tools write with their sizes after the data
// (bsdtar) are read too: the checks of each entry's bytes stand in for the
// archive-wide comparison of its headers.
class ZipReader
{
public:
    // False, with the error, when the file is no zip archive or its
    // directory cannot be read (a truncated or damaged file).
    bool open(const QString &archive, QString *error);

    // In the archive's order.
    QStringList entries() const;
    // What the entry declares it holds once inflated; -1 when it cannot say.
    qint64 declaredSize(const QString &entry) const;

    // Writes the entry's bytes into the file at path. False when they cannot
    // be read whole, do not match their CRC, or run past their declared size
    // (which stops the writing there).
    bool extract(const QString &entry, const QString &path, QString *error) const;

private:
    struct Close {
        void operator()(zip_t *zip) const { zip_discard(zip); }
    };
    std::unique_ptr<zip_t, Close> m_zip;
};
