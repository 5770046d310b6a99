#include "ui/shortcuts.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

namespace lx::ui {

namespace {

/// Gives up a box's claim on a key that an action of its window carries.
class ShortcutYield : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::ShortcutOverride)
            return false;
        const QKeySequence pressed(static_cast<QKeyEvent *>(event)->keyCombination());
        const QWidget *window = static_cast<QWidget *>(watched)->window();
        for (const QAction *a : window->actions()) {
            if (a->shortcut() == pressed) {
                event->ignore();
                return true;
            }
        }
        return false;
    }
};

} // namespace

QAction *addShortcutEntry(QWidget *window, const char *name, const QString &text,
                          const QKeySequence &key, QAbstractButton *button)
{
    auto *a = new QAction(text, window);
    a->setObjectName(QString::fromLatin1(name));
    a->setShortcut(key);
    a->setShortcutContext(Qt::WindowShortcut);
    window->addAction(a);
    QObject::connect(a, &QAction::triggered, window, [button] {
        if (button->isEnabled())
            button->click();
    });
    return a;
}

} // namespace lx::ui

namespace lx::ui {

void yieldWindowShortcuts(QWidget *box)
{
    static ShortcutYield *const filter = new ShortcutYield(qApp);
    box->installEventFilter(filter);
}

} // namespace lx::ui
