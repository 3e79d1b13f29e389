#pragma once

#include "RememberedEntries.h"

#include <QLineEdit>

class QStringListModel;

// A line box that offers its remembered words as completions while the user
// types. Its remembered-entries value travels whole through a side file.
class AutoCompleteBox : public QLineEdit
{
    Q_OBJECT
public:
    explicit AutoCompleteBox(QWidget *parent = nullptr);

    QString rememberedValue() const { return m_entries.value(); }
    void setRememberedValue(const QString &value);
    void rememberCurrentText();

private:
    void offerEntries();

    RememberedEntries m_entries{50};
    QStringListModel *m_model;
};
