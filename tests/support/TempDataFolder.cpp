#include "TempDataFolder.h"

#include <QDirIterator>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

namespace {

template <class Use> void withDatabase(const QString &path, Use use)
{
    const QString name = QStringLiteral("test-connection");
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(path);
        if (!db.open())
            qFatal("%s: %s", qPrintable(path), qPrintable(db.lastError().text()));
        QSqlQuery query(db);
        use(query);
    }
    QSqlDatabase::removeDatabase(name);
}

} // namespace

TempDataFolder::TempDataFolder(bool installed)
{
    QString error;
    if (installed && !folder().install(&error))
        qFatal("could not install a data folder: %s", qPrintable(error));
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

void TempDataFolder::damageFirstTable(const QString &database) const
{
    QByteArray file = bytes(database);
    const auto word = [&](int at) { return quint8(file[at]) << 8 | quint8(file[at + 1]); };
    const int cellPointer = word(16) + 8; // on page 2, the table's root, after its header
    const int cell = word(cellPointer) + 1;
    file[cellPointer] = char(cell >> 8);
    file[cellPointer + 1] = char(cell);
    writeBytes(database, file);
}

QMap<QString, QByteArray> TempDataFolder::snapshot() const
{
    QMap<QString, QByteArray> files;
    QDirIterator it(path(), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString name = QDir(path()).relativeFilePath(it.next());
        files.insert(name, bytes(name));
    }
    return files;
}

void TempDataFolder::execute(const QString &database, const QString &statement) const
{
    withDatabase(filePath(database), [&](QSqlQuery &query) {
        if (!query.exec(statement))
            qFatal("%s: %s", qPrintable(statement), qPrintable(query.lastError().text()));
    });
}

QVariant TempDataFolder::value(const QString &database, const QString &statement) const
{
    QVariant value;
    withDatabase(filePath(database), [&](QSqlQuery &query) {
        if (!query.exec(statement))
            qFatal("%s: %s", qPrintable(statement), qPrintable(query.lastError().text()));
        if (query.next())
            value = query.value(0);
    });
    return value;
}

QList<QVariantList> TempDataFolder::rows(const QString &database, const QString &statement) const
{
    QList<QVariantList> rows;
    withDatabase(filePath(database), [&](QSqlQuery &query) {
        if (!query.exec(statement))
            qFatal("%s: %s", qPrintable(statement), qPrintable(query.lastError().text()));
        while (query.next()) {
            QVariantList row;
            for (int i = 0; i < query.record().count(); ++i)
                row << (query.isNull(i) ? QVariant() : query.value(i));
            rows << row;
        }
    });
    return rows;
}

double TempDataFolder::storedSum(const QString &table) const
{
    return value(table + QStringLiteral(".mdb"),
                 QStringLiteral("SELECT total(%1Amount) FROM %1").arg(table))
        .toDouble();
}

int TempDataFolder::storedCount(const QString &table) const
{
    return value(table + QStringLiteral(".mdb"), QStringLiteral("SELECT count(*) FROM %1").arg(table))
        .toInt();
}
