#pragma once

#include "db/fieldformat.h"

#include <QAbstractTableModel>
#include <QList>

namespace lx {

class TableCache;

/// A read-only table model over a cache's shown rows, with chosen columns and titles; with the
/// row indicator on, the vertical header marks the cache's current row.
class CacheModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    using Column = GridColumn;
    enum Roles { ValueRole = Qt::UserRole + 1 };

    CacheModel(TableCache *cache, const QList<Column> &columns, QObject *parent = nullptr);

    TableCache *cache() const { return m_cache; }
    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

    /// The cache field shown in a column.
    int fieldOf(int column) const { return m_fields.value(column, -1); }
    void setRowIndicator(bool on) { m_indicator = on; }

private:
    TableCache *m_cache;
    QList<Column> m_columns;
    QList<int> m_fields;
    bool m_indicator = false;
    int m_lastCurrent = -1;
};

} // namespace lx
