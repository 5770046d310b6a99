#include "ui/shortcuts.h"

#include <QAbstractButton>
#include <QAction>
#include <QWidget>

namespace lx::ui {

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
