#pragma once

#include "db/tablecache.h"

#include <QList>
#include <QObject>
#include <QPointer>

namespace lx::ui {

class FieldLink;

/// The link between one cache and the controls bound to it. It turns the cache's signals into
/// what a bound control needs to know (the record changed, a field changed, the state changed)
/// and, before a row is posted or settled, makes every bound control write what the user
/// typed into the row.
///
///   auto *DSGASTO = new DataSource(TBGASTO, this);
///   auto *DBEdit3 = new DBEdit(DSGASTO, "GASDESCRICAO", page);
class DataSource : public QObject
{
    Q_OBJECT
public:
    explicit DataSource(TableCache *cache, QObject *parent = nullptr);

    TableCache *cache() const { return m_cache; }
    TableCache::State state() const;

    /// Typing into a bound control while the cache is browsing puts it into edit mode (on by
    /// default). Without it, bound controls are read-only until the cache is being edited.
    bool autoEdit() const { return m_autoEdit; }
    void setAutoEdit(bool on);

    /// Writes what was typed into every bound control into the row being edited; throws
    /// DbError when a text does not convert to its field's type (that control keeps its text).
    void updateRecord();

signals:
    /// The record shown changed as a whole (move, open, close, filter, insert, post, cancel,
    /// removal): field is -1. A single field of the current row was set: field is its index.
    void recordChanged(int field);
    /// Something shown in the current row may look different (a lookup's source changed).
    void rowRepainted();
    void stateChanged(lx::TableCache::State state);

private:
    friend class FieldLink;
    void attach(FieldLink *link);
    void detach(FieldLink *link);

    QPointer<TableCache> m_cache;
    QList<FieldLink *> m_links;
    bool m_autoEdit = true;
};

} // namespace lx::ui
