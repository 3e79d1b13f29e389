#include "LedgerPanelForm.h"

#include "AutoCompleteBox.h"
#include "DataControl.h"
#include "DataFolder.h"
#include "FormBuilder.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>

void LedgerPanelForm::build(QGroupBox *frame, const LedgerPanelLayout &layout,
                            const DataFolder &folder, MessageBox &messages, const Clock &clock)
{
    const QString &table = layout.table;
    const QString &suffix = layout.suffix;
    const int buttonsTop = layout.buttonsTop;
    frame->setTitle(table);
    frame->setObjectName(QStringLiteral("fra") + table);
    data = new DataControl(QStringLiteral("Adodc") + suffix, table, folder.database(layout.databaseFile),
                           table, messages, clock);
    const FormBuilder in(frame);

    in.label(QStringLiteral("Name:"), 240, 360, 780);
    name = new AutoCompleteBox;
    name->setObjectName(QStringLiteral("txt%1Type").arg(table));
    in.place(name, 1080, 330, 3000, 285);
    data->bind(name, table + QStringLiteral("Type"));

    in.label(QStringLiteral("Amount:  $"), 240, 720, 780);
    amount = in.textBox(QStringLiteral("txt%1Amount").arg(table), 1080, 690, 1500);
    data->bind(amount, table + QStringLiteral("Amount"), FieldFormat::Money);

    in.label(QStringLiteral("Date:"), 240, 1080, 780);
    date = in.textBox(QStringLiteral("txt%1Date").arg(table), 1080, 1050, 1500);
    data->bind(date, table + QStringLiteral("Date"), FieldFormat::Date);
    calendar = in.button(layout.calendarButton, QStringLiteral("&Cal"), 2640, 1035, 495, 315);

    in.label(QStringLiteral("Invoice:"), 240, 1440, 780);
    invoice = in.textBox(QStringLiteral("txt%1Invoice").arg(table), 1080, 1410, 3000);
    data->bind(invoice, table + QStringLiteral("Invoice"));

    add = in.button(QStringLiteral("cmdAdd") + suffix, QStringLiteral("&New"), 240, buttonsTop, 1000, 330);
    edit = in.button(QStringLiteral("cmdEdit") + suffix, QStringLiteral("Ed&it"), 1320, buttonsTop, 1000, 330);
    save = in.button(QStringLiteral("cmdSave") + suffix, QStringLiteral("Sa&ve"), 2400, buttonsTop, 1000, 330);
    remove = in.button(QStringLiteral("cmdDelete") + suffix, QStringLiteral("&Delete"), 3600, buttonsTop,
                       1000, 330);
    in.place(data, 4920, buttonsTop, layout.navigationWidth, 330);
}
