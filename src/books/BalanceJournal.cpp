#include "BalanceJournal.h"

#include "Balance.h"
#include "Connection.h"
#include "DataFiles.h"
#include "DataFolder.h"
#include "SideFile.h"

#include <QFile>
#include <QSqlError>
#include <QSqlQuery>
#include <optional>

namespace {

struct Note {
    QString balance;
    qint64 noted = 0;
};

bool failed(const QSqlQuery &query, QString *error)
{
    *error = query.lastError().text();
    return false;
}

const QStringList ledgers{DataFiles::income, DataFiles::expense};

// Runs `use` on a connection of its own to one ledger database. A ledger
// that is not there holds no note; its absence is told where it matters.
template <class Use> bool withLedger(const DataFolder &folder, const QString &file, Use use, QString *error)
{
    if (!QFile::exists(folder.filePath(file)))
        return true;
    Connection connection(folder.filePath(file));
    if (!connection.open(error))
        return false;
    QSqlQuery query(connection.database());
    return use(query) || failed(query, error);
}

// The newest note of the two ledgers, if any. Notes are cleared before each
// change, so there is at most one, but a clear that failed may leave an older one.
bool readNewestNote(const DataFolder &folder, std::optional<Note> *newest, QString *error)
{
    const auto readNotes = [&](QSqlQuery &query) {
        if (!query.exec(QStringLiteral("SELECT name FROM sqlite_master WHERE name = 'BalanceNote'")))
            return false;
        if (!query.next())
            return true;
        if (!query.exec(QStringLiteral("SELECT Balance, Noted FROM BalanceNote")))
            return false;
        while (query.next())
            if (!*newest || query.value(1).toLongLong() > (*newest)->noted)
                *newest = Note{query.value(0).toString(), query.value(1).toLongLong()};
        return true;
    };
    for (const QString &file : ledgers)
        if (!withLedger(folder, file, readNotes, error))
            return false;
    return true;
}

} // namespace

namespace BalanceJournal {

bool note(QSqlDatabase &db, const QString &balanceText, const QDateTime &now, QString *error)
{
    QSqlQuery query(db);
    if (!query.exec(QStringLiteral("CREATE TABLE IF NOT EXISTS BalanceNote "
                                   "(Balance TEXT NOT NULL, Noted INTEGER NOT NULL)")) ||
        !query.exec(QStringLiteral("DELETE FROM BalanceNote")))
        return failed(query, error);
    query.prepare(QStringLiteral("INSERT INTO BalanceNote VALUES (?, ?)"));
    query.addBindValue(balanceText);
    query.addBindValue(now.toMSecsSinceEpoch());
    return query.exec() || failed(query, error);
}

bool clear(const DataFolder &folder, QString *error)
{
    for (const QString &file : ledgers)
        if (!withLedger(folder, file,
                        [](QSqlQuery &query) {
                            return query.exec(QStringLiteral("DROP TABLE IF EXISTS BalanceNote"));
                        },
                        error))
            return false;
    return true;
}

bool settle(const DataFolder &folder, QString *error)
{
    std::optional<Note> note;
    if (!readNewestNote(folder, &note, error))
        return false;
    if (note && (!SideFile::write(folder.disk(), folder.filePath(DataFiles::balance),
                                  Balance::fileText(note->balance), error) ||
                 !clear(folder, error)))
        return false;
    QFile::remove(stagedPath(folder));
    return true;
}

QString stagedPath(const DataFolder &folder)
{
    return folder.filePath(DataFiles::balance + QStringLiteral(".new"));
}

} // namespace BalanceJournal
