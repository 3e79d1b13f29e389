#pragma once

#include "RowReader.h"

struct sqlite3;
struct sqlite3_stmt;

// The SQLite reader: SQLite's own interface, read-only, with the same busy
// wait as the program's other connections.
class SqliteReader final : public RowReader
{
public:
    explicit SqliteReader(const QString &path);
    ~SqliteReader() override;
    SqliteReader(const SqliteReader &) = delete;
    SqliteReader &operator=(const SqliteReader &) = delete;

    bool inReadTransaction(const std::function<bool(QString *error)> &work, QString *error) override;
    bool prepare(const QString &sql, const QVariantList &parameters, QString *error) override;
    Step step() override;
    QStringList columnNames() const override;
    void appendRow(RowBlock *rows) const override;
    qint64 integer(int column) const override;
    bool failed(QString *error) const override;

private:
    bool bind(const QVariantList &parameters, QString *error);

    sqlite3 *m_db = nullptr;
    sqlite3_stmt *m_statement = nullptr;
    bool m_opened = false;
};
