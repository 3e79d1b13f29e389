#pragma once

#include <QSqlError>
#include <QSqlQuery>
#include <QString>

// What the classes that write SQL text share.

// A table's or column's name as a statement names it: in double quotes,
// so that any name is read as a name.
inline QString quotedName(const QString &name)
{
    return u'"' + QString(name).replace(u'"', QLatin1String("\"\"")) + u'"';
}

// Always false, with the engine's words for why the query failed.
inline bool queryFailed(const QSqlQuery &query, QString *error)
{
    *error = query.lastError().text();
    return false;
}

// A text as a value to bind: Qt binds a null text as NULL, an empty one as ''.
inline QString boundText(const QString &text)
{
    return text.isNull() ? QStringLiteral("") : text;
}
