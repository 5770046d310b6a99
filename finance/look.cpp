#include "finance/look.h"

#include "ui/buttons.h"

#include <QToolButton>

namespace lx::finance {

QIcon picture(const QString &name)
{
    return QIcon(QStringLiteral(":/finance/images/%1.jpg").arg(name));
}

QToolButton *barButton(QWidget *parent, const char *name, const QString &caption, const QIcon &icon,
                       const QString &hint)
{
    ui::ButtonLook look;
    look.iconSize = 20;
    QToolButton *b = ui::makeButton(parent, QString::fromLatin1(name), caption, icon, look);
    if (!hint.isEmpty())
        b->setToolTip(hint);
    return b;
}

} // namespace lx::finance
