#include "ui/formdialog.h"

#include "ui/guard.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>

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

namespace {
class ShowWatcher : public QObject
{
public:
    ShowWatcher(QWidget *window, std::function<void()> handler)
        : QObject(window), m_window(window), m_handler(std::move(handler))
    {
        window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == m_window && event->type() == QEvent::Show && !event->spontaneous())
            guard(m_window, m_handler);
        return false;
    }

private:
    QWidget *m_window;
    std::function<void()> m_handler;
};
} // namespace

void onShow(QWidget *window, std::function<void()> handler)
{
    new ShowWatcher(window, std::move(handler));
}

FormDialog::FormDialog(QWidget *parent) : QDialog(parent)
{
    onShow(this, [this] {
        if (!m_centred) {
            centerOnScreen(this);
            m_centred = true;
        }
        FormShow();
    });
}

} // namespace lx::ui
