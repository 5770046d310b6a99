#pragma once

#include <QObject>

#include <functional>
#include <map>

class QWidget;

namespace lx::ui {

/// The keys a control answers to: moving to the next or previous control and handlers such
/// as F5 (save) or Esc (leave). Handlers run under guard(); a key that is mapped is consumed.
///
///   keys(DBEdit1).next().prev().on(Qt::Key_F5, [this] { btnSalvarClick(); });
class KeyMap : public QObject
{
    Q_OBJECT
public:
    /// Enter (both keys) and Down move to the next control in the tab order.
    KeyMap &next();
    /// Enter (both keys) alone moves to the next control; Up and Down stay with the control
    /// (drop-down lists).
    KeyMap &enterNext();
    /// Up moves to the previous control.
    KeyMap &prev();
    /// key moves to the given control.
    KeyMap &to(int key, QWidget *target);
    KeyMap &on(int key, std::function<void()> handler);
    /// Enter on either key runs handler.
    KeyMap &onEnter(std::function<void()> handler);

    /// Moves the focus to the next (or previous) enabled, visible control of control's window.
    static void focusNext(QWidget *control, bool forward = true);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    friend KeyMap &keys(QWidget *control);
    explicit KeyMap(QWidget *control);
    QWidget *m_control;
    std::map<int, std::function<void()>> m_handlers;
};

/// The key map of a control, made on first use.
KeyMap &keys(QWidget *control);

} // namespace lx::ui
