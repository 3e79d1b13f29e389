#include "AutoCompleteBox.h"

#include <QCompleter>
#include <QStringListModel>

AutoCompleteBox::AutoCompleteBox(QWidget *parent)
    : QLineEdit(parent), m_model(new QStringListModel(this))
{
    auto *completer = new QCompleter(m_model, this);
    completer->setCaseSensitivity(Qt::CaseInsensitive);
    completer->setCompletionMode(QCompleter::PopupCompletion);
    setCompleter(completer);
}

void AutoCompleteBox::setRememberedValue(const QString &value)
{
    m_entries.setValue(value);
    offerEntries();
}

void AutoCompleteBox::rememberCurrentText()
{
    m_entries.remember(text());
    offerEntries();
}

void AutoCompleteBox::offerEntries()
{
    m_model->setStringList(m_entries.words());
}
