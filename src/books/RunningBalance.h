#pragma once

#include "DataFolder.h"
#include "Recordset.h"

#include <QObject>
#include <QString>
#include <functional>

class Clock;

// The running balance as the program holds it: the text the balance box
// shows (as the user set it, or as the last ledger step wrote it), and the
// committed balance, which balance.kvd always holds: the balance of what is
// stored. The two differ while an entry is being edited, its old amount out
// of the box until Save. Every step reads the number back from the text.
// Books on a server keep the balance in a table, moved by each step in the
// step's own transaction: there balance.kvd and its journal have no part.
class RunningBalance : public QObject
{
    Q_OBJECT
public:
    RunningBalance(const DataFolder &folder, const Clock &clock, QObject *parent = nullptr);

    const QString &text() const { return m_text; }
    const QString &committed() const { return m_committed; }
    // Shows a balance that is not committed (an entry being edited is out of it).
    void setText(const QString &text);

    // Takes the content of balance.kvd; false, and nothing changed, when it
    // holds no number. The balance is then shown with two decimals.
    bool setFromFile(const QString &content);

    // The text after a ledger step of the amount text: +1 adds, -1 takes away.
    QString afterStep(const QString &amountText, int sign) const;
    void step(const QString &amountText, int sign) { setText(afterStep(amountText, sign)); }

    // Another desk moved the stored balance: the box follows it, unless an
    // entry is out of it for its edit here (then the next step shows it).
    void follow(const QString &stored);

    // Set: balance.kvd takes the text, then the box shows it. False, and
    // nothing changed, when the file cannot be written.
    bool set(const QString &text, QString *error);

    enum class Outcome {
        Done,
        NotStaged,  // balance.kvd could not be prepared; nothing was changed
        Refused,    // the change did not commit (it says why itself); nothing was changed
        FileBehind, // the change committed, balance.kvd is written at the next start
    };
    // A ledger change and the balances it leads to, committed together: the
    // change gets a write to run in its transaction. Once it has committed,
    // the box shows `shown` and balance.kvd holds `committed`.
    using Change = std::function<bool(const Recordset::AlongsideWrite &noteBalance)>;
    Outcome commit(const QString &shown, const QString &committed, const Change &change,
                   QString *error);

signals:
    void changed(const QString &text);

private:
    Outcome commitOnServer(const QString &shown, const QString &committed, const Change &change);

    DataFolder m_folder;
    const Clock &m_clock;
    QString m_text;
    QString m_committed;
};
