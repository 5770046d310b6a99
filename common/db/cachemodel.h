#pragma once

#include "db/gridmodel.h"

namespace lx {

class TableCache;

/// A read-only table model over a cache's shown rows, with chosen columns and titles; with the
/// row indicator on, the vertical header marks the cache's current row.
class CacheModel : public GridModel
{
    Q_OBJECT
public:
    /// Throws DbError when the cache lacks a column's field.
    CacheModel(TableCache *cache, const QList<Column> &columns, QObject *parent = nullptr);

    TableCache *cache() const { return m_cache; }
    int rowCount(const QModelIndex &parent = {}) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    void setRowIndicator(bool on) { m_indicator = on; }

protected:
    QVariant fieldValue(int row, int field) const override;
    FieldType fieldType(int field) const override;

private:
    TableCache *m_cache;
    bool m_indicator = false;
    int m_lastCurrent = -1;
};

} // namespace lx
