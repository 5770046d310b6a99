#include "ui/buttons.h"

#include "ui/guard.h"

#include <QToolButton>

namespace lx::ui {

QToolButton *makeButton(QWidget *parent, const QString &name, const QString &caption,
                        const QIcon &icon, const ButtonLook &look)
{
    auto *b = new QToolButton(parent);
    b->setObjectName(name);
    b->setText(caption);
    b->setIcon(icon);
    if (look.iconSize > 0)
        b->setIconSize(QSize(look.iconSize, look.iconSize));
    b->setToolButtonStyle(caption.isEmpty() ? Qt::ToolButtonIconOnly
                          : icon.isNull()   ? Qt::ToolButtonTextOnly
                                            : look.style);
    if (look.pictureRight)
        b->setLayoutDirection(Qt::RightToLeft);
    b->setAutoRaise(look.flat);
    if (!look.takesFocus)
        b->setFocusPolicy(Qt::NoFocus);
    if (look.stretch)
        b->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    if (look.minimumSize.isValid())
        b->setMinimumSize(look.minimumSize);
    if (look.bold || look.extraPoints) {
        QFont f = b->font();
        f.setBold(look.bold);
        if (look.extraPoints)
            f.setPointSizeF(f.pointSizeF() + look.extraPoints);
        b->setFont(f);
    }
    if (look.captionColor.isValid()) {
        // A disabled button keeps the style's grey.
        QPalette p = b->palette();
        p.setColor(QPalette::Active, QPalette::ButtonText, look.captionColor);
        p.setColor(QPalette::Inactive, QPalette::ButtonText, look.captionColor);
        b->setPalette(p);
    }
    return b;
}

QList<QToolButton *> makeButtons(QWidget *parent, QWidget *window, const ButtonLook &look,
                                 std::initializer_list<ButtonRow> rows)
{
    QList<QToolButton *> made;
    for (const ButtonRow &row : rows) {
        row.button =
            makeButton(parent, QString::fromLatin1(row.name), QString::fromUtf8(row.caption),
                       window->style()->standardIcon(row.picture), look);
        if (row.clicked)
            on(row.button, &QToolButton::clicked, window, row.clicked);
        made << row.button;
    }
    return made;
}

} // namespace lx::ui
