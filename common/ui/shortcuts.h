#pragma once

#include <QKeySequence>
#include <QString>

class QAbstractButton;
class QAction;
class QWidget;

namespace lx::ui {

/// A hidden menu entry of window: only its key shows, and pressing it clicks button only
/// while that button is enabled. The entry itself stays enabled, so the window always takes
/// its key (Esc never falls through to close a dialog).
QAction *addShortcutEntry(QWidget *window, const char *name, const QString &text,
                          const QKeySequence &key, QAbstractButton *button);

/// Lets the entries of box's window take their keys before the box does: a text box would
/// otherwise keep keys such as Shift+Del (cut) for itself.
void yieldWindowShortcuts(QWidget *box);

} // namespace lx::ui
