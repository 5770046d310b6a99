#pragma once

#include <QProxyStyle>

namespace lx::finance {

/// Draws a menu bar's menus with their picture beside the caption; the toolkit's styles
/// show only the picture when a menu has one.
class MenuBarStyle : public QProxyStyle
{
    Q_OBJECT
public:
    using QProxyStyle::QProxyStyle;

    QSize sizeFromContents(ContentsType type, const QStyleOption *option, const QSize &size,
                           const QWidget *widget) const override;
    void drawControl(ControlElement element, const QStyleOption *option, QPainter *painter,
                     const QWidget *widget) const override;
};

} // namespace lx::finance
