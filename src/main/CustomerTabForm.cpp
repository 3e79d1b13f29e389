#include "CustomerTabForm.h"

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

void CustomerTabForm::build(QWidget *page, MessageBox &messages)
{
    Adodc1 = new DataControl(QStringLiteral("Adodc1"), QStringLiteral("Customers"),
                             DataFiles::connectionString(DataFiles::customers),
                             QStringLiteral("SELECT * FROM Customers ORDER BY Name ASC"), messages);
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
    return {txtName,    txtAddress,     txtCity,        txtState,
            txtZip,     txtHome,        txtCell,        txtHisWork,
            txtHerWork, txtDateStarted, txtVisitAmount, txtComments};
}

void CustomerTabForm::buildCustomerInfo(const FormBuilder &page)
{
    const FormBuilder in(page.frame(QStringLiteral("fraCustomerInfo"), QStringLiteral("Customer Info"),
                                    180, 480, 4575, 2955));
    in.label(QStringLiteral("Account Number:"), 120, 330, 1335);
    txtAccountNumber = in.textBox(QStringLiteral("txtAccountNumber"), 1500, 300, 1335);
    txtAccountNumber->setReadOnly(true);
    Adodc1->bind(txtAccountNumber, QStringLiteral("Account"), FieldFormat::Number);
    in.label(QStringLiteral("Name:"), 120, 690, 1335);
    txtName = in.textBox(QStringLiteral("txtName"), 1500, 660, 2955);
    txtName->setReadOnly(true);
    Adodc1->bind(txtName, QStringLiteral("Name"));
    in.label(QStringLiteral("Address:"), 120, 1050, 1335);
    txtAddress = limited(in.textBox(QStringLiteral("txtAddress"), 1500, 1020, 2955), 50);
    Adodc1->bind(txtAddress, QStringLiteral("Address"));
    in.label(QStringLiteral("City:"), 120, 1410, 1335);
    txtCity = limited(in.textBox(QStringLiteral("txtCity"), 1500, 1380, 2955), 20);
    Adodc1->bind(txtCity, QStringLiteral("City"));
    in.label(QStringLiteral("State:"), 120, 1770, 1335);
    txtState = limited(in.textBox(QStringLiteral("txtState"), 1500, 1740, 1515), 20);
    Adodc1->bind(txtState, QStringLiteral("State"));
    in.label(QStringLiteral("Zip:"), 3120, 1770, 450);
    txtZip = limited(in.textBox(QStringLiteral("txtZip"), 3555, 1740, 900), 5);
    Adodc1->bind(txtZip, QStringLiteral("Zip"));
    cmdTotal = in.button(QStringLiteral("cmdTotal"), QStringLiteral("Total"), 120, 2160, 1095, 345);
    lblTotal = in.label(QString(), 120, 2580, 1815);
    lblTotal->setObjectName(QStringLiteral("lblTotal"));
}

void CustomerTabForm::buildPhoneNumbers(const FormBuilder &page)
{
    const FormBuilder in(page.frame(QStringLiteral("fraPhoneNumbers"), QStringLiteral("Phone Numbers"),
                                    4800, 480, 2595, 2175));
    const struct {
        const char *caption, *box, *field;
        QLineEdit **member;
    } phones[] = {{"Home:", "txtHome", "Home", &txtHome},
                  {"Cell:", "txtCell", "Cell", &txtCell},
                  {"His Work:", "txtHisWork", "HisWork", &txtHisWork},
                  {"Her Work:", "txtHerWork", "HerWork", &txtHerWork}};
    int top = 330;
    for (const auto &phone : phones) {
        in.label(QString::fromLatin1(phone.caption), 120, top + 30, 840);
        *phone.member = limited(in.textBox(QString::fromLatin1(phone.box), 1000, top, 1455), 15);
        Adodc1->bind(*phone.member, QString::fromLatin1(phone.field));
        top += 420;
    }
}

void CustomerTabForm::buildDateStarted(const FormBuilder &page)
{
    const FormBuilder in(page.frame(QStringLiteral("fraDateStarted"), QStringLiteral("Date Started"),
                                    4800, 2700, 2595, 735));
    txtDateStarted = in.textBox(QStringLiteral("txtDateStarted"), 120, 330, 1815);
    Adodc1->bind(txtDateStarted, QStringLiteral("DateStarted"), FieldFormat::Date);
    cmdMonthView = in.button(QStringLiteral("cmdMonthView"), QStringLiteral("Cal"), 1980, 315, 495, 315);
}

void CustomerTabForm::buildScheduleAndAmount(const FormBuilder &page)
{
    const FormBuilder in(page.frame(QStringLiteral("fraScheduleAndAmount"),
                                    QStringLiteral("Schedule and Amount"), 180, 3480, 7215, 795));
    Combo1 = in.combo(QStringLiteral("Combo1"), 120, 330, 1575);
    Combo1->setEditable(true);
    Combo1->addItems({QStringLiteral("OneShot"), QStringLiteral("Monthly"), QStringLiteral("BiMonthly"),
                      QStringLiteral("Quarterly"), QStringLiteral("Every 6 Months"),
                      QStringLiteral("Yearly")});
    Combo1->setEditText(QStringLiteral("Weekly"));
    Adodc1->bind(Combo1, QStringLiteral("Schedule"));
    in.label(QStringLiteral("Amount per visit:"), 1800, 360, 1230);
    in.label(QStringLiteral("$"), 3030, 360, 135);
    txtVisitAmount = in.textBox(QStringLiteral("txtVisitAmount"), 3165, 330, 870);
    Adodc1->bind(txtVisitAmount, QStringLiteral("AmountPerVisit"), FieldFormat::Money);
    in.label(QStringLiteral("Monthly Amount:"), 4110, 360, 1215);
    in.label(QStringLiteral("$"), 5340, 360, 135);
    txtMonthlyAmount = in.textBox(QStringLiteral("txtMonthlyAmount"), 5475, 330, 870);
    txtMonthlyAmount->setReadOnly(true);
    Adodc1->bind(txtMonthlyAmount, QStringLiteral("AmountMonthly"), FieldFormat::Money);
    in.label(QStringLiteral("Active?"), 6375, 360, 555);
    Check1 = in.check(QStringLiteral("Check1"), 6945, 360);
    Adodc1->bind(Check1, QStringLiteral("Active"));
}

void CustomerTabForm::buildComments(const FormBuilder &page)
{
    const FormBuilder in(page.frame(QStringLiteral("fraComments"), QStringLiteral("Comments"), 180,
                                    4260, 7215, 735));
    txtComments = limited(in.textBox(QStringLiteral("txtComments"), 120, 330, 6975), 100);
    Adodc1->bind(txtComments, QStringLiteral("Comments"));
}

void CustomerTabForm::buildRecordButtons(const FormBuilder &page)
{
    cmdAdd = page.button(QStringLiteral("cmdAdd"), QStringLiteral("New"), 180, 5100, 1140, 330);
    cmdEdit = page.button(QStringLiteral("cmdEdit"), QStringLiteral("Edit"), 1440, 5100, 1140, 330);
    cmdSave = page.button(QStringLiteral("cmdSave"), QStringLiteral("Save"), 2700, 5100, 1140, 330);
    cmdDelete = page.button(QStringLiteral("cmdDelete"), QStringLiteral("Delete"), 3960, 5100, 1140, 330);
    page.place(Adodc1, 5220, 5100, 2175, 330);
}

void CustomerTabForm::buildSearch(const FormBuilder &page)
{
    const FormBuilder in(page.frame(QStringLiteral("fraSearch"), QStringLiteral("Search"), 240, 5580,
                                    7215, 915));
    txtSearch = in.textBox(QStringLiteral("txtSearch"), 120, 420, 2775);
    cmdSearch = in.button(QStringLiteral("cmdSearch"), QStringLiteral("Search"), 3000, 390, 975, 345);
    cmdClear = in.button(QStringLiteral("cmdClear"), QStringLiteral("Clear"), 4080, 390, 975, 345);
    const struct {
        const char *caption, *option;
        int left;
        QRadioButton **member;
    } options[] = {{"Name", "Option1", 5220, &Option1},
                   {"Address", "Option2", 5880, &Option2},
                   {" Phone", "Option3", 6540, &Option3}};
    for (const auto &option : options) {
        in.label(QString::fromLatin1(option.caption), option.left, 240, 645);
        *option.member = in.option(QString::fromLatin1(option.option), option.left + 180, 510);
    }
    Option1->setChecked(true);
}
