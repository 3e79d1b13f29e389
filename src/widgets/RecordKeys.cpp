#include "RecordKeys.h"

#include <QKeyEvent>
#include <QWidget>
#include <optional>

namespace {

std::optional<DataControl::Move> moveFor(const QKeyEvent &key)
{
    const Qt::KeyboardModifiers modifiers = key.modifiers() & ~Qt::KeypadModifier;
    const struct {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        DataControl::Move move;
    } moves[] = {{Qt::Key_PageUp, Qt::NoModifier, DataControl::Move::Previous},
                 {Qt::Key_PageDown, Qt::NoModifier, DataControl::Move::Next},
                 {Qt::Key_Home, Qt::ControlModifier, DataControl::Move::First},
                 {Qt::Key_End, Qt::ControlModifier, DataControl::Move::Last}};
    for (const auto &move : moves)
        if (key.key() == move.key && modifiers == move.modifiers)
            return move.move;
    return std::nullopt;
}

} // namespace

// Pop-up lists and completions are windows of their own, and keep their keys.
RecordKeys::RecordKeys(QWidget *area, DataControl &records, std::function<void()> escape)
    : QObject(area), m_records(records), m_escape(std::move(escape))
{
    for (QWidget *control : area->findChildren<QWidget *>())
        if (control->window() == area->window())
            control->installEventFilter(this);
}

bool RecordKeys::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress)
        return QObject::eventFilter(watched, event);
    const auto &key = static_cast<const QKeyEvent &>(*event);
    if (key.key() == Qt::Key_Escape && key.modifiers() == Qt::NoModifier) {
        m_escape();
        return true;
    }
    if (const auto move = moveFor(key)) {
        m_records.move(*move);
        return true;
    }
    return false;
}
