#pragma once

#include <QColor>
#include <QIcon>
#include <QList>
#include <QSize>
#include <QString>
#include <QStyle>

#include <functional>
#include <initializer_list>

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

/// One row of a window's button table.
struct ButtonRow
{
    QToolButton *&button; ///< set to the button made
    const char *name;
    const char *caption; ///< UTF-8
    QStyle::StandardPixmap picture;
    std::function<void()> clicked; ///< run under guard(); empty leaves the click to the window
};

/// Makes the buttons of a table, in its order, with pictures of window's style; a click runs
/// its handler under guard() with window as the error box's parent. Returns the buttons in
/// order, for the layout.
QList<QToolButton *> makeButtons(QWidget *parent, QWidget *window, const ButtonLook &look,
                                 std::initializer_list<ButtonRow> rows);

} // namespace lx::ui
