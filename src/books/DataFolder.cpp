#include "DataFolder.h"

#include "DataFiles.h"
#include "PostgresEngine.h"
#include "Schema.h"
#include "SideFile.h"
#include "SqliteEngine.h"

#include <QFile>
#include <QList>
#include <algorithm>

namespace {

struct NewDatabase {
    QString name, table;
    QStringList statements;
};

struct FirstContent {
    QString name, value;
};

QList<NewDatabase> databases()
{
    return {{DataFiles::customers, QStringLiteral("Customers"), Schema::customers()},
            {DataFiles::income, QStringLiteral("Income"), Schema::income()},
            {DataFiles::expense, QStringLiteral("Expense"), Schema::expense()}};
}

QList<FirstContent> sideFiles()
{
    return {{DataFiles::password, DataFolder::defaultPassword},
            {DataFiles::balance, QStringLiteral("0")},
            {DataFiles::incomeNames, QString()},
            {DataFiles::expenseNames, QString()}};
}

QString workName(const QString &database)
{
    return database + QStringLiteral(".install");
}

} // namespace

DataFolder DataFolder::onServer(const QString &address) const
{
    DataFolder folder = *this;
    folder.m_server = address;
    return folder;
}

Database DataFolder::database(const QString &fileName) const
{
    const bool kept = fileName == DataFiles::customers || fileName == DataFiles::income ||
                      fileName == DataFiles::expense;
    if (isOnServer() && kept)
        return PostgresEngine::server(m_server, *m_faults);
    return SqliteEngine::file(filePath(fileName), *m_faults);
}

QStringList DataFolder::missingFiles() const
{
    QStringList missing;
    for (const QString &name : DataFiles::all())
        if (!QFile::exists(filePath(name)))
            missing << name;
    return missing;
}

bool DataFolder::hasUnfinishedInstallation() const
{
    const QList<NewDatabase> all = databases();
    const auto leftOver = [this](const NewDatabase &db) {
        return QFile::exists(filePath(workName(db.name)));
    };
    if (std::none_of(all.begin(), all.end(), leftOver))
        return false;
    for (const NewDatabase &db : all)
        if (QFile::exists(filePath(db.name)) && !Schema::isEmpty(database(db.name), db.table))
            return false;
    for (const FirstContent &file : sideFiles()) {
        const QString path = filePath(file.name);
        QString error;
        if (QFile::exists(path) &&
            SideFile::read(path, &error) != file.value + QStringLiteral("\r\n"))
            return false;
    }
    return true;
}

bool DataFolder::install(QString *error) const
{
    // The databases are built under work names, the side files written, and
    // the databases renamed last. Until the last rename at least one work file
    // is there, and every data file present is as the installation made it,
    // so that a start after a crash or a failure sees the installation as
    // unfinished and runs it again, replacing only what it made itself.
    for (const NewDatabase &db : databases()) {
        const QString work = filePath(workName(db.name));
        QFile::remove(work);
        QFile::remove(work + QStringLiteral("-journal"));
        if (!Schema::create(database(workName(db.name)), db.statements, error))
            return false;
    }
    for (const FirstContent &file : sideFiles())
        if (!SideFile::write(disk(), filePath(file.name), file.value, error))
            return false;
    for (const NewDatabase &db : databases())
        if (!disk().replace(filePath(workName(db.name)), filePath(db.name), error))
            return false;
    return true;
}
