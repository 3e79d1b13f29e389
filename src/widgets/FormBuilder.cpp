#include "FormBuilder.h"

#include "DateText.h"
#include "Twips.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

FormBuilder::FormBuilder(QWidget *parent, int topOffset) : m_parent(parent), m_topOffset(topOffset)
{
}

void FormBuilder::place(QWidget *widget, int left, int top, int width, int height) const
{
    widget->setParent(m_parent);
    widget->setGeometry(Twips::rect(left, top - m_topOffset, width, height));
}

QGroupBox *FormBuilder::frame(const QString &name, const QString &caption, int left, int top,
                              int width, int height) const
{
    auto *frame = new QGroupBox(caption);
    frame->setObjectName(name);
    place(frame, left, top, width, height);
    return frame;
}

QLabel *FormBuilder::label(const QString &caption, int left, int top, int width, int height) const
{
    auto *label = new QLabel(caption);
    place(label, left, top, width, height);
    return label;
}

QLineEdit *FormBuilder::textBox(const QString &name, int left, int top, int width, int height) const
{
    auto *box = new QLineEdit;
    box->setObjectName(name);
    place(box, left, top, width, height);
    return box;
}

QPushButton *FormBuilder::button(const QString &name, const QString &caption, int left, int top,
                                 int width, int height) const
{
    auto *button = new QPushButton(caption);
    button->setObjectName(name);
    button->setAutoDefault(false);
    place(button, left, top, width, height);
    return button;
}

QRadioButton *FormBuilder::option(const QString &name, int left, int top) const
{
    auto *option = new QRadioButton;
    option->setObjectName(name);
    place(option, left, top, 255, 255);
    return option;
}

QCheckBox *FormBuilder::check(const QString &name, int left, int top) const
{
    auto *check = new QCheckBox;
    check->setObjectName(name);
    place(check, left, top, 255, 255);
    return check;
}

QComboBox *FormBuilder::combo(const QString &name, int left, int top, int width) const
{
    auto *combo = new QComboBox;
    combo->setObjectName(name);
    place(combo, left, top, width, 315);
    return combo;
}

QDateEdit *FormBuilder::datePicker(const QString &name, int left, int top, int width) const
{
    auto *picker = new QDateEdit;
    picker->setObjectName(name);
    picker->setCalendarPopup(true);
    picker->setDisplayFormat(DateText::shortFormat());
    place(picker, left, top, width, 315);
    return picker;
}
