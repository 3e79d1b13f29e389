#pragma once

#include <QList>
#include <QStringList>
#include <QVariant>
#include <QVariantHash>
#include <optional>
#include <vector>

class Connection;
class QSqlQuery;

// The SQL behind a recordset: one table, named by a row source that is the
// table's name or a query "SELECT * FROM <table> ...". Rows are addressed by
// the engine's row id (Engine::rowId); an INTEGER PRIMARY KEY is assigned by
// the database.
class TableRows
{
public:
    explicit TableRows(Connection &connection) : m_connection(connection) {}

    bool describe(const QString &rowSource, QString *error);
    const QString &table() const { return m_table; }
    bool isAssigned(const QString &field) const { return m_assignedFields.contains(field); }

    // The query of the rowids in the row source's order; empty when it gives
    // none, and the table's own order stands.
    const QString &orderSql() const { return m_orderSql; }
    bool hasOrder() const { return !m_orderSql.isEmpty(); }

    bool readRow(qint64 rowid, const QStringList &columns, QList<QVariant> *values, QString *error);
    // The same, where a row that is gone is no failure: the values are then none.
    bool readRowIfThere(qint64 rowid, const QStringList &columns, std::optional<QList<QVariant>> *values,
                        QString *error);
    bool insert(const QVariantHash &values, qint64 *rowid, QString *error);
    // A row as it was read: its columns, the row id first, and their values.
    struct RowAsRead {
        QStringList columns;
        QList<QVariant> values;
    };
    // Both refuse a row that is no longer as it was read, with the reason.
    bool update(const RowAsRead &row, const QVariantHash &values, QString *error);
    bool remove(const RowAsRead &row, QString *error);

    // Counts the changes that other connections commit to the database.
    bool dataVersion(qint64 *version, QString *error);

private:
    QString asRead(const RowAsRead &row) const;
    void bindAsRead(QSqlQuery &query, const RowAsRead &row) const;
    bool notAsRead(qint64 rowid, QString *error);

    Connection &m_connection;
    QString m_table;
    QString m_orderSql;
    QStringList m_assignedFields;
};
