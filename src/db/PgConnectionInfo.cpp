#include "PgConnectionInfo.h"

#include <QMutex>
#include <QUuid>
#include <vector>
#include <libpq-fe.h>

namespace {

// Read by the workers that read rows too.
QMutex passwordMutex;
QByteArray sessionPassword;

} // namespace

namespace PgConnectionInfo {

bool holdsPassword(const QString &uri)
{
    PQconninfoOption *options = PQconninfoParse(uri.toUtf8().constData(), nullptr);
    bool holds = false;
    for (const PQconninfoOption *option = options; option && option->keyword; ++option)
        holds = holds || (qstrcmp(option->keyword, "password") == 0 && option->val);
    PQconninfoFree(options);
    return holds;
}

void setSessionPassword(const QString &password)
{
    const QMutexLocker lock(&passwordMutex);
    sessionPassword = password.toUtf8();
}

bool needsPassword(const QString &uri)
{
    QString error;
    PGconn *connection = connect(uri, &error);
    const bool needs = PQstatus(connection) == CONNECTION_BAD && PQconnectionNeedsPassword(connection);
    PQfinish(connection);
    return needs;
}

PGconn *connect(const QString &uri, QString *error)
{
    Parameters parameters;
    if (!parse(uri, &parameters, error))
        return nullptr;
    std::vector<const char *> keywords, values;
    for (const auto &[keyword, value] : std::as_const(parameters)) {
        keywords.push_back(keyword.constData());
        values.push_back(value.constData());
    }
    keywords.push_back(nullptr);
    values.push_back(nullptr);
    return PQconnectdbParams(keywords.data(), values.data(), 0);
}

bool parse(const QString &uri, Parameters *parameters, QString *error)
{
    char *message = nullptr;
    PQconninfoOption *options = PQconninfoParse(uri.toUtf8().constData(), &message);
    if (!options) {
        *error = message ? QString::fromUtf8(message).trimmed() : QStringLiteral("out of memory");
        PQfreemem(message);
        return false;
    }
    QByteArray serverOptions = "-c search_path=" + schema.toUtf8();
    bool named = false;
    for (const PQconninfoOption *option = options; option->keyword; ++option) {
        if (!option->val)
            continue;
        if (qstrcmp(option->keyword, "options") == 0)
            serverOptions = QByteArray(option->val) + ' ' + serverOptions;
        else
            parameters->append({QByteArray(option->keyword), QByteArray(option->val)});
        named = named || qstrcmp(option->keyword, "application_name") == 0;
    }
    parameters->append({"options", serverOptions});
    bool hasPassword = false;
    for (const auto &parameter : std::as_const(*parameters))
        hasPassword = hasPassword || parameter.first == "password";
    const QMutexLocker lock(&passwordMutex);
    if (!hasPassword && !sessionPassword.isEmpty())
        parameters->append({"password", sessionPassword});
    if (!named)
        parameters->append({"application_name", thisDesk().toUtf8()});
    PQconninfoFree(options);
    return true;
}

QString thisDesk()
{
    static const QString desk = QStringLiteral("bramblewood ") + QUuid::createUuid().toString(QUuid::WithoutBraces);
    return desk;
}

QString connectionString(const Parameters &parameters)
{
    QStringList pairs;
    for (const auto &[keyword, value] : parameters) {
        QString quoted = QString::fromUtf8(value);
        quoted.replace(u'\\', QLatin1String("\\\\")).replace(u'\'', QLatin1String("\\'"));
        pairs << QString::fromUtf8(keyword) + QStringLiteral("='") + quoted + u'\'';
    }
    return pairs.join(u' ');
}

} // namespace PgConnectionInfo
