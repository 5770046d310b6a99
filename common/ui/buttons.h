#pragma once

#include <QColor>
#include <QIcon>
#include <QSize>
#include <QString>

class QToolButton;
class QWidget;

namespace lx::ui {

/// How a button of the programs looks.
struct ButtonLook
{
    Qt::ToolButtonStyle style = Qt::ToolButtonTextBesideIcon;
    int iconSize = 0;          ///< pixels; 0 keeps the style's size
    bool pictureRight = false; ///< the picture right of the caption
    bool flat = true;          ///< raised only under the mouse
    bool takesFocus = false;
    bool stretch = false; ///< as wide as its column
    QSize minimumSize;
    bool bold = false;
    int extraPoints = 0; ///< font size above the window's
    QColor captionColor; ///< the caption's colour while the button is usable
};

/// The one way the windows make their buttons: named, captioned, with a picture; a button
/// without a caption shows its picture only.
QToolButton *makeButton(QWidget *parent, const QString &name, const QString &caption,
                        const QIcon &icon = {}, const ButtonLook &look = {});

} // namespace lx::ui
