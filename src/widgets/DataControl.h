#pragma once

#include "FieldText.h"
#include "Recordset.h"

#include <QFrame>
#include <QList>
#include <QStringList>
#include <functional>
#include <optional>

class Clock;
class MessageBox;
class QLabel;

// A bound data control: the navigation bar (first, previous, next, last
// around its caption) over a recordset, and the boxes bound to its fields.
// Bound boxes show the current row; what is typed into them is stored only
// by update(). Moving drops what was typed, and a new row not yet stored;
// the owner may first be asked whether the bar may leave the row.
// The bar never moves before the first row or past the last.
// Every failing database operation is told in a message box.
class DataControl : public QFrame
{
    Q_OBJECT
public:
    DataControl(const QString &name, const QString &caption, const Database &database,
                const QString &rowSource, MessageBox &messages, const Clock &clock,
                QWidget *parent = nullptr);

    Recordset &recordset() { return m_recordset; }

    enum class Move { First, Previous, Next, Last };
    // What the bar's buttons do: nothing while the bar is off, and a move
    // only when the owner lets the current row go.
    void move(Move to);

    void bind(QWidget *box, const QString &field, FieldFormat format = FieldFormat::Text);
    // Asked before the bar leaves the current row; false keeps the row.
    void setLeaveCheck(std::function<bool()> mayLeave) { m_mayLeave = std::move(mayLeave); }

    // Whether a bound control differs from what it showed when the row was
    // shown, or when the program last filled it in and took that as shown:
    // a change the user made that is not stored.
    bool hasChanges() const { return contents() != m_shown; }
    void takeShownAsUnchanged() { m_shown = contents(); }

    bool open();
    // Opens the database now and reads the rows on a worker thread; the
    // control waits for them before it shows. A reading that fails is told
    // and signalled by readFailed.
    bool openInBackground();
    void close() { m_recordset.close(); }
    bool refresh();
    // Shows another desk's change of the rows of these ids (none: of any
    // row), unless a row is being entered or changed here; the rows missed
    // then are read at the next change followed, or at Refresh.
    void follow(const QList<qint64> &rowids);
    bool update(const Recordset::AlongsideWrite &alongside = {});
    bool deleteCurrent(const Recordset::AlongsideWrite &alongside = {});

signals:
    void readFailed();

protected:
    void showEvent(QShowEvent *event) override;

private:
    struct Binding {
        QWidget *box;
        QString field;
        FieldFormat format;
    };

    void showCurrent();
    void tellCannotOpen(const QString &error);
    QStringList contents() const;
    static QString content(const Binding &binding);
    std::optional<QVariantHash> boundValues(QString *error) const;
    void report(const QString &what, const QString &error);
    void movePrevious();
    void moveNext();

    Recordset m_recordset;
    MessageBox &m_messages;
    const Clock &m_clock;
    QList<Binding> m_bindings;
    QStringList m_shown; // the bound controls' contents as the row showed them
    std::function<bool()> m_mayLeave;
    std::optional<QList<qint64>> m_missed; // another desk's changes not shown; an empty list: any row
};
