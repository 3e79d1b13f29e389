#include "PostgresServer.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QUrl>
#include <pwd.h>
#include <unistd.h>

namespace {

const QString bin = QStringLiteral("/usr/lib/postgresql/15/bin/");
const QString superuser = QStringLiteral("postgres");

bool asRoot()
{
    return ::geteuid() == 0;
}

} // namespace

PostgresServer::PostgresServer() : m_data(m_dir.filePath(QStringLiteral("data")))
{
    if (!m_dir.isValid())
        qFatal("no temporary folder for the PostgreSQL server: %s", qPrintable(m_dir.errorString()));
    if (asRoot()) {
        const passwd *user = ::getpwnam("postgres");
        if (!user || ::chown(QFile::encodeName(m_dir.path()).constData(), user->pw_uid, user->pw_gid) != 0)
            qFatal("the postgres system user cannot have %s", qPrintable(m_dir.path()));
    }
    QString output;
    if (!run(bin + QStringLiteral("initdb"),
             {QStringLiteral("-D"), m_data, QStringLiteral("-U"), superuser, QStringLiteral("-A"),
              QStringLiteral("trust"), QStringLiteral("-E"), QStringLiteral("UTF8"),
              QStringLiteral("--locale=C"), QStringLiteral("--no-sync")},
             &output))
        qFatal("the PostgreSQL cluster could not be made: %s", qPrintable(output));
    start();
}

// fsync off: the tests stop desks and servers, never the machine, and a sync
// per commit would make the suite slow.
void PostgresServer::start() const
{
    QString output;
    if (!run(bin + QStringLiteral("pg_ctl"),
             {QStringLiteral("-D"), m_data, QStringLiteral("-l"), m_dir.filePath(QStringLiteral("log")),
              QStringLiteral("-w"), QStringLiteral("-o"),
              QStringLiteral("-c listen_addresses='' -k %1 -c fsync=off").arg(m_dir.path()),
              QStringLiteral("start")},
             &output))
        qFatal("the PostgreSQL server did not start: %s", qPrintable(output));
}

void PostgresServer::stop() const
{
    run(bin + QStringLiteral("pg_ctl"),
        {QStringLiteral("-D"), m_data, QStringLiteral("-m"), QStringLiteral("immediate"), QStringLiteral("-w"),
         QStringLiteral("stop")});
}

void PostgresServer::addRoleWithPassword(const QString &role, const QString &password) const
{
    execute(QStringLiteral("postgres"),
            QStringLiteral("CREATE ROLE %1 LOGIN SUPERUSER PASSWORD '%2'").arg(role, password));
    QFile rules(QDir(m_data).filePath(QStringLiteral("pg_hba.conf")));
    if (!rules.open(QIODevice::ReadOnly))
        qFatal("pg_hba.conf cannot be read");
    const QByteArray rest = rules.readAll();
    rules.close();
    if (!rules.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        rules.write("local all " + role.toUtf8() + " scram-sha-256\n" + rest) < 0)
        qFatal("pg_hba.conf cannot be written");
    rules.close();
    run(bin + QStringLiteral("pg_ctl"), {QStringLiteral("-D"), m_data, QStringLiteral("reload")});
    // The server takes the rules up in a moment: until a sign-in without the password fails.
    const QStringList signIn{QStringLiteral("-h"), m_dir.path(), QStringLiteral("-U"), role, QStringLiteral("-w"),
                             QStringLiteral("-d"), QStringLiteral("postgres"), QStringLiteral("-qc"),
                             QStringLiteral("SELECT 1")};
    for (int tries = 0; run(bin + QStringLiteral("psql"), signIn); ++tries)
        if (tries == 100)
            qFatal("the server does not ask %s for a password", qPrintable(role));
}

void PostgresServer::restart() const
{
    stop();
    start();
}

PostgresServer::~PostgresServer()
{
    stop();
}

QString PostgresServer::createDatabase(const QString &name) const
{
    QString output;
    if (!run(bin + QStringLiteral("createdb"),
             {QStringLiteral("-h"), m_dir.path(), QStringLiteral("-U"), superuser, name}, &output))
        qFatal("the database %s could not be made: %s", qPrintable(name), qPrintable(output));
    return uri(name);
}

void PostgresServer::execute(const QString &database, const QString &sql) const
{
    rows(database, sql);
}

QStringList PostgresServer::rows(const QString &database, const QString &sql) const
{
    QString output;
    if (!run(bin + QStringLiteral("psql"),
             {QStringLiteral("-h"), m_dir.path(), QStringLiteral("-U"), superuser, QStringLiteral("-d"), database,
              QStringLiteral("-v"), QStringLiteral("ON_ERROR_STOP=1"), QStringLiteral("-Atqc"),
              QStringLiteral("SET search_path TO bramblewood; ") + sql},
             &output))
        qFatal("%s: %s", qPrintable(sql), qPrintable(output));
    return output.split(u'\n', Qt::SkipEmptyParts);
}

QString PostgresServer::uri(const QString &database) const
{
    return QStringLiteral("postgresql:///%1?host=%2&user=%3")
        .arg(database, QString::fromLatin1(QUrl::toPercentEncoding(m_dir.path())), superuser);
}

bool PostgresServer::run(const QString &program, const QStringList &arguments, QString *output) const
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.setWorkingDirectory(m_dir.path());
    if (asRoot())
        process.start(QStringLiteral("runuser"), QStringList{QStringLiteral("-u"), superuser, QStringLiteral("--"), program} + arguments);
    else
        process.start(program, arguments);
    const bool ran = process.waitForFinished(60000) && process.exitStatus() == QProcess::NormalExit &&
                     process.exitCode() == 0;
    if (output)
        *output = QString::fromLocal8Bit(process.readAll());
    return ran;
}
