#pragma once

#include "MessageBox.h"
#include "Recordset.h"

#include <QList>
#include <QObject>

class DataControl;
class QLineEdit;
class QPushButton;
class QWidget;

// What a tab or panel is doing with its current record.
enum class EntryMode { Browsing, Adding, Editing };

// The controls that a record tab or panel enters records with.
struct EntryControls {
    DataControl *records = nullptr;
    QPushButton *add = nullptr, *edit = nullptr, *save = nullptr, *remove = nullptr;
    QList<QLineEdit *> entryBoxes;   // typed into only while adding or editing
    QList<QWidget *> browsingOnly;   // usable only while browsing
    QList<QWidget *> offWhenEmpty;   // turned off, beside Edit and Save, by an empty table
    QWidget *home = nullptr;         // the box that has the focus after every action
};

// The steps that the Customers tab and the two ledger panels share: New,
// Edit, the guard for an empty table, storing and deleting the current
// record, and leaving an entry unsaved. Each owner adds its own steps and
// messages around them. The mode is the state; the buttons only show it.
class EntryStateMachine : public QObject
{
    Q_OBJECT
public:
    EntryStateMachine(const EntryControls &controls, MessageBox &messages, QWidget *window);

    EntryMode mode() const { return m_mode; }
    bool isEntering() const { return m_mode != EntryMode::Browsing; }
    bool hasCurrentRecord() const;

    // New: the table read afresh and a blank record shown for typing.
    // Returns whether a record was shown before.
    bool addNew();
    // Edit, after the question; false when there is nothing to edit or the
    // user said no.
    bool edit();
    void setMode(EntryMode mode);
    // Save refused for want of a name, and the user goes on typing: the
    // entry stays open (a record shown while browsing is then being edited).
    void keepEntering();
    // Leaves the record unsaved: the table is read afresh and shown from its first record.
    void abandon();
    // Stores the record on screen and keeps it shown; false when the database
    // refused it, the entry left open as typed. `alongside` commits with it.
    bool store(const Recordset::AlongsideWrite &alongside = {});
    // Delete, after the question; the record before it is shown, or the first
    // when it was the first. False when nothing was deleted.
    bool remove(const MessageBoxRequest &question, const Recordset::AlongsideWrite &alongside = {});
    // Edit, Delete or Search with no record: only New is left to press.
    void guardEmptyTable(bool offDelete);
    void focusHome();

signals:
    // After every change of mode, and every renewal of one.
    void modeSet(EntryMode mode);

private:
    QMessageBox::StandardButton ask(const MessageBoxRequest &request);

    EntryControls m_controls;
    MessageBox &m_messages;
    QWidget *m_window;
    EntryMode m_mode = EntryMode::Browsing;
};
