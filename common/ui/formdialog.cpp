#include "ui/formdialog.h"

#include "ui/guard.h"

#include <QGuiApplication>
#include <QScreen>
#include <QShowEvent>

namespace lx::ui {

void centerOnScreen(QWidget *window)
{
    const QScreen *s = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!s)
        return;
    QRect frame = window->frameGeometry();
    frame.moveCenter(s->availableGeometry().center());
    window->move(frame.topLeft());
}

FormDialog::FormDialog(QWidget *parent) : QDialog(parent) {}

void FormDialog::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (event->spontaneous())
        return;
    if (!m_centred) {
        centerOnScreen(this);
        m_centred = true;
    }
    guard(this, [this] { FormShow(); });
}

} // namespace lx::ui
