#pragma once

#include "ZipOptionRecord.h"

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>

// Builds a zip archive from a list of file names and patterns
// through the zip library (ZipLibrary.h), keeping the settings in the
// library's option record and turning its callbacks into events (see mZip).
// Runs happen on the caller's thread and never overlap.
class cZip : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QString ZipFile READ ZipFile WRITE setZipFile)
    Q_PROPERTY(QString BasePath READ BasePath WRITE setBasePath)
    Q_PROPERTY(bool IncludeSystemAndHiddenFiles READ IncludeSystemAndHiddenFiles WRITE
                   setIncludeSystemAndHiddenFiles)
    Q_PROPERTY(bool StoreDirectories READ StoreDirectories WRITE setStoreDirectories)
    Q_PROPERTY(bool StoreFolderNames READ StoreFolderNames WRITE setStoreFolderNames)
    Q_PROPERTY(bool RecurseSubDirs READ RecurseSubDirs WRITE setRecurseSubDirs)
    Q_PROPERTY(int MessageLevel READ MessageLevel WRITE setMessageLevel)
    Q_PROPERTY(int FileSpecCount READ FileSpecCount)
    Q_PROPERTY(bool Success READ Success)

public:
    static constexpr int maxFileSpecs = 1022;

    explicit cZip(QObject *parent = nullptr);

    QString ZipFile() const { return m_zipFile; }
    void setZipFile(const QString &sFileName) { m_zipFile = sFileName; }
    QString BasePath() const { return m_basePath; }
    void setBasePath(const QString &sBasePath);
    bool IncludeSystemAndHiddenFiles() const { return m_options.systemAndHidden; }
    void setIncludeSystemAndHiddenFiles(bool bState) { m_options.systemAndHidden = bState; }
    bool StoreDirectories() const { return !m_options.noFolderEntries; }
    void setStoreDirectories(bool bState) { m_options.noFolderEntries = !bState; }
    bool StoreFolderNames() const { return !m_options.noFolderNames; }
    void setStoreFolderNames(bool bState) { m_options.noFolderNames = !bState; }
    bool RecurseSubDirs() const { return m_options.recurse != 0; }
    void setRecurseSubDirs(bool bState);
    // 0 verbose, 1 quiet, 2 neither; any other level is ignored.
    int MessageLevel() const;
    void setMessageLevel(int eLevel);

    int FileSpecCount() const { return static_cast<int>(m_fileSpecs.size()); }
    // The file name numbered nIndex, from 1; outside 1 to FileSpecCount
    // it sets *error and returns an empty text.
    QString FileSpec(int nIndex, QString *error) const;
    // True when the library reported success for the last Zip.
    bool Success() const { return m_lastResult == 0; }

    void ClearFileSpecs() { m_fileSpecs.clear(); }
    int AddFileSpec(const QString &sSpec);

    // False, with *error set, when the run cannot start (more than
    // maxFileSpecs file names, a BasePath that is no folder, another run
    // in progress); Success() then keeps reporting true. Otherwise true, and
    // Success() tells the library's verdict.
    bool Zip(QString *error);

    const ZipOptionRecord &optionRecord() const { return m_options; }
    // The texts behind the record's handles, handle n being text n - 1.
    QList<QByteArray> optionTexts() const;

signals:
    void Cancel(const QString &sMsg, bool *bCancel);
    void Progress(int lCount, const QString &sMsg);

private:
    ZipOptionRecord m_options;
    QString m_basePath; // the text behind m_options.basePath
    QString m_zipFile;
    QStringList m_fileSpecs;
    int32_t m_lastResult = 0;
};
