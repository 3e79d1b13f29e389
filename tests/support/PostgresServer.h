#pragma once

#include <QString>
#include <QStringList>
#include <QTemporaryDir>

// A PostgreSQL server of the tests' own: a cluster that initdb makes in a
// temporary folder, listening on a Unix socket in that folder alone (no TCP
// port), started when made and stopped and removed when it goes. PostgreSQL
// refuses to run as root, so a test run as root runs it as the postgres
// system user. A server that cannot start ends the test: it is a declared
// dependency, never a reason to skip.
class PostgresServer
{
public:
    PostgresServer();
    ~PostgresServer();
    PostgresServer(const PostgresServer &) = delete;
    PostgresServer &operator=(const PostgresServer &) = delete;

    // A new, empty database; the URI that connects to it.
    QString createDatabase(const QString &name) const;
    QString uri(const QString &database) const;
    // A login role that signs in with its password alone (scram-sha-256).
    void addRoleWithPassword(const QString &role, const QString &password) const;
    // As a power cut or a crash of the server would: every connection is dropped.
    void restart() const;
    // Runs statements in the database as its owner, through psql, on the
    // books' schema as the program names it; rows(): each row the last gives,
    // its columns joined by '|'.
    void execute(const QString &database, const QString &sql) const;
    QStringList rows(const QString &database, const QString &sql) const;

private:
    void start() const;
    void stop() const;
    bool run(const QString &program, const QStringList &arguments, QString *output = nullptr) const;

    QTemporaryDir m_dir;
    QString m_data;
};
