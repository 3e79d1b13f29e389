#include "CapitalisingKeys.h"

#include "ProperCaseKey.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>

CapitalisingKeys::CapitalisingKeys(QObject *parent) : QObject(parent) {}

void CapitalisingKeys::watch(QLineEdit *box)
{
    box->installEventFilter(this);
}

bool CapitalisingKeys::eventFilter(QObject *watched, QEvent *event)
{
    auto *box = qobject_cast<QLineEdit *>(watched);
    if (!box || event->type() != QEvent::KeyPress)
        return false;
    auto *key = static_cast<QKeyEvent *>(event);
    if (key->text().size() != 1)
        return false;
    const qsizetype caret = box->hasSelectedText() ? box->selectionStart() : box->cursorPosition();
    const QChar typed = key->text().front();
    const QChar replaced = ProperCaseKey(box->text(), caret, typed);
    if (replaced == typed)
        return false;
    // The box handles the key as usual, with the replaced character; passing
    // it through here again changes nothing more.
    QKeyEvent replacement(QEvent::KeyPress, key->key(), key->modifiers(), QString(replaced),
                          key->isAutoRepeat(), ushort(key->count()));
    QCoreApplication::sendEvent(box, &replacement);
    return true;
}
