#pragma once

#include "Connection.h"

#include <QMap>
#include <QString>
#include <QVariant>

// Figures of one database, read through a connection of its own. Read-only
// unless asked otherwise, so that a damaged database stays as it is.
class TableFigures
{
public:
    explicit TableFigures(const Database &database, Engine::Access access = Engine::Access::ReadOnly)
        : m_connection(database, access)
    {
    }

    bool open(QString *error) { return m_connection.open(error); }
    // Runs `work` in one read transaction: whatever it reads, or copies of
    // the database by other means, is of one moment.
    bool heldStill(const std::function<bool(QString *error)> &work, QString *error);
    // A compacted copy of the whole database, made as the new database `copy`.
    bool compactInto(const QString &copy, QString *error) const;
    // Reads the whole database: empty when it is sound, else what is damaged.
    bool check(QString *damage, QString *error) const;
    bool count(const QString &table, qint64 *rows, QString *error) const;
    // Every table's rows, by the table's name.
    bool countAll(QMap<QString, qint64> *rows, QString *error) const;
    // The sum of a column, 0 for no rows.
    bool total(const QString &table, const QString &column, double *sum, QString *error) const;
    // The largest value of a column, null for no rows.
    bool largest(const QString &table, const QString &column, QVariant *value, QString *error) const;

private:
    bool value(const QString &query, QVariant *value, QString *error) const;

    Connection m_connection;
};
