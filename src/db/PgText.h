#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QVariantList>

// Statements and values as PostgreSQL takes them.
namespace PgText {

// The statement with its question marks numbered as PostgreSQL writes its
// parameters ($1, $2, ...); a question mark inside quotes stays.
QString numbered(const QString &sql);

// The statement without SQLite's hint that no index serve a condition, a
// unary plus before a column ("+\"DateStarted\""): PostgreSQL has no such
// hint, and has no plus for text.
QString withoutIndexHints(const QString &sql);

// Each value in the server's text form; a null value is a null array.
QList<QByteArray> parameters(const QVariantList &values);

} // namespace PgText
