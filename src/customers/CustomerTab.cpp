#include "CustomerTab.h"

#include "CapitalisingKeys.h"
#include "Clock.h"
#include "DataControl.h"
#include "DataFiles.h"
#include "DataFolder.h"
#include "DateText.h"
#include "EntryStateMachine.h"
#include "HighestAccount.h"
#include "MessageBox.h"
#include "MonthlyAmount.h"
#include "NumberText.h"
#include "RecordKeys.h"
#include "ScopedAccessKeys.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

CustomerTab::CustomerTab(const DataFolder &folder, MessageBox &messages, const Clock &clock,
                         QWidget *parent)
    : QWidget(parent), m_customers(folder.database(DataFiles::customers)), m_messages(messages),
      m_clock(clock)
{
    m_form.build(this, folder, messages, clock);
    auto *capitalising = new CapitalisingKeys(this);
    for (QLineEdit *box : {m_form.name, m_form.address, m_form.city, m_form.state, m_form.comments})
        capitalising->watch(box);
    m_entry = new EntryStateMachine({m_form.customers,
                                     m_form.add,
                                     m_form.edit,
                                     m_form.save,
                                     m_form.remove,
                                     m_form.entryBoxes(),
                                     {m_form.search, m_form.clear},
                                     {m_form.search, m_form.clear},
                                     m_form.name},
                                    messages, this);

    connect(m_form.add, &QPushButton::clicked, this, &CustomerTab::cmdAdd_Click);
    connect(m_form.edit, &QPushButton::clicked, this, &CustomerTab::cmdEdit_Click);
    connect(m_form.save, &QPushButton::clicked, this, &CustomerTab::cmdSave_Click);
    connect(m_form.remove, &QPushButton::clicked, this, &CustomerTab::cmdDelete_Click);
    connect(m_form.search, &QPushButton::clicked, this, &CustomerTab::cmdSearch_Click);
    connect(m_form.clear, &QPushButton::clicked, this, &CustomerTab::cmdClear_Click);
    connect(m_form.totalButton, &QPushButton::clicked, this, &CustomerTab::cmdTotal_Click);
    connect(m_form.comments, &QLineEdit::inputRejected, this, &CustomerTab::tellCommentsCut);
    customers().setLeaveCheck([this] { return leaveRecord(); });
    addKeys();
}

// The Search frame and the start date's calendar button both have only the
// letter C free of the menu's; each answers it from within its own frame.
void CustomerTab::addKeys()
{
    new RecordKeys(this, customers(), [this] { giveUpEntry(); });
    new ScopedAccessKeys(m_form.search->parentWidget(), {m_form.search, m_form.clear});
    new ScopedAccessKeys(m_form.calendar->parentWidget(), {m_form.calendar});
}

QMessageBox::StandardButton CustomerTab::ask(const MessageBoxRequest &request)
{
    return m_messages.show(window(), request);
}

bool CustomerTab::leaveRecord()
{
    if (!customers().hasChanges())
        return true;
    const auto answer = ask({QStringLiteral("Save the changes to this customer?"),
                             QStringLiteral("Save File?"), QMessageBox::Yes | QMessageBox::No,
                             QMessageBox::NoIcon, QMessageBox::Yes});
    return answer != QMessageBox::Yes || save();
}

bool CustomerTab::showCustomer(Recordset::Bookmark customer)
{
    if (m_entry->isEntering()) {
        ask({QStringLiteral("Save or cancel the customer you are adding or editing first."),
             QStringLiteral("Customer List"), QMessageBox::Ok, QMessageBox::Information});
        return false;
    }
    if (!leaveRecord())
        return false;
    Recordset &records = customers().recordset();
    if (records.setBookmark(customer))
        return true;
    cmdClear_Click();
    return records.setBookmark(customer);
}

void CustomerTab::leaveEntry()
{
    if (m_entry->isEntering())
        m_entry->abandon();
}

// Esc while adding or editing: the changes typed are saved or dropped as
// the user says, and a record left unsaved goes as at Cancel to "Empty Name".
void CustomerTab::giveUpEntry()
{
    if (!m_entry->isEntering() || !leaveRecord())
        return;
    if (m_entry->isEntering())
        m_entry->abandon();
    m_entry->focusHome();
}

void CustomerTab::cmdAdd_Click()
{
    if (!leaveRecord())
        return;
    if (m_entry->addNew()) {
        m_form.dateStarted->setText(DateText::toShort(m_clock.today()));
        m_form.state->setText(QStringLiteral("Florida"));
    }
    // What New fills in is not a change the user made.
    customers().takeShownAsUnchanged();
    m_entry->focusHome();
}

void CustomerTab::cmdEdit_Click()
{
    m_entry->edit();
    m_entry->focusHome();
}

// The checks of Save, in their order; false when one failed and was told.
bool CustomerTab::checkForSave()
{
    if (m_form.name->text().isEmpty()) {
        const auto answer = ask({QStringLiteral("You need to enter a name!"),
                                 QStringLiteral("Empty Name"), QMessageBox::Ok | QMessageBox::Cancel,
                                 QMessageBox::NoIcon, QMessageBox::Ok});
        if (answer == QMessageBox::Ok)
            m_entry->keepEntering();
        else
            m_entry->abandon();
        m_entry->focusHome();
        return false;
    }
    const bool dated = DateText::fromShort(m_form.dateStarted->text(), m_clock.today()).has_value();
    const struct {
        bool failed;
        const char *text, *title;
        QWidget *box;
    } checks[] = {
        {!dated, "You need to enter a start date!", "Invalid Start Date", m_form.dateStarted},
        {m_form.schedule->currentText().isEmpty(), "You need to enter a schedule!", "Invalid Schedule",
         m_form.schedule},
        {m_form.visitAmount->text().isEmpty(), "You need to enter an amount per visit!",
         "Invalid Visit Amount", m_form.visitAmount},
    };
    for (const auto &check : checks) {
        if (check.failed) {
            ask({QString::fromLatin1(check.text), QString::fromLatin1(check.title)});
            check.box->setFocus();
            return false;
        }
    }
    return true;
}

void CustomerTab::cmdSave_Click()
{
    save();
}

// False when a check or the database refused the record, which was told.
bool CustomerTab::save()
{
    if (!checkForSave())
        return false;
    const auto monthly = MonthlyAmount::of(m_form.visitAmount->text(), m_form.schedule->currentText());
    m_form.monthlyAmount->setText(monthly ? NumberText::shortest(*monthly) : QString());
    // A refused record stays on screen as typed, the tab still in entry.
    if (!m_entry->store())
        return false;
    m_entry->focusHome();
    return true;
}

void CustomerTab::cmdDelete_Click()
{
    m_entry->remove({QStringLiteral("Are you sure you want to delete this account? The account "
                                    "cannot be restored!!"),
                     QStringLiteral("Delete File?"), QMessageBox::Ok | QMessageBox::Cancel,
                     QMessageBox::NoIcon, QMessageBox::Cancel});
    m_entry->focusHome();
}

void CustomerTab::cmdSearch_Click()
{
    m_form.add->setEnabled(false);
    if (!m_entry->hasCurrentRecord()) {
        m_entry->guardEmptyTable(true);
        return;
    }
    Recordset &records = customers().recordset();
    const Recordset::Bookmark shown = records.bookmark();
    const QString text = m_form.searchText->text();
    if (text.isEmpty()) {
        ask({QStringLiteral("You must type something in the search box."),
             QStringLiteral("No Search Criteria!"), QMessageBox::Ok, QMessageBox::Information});
        m_form.searchText->setFocus();
        return;
    }
    if (!leaveRecord())
        return;
    // Saving the changes puts the tab back to browsing, which turns New on;
    // a search keeps it off.
    m_form.add->setEnabled(false);
    customers().refresh();
    // The text is matched as typed, letter case aside; no character of it
    // has a meaning of its own.
    const struct {
        QRadioButton *option;
        QStringList fields;
    } choices[] = {
        {m_form.byName, {QStringLiteral("Name")}},
        {m_form.byAddress, {QStringLiteral("Address")}},
        {m_form.byPhone, {QStringLiteral("Home"), QStringLiteral("Cell"), QStringLiteral("HisWork"),
                          QStringLiteral("HerWork")}},
    };
    for (const auto &choice : choices) {
        if (!choice.option->isChecked())
            continue;
        records.moveFirst();
        records.setFilter({choice.fields, text, false, {}});
        if (records.isEOF()) {
            ask({QStringLiteral("No results found in search!"), QStringLiteral("No File Found!"),
                 QMessageBox::Ok, QMessageBox::Information});
            records.setFilter({});
            records.setBookmark(shown);
        }
    }
    m_entry->focusHome();
}

void CustomerTab::cmdClear_Click()
{
    if (!leaveRecord())
        return;
    customers().recordset().setFilter({});
    m_form.searchText->clear();
    m_form.add->setEnabled(true);
    m_form.searchText->setFocus();
}

void CustomerTab::cmdTotal_Click()
{
    const HighestAccount highest = HighestAccount::read(m_customers);
    if (!highest.ok) {
        ask({QStringLiteral("The customers could not be counted.\n\n%1").arg(highest.error),
             MessageBox::applicationTitle(), QMessageBox::Ok, QMessageBox::Warning});
    } else if (!highest.account) {
        ask({QStringLiteral("No records on file."), QStringLiteral("Empty file"), QMessageBox::Ok,
             QMessageBox::Information});
    } else {
        m_form.total->setText(QString::number(*highest.account));
    }
}

// The box takes what fits and drops the rest, which the user must hear of:
// a long paste loses its end.
void CustomerTab::tellCommentsCut()
{
    ask({QStringLiteral("The comments can hold at most %1 characters. The rest of what was pasted "
                        "or typed was left out.")
             .arg(m_form.comments->maxLength()),
         QStringLiteral("Comments Too Long"), QMessageBox::Ok, QMessageBox::Information});
}
