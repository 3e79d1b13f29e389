#pragma once

#include <QProcess>
#include <QString>
#include <memory>

// One desk's random ledger steps on a server's books, in a process of its
// own: the Save of a new income or expense, or the Edit-and-Save or the
// Delete of an income, each with its balance step, as the ledger tabs commit them. A
// program that starts desks runs runLedgerDesk when its arguments begin
// with LedgerDesk::argument.
namespace LedgerDesk {

inline const char *const argument = "--ledger-desk";

// The desk (this program, started again) with a seed for its steps; a
// planned crash ends it at its nth commit, before or after it at random.
std::unique_ptr<QProcess> start(const QString &uri, int seed, int steps, int crashAt = 0);

// The desk's side: the steps, then on standard output how many entries it
// added and how many it deleted. 0 when every step was tried.
int run(int argc, char **argv);

// What the stored rows of both ledgers and the stored balance say, with an
// opening balance of `opening`.
struct Books {
    double balance = 0, fromRows = 0; // the stored balance, and opening + incomes - expenses
    qint64 entries = 0;
};
Books read(const QString &uri, double opening);

} // namespace LedgerDesk
