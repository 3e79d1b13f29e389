#include "DataControl.h"

#include "Clock.h"
#include "MessageBox.h"
#include "Twips.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>

namespace {

QToolButton *navigationButton(const QString &name, const QString &text, const QString &tip)
{
    auto *button = new QToolButton;
    button->setObjectName(name);
    button->setText(text);
    button->setToolTip(tip);
    button->setAutoRaise(true);
    button->setFixedWidth(Twips::toPixels(300));
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

} // namespace

DataControl::DataControl(const QString &name, const QString &caption,
                         const Database &database, const QString &rowSource, MessageBox &messages,
                         const Clock &clock, QWidget *parent)
    : QFrame(parent), m_recordset(database, rowSource), m_messages(messages), m_clock(clock)
{
    setObjectName(name);
    setFrameShape(QFrame::StyledPanel);
    auto *first = navigationButton(QStringLiteral("cmdFirst"), QStringLiteral("|◀"),
                                   QStringLiteral("First"));
    auto *previous = navigationButton(QStringLiteral("cmdPrevious"), QStringLiteral("◀"),
                                      QStringLiteral("Previous"));
    auto *next = navigationButton(QStringLiteral("cmdNext"), QStringLiteral("▶"),
                                  QStringLiteral("Next"));
    auto *last = navigationButton(QStringLiteral("cmdLast"), QStringLiteral("▶|"),
                                  QStringLiteral("Last"));
    auto *label = new QLabel(caption);
    label->setObjectName(QStringLiteral("lblCaption"));
    label->setAlignment(Qt::AlignCenter);

    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(1, 1, 1, 1);
    layout->setSpacing(0);
    layout->addWidget(first);
    layout->addWidget(previous);
    layout->addWidget(label, 1);
    layout->addWidget(next);
    layout->addWidget(last);

    connect(first, &QToolButton::clicked, this, [this] { move(Move::First); });
    connect(previous, &QToolButton::clicked, this, [this] { move(Move::Previous); });
    connect(next, &QToolButton::clicked, this, [this] { move(Move::Next); });
    connect(last, &QToolButton::clicked, this, [this] { move(Move::Last); });
    connect(&m_recordset, &Recordset::currentChanged, this, &DataControl::showCurrent);
    connect(&m_recordset, &Recordset::readFailed, this, [this](const QString &error) {
        tellCannotOpen(error);
        emit readFailed();
    });
}

// Nothing bound to the control can be seen, and so typed into, before its rows are there.
void DataControl::showEvent(QShowEvent *event)
{
    m_recordset.rows();
    QFrame::showEvent(event);
}

void DataControl::move(Move to)
{
    if (!isEnabled() || (m_mayLeave && !m_mayLeave()))
        return;
    switch (to) {
    case Move::First:
        m_recordset.moveFirst();
        break;
    case Move::Previous:
        movePrevious();
        break;
    case Move::Next:
        moveNext();
        break;
    case Move::Last:
        m_recordset.moveLast();
        break;
    }
}

void DataControl::movePrevious()
{
    m_recordset.movePrevious();
    if (m_recordset.isBOF())
        m_recordset.moveFirst();
}

void DataControl::moveNext()
{
    m_recordset.moveNext();
    if (m_recordset.isEOF())
        m_recordset.moveLast();
}

void DataControl::bind(QWidget *box, const QString &field, FieldFormat format)
{
    m_bindings.append({box, field, format});
}

void DataControl::showCurrent()
{
    for (const Binding &binding : std::as_const(m_bindings)) {
        const QVariant value = m_recordset.field(binding.field);
        if (auto *check = qobject_cast<QCheckBox *>(binding.box))
            check->setChecked(value.toInt() != 0);
        else if (auto *combo = qobject_cast<QComboBox *>(binding.box))
            combo->setEditText(FieldText::display(value, binding.format));
        else if (auto *edit = qobject_cast<QLineEdit *>(binding.box))
            edit->setText(FieldText::display(value, binding.format));
    }
    takeShownAsUnchanged();
}

QString DataControl::content(const Binding &binding)
{
    if (auto *check = qobject_cast<QCheckBox *>(binding.box))
        return check->isChecked() ? QStringLiteral("-1") : QStringLiteral("0");
    if (auto *combo = qobject_cast<QComboBox *>(binding.box))
        return combo->currentText();
    if (auto *edit = qobject_cast<QLineEdit *>(binding.box))
        return edit->text();
    return {};
}

QStringList DataControl::contents() const
{
    QStringList all;
    for (const Binding &binding : m_bindings)
        all << content(binding);
    return all;
}

std::optional<QVariantHash> DataControl::boundValues(QString *error) const
{
    QVariantHash values;
    for (const Binding &binding : m_bindings) {
        if (binding.format == FieldFormat::Number)
            continue; // assigned by the database, never written
        if (auto *check = qobject_cast<QCheckBox *>(binding.box)) {
            values.insert(binding.field, check->isChecked() ? -1 : 0);
            continue;
        }
        QString reason;
        const auto value =
            FieldText::stored(content(binding), binding.format, m_clock.today(), &reason);
        if (!value) {
            *error = QStringLiteral("%1: %2").arg(binding.field, reason);
            return std::nullopt;
        }
        values.insert(binding.field, *value);
    }
    return values;
}

void DataControl::report(const QString &what, const QString &error)
{
    m_messages.show(window(), {QStringLiteral("%1\n\n%2").arg(what, error),
                               MessageBox::applicationTitle(), QMessageBox::Ok,
                               QMessageBox::Warning});
}

void DataControl::tellCannotOpen(const QString &error)
{
    report(QStringLiteral("%1 could not be opened.").arg(m_recordset.dataSource()), error);
}

bool DataControl::open()
{
    QString error;
    if (!m_recordset.open(&error)) {
        tellCannotOpen(error);
        return false;
    }
    return true;
}

bool DataControl::openInBackground()
{
    QString error;
    if (!m_recordset.openInBackground(&error)) {
        tellCannotOpen(error);
        return false;
    }
    return true;
}

bool DataControl::refresh()
{
    m_missed.reset();
    QString error;
    if (!m_recordset.refresh(&error)) {
        report(QStringLiteral("%1 could not be read.").arg(m_recordset.dataSource()), error);
        return false;
    }
    return true;
}

// Nothing typed is lost: a row being entered or changed is left as it is,
// and its desk sees the change at its next step.
void DataControl::follow(const QList<qint64> &rowids)
{
    const QList<qint64> wanted =
        !m_missed ? rowids : m_missed->isEmpty() || rowids.isEmpty() ? QList<qint64>{} : *m_missed + rowids;
    if (!isEnabled() || hasChanges() || m_recordset.isNew()) {
        m_missed = wanted;
        return;
    }
    m_missed.reset();
    QString error;
    if (!m_recordset.follow(wanted, &error))
        report(QStringLiteral("%1 could not be read.").arg(m_recordset.dataSource()), error);
}

bool DataControl::update(const Recordset::AlongsideWrite &alongside)
{
    QString error;
    const auto values = boundValues(&error);
    if (!values || !m_recordset.update(*values, &error, alongside)) {
        report(QStringLiteral("The record could not be stored in %1. Nothing was changed.")
                   .arg(m_recordset.dataSource()),
               error);
        return false;
    }
    return true;
}

bool DataControl::deleteCurrent(const Recordset::AlongsideWrite &alongside)
{
    QString error;
    if (!m_recordset.deleteCurrent(&error, alongside)) {
        report(QStringLiteral("The record could not be deleted from %1.")
                   .arg(m_recordset.dataSource()),
               error);
        return false;
    }
    return true;
}
