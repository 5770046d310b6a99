#pragma once

#include "ui/formdialog.h"

#include <QList>
#include <QObject>
#include <QPointer>

#include <functional>

namespace lx {
class TableCache;
}

namespace lx::ui {

class DataSource;

/// What a register's button is about to do to the current row.
enum class RowAction { Change, Delete };

/// True when the cache shows a row to change or delete. Otherwise says so in a plain message
/// ("Não há registro para alterar." / "Não há registro para excluir.") and returns false: an
/// empty table or a search that matches nothing starts no row.
bool hasRowFor(const TableCache &cache, RowAction action, QWidget *parent);

/// The key map of an entry box of a record window: Enter or Down moves to the next control,
/// Up to the previous one, F5 saves and Esc leaves. A drop-down list keeps Up and Down for
/// itself.
void mapEntryKeys(QWidget *box, const std::function<void()> &save,
                  const std::function<void()> &leave, bool dropDown = false);

/// Keeps the current row of a cache where it is while a row is being inserted or changed: the
/// clicks and keys that would move it (grid rows, navigator buttons) are refused, so that the
/// row is never settled into the cache behind the window's back.
class RowLock : public QObject
{
    Q_OBJECT
public:
    RowLock(TableCache *cache, QObject *parent);
    void watch(QWidget *control);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QPointer<TableCache> m_cache;
};

/// A window that browses and edits the rows of one data source: dialog window flags (system
/// menu, minimise and close boxes, no maximise box), centred on its screen, FormShow() on each
/// showing, a browse and an edit state over lists of controls, and the row being edited
/// cancelled when the window closes. The register windows of both programs build on it and
/// name their state methods navegar and editar.
class RecordWindow : public FormDialog
{
    Q_OBJECT
public:
    explicit RecordWindow(DataSource *source, QWidget *parent = nullptr);

    DataSource *dataSource() const { return m_source; }
    TableCache &cache() const;
    /// In the edit state rather than the browse state.
    bool isEditing() const { return m_editing; }

protected:
    /// Controls enabled while browsing and disabled while editing, and the reverse.
    void setStateControls(const QList<QWidget *> &browsing, const QList<QWidget *> &editing);
    /// Enters the browse or the edit state: the state controls enabled or disabled.
    void enterState(bool editing);
    /// Runs a step of the window; when it fails and leaves no row being edited, the window
    /// browses again (through browse()) and the error goes on.
    void step(const std::function<void()> &action);
    /// The window's own browse state method (navegar).
    virtual void browse() = 0;
    /// Drops the row being edited when the window closes (the cache's cancel unless replaced).
    virtual void cancelEditing();
    /// Keeps the cache's current row still over these controls while a row is being edited.
    void lockRow(const QList<QWidget *> &controls);

    void done(int result) override;

private:
    DataSource *m_source;
    RowLock *m_lock;
    QList<QWidget *> m_browsing;
    QList<QWidget *> m_editingControls;
    bool m_editing = false;
};

} // namespace lx::ui
