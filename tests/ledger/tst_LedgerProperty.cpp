#include "EntryStateMachine.h"
#include "LedgerFixture.h"
#include "NumberText.h"

#include <QTest>

#include <random>

namespace {

// Answers every box at random among the buttons it offers.
class RandomAnswers final : public MessageBox
{
public:
    explicit RandomAnswers(std::mt19937 &random) : m_random(random) {}
    QMessageBox::StandardButton show(QWidget *, const MessageBoxRequest &request) override
    {
        if (request.buttons.testFlag(QMessageBox::Cancel) && m_random() % 2)
            return QMessageBox::Cancel;
        return QMessageBox::Ok;
    }

private:
    std::mt19937 &m_random;
};

// One thing a user might do on one of the panels: press a button, move, or
// type what a user might into the boxes that take typing and save.
void randomStep(LedgerFixture &f, std::mt19937 &random)
{
    const auto pick = [&](const QStringList &choices) { return choices[random() % choices.size()]; };
    const QString table = pick({"Income", "Expense"});
    const QString suffix = table == QLatin1String("Income") ? "2" : "3";
    const int action = int(random() % 6);
    if (action < 3) {
        f.click(QStringList{"cmdAdd", "cmdEdit", "cmdDelete"}[action] + suffix);
    } else if (action == 3) {
        f.navigate(table, qPrintable(pick({"cmdFirst", "cmdPrevious", "cmdNext", "cmdLast"})));
    } else {
        f.box("txt" + table + "Type")->setText(pick({"Sales", " ", "", "Rent"}));
        const QString amount = pick({"12.50", "0.99", "300", "-4.25", "abc", "", "1,250.00", "7"});
        if (!f.box("txt" + table + "Amount")->isReadOnly())
            f.box("txt" + table + "Amount")->setText(amount);
        const QString date = pick({"1/2/2024", "12/31/2025", "2/30/2004", ""});
        if (!f.box("txt" + table + "Date")->isReadOnly())
            f.box("txt" + table + "Date")->setText(date);
        f.click("cmdSave" + suffix);
    }
}

// The opening amount plus the stored incomes minus the stored expenses, but
// for the old amount of an entry being edited, which Edit has taken out until
// Save puts the new one in.
QString expectedBalance(LedgerFixture &f, double opening)
{
    double expected = opening + f.folder.storedSum("Income") - f.folder.storedSum("Expense");
    for (const auto &[panel, sign] : {std::pair{&f.tab->income(), -1}, {&f.tab->expense(), +1}})
        if (panel->entry().mode() == EntryMode::Editing)
            expected += sign * panel->entries().recordset().field(panel->title() + "Amount").toDouble();
    return NumberText::twoDecimals(NumberText::round15(expected));
}

} // namespace

class tst_LedgerProperty : public QObject
{
    Q_OBJECT
private slots:
    void balanceFollowsStoredEntries_data()
    {
        QTest::addColumn<unsigned>("seed");
        for (unsigned seed = 1; seed <= 6; ++seed)
            QTest::addRow("%u", seed) << seed;
    }

    // A user's random session on both panels, valid and invalid input alike.
    void balanceFollowsStoredEntries()
    {
        QFETCH(unsigned, seed);
        std::mt19937 random(seed);
        LedgerFixture f(std::make_unique<RandomAnswers>(random));
        f.setBalance(QStringLiteral("250.00"));
        for (int step = 0; step < 300; ++step) {
            randomStep(f, random);
            QCOMPARE(f.balance(), expectedBalance(f, 250.0));
        }
    }
};

QTEST_MAIN(tst_LedgerProperty)
#include "tst_LedgerProperty.moc"
