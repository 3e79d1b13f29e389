#include "RunningBalance.h"

#include "Balance.h"
#include "BalanceJournal.h"
#include "Clock.h"
#include "DataFiles.h"
#include "NumberText.h"
#include "ServerBalance.h"
#include "SideFile.h"

#include <QFile>

RunningBalance::RunningBalance(const DataFolder &folder, const Clock &clock, QObject *parent)
    : QObject(parent), m_folder(folder), m_clock(clock)
{
}

void RunningBalance::setText(const QString &text)
{
    if (text == m_text)
        return;
    m_text = text;
    emit changed(m_text);
}

bool RunningBalance::setFromFile(const QString &content)
{
    const auto balance = Balance::fromFile(content);
    if (!balance)
        return false;
    m_committed = NumberText::twoDecimals(*balance);
    setText(m_committed);
    return true;
}

void RunningBalance::follow(const QString &stored)
{
    if (m_text != m_committed)
        return;
    m_committed = stored;
    setText(stored);
}

QString RunningBalance::afterStep(const QString &amountText, int sign) const
{
    return Balance::afterStep(m_text, amountText, sign);
}

bool RunningBalance::set(const QString &text, QString *error)
{
    if (m_folder.isOnServer()) {
        if (!ServerBalance::set(m_folder.database(DataFiles::income), NumberText::read(text), error))
            return false;
        m_committed = text;
        setText(text);
        return true;
    }
    // A note left behind would otherwise outlive the set balance.
    if (!BalanceJournal::settle(m_folder, error) ||
        !SideFile::write(m_folder.disk(), m_folder.filePath(DataFiles::balance), Balance::fileText(text), error))
        return false;
    m_committed = text;
    setText(text);
    return true;
}

// The new balance.kvd is written and synced before the change commits, so
// that only a rename is left to do after it; a crash between the two is
// finished by the note at the next start.
RunningBalance::Outcome RunningBalance::commit(const QString &shown, const QString &committed,
                                               const Change &change, QString *error)
{
    if (m_folder.isOnServer())
        return commitOnServer(shown, committed, change);
    // A note left by the last change (its balance.kvd not yet written, or
    // the note not cleared) is finished first.
    const QString staged = BalanceJournal::stagedPath(m_folder);
    if (!BalanceJournal::settle(m_folder, error) ||
        !SideFile::write(m_folder.disk(), staged, Balance::fileText(committed), error))
        return Outcome::NotStaged;
    const bool stored = change([&](QSqlDatabase &db, QString *error) {
        return BalanceJournal::note(db, committed, m_clock.now(), error);
    });
    if (!stored) {
        QFile::remove(staged);
        return Outcome::Refused;
    }
    m_committed = committed;
    setText(shown);
    if (!m_folder.disk().replace(staged, m_folder.filePath(DataFiles::balance), error))
        return Outcome::FileBehind;
    // A note that cannot be cleared now is settled before the next change.
    QString ignored;
    BalanceJournal::clear(m_folder, &ignored);
    return Outcome::Done;
}

// The step moves the stored balance by what it changes, in its own
// transaction, so that a step at another desk meanwhile is kept; the box then
// shows the stored balance, less an entry being edited here.
RunningBalance::Outcome RunningBalance::commitOnServer(const QString &shown, const QString &committed,
                                                       const Change &change)
{
    const double delta = NumberText::read(committed) - NumberText::read(m_committed);
    double stored = 0;
    const bool done = change([&](QSqlDatabase &db, QString *error) {
        return ServerBalance::move(db, delta, &stored, error);
    });
    if (!done)
        return Outcome::Refused;
    const QString editing = NumberText::twoDecimals(NumberText::read(shown) - NumberText::read(committed));
    m_committed = NumberText::twoDecimals(stored);
    setText(Balance::afterStep(m_committed, editing, +1));
    return Outcome::Done;
}
