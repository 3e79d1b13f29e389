#pragma once

#include <QString>

class QCheckBox;
class QComboBox;
class QDateEdit;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QWidget;

// Puts controls on a page or frame at their design positions, in twips.
// Controls are created in tab order, since Qt's focus chain follows creation.
// topOffset moves the origin up: a tab page starts below the tab strip,
// while the layout measures from the top of the tab control.
class FormBuilder
{
public:
    explicit FormBuilder(QWidget *parent, int topOffset = 0);

    QGroupBox *frame(const QString &name, const QString &caption, int left, int top, int width,
                     int height) const;
    QLabel *label(const QString &caption, int left, int top, int width, int height = 255) const;
    QLineEdit *textBox(const QString &name, int left, int top, int width, int height = 285) const;
    QPushButton *button(const QString &name, const QString &caption, int left, int top, int width,
                        int height = 375) const;
    QRadioButton *option(const QString &name, int left, int top) const;
    QCheckBox *check(const QString &name, int left, int top) const;
    QComboBox *combo(const QString &name, int left, int top, int width) const;
    QDateEdit *datePicker(const QString &name, int left, int top, int width) const;

    void place(QWidget *widget, int left, int top, int width, int height) const;

private:
    QWidget *m_parent;
    int m_topOffset;
};
