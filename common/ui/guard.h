#pragma once

#include "db/dberror.h"
#include "ui/dialogs.h"

#include <exception>
#include <utility>

class QWidget;

namespace lx::ui {

/// Runs a handler; an error raised in it ends the handler and is shown in the error box,
/// and the program goes on. Returns whether the handler ran to its end.
template <typename F> bool guard(QWidget *parent, F &&handler)
{
    try {
        std::forward<F>(handler)();
        return true;
    } catch (const DbError &e) {
        Dialogs::error(parent, e.message(), e.details());
    } catch (const std::exception &e) {
        Dialogs::error(parent, QString::fromLocal8Bit(e.what()));
    }
    return false;
}

/// Connects a signal to a handler run under guard().
template <typename Sender, typename Signal, typename F>
void on(Sender *sender, Signal signal, QWidget *window, F handler)
{
    QObject::connect(sender, signal, window, [window, handler]() { guard(window, handler); });
}

} // namespace lx::ui
