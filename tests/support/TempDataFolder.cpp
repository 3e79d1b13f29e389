#include "TempDataFolder.h"

#include "DataFolder.h"

#include <QFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTest>

TempDataFolder::TempDataFolder(bool installed) : m_previous(QDir::currentPath())
{
    QDir::setCurrent(m_dir.path());
    QString error;
    if (installed && !DataFolder::install(QDir(m_dir.path()), &error))
        qFatal("could not install a data folder: %s", qPrintable(error));
}

TempDataFolder::~TempDataFolder()
{
    QDir::setCurrent(m_previous);
}

QByteArray TempDataFolder::bytes(const QString &name) const
{
    QFile file(filePath(name));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

void TempDataFolder::writeBytes(const QString &name, const QByteArray &bytes) const
{
    QFile file(filePath(name));
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("could not write %s", qPrintable(name));
}

void TempDataFolder::execute(const QString &database, const QString &statement) const
{
    const QString name = QStringLiteral("test-execute");
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(filePath(database));
        if (!db.open())
            qFatal("%s: %s", qPrintable(database), qPrintable(db.lastError().text()));
        QSqlQuery query(db);
        if (!query.exec(statement))
            qFatal("%s: %s", qPrintable(statement), qPrintable(query.lastError().text()));
    }
    QSqlDatabase::removeDatabase(name);
}
