#pragma once

#include <QFileInfo>
#include <QList>
#include <QRegularExpression>
#include <QString>

// Turns one name given to the zip library (a file, a folder or a wildcard
// pattern, relative to the current folder or absolute) into the files and
// folders it stands for, with the names their entries get.
class ZipFileFinder
{
public:
    struct Options
    {
        bool recurse = false;
        bool hidden = false;        // take dot-files and dot-folders found by a search
        bool folderNames = false;   // entries carry their folders
        bool folderEntries = false; // folders get entries of their own
    };

    struct Item
    {
        QString path;  // as found, for reading the file
        QString entry; // folder entries end with "/"
        bool folder = false;
    };

    explicit ZipFileFinder(const Options &options) : m_options(options) {}

    // False when the name stands for nothing at all.
    bool find(const QString &name, QList<Item> *items) const;

private:
    void search(const QString &folder, const QRegularExpression &pattern, QList<Item> *items,
                bool *matched) const;
    void take(const QString &path, bool folder, QList<Item> *items) const;
    QFileInfoList listing(const QString &folder) const;
    QString entryName(const QString &path) const;

    Options m_options;
};
