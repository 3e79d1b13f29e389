#pragma once

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>

// What libpq is given to connect to the books on a server: the URI's
// keywords and values, the books' own schema first on the search path, so
// that statements name the tables without it, and this desk's name.
namespace PgConnectionInfo {

inline const QString schema = QStringLiteral("bramblewood");

using Parameters = QList<QPair<QByteArray, QByteArray>>;

// False, with libpq's words, for a URI it cannot read.
bool parse(const QString &uri, Parameters *parameters, QString *error);

// The name under which all of this program's connections show on the
// server (application_name); another copy of the program has another.
QString thisDesk();

// The parameters as one connection string of keyword='value' pairs.
QString connectionString(const Parameters &parameters);

} // namespace PgConnectionInfo
