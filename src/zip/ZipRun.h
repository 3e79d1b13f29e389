#pragma once

#include "DeflatedFile.h"
#include "ZipFileFinder.h"
#include "ZipLibrary.h"

#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <zip.h>

#include <memory>
#include <vector>

// One ZpArchive call: builds one archive through libzip. Every file is
// staged first and written at the end by zip_close, which writes a temporary
// file and renames it over the archive; any failure
// or cancel before that discards the staged files, so the archive on disk
// is either the old one or the complete new one. The files are deflated side
// by side, each on a thread of its own, from the moment they are staged.
class ZipRun
{
public:
    ZipRun(const ZipCallbacks &callbacks, const ZipOptionRecord &options, const QString &archive,
           const QStringList &names);

    ZipLibrary::Result run();

private:
    struct Discard
    {
        void operator()(zip_t *zip) const { zip_discard(zip); }
    };

    ZipLibrary::Result open();
    ZipLibrary::Result addFiles();
    ZipLibrary::Result stage(const ZipFileFinder::Item &item);
    // A file or folder to be added at the end.
    struct Staged {
        QString path;
        QByteArray entry;
        bool folder;
        std::unique_ptr<DeflatedFile> deflated; // null: deflated as the archive is written
    };

    ZipLibrary::Result addFolder(const QString &path, const QByteArray &entry);
    ZipLibrary::Result addFile(const QString &path, const QByteArray &entry);
    ZipLibrary::Result addStaged(const Staged &staged);
    ZipLibrary::Result close();

    bool isArchive(const QString &path) const;
    zip_source_t *source(zip_t *zip, const QString &path) const;
    bool cancelled(const QByteArray &entry) const;
    ZipLibrary::Result fail(ZipLibrary::Result result, const QString &why) const;
    void print(const QString &text) const;
    void printVerbose(const QString &text) const;

    ZipCallbacks m_callbacks;
    ZipOptionRecord m_options;
    QString m_archive;
    QString m_archiveFile; // canonical path of an existing archive, so that it is not packed
    QStringList m_names;
    std::unique_ptr<QTemporaryDir> m_scratch; // where the files are deflated, made with the first
    std::vector<Staged> m_staged;
    // Last, so that it is discarded before the deflated files it may still take from.
    std::unique_ptr<zip_t, Discard> m_zip;
};
