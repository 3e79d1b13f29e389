#pragma once

#include <QDir>
#include <QString>
#include <QStringList>

// The folder that holds the seven data files, read once at start-up and
// handed to everything that reads or writes them. A folder with none of the
// files is a fresh installation; a folder with only some has lost data, and
// nothing may paper over that.
class DataFolder
{
public:
    static inline const QString defaultPassword = QStringLiteral("bramblewood");

    explicit DataFolder(const QString &path) : m_dir(path) {}

    QString path() const { return m_dir.path(); }
    QString filePath(const QString &name) const { return m_dir.filePath(name); }

    QStringList missingFiles() const;

    // Creates all seven files, or none: the three databases with their empty
    // tables, the default password, a balance of 0 and two empty name lists.
    bool install(QString *error) const;

private:
    QDir m_dir;
};
