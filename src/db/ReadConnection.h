#pragma once

#include <QString>
#include <QStringList>
#include <QVariantList>

#include <functional>

class RowBlock;
struct sqlite3;
struct sqlite3_stmt;

// A read-only connection of its own and the statement run on it, both
// closed on every way out. It uses
// SQLite directly, so that the rows go straight into a block without a
// QVariant for every cell on the way.
class ReadConnection
{
public:
    explicit ReadConnection(const QString &path);
    ~ReadConnection();
    ReadConnection(const ReadConnection &) = delete;
    ReadConnection &operator=(const ReadConnection &) = delete;

    sqlite3 *handle() const { return m_db; }
    // Always false, with SQLite's own words for what went wrong.
    bool failed(QString *error) const;
    bool opened(QString *error) const;
    // Opens a read transaction for `work`, so that what it reads is of one
    // moment, and ends it whatever work returns.
    bool inReadTransaction(const std::function<bool(QString *error)> &work, QString *error) const;
    bool prepare(const QString &sql, QString *error);
    // The parameters, in order, bound to the statement's question marks.
    bool bind(const QVariantList &parameters, QString *error);
    // SQLITE_ROW while there is a row, SQLITE_DONE at the end, else an error.
    int step();
    // Runs a query that gives one number, such as a count.
    bool number(const QString &sql, const QVariantList &parameters, qint64 *value, QString *error);
    sqlite3_stmt *statement() const { return m_statement; }

    QStringList columnNames() const;
    // The statement's current row, cell after cell.
    void appendRow(RowBlock *rows) const;

private:
    sqlite3 *m_db = nullptr;
    sqlite3_stmt *m_statement = nullptr;
    int m_status = 0;
};
