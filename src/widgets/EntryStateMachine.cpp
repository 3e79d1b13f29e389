#include "EntryStateMachine.h"

#include "DataControl.h"

#include <QLineEdit>
#include <QPushButton>

EntryStateMachine::EntryStateMachine(const EntryControls &controls, MessageBox &messages,
                                     QWidget *window)
    : QObject(window), m_controls(controls), m_messages(messages), m_window(window)
{
}

QMessageBox::StandardButton EntryStateMachine::ask(const MessageBoxRequest &request)
{
    return m_messages.show(m_window->window(), request);
}

bool EntryStateMachine::hasCurrentRecord() const
{
    const Recordset &records = m_controls.records->recordset();
    return !records.isEOF() && !records.isBOF();
}

void EntryStateMachine::focusHome()
{
    m_controls.home->setFocus();
}

// Adding and editing unlock the entry boxes and Save, and lock New, Edit and
// whatever only browsing may use; browsing does the reverse.
void EntryStateMachine::setMode(EntryMode mode)
{
    m_mode = mode;
    const bool entering = isEntering();
    m_controls.add->setEnabled(!entering);
    m_controls.save->setEnabled(entering);
    m_controls.edit->setEnabled(!entering);
    for (QWidget *control : std::as_const(m_controls.browsingOnly))
        control->setEnabled(!entering);
    for (QLineEdit *box : std::as_const(m_controls.entryBoxes))
        box->setReadOnly(!entering);
    emit modeSet(m_mode);
}

void EntryStateMachine::keepEntering()
{
    setMode(isEntering() ? m_mode : EntryMode::Editing);
}

bool EntryStateMachine::addNew()
{
    const bool hadCurrentRecord = hasCurrentRecord();
    setMode(EntryMode::Adding);
    m_controls.records->refresh();
    m_controls.records->recordset().addNew();
    return hadCurrentRecord;
}

bool EntryStateMachine::edit()
{
    if (!hasCurrentRecord()) {
        guardEmptyTable(false);
        return false;
    }
    const auto answer = ask({QStringLiteral("Are you sure you want to edit this file?"),
                             QStringLiteral("Edit File?"), QMessageBox::Ok | QMessageBox::Cancel,
                             QMessageBox::NoIcon, QMessageBox::Cancel});
    if (answer != QMessageBox::Ok)
        return false;
    setMode(EntryMode::Editing);
    return true;
}

void EntryStateMachine::abandon()
{
    setMode(EntryMode::Browsing);
    m_controls.records->refresh();
}

bool EntryStateMachine::store(const Recordset::AlongsideWrite &alongside)
{
    Recordset &records = m_controls.records->recordset();
    const Recordset::Bookmark mark = records.bookmark();
    if (!m_controls.records->update(alongside))
        return false;
    records.setBookmark(mark);
    setMode(EntryMode::Browsing);
    // Delete may have been turned off by an empty table; a stored record is
    // something to delete again.
    m_controls.remove->setEnabled(true);
    return true;
}

bool EntryStateMachine::remove(const MessageBoxRequest &question,
                               const Recordset::AlongsideWrite &alongside)
{
    if (!hasCurrentRecord()) {
        guardEmptyTable(true);
        return false;
    }
    if (ask(question) != QMessageBox::Ok || !m_controls.records->deleteCurrent(alongside))
        return false;
    Recordset &records = m_controls.records->recordset();
    records.movePrevious();
    if (records.isBOF())
        records.moveNext();
    return true;
}

void EntryStateMachine::guardEmptyTable(bool offDelete)
{
    ask({QStringLiteral("You must add a record."), QStringLiteral("Empty file"), QMessageBox::Ok,
         QMessageBox::Information});
    m_controls.add->setEnabled(true);
    if (offDelete)
        m_controls.remove->setEnabled(false);
    m_controls.save->setEnabled(false);
    m_controls.edit->setEnabled(false);
    for (QWidget *control : std::as_const(m_controls.offWhenEmpty))
        control->setEnabled(false);
    focusHome();
}
