#include "DataFolder.h"

#include "DataFiles.h"
#include "Schema.h"
#include "SideFile.h"

#include <QFile>

QStringList DataFolder::missingFiles() const
{
    QStringList missing;
    for (const QString &name : DataFiles::all())
        if (!QFile::exists(filePath(name)))
            missing << name;
    return missing;
}

bool DataFolder::install(QString *error) const
{
    // The databases are built under work names and renamed last, so that an
    // installation that fails half way leaves the folder as it found it.
    const struct {
        QString name;
        QStringList statements;
    } databases[] = {{DataFiles::customers, Schema::customers()},
                     {DataFiles::income, Schema::income()},
                     {DataFiles::expense, Schema::expense()}};
    const struct {
        QString name;
        QString value;
    } sideFiles[] = {{DataFiles::password, defaultPassword},
                     {DataFiles::balance, QStringLiteral("0")},
                     {DataFiles::incomeNames, QString()},
                     {DataFiles::expenseNames, QString()}};

    QStringList created;
    auto undo = [&] {
        for (const QString &path : created)
            QFile::remove(path);
        return false;
    };
    for (const auto &db : databases) {
        const QString work = filePath(db.name + QStringLiteral(".install"));
        QFile::remove(work);
        if (!Schema::create(work, db.statements, error))
            return undo();
        created << work;
    }
    for (const auto &file : sideFiles) {
        const QString path = filePath(file.name);
        if (!SideFile::write(path, file.value, error))
            return undo();
        created << path;
    }
    for (const auto &db : databases) {
        const QString work = filePath(db.name + QStringLiteral(".install"));
        const QString path = filePath(db.name);
        if (!QFile::rename(work, path)) {
            *error = QStringLiteral("%1 could not be created.").arg(path);
            return undo();
        }
        created.replace(created.indexOf(work), path);
    }
    return true;
}
