#include "ServerBooks.h"

#include "MoveToServer.h"

QString moveOntoServer(const PostgresServer &server, const TempDataFolder &folder)
{
    static int made = 0;
    const QString uri = server.createDatabase(QStringLiteral("books%1").arg(++made));
    const MoveToServer::Result moved = MoveToServer::run(folder.folder(), uri, QDate(2031, 2, 3));
    if (!moved.moved)
        qFatal("the books could not be moved: %s", qPrintable(moved.error));
    return uri;
}
