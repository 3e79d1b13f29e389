#include "PgConnectionInfo.h"

#include <QUuid>
#include <libpq-fe.h>

namespace PgConnectionInfo {

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
