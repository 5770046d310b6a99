#include "finance/menubarstyle.h"

#include <QPainter>
#include <QStyleOptionMenuItem>

namespace lx::finance {

namespace {
constexpr int kGap = 4;

const QStyleOptionMenuItem *withIcon(QStyle::ContentsType type, const QStyleOption *option)
{
    const auto *item = qstyleoption_cast<const QStyleOptionMenuItem *>(option);
    return type == QStyle::CT_MenuBarItem && item && !item->icon.isNull() ? item : nullptr;
}
} // namespace

QSize MenuBarStyle::sizeFromContents(ContentsType type, const QStyleOption *option,
                                     const QSize &size, const QWidget *widget) const
{
    if (const QStyleOptionMenuItem *item = withIcon(type, option)) {
        const int icon = pixelMetric(PM_SmallIconSize, option, widget);
        const QSize text = item->fontMetrics.size(Qt::TextShowMnemonic, item->text);
        const QSize both(icon + kGap + text.width(), qMax(icon, text.height()));
        return QProxyStyle::sizeFromContents(type, option, both, widget);
    }
    return QProxyStyle::sizeFromContents(type, option, size, widget);
}

void MenuBarStyle::drawControl(ControlElement element, const QStyleOption *option,
                               QPainter *painter, const QWidget *widget) const
{
    const auto *item = qstyleoption_cast<const QStyleOptionMenuItem *>(option);
    if (element != CE_MenuBarItem || !item || item->icon.isNull()) {
        QProxyStyle::drawControl(element, option, painter, widget);
        return;
    }
    // The base style paints the background and highlight of an item with nothing in it.
    QStyleOptionMenuItem empty = *item;
    empty.icon = QIcon();
    empty.text.clear();
    QProxyStyle::drawControl(element, &empty, painter, widget);

    const bool enabled = item->state & State_Enabled;
    const bool active = (item->state & State_Selected) && (item->state & State_Sunken);
    const int extent = pixelMetric(PM_SmallIconSize, option, widget);
    const QSize text = item->fontMetrics.size(Qt::TextShowMnemonic, item->text);
    const int width = extent + kGap + text.width();
    const QRect r = item->rect;
    const int x = r.x() + (r.width() - width) / 2;
    const QRect iconRect(x, r.y() + (r.height() - extent) / 2, extent, extent);
    const QRect textRect(x + extent + kGap, r.y(), text.width(), r.height());

    const QPixmap pix =
        item->icon.pixmap(QSize(extent, extent), painter->device()->devicePixelRatio(),
                          enabled ? QIcon::Normal : QIcon::Disabled);
    drawItemPixmap(painter, iconRect, Qt::AlignCenter, pix);
    int flags = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextShowMnemonic | Qt::TextSingleLine;
    if (!styleHint(SH_UnderlineShortcut, item, widget))
        flags |= Qt::TextHideMnemonic;
    drawItemText(painter, textRect, flags, item->palette, enabled, item->text,
                 active ? QPalette::HighlightedText : QPalette::ButtonText);
}

} // namespace lx::finance
