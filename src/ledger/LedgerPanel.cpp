#include "LedgerPanel.h"

#include "AutoCompleteBox.h"
#include "CapitalisingKeys.h"
#include "DataControl.h"
#include "DataFiles.h"
#include "FormBuilder.h"

#include <QLineEdit>
#include <QPushButton>

LedgerPanel::LedgerPanel(const LedgerPanelLayout &layout, MessageBox &messages, QWidget *parent)
    : QGroupBox(layout.table, parent)
{
    const QString table = layout.table;
    setObjectName(QStringLiteral("fra") + table);
    m_data = new DataControl(QStringLiteral("Adodc") + layout.suffix, table,
                             DataFiles::connectionString(table + QStringLiteral(".mdb")), table,
                             messages);
    const FormBuilder in(this);

    in.label(QStringLiteral("Name:"), 240, 360, 780);
    m_name = new AutoCompleteBox;
    m_name->setObjectName(QStringLiteral("txt%1Type").arg(table));
    in.place(m_name, 1080, 330, 3000, 285);
    (new CapitalisingKeys(this))->watch(m_name);
    m_data->bind(m_name, table + QStringLiteral("Type"));

    in.label(QStringLiteral("Amount:  $"), 240, 720, 780);
    auto *amount = in.textBox(QStringLiteral("txt%1Amount").arg(table), 1080, 690, 1500);
    m_data->bind(amount, table + QStringLiteral("Amount"), FieldFormat::Money);

    in.label(QStringLiteral("Date:"), 240, 1080, 780);
    auto *date = in.textBox(QStringLiteral("txt%1Date").arg(table), 1080, 1050, 1500);
    m_data->bind(date, table + QStringLiteral("Date"), FieldFormat::Date);
    in.button(layout.calendarButton, QStringLiteral("Cal"), 2640, 1035, 495, 315);

    in.label(QStringLiteral("Invoice:"), 240, 1440, 780);
    auto *invoice = in.textBox(QStringLiteral("txt%1Invoice").arg(table), 1080, 1410, 3000);
    m_data->bind(invoice, table + QStringLiteral("Invoice"));

    // The panel opens browsing: nothing to save, the entry's boxes locked.
    for (QLineEdit *box : {amount, date, invoice})
        box->setReadOnly(true);
    const QString s = layout.suffix;
    const int top = layout.buttonsTop;
    in.button(QStringLiteral("cmdAdd") + s, QStringLiteral("New"), 240, top, 1000, 330);
    in.button(QStringLiteral("cmdEdit") + s, QStringLiteral("Edit"), 1320, top, 1000, 330);
    in.button(QStringLiteral("cmdSave") + s, QStringLiteral("Save"), 2400, top, 1000, 330)
        ->setEnabled(false);
    in.button(QStringLiteral("cmdDelete") + s, QStringLiteral("Delete"), 3600, top, 1000, 330);
    in.place(m_data, 4920, top, layout.navigationWidth, 330);
}
