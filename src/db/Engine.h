#pragma once

#include <QList>
#include <QString>
#include <memory>
#include <optional>

class QSqlDatabase;
class QThreadPool;
class RowReader;

// A column as the database declares it.
struct TableColumn {
    QString name;
    QString type;
    bool key = false; // the number the table gives each row
};

// What a database's catalog lists: a table, an index, a view or a trigger.
struct SchemaObject {
    QString type, name;
};

// The database engine that keeps the books' databases: everything in which
// one engine differs from another. Connection, RowReader and the classes over
// them speak to it alone, so that a second engine can sit beside SQLite
// without the rest of the program knowing which one it talks to. A database
// is named as the engine names it (for SQLite, the file's path).
class Engine
{
public:
    enum class Access { ReadWrite, ReadOnly, Create };

    virtual ~Engine() = default;

    // Why the database cannot be found; empty when it is there.
    virtual QString missing(const QString &database) const = 0;
    // Opens the Qt SQL connection of the given name to the database, which
    // is there unless it is to be created. An existing database the user
    // made read-only opens for reading alone.
    virtual bool open(const QString &connection, const QString &database, Access access,
                      QString *error) const = 0;
    // Removes a database whose making failed.
    virtual void remove(const QString &database) const = 0;
    // The connection was lost: the server went away or dropped it.
    virtual bool isLost(const QSqlDatabase &db) const = 0;
    // Read-only as the user set it.
    virtual bool isReadOnly(const QString &database) const = 0;
    // The database as messages name it.
    virtual QString displayName(const QString &database) const = 0;
    // A connection of its own for reading rows in bulk.
    virtual std::unique_ptr<RowReader> reader(const QString &database) const = 0;
    // The threads on which a table's rows are read while the window shows.
    virtual QThreadPool *tableReads() const = 0;
    // About how many bytes of text the database holds at most.
    virtual qint64 sizeBound(const QString &database) const = 0;

    // The expression that names a row for as long as it is in its table.
    virtual QString rowId() const = 0;
    virtual bool columns(const QSqlDatabase &db, const QString &table, QList<TableColumn> *columns,
                         QString *error) const = 0;
    virtual bool objects(const QSqlDatabase &db, QList<SchemaObject> *objects,
                         QString *error) const = 0;
    // The engine's own bookkeeping, which any of its databases may hold.
    virtual bool isOwn(const SchemaObject &object) const = 0;
    // Grows whenever another connection commits a change.
    virtual bool changeCount(const QSqlDatabase &db, qint64 *count, QString *error) const = 0;
    // Inside a transaction: tells every desk listening (listen) that the
    // row of the table with the given id changed, or without one that the
    // whole table did, once the transaction commits.
    virtual bool announce(const QSqlDatabase &db, const QString &table, std::optional<qint64> rowid,
                          QString *error) const = 0;
    // Has the connection's driver signal the desks' notices
    // (QSqlDriver::notification, with the table and any row id, a space
    // between, as payload). False where the engine has none: another
    // program's changes show at Refresh.
    virtual bool listen(const QSqlDatabase &db) const = 0;
    // Keeps every other connection from committing until this one's
    // transaction ends; waits a few seconds for one that is writing.
    virtual bool holdWrites(const QSqlDatabase &db, QString *error) const = 0;
    // Reads the whole database: empty when it is sound, else what is damaged.
    virtual bool check(const QSqlDatabase &db, QString *damage, QString *error) const = 0;
    // That check, as a message names it.
    virtual QString checkName() const = 0;
    // A compacted copy of the whole database, made as the new database `copy`.
    virtual bool compactInto(const QSqlDatabase &db, const QString &copy, QString *error) const = 0;
    // The number the table gives its next row, where it numbers them.
    virtual std::optional<qint64> nextKey(const QSqlDatabase &db, const QString &table) const = 0;
    // Has the table number its next rows after `last`, or after its highest
    // number, whichever is larger.
    virtual bool continueKeys(const QSqlDatabase &db, const QString &table, const QString &key,
                              qint64 last, QString *error) const = 0;
};
