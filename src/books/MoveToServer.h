#pragma once

#include "DataFolder.h"

#include <QDate>
#include <QString>

// The books of a data folder moved onto an empty database of a server, in
// one transaction: every customer with its account number (the numbering
// goes on after the highest the folder ever gave), every income and expense,
// the balance, the password and the names each ledger remembers. The
// server's counts and sums must equal the folder's before it commits. Then
// server.kvd names the server, and the files it replaced go into a folder
// "Moved to server YYYY-MM-DD": from then on the folder opens the server.
namespace MoveToServer {

// The address of a move under way, until the folder names the server.
inline const QString unfinishedFile = QStringLiteral("Move.unfinished");

struct Result {
    bool moved = false;
    QString error;
    QString kept; // the folder the replaced files went into
};

// The URI names the server and its database; it may not hold a password,
// which would then lie in server.kvd for anyone to read.
Result run(const DataFolder &folder, const QString &uri, const QDate &today);

// A move that a crash stopped: finished when the server holds the books,
// else forgotten, the folder keeping its own. *finished: it was finished now.
// Result::moved is false only when that could not be done.
Result finishUnfinished(const DataFolder &folder, const QDate &today, bool *finished);

} // namespace MoveToServer
