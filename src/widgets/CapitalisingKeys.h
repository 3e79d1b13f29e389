#pragma once

#include <QObject>

class QLineEdit;

// Passes every character typed into the boxes it watches through
// ProperCaseKey before the box inserts it. Pasted text and text the program
// sets are left as they are.
class CapitalisingKeys : public QObject
{
    Q_OBJECT
public:
    explicit CapitalisingKeys(QObject *parent = nullptr);
    void watch(QLineEdit *box);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
};
