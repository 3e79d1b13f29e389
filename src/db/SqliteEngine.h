#pragma once

#include "Database.h"
#include "Engine.h"

// SQLite, the engine of a data folder's database files: a database is named
// by its file's path. Connections use the rollback journal and flush every
// commit to the disk; they wait five seconds for another program's lock.
class SqliteEngine final : public Engine
{
public:
    static const SqliteEngine &instance();
    // The database file at path.
    static Database file(const QString &path, Faults &faults = Faults::none());

    QString missing(const QString &database) const override;
    bool open(const QString &connection, const QString &database, Access access,
              QString *error) const override;
    void remove(const QString &database) const override;
    bool isLost(const QSqlDatabase &db) const override;
    bool isReadOnly(const QString &database) const override;
    QString displayName(const QString &database) const override;
    std::unique_ptr<RowReader> reader(const QString &database) const override;
    QThreadPool *tableReads() const override;
    qint64 sizeBound(const QString &database) const override;

    QString rowId() const override;
    bool columns(const QSqlDatabase &db, const QString &table, QList<TableColumn> *columns,
                 QString *error) const override;
    bool objects(const QSqlDatabase &db, QList<SchemaObject> *objects, QString *error) const override;
    bool isOwn(const SchemaObject &object) const override;
    bool changeCount(const QSqlDatabase &db, qint64 *count, QString *error) const override;
    bool announce(const QSqlDatabase &db, const QString &table, std::optional<qint64> rowid,
                  QString *error) const override;
    bool listen(const QSqlDatabase &db) const override;
    bool holdWrites(const QSqlDatabase &db, QString *error) const override;
    bool check(const QSqlDatabase &db, QString *damage, QString *error) const override;
    QString checkName() const override;
    bool compactInto(const QSqlDatabase &db, const QString &copy, QString *error) const override;
    std::optional<qint64> nextKey(const QSqlDatabase &db, const QString &table) const override;
    bool continueKeys(const QSqlDatabase &db, const QString &table, const QString &key, qint64 last,
                      QString *error) const override;
};
