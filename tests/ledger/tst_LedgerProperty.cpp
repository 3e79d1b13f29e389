#include "LedgerFixture.h"
#include "EntryStateMachine.h"
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

const QStringList tables{QStringLiteral("Income"), QStringLiteral("Expense")};

} // namespace

class tst_LedgerProperty : public QObject
{
    Q_OBJECT
private slots:
    void balanceFollowsStoredEntries_data();
    void balanceFollowsStoredEntries();

private:
    void randomStep(LedgerFixture &f, std::mt19937 &random);
    QString expectedBalance(LedgerFixture &f, double opening);
};

void tst_LedgerProperty::balanceFollowsStoredEntries_data()
{
    QTest::addColumn<unsigned>("seed");
    for (unsigned seed = 1; seed <= 6; ++seed)
        QTest::newRow(qPrintable(QString::number(seed))) << seed;
}

// A user's random session on both panels, valid and invalid input alike:
// after every step the balance is the opening amount plus the stored incomes
// minus the stored expenses, but for the old amount of an entry being edited,
// which Edit has taken out until Save puts the new one in.
void tst_LedgerProperty::balanceFollowsStoredEntries()
{
    QFETCH(unsigned, seed);
    std::mt19937 random(seed);
    LedgerFixture f(std::make_unique<RandomAnswers>(random));
    const double opening = 250.0;
    f.setBalance(QStringLiteral("250.00"));
    for (int step = 0; step < 300; ++step) {
        randomStep(f, random);
        QCOMPARE(f.balance(), expectedBalance(f, opening));
    }
}

void tst_LedgerProperty::randomStep(LedgerFixture &f, std::mt19937 &random)
{
    const QString table = tables[random() % 2];
    const QString suffix = table == QLatin1String("Income") ? QStringLiteral("2") : QStringLiteral("3");
    const auto pick = [&](const QStringList &choices) { return choices[random() % choices.size()]; };
    switch (random() % 6) {
    case 0:
        f.click("cmdAdd" + suffix);
        break;
    case 1:
        f.click("cmdEdit" + suffix);
        break;
    case 2:
        f.click("cmdDelete" + suffix);
        break;
    case 3:
        f.navigate(table, qPrintable(pick({"cmdFirst", "cmdPrevious", "cmdNext", "cmdLast"})));
        break;
    default: {
        // Types what a user might into the boxes that take typing, then saves.
        const QString amount = pick({"12.50", "0.99", "300", "-4.25", "abc", "", "1,250.00", "7"});
        const QString date = pick({"1/2/2024", "12/31/2025", "2/30/2004", ""});
        f.box("txt" + table + "Type")->setText(pick({"Sales", " ", "", "Rent"}));
        if (!f.box("txt" + table + "Amount")->isReadOnly())
            f.box("txt" + table + "Amount")->setText(amount);
        if (!f.box("txt" + table + "Date")->isReadOnly())
            f.box("txt" + table + "Date")->setText(date);
        f.click("cmdSave" + suffix);
    }
    }
}

QString tst_LedgerProperty::expectedBalance(LedgerFixture &f, double opening)
{
    double expected = opening + f.folder.storedSum("Income") - f.folder.storedSum("Expense");
    for (LedgerPanel *panel : {&f.tab->income(), &f.tab->expense()}) {
        const QString table = panel == &f.tab->income() ? QStringLiteral("Income") : QStringLiteral("Expense");
        if (panel->entry().mode() == EntryMode::Editing) {
            const double old = panel->entries().recordset().field(table + "Amount").toDouble();
            expected += table == QLatin1String("Income") ? -old : old;
        }
    }
    return NumberText::twoDecimals(NumberText::round15(expected));
}

QTEST_MAIN(tst_LedgerProperty)
#include "tst_LedgerProperty.moc"
