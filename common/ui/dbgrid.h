#pragma once

#include "db/cachemodel.h"

#include <QTableView>

namespace lx {
class TableCache;
}

namespace lx::ui {

class DataSource;

/// A read-only grid over a cache: whole-row selection, titled columns, values shown as the
/// fields' types say. It follows the cache's current row, and a click makes the clicked row
/// current (settling a row being edited, under guard()).
class DBGrid : public QTableView
{
    Q_OBJECT
public:
    DBGrid(TableCache *cache, const QList<CacheModel::Column> &columns, QWidget *parent = nullptr);
    /// A grid over the cache of a data source.
    DBGrid(DataSource *source, const QList<CacheModel::Column> &columns, QWidget *parent = nullptr);

    TableCache *cache() const { return m_model->cache(); }
    CacheModel *cacheModel() const { return m_model; }
    /// A row indicator in the vertical header marks the current row.
    void setRowIndicator(bool on);

signals:
    /// A row was double-clicked (after it became current).
    void rowDoubleClicked(int row);

private:
    void followCurrent();
    CacheModel *m_model;
    bool m_syncing = false;
    int m_modelChanging = 0; ///< rows are being inserted or removed, or the model reset
};

} // namespace lx::ui
