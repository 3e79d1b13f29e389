#pragma once

#include "RowReader.h"

#include <QList>

struct pg_conn;
struct pg_result;

// The PostgreSQL reader: libpq itself, on the books' schema, rows one at a
// time as the server sends them, each value in the server's binary form.
class PgReader final : public RowReader
{
public:
    explicit PgReader(const QString &uri);
    ~PgReader() override;
    PgReader(const PgReader &) = delete;
    PgReader &operator=(const PgReader &) = delete;

    bool inReadTransaction(const std::function<bool(QString *error)> &work, QString *error) override;
    bool prepare(const QString &sql, const QVariantList &parameters, QString *error) override;
    Step step() override;
    QStringList columnNames() const override { return m_columns; }
    void appendRow(RowBlock *rows) const override;
    qint64 integer(int column) const override;
    bool failed(QString *error) const override;

private:
    bool command(const char *sql, QString *error);
    void endStatement();

    pg_conn *m_connection = nullptr;
    pg_result *m_row = nullptr; // the row step() gave
    QStringList m_columns;
    QList<unsigned int> m_types;
    bool m_running = false; // a statement's rows are still coming
    QString m_error;
    QString m_connectError; // the URI could not be read
};
