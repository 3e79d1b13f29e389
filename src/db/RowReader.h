#pragma once

#include <QString>
#include <QStringList>
#include <QVariantList>
#include <functional>

class RowBlock;

// A read-only connection of its own and the statement run on it, for rows
// read in bulk: they go straight into a block, without a QVariant for every
// cell on the way. Made by the engine (Engine::reader).
class RowReader
{
public:
    enum class Step { Row, Done, Failed };

    virtual ~RowReader() = default;

    // Opens a read transaction for `work`, so that what it reads is of one
    // moment, and ends it whatever work returns.
    virtual bool inReadTransaction(const std::function<bool(QString *error)> &work, QString *error) = 0;
    // The parameters, in order, bound to the statement's question marks.
    virtual bool prepare(const QString &sql, const QVariantList &parameters, QString *error) = 0;
    virtual Step step() = 0;
    virtual QStringList columnNames() const = 0;
    // The current row, cell after cell.
    virtual void appendRow(RowBlock *rows) const = 0;
    virtual qint64 integer(int column) const = 0;
    // Always false, with the engine's own words for what went wrong.
    virtual bool failed(QString *error) const = 0;

    // Runs a query that gives one number, such as a count.
    bool number(const QString &sql, const QVariantList &parameters, qint64 *value, QString *error);
};
