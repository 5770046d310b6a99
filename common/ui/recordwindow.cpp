#include "ui/recordwindow.h"

#include "db/rowactions.h"
#include "db/tablecache.h"
#include "ui/datasource.h"
#include "ui/dialogs.h"
#include "ui/guard.h"
#include "ui/keymap.h"

#include <QKeyEvent>
#include <QWidget>

namespace lx::ui {

bool hasRowFor(const TableCache &cache, RowAction action, QWidget *parent)
{
    if (cache.isOpen() && !cache.isEmpty())
        return true;
    Dialogs::message(parent, action == RowAction::Change
                                 ? QStringLiteral("Não há registro para alterar.")
                                 : QStringLiteral("Não há registro para excluir."));
    return false;
}

void mapEntryKeys(QWidget *box, const std::function<void()> &save,
                  const std::function<void()> &leave, bool dropDown)
{
    KeyMap &k = keys(box);
    if (dropDown)
        k.enterNext();
    else
        k.next().prev();
    k.on(Qt::Key_F5, save).on(Qt::Key_Escape, leave);
}

RowLock::RowLock(TableCache *cache, QObject *parent) : QObject(parent), m_cache(cache) {}

void RowLock::watch(QWidget *control)
{
    control->installEventFilter(this);
}

bool RowLock::eventFilter(QObject *watched, QEvent *event)
{
    if (!m_cache || !m_cache->isEditing())
        return QObject::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::ContextMenu:
        return true;
    case QEvent::KeyPress: {
        // Moving the focus away and closing stay possible.
        const int key = static_cast<QKeyEvent *>(event)->key();
        return key != Qt::Key_Tab && key != Qt::Key_Backtab && key != Qt::Key_Escape;
    }
    default:
        return QObject::eventFilter(watched, event);
    }
}

RecordWindow::RecordWindow(DataSource *source, QWidget *parent)
    : FormDialog(parent), m_source(source), m_lock(new RowLock(source->cache(), this))
{
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
}

TableCache &RecordWindow::cache() const
{
    return *m_source->cache();
}

void RecordWindow::setStateControls(const QList<QWidget *> &browsing,
                                    const QList<QWidget *> &editing)
{
    m_browsing = browsing;
    m_editingControls = editing;
}

void RecordWindow::enterState(bool editing)
{
    m_editing = editing;
    for (QWidget *w : m_browsing)
        w->setEnabled(!editing);
    for (QWidget *w : m_editingControls)
        w->setEnabled(editing);
}

void RecordWindow::step(const std::function<void()> &action)
{
    try {
        action();
    } catch (const DbError &) {
        if (m_editing && !cache().isEditing())
            browse();
        throw;
    }
}

void RecordWindow::cancelEditing()
{
    cancelRow(cache());
}

void RecordWindow::lockRow(const QList<QWidget *> &controls)
{
    for (QWidget *w : controls)
        m_lock->watch(w);
}

void RecordWindow::done(int result)
{
    // A row still being edited is cancelled, not left half-done in the shared cache.
    if (cache().isEditing())
        guard(this, [this] { cancelEditing(); });
    m_editing = false;
    FormDialog::done(result);
}

} // namespace lx::ui
