#pragma once

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>

// What libpq is given to connect to the books on a server: the URI's
// keywords and values, the books' own schema first on the search path, so
// that statements name the tables without it, and this desk's name.
struct pg_conn;

namespace PgConnectionInfo {

inline const QString schema = QStringLiteral("bramblewood");

using Parameters = QList<QPair<QByteArray, QByteArray>>;

// False, with libpq's words, for a URI it cannot read.
bool parse(const QString &uri, Parameters *parameters, QString *error);

// The name under which all of this program's connections show on the
// server (application_name); another copy of the program has another.
QString thisDesk();

// True when the URI itself holds a password.
bool holdsPassword(const QString &uri);

// A password given for this session, used by every connection whose URI has
// none; libpq's own (~/.pgpass, PGPASSWORD) otherwise.
void setSessionPassword(const QString &password);

// True when the server asks for a password that libpq does not have.
bool needsPassword(const QString &uri);

// A libpq connection with the URI's parameters (PQstatus tells how it went);
// null for a URI that cannot be read, with why.
pg_conn *connect(const QString &uri, QString *error);

// The parameters as one connection string of keyword='value' pairs.
QString connectionString(const Parameters &parameters);

} // namespace PgConnectionInfo
