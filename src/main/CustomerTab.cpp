#include "CustomerTab.h"

#include "DataControl.h"
#include "DataFiles.h"
#include "FormBuilder.h"
#include "TabPage.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace {

QLineEdit *limited(QLineEdit *box, int maxLength)
{
    box->setMaxLength(maxLength);
    return box;
}

} // namespace

CustomerTab::CustomerTab(MessageBox &messages, QWidget *parent) : QWidget(parent)
{
    m_adodc1 = new DataControl(QStringLiteral("Adodc1"), QStringLiteral("Customers"),
                               DataFiles::connectionString(DataFiles::customers),
                               QStringLiteral("SELECT * FROM Customers ORDER BY Name ASC"), messages);
    buildCustomerInfo();
    buildPhoneNumbers();
    buildDateStarted();
    buildScheduleAndAmount();
    buildComments();
    buildRecordButtons();
    buildSearch();
}

void CustomerTab::buildCustomerInfo()
{
    const FormBuilder page(this, TabPage::topOffset);
    const FormBuilder in(page.frame(QStringLiteral("fraCustomerInfo"), QStringLiteral("Customer Info"),
                                    180, 480, 4575, 2955));
    in.label(QStringLiteral("Account Number:"), 120, 330, 1335);
    auto *account = in.textBox(QStringLiteral("txtAccountNumber"), 1500, 300, 1335);
    account->setReadOnly(true);
    m_adodc1->bind(account, QStringLiteral("Account"), FieldFormat::Number);
    in.label(QStringLiteral("Name:"), 120, 690, 1335);
    auto *name = in.textBox(QStringLiteral("txtName"), 1500, 660, 2955);
    name->setReadOnly(true);
    m_adodc1->bind(name, QStringLiteral("Name"));
    in.label(QStringLiteral("Address:"), 120, 1050, 1335);
    m_adodc1->bind(limited(in.textBox(QStringLiteral("txtAddress"), 1500, 1020, 2955), 50),
                   QStringLiteral("Address"));
    in.label(QStringLiteral("City:"), 120, 1410, 1335);
    m_adodc1->bind(limited(in.textBox(QStringLiteral("txtCity"), 1500, 1380, 2955), 20),
                   QStringLiteral("City"));
    in.label(QStringLiteral("State:"), 120, 1770, 1335);
    m_adodc1->bind(limited(in.textBox(QStringLiteral("txtState"), 1500, 1740, 1515), 20),
                   QStringLiteral("State"));
    in.label(QStringLiteral("Zip:"), 3120, 1770, 450);
    m_adodc1->bind(limited(in.textBox(QStringLiteral("txtZip"), 3555, 1740, 900), 5),
                   QStringLiteral("Zip"));
    in.button(QStringLiteral("cmdTotal"), QStringLiteral("Total"), 120, 2160, 1095, 345);
    auto *total = in.label(QString(), 120, 2580, 1815);
    total->setObjectName(QStringLiteral("lblTotal"));
}

void CustomerTab::buildPhoneNumbers()
{
    const FormBuilder page(this, TabPage::topOffset);
    const FormBuilder in(page.frame(QStringLiteral("fraPhoneNumbers"), QStringLiteral("Phone Numbers"),
                                    4800, 480, 2595, 2175));
    const struct {
        const char *caption, *box, *field;
    } phones[] = {{"Home:", "txtHome", "Home"},
                  {"Cell:", "txtCell", "Cell"},
                  {"His Work:", "txtHisWork", "HisWork"},
                  {"Her Work:", "txtHerWork", "HerWork"}};
    int top = 330;
    for (const auto &phone : phones) {
        in.label(QString::fromLatin1(phone.caption), 120, top + 30, 840);
        m_adodc1->bind(limited(in.textBox(QString::fromLatin1(phone.box), 1000, top, 1455), 15),
                       QString::fromLatin1(phone.field));
        top += 420;
    }
}

void CustomerTab::buildDateStarted()
{
    const FormBuilder page(this, TabPage::topOffset);
    const FormBuilder in(page.frame(QStringLiteral("fraDateStarted"), QStringLiteral("Date Started"),
                                    4800, 2700, 2595, 735));
    m_adodc1->bind(in.textBox(QStringLiteral("txtDateStarted"), 120, 330, 1815),
                   QStringLiteral("DateStarted"), FieldFormat::Date);
    in.button(QStringLiteral("cmdMonthView"), QStringLiteral("Cal"), 1980, 315, 495, 315);
}

void CustomerTab::buildScheduleAndAmount()
{
    const FormBuilder page(this, TabPage::topOffset);
    const FormBuilder in(page.frame(QStringLiteral("fraScheduleAndAmount"),
                                    QStringLiteral("Schedule and Amount"), 180, 3480, 7215, 795));
    auto *schedule = in.combo(QStringLiteral("Combo1"), 120, 330, 1575);
    schedule->setEditable(true);
    schedule->addItems({QStringLiteral("OneShot"), QStringLiteral("Monthly"),
                        QStringLiteral("BiMonthly"), QStringLiteral("Quarterly"),
                        QStringLiteral("Every 6 Months"), QStringLiteral("Yearly")});
    schedule->setEditText(QStringLiteral("Weekly"));
    m_adodc1->bind(schedule, QStringLiteral("Schedule"));
    in.label(QStringLiteral("Amount per visit:"), 1800, 360, 1230);
    in.label(QStringLiteral("$"), 3030, 360, 135);
    m_adodc1->bind(in.textBox(QStringLiteral("txtVisitAmount"), 3165, 330, 870),
                   QStringLiteral("AmountPerVisit"), FieldFormat::Money);
    in.label(QStringLiteral("Monthly Amount:"), 4110, 360, 1215);
    in.label(QStringLiteral("$"), 5340, 360, 135);
    auto *monthly = in.textBox(QStringLiteral("txtMonthlyAmount"), 5475, 330, 870);
    monthly->setReadOnly(true);
    m_adodc1->bind(monthly, QStringLiteral("AmountMonthly"), FieldFormat::Money);
    in.label(QStringLiteral("Active?"), 6375, 360, 555);
    m_adodc1->bind(in.check(QStringLiteral("Check1"), 6945, 360), QStringLiteral("Active"));
}

void CustomerTab::buildComments()
{
    const FormBuilder page(this, TabPage::topOffset);
    const FormBuilder in(page.frame(QStringLiteral("fraComments"), QStringLiteral("Comments"), 180,
                                    4260, 7215, 735));
    m_adodc1->bind(limited(in.textBox(QStringLiteral("txtComments"), 120, 330, 6975), 100),
                   QStringLiteral("Comments"));
}

void CustomerTab::buildRecordButtons()
{
    const FormBuilder page(this, TabPage::topOffset);
    page.button(QStringLiteral("cmdAdd"), QStringLiteral("New"), 180, 5100, 1140, 330);
    page.button(QStringLiteral("cmdEdit"), QStringLiteral("Edit"), 1440, 5100, 1140, 330);
    page.button(QStringLiteral("cmdSave"), QStringLiteral("Save"), 2700, 5100, 1140, 330);
    page.button(QStringLiteral("cmdDelete"), QStringLiteral("Delete"), 3960, 5100, 1140, 330);
    page.place(m_adodc1, 5220, 5100, 2175, 330);
}

void CustomerTab::buildSearch()
{
    const FormBuilder page(this, TabPage::topOffset);
    const FormBuilder in(page.frame(QStringLiteral("fraSearch"), QStringLiteral("Search"), 240, 5580,
                                    7215, 915));
    in.textBox(QStringLiteral("txtSearch"), 120, 420, 2775);
    in.button(QStringLiteral("cmdSearch"), QStringLiteral("Search"), 3000, 390, 975, 345);
    in.button(QStringLiteral("cmdClear"), QStringLiteral("Clear"), 4080, 390, 975, 345);
    const struct {
        const char *caption, *option;
        int left;
    } options[] = {{"Name", "Option1", 5220}, {"Address", "Option2", 5880}, {" Phone", "Option3", 6540}};
    for (const auto &option : options) {
        in.label(QString::fromLatin1(option.caption), option.left, 240, 645);
        auto *button = in.option(QString::fromLatin1(option.option), option.left + 180, 510);
        button->setChecked(option.left == 5220);
    }
}
