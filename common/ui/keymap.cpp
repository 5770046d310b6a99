#include "ui/keymap.h"

#include "ui/guard.h"

#include <QKeyEvent>
#include <QPointer>
#include <QWidget>

namespace lx::ui {

KeyMap::KeyMap(QWidget *control) : QObject(control), m_control(control)
{
    control->installEventFilter(this);
}

KeyMap &keys(QWidget *control)
{
    if (auto *existing = control->findChild<KeyMap *>(QString(), Qt::FindDirectChildrenOnly))
        return *existing;
    return *new KeyMap(control);
}

void KeyMap::focusNext(QWidget *control, bool forward)
{
    QWidget *w = control;
    for (int guardCount = 0; guardCount < 1000; ++guardCount) {
        w = forward ? w->nextInFocusChain() : w->previousInFocusChain();
        if (!w || w == control)
            return;
        if (w->window() == control->window() && w->isEnabled() && w->isVisible() &&
            (w->focusPolicy() & Qt::TabFocus) && !w->focusProxy()) {
            w->setFocus(forward ? Qt::TabFocusReason : Qt::BacktabFocusReason);
            return;
        }
    }
}

KeyMap &KeyMap::next()
{
    auto move = [this] { focusNext(m_control, true); };
    m_handlers[Qt::Key_Return] = move;
    m_handlers[Qt::Key_Enter] = move;
    m_handlers[Qt::Key_Down] = move;
    return *this;
}

KeyMap &KeyMap::enterNext()
{
    auto move = [this] { focusNext(m_control, true); };
    m_handlers[Qt::Key_Return] = move;
    m_handlers[Qt::Key_Enter] = move;
    return *this;
}

KeyMap &KeyMap::prev()
{
    m_handlers[Qt::Key_Up] = [this] { focusNext(m_control, false); };
    return *this;
}

KeyMap &KeyMap::to(int key, QWidget *target)
{
    QPointer<QWidget> t(target);
    m_handlers[key] = [t] {
        if (t)
            t->setFocus(Qt::OtherFocusReason);
    };
    if (key == Qt::Key_Return)
        m_handlers[Qt::Key_Enter] = m_handlers[key];
    return *this;
}

KeyMap &KeyMap::on(int key, std::function<void()> handler)
{
    m_handlers[key] = std::move(handler);
    return *this;
}

KeyMap &KeyMap::onEnter(std::function<void()> handler)
{
    m_handlers[Qt::Key_Return] = handler;
    m_handlers[Qt::Key_Enter] = std::move(handler);
    return *this;
}

bool KeyMap::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_control || event->type() != QEvent::KeyPress)
        return false;
    auto *ke = static_cast<QKeyEvent *>(event);
    if (ke->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::ShiftModifier))
        return false;
    const auto it = m_handlers.find(ke->key());
    if (it == m_handlers.end())
        return false;
    const auto handler = it->second; // the handler may replace the map's entries
    guard(m_control->window(), handler);
    return true;
}

} // namespace lx::ui
