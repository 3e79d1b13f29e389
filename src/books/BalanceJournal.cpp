#include "BalanceJournal.h"

#include "Balance.h"
#include "BalanceNotes.h"
#include "DataFiles.h"
#include "DataFolder.h"
#include "SideFile.h"

#include <QFile>
#include <optional>

namespace {

const QStringList ledgers{DataFiles::income, DataFiles::expense};

// The newest note of the two ledgers, if any. Notes are cleared before each
// change, so there is at most one, but a clear that failed may leave an
// older one. A ledger that is not there holds no note; its absence is told
// where it matters.
bool readNewestNote(const DataFolder &folder, std::optional<BalanceNotes::Note> *newest, QString *error)
{
    for (const QString &file : ledgers) {
        std::optional<BalanceNotes::Note> note;
        if (QFile::exists(folder.filePath(file)) && !BalanceNotes::read(folder.database(file), &note, error))
            return false;
        if (note && (!*newest || note->noted > (*newest)->noted))
            *newest = note;
    }
    return true;
}

} // namespace

namespace BalanceJournal {

bool note(QSqlDatabase &db, const QString &balanceText, const QDateTime &now, QString *error)
{
    return BalanceNotes::write(db, balanceText, now.toMSecsSinceEpoch(), error);
}

bool clear(const DataFolder &folder, QString *error)
{
    for (const QString &file : ledgers)
        if (QFile::exists(folder.filePath(file)) && !BalanceNotes::clear(folder.database(file), error))
            return false;
    return true;
}

bool settle(const DataFolder &folder, QString *error)
{
    std::optional<BalanceNotes::Note> note;
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
