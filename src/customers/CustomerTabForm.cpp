#include "CustomerTabForm.h"

#include "DataControl.h"
#include "DataFiles.h"
#include "DataFolder.h"
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

void CustomerTabForm::build(QWidget *page, const DataFolder &folder, MessageBox &messages,
                            const Clock &clock)
{
    customers = new DataControl(QStringLiteral("Adodc1"), QStringLiteral("Customers"),
                                folder.database(DataFiles::customers),
                                QStringLiteral("SELECT * FROM Customers ORDER BY Name ASC"), messages,
                                clock);
    const FormBuilder builder(page, TabPage::topOffset);
    buildCustomerInfo(builder);
    buildPhoneNumbers(builder);
    buildDateStarted(builder);
    buildScheduleAndAmount(builder);
    buildComments(builder);
    buildRecordButtons(builder);
    buildSearch(builder);
}

QList<QLineEdit *> CustomerTabForm::entryBoxes() const
{
    return {name,    address,     city,        state,
            zip,     home,        cell,        hisWork,
            herWork, dateStarted, visitAmount, comments};
}

void CustomerTabForm::buildCustomerInfo(const FormBuilder &page)
{
    const FormBuilder in(page.frame(QStringLiteral("fraCustomerInfo"), QStringLiteral("Customer Info"),
                                    180, 480, 4575, 2955));
    in.label(QStringLiteral("Account Number:"), 120, 330, 1335);
    accountNumber = in.textBox(QStringLiteral("txtAccountNumber"), 1500, 300, 1335);
    accountNumber->setReadOnly(true);
    customers->bind(accountNumber, QStringLiteral("Account"), FieldFormat::Number);
    in.label(QStringLiteral("Name:"), 120, 690, 1335);
    name = in.textBox(QStringLiteral("txtName"), 1500, 660, 2955);
    name->setReadOnly(true);
    customers->bind(name, QStringLiteral("Name"));
    in.label(QStringLiteral("Address:"), 120, 1050, 1335);
    address = limited(in.textBox(QStringLiteral("txtAddress"), 1500, 1020, 2955), 50);
    customers->bind(address, QStringLiteral("Address"));
    in.label(QStringLiteral("City:"), 120, 1410, 1335);
    city = limited(in.textBox(QStringLiteral("txtCity"), 1500, 1380, 2955), 20);
    customers->bind(city, QStringLiteral("City"));
    in.label(QStringLiteral("State:"), 120, 1770, 1335);
    state = limited(in.textBox(QStringLiteral("txtState"), 1500, 1740, 1515), 20);
    customers->bind(state, QStringLiteral("State"));
    in.label(QStringLiteral("Zip:"), 3120, 1770, 450);
    zip = limited(in.textBox(QStringLiteral("txtZip"), 3555, 1740, 900), 5);
    customers->bind(zip, QStringLiteral("Zip"));
    totalButton = in.button(QStringLiteral("cmdTotal"), QStringLiteral("Total"), 120, 2160, 1095, 345);
    total = in.label(QString(), 120, 2580, 1815);
    total->setObjectName(QStringLiteral("lblTotal"));
}

void CustomerTabForm::buildPhoneNumbers(const FormBuilder &page)
{
    const FormBuilder in(page.frame(QStringLiteral("fraPhoneNumbers"), QStringLiteral("Phone Numbers"),
                                    4800, 480, 2595, 2175));
    const struct {
        const char *caption, *box, *field;
        QLineEdit **member;
    } phones[] = {{"Home:", "txtHome", "Home", &home},
                  {"Cell:", "txtCell", "Cell", &cell},
                  {"His Work:", "txtHisWork", "HisWork", &hisWork},
                  {"Her Work:", "txtHerWork", "HerWork", &herWork}};
    int top = 330;
    for (const auto &phone : phones) {
        in.label(QString::fromLatin1(phone.caption), 120, top + 30, 840);
        *phone.member = limited(in.textBox(QString::fromLatin1(phone.box), 1000, top, 1455), 15);
        customers->bind(*phone.member, QString::fromLatin1(phone.field));
        top += 420;
    }
}

void CustomerTabForm::buildDateStarted(const FormBuilder &page)
{
    const FormBuilder in(page.frame(QStringLiteral("fraDateStarted"), QStringLiteral("Date Started"),
                                    4800, 2700, 2595, 735));
    dateStarted = in.textBox(QStringLiteral("txtDateStarted"), 120, 330, 1815);
    customers->bind(dateStarted, QStringLiteral("DateStarted"), FieldFormat::Date);
    calendar = in.button(QStringLiteral("cmdMonthView"), QStringLiteral("&Cal"), 1980, 315, 495, 315);
}

void CustomerTabForm::buildScheduleAndAmount(const FormBuilder &page)
{
    const FormBuilder in(page.frame(QStringLiteral("fraScheduleAndAmount"),
                                    QStringLiteral("Schedule and Amount"), 180, 3480, 7215, 795));
    schedule = in.combo(QStringLiteral("Combo1"), 120, 330, 1575);
    schedule->setEditable(true);
    schedule->addItems({QStringLiteral("OneShot"), QStringLiteral("Monthly"), QStringLiteral("BiMonthly"),
                      QStringLiteral("Quarterly"), QStringLiteral("Every 6 Months"),
                      QStringLiteral("Yearly")});
    schedule->setEditText(QStringLiteral("Weekly"));
    customers->bind(schedule, QStringLiteral("Schedule"));
    in.label(QStringLiteral("Amount per visit:"), 1800, 360, 1230);
    in.label(QStringLiteral("$"), 3030, 360, 135);
    visitAmount = in.textBox(QStringLiteral("txtVisitAmount"), 3165, 330, 870);
    customers->bind(visitAmount, QStringLiteral("AmountPerVisit"), FieldFormat::Money);
    in.label(QStringLiteral("Monthly Amount:"), 4110, 360, 1215);
    in.label(QStringLiteral("$"), 5340, 360, 135);
    monthlyAmount = in.textBox(QStringLiteral("txtMonthlyAmount"), 5475, 330, 870);
    monthlyAmount->setReadOnly(true);
    customers->bind(monthlyAmount, QStringLiteral("AmountMonthly"), FieldFormat::Money);
    in.label(QStringLiteral("Active?"), 6375, 360, 555);
    active = in.check(QStringLiteral("Check1"), 6945, 360);
    customers->bind(active, QStringLiteral("Active"));
}

void CustomerTabForm::buildComments(const FormBuilder &page)
{
    const FormBuilder in(page.frame(QStringLiteral("fraComments"), QStringLiteral("Comments"), 180,
                                    4260, 7215, 735));
    comments = limited(in.textBox(QStringLiteral("txtComments"), 120, 330, 6975), 100);
    customers->bind(comments, QStringLiteral("Comments"));
}

void CustomerTabForm::buildRecordButtons(const FormBuilder &page)
{
    add = page.button(QStringLiteral("cmdAdd"), QStringLiteral("&New"), 180, 5100, 1140, 330);
    edit = page.button(QStringLiteral("cmdEdit"), QStringLiteral("Ed&it"), 1440, 5100, 1140, 330);
    save = page.button(QStringLiteral("cmdSave"), QStringLiteral("Sa&ve"), 2700, 5100, 1140, 330);
    remove = page.button(QStringLiteral("cmdDelete"), QStringLiteral("&Delete"), 3960, 5100, 1140, 330);
    page.place(customers, 5220, 5100, 2175, 330);
}

void CustomerTabForm::buildSearch(const FormBuilder &page)
{
    const FormBuilder in(page.frame(QStringLiteral("fraSearch"), QStringLiteral("Search"), 240, 5580,
                                    7215, 915));
    searchText = in.textBox(QStringLiteral("txtSearch"), 120, 420, 2775);
    search = in.button(QStringLiteral("cmdSearch"), QStringLiteral("&Search"), 3000, 390, 975, 345);
    clear = in.button(QStringLiteral("cmdClear"), QStringLiteral("&Clear"), 4080, 390, 975, 345);
    const struct {
        const char *caption, *option;
        int left;
        QRadioButton **member;
    } options[] = {{"Name", "Option1", 5220, &byName},
                   {"Address", "Option2", 5880, &byAddress},
                   {" Phone", "Option3", 6540, &byPhone}};
    for (const auto &option : options) {
        in.label(QString::fromLatin1(option.caption), option.left, 240, 645);
        *option.member = in.option(QString::fromLatin1(option.option), option.left + 180, 510);
    }
    byName->setChecked(true);
}
