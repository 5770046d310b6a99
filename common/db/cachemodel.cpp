#include "db/cachemodel.h"

#include "db/tablecache.h"

namespace lx {

CacheModel::CacheModel(TableCache *cache, const QList<Column> &columns, QObject *parent)
    : GridModel(columns, parent), m_cache(cache)
{
    resolveFields([cache](const QString &field) { return cache->requireField(field); });

    connect(cache, &TableCache::aboutToReset, this, [this] { beginResetModel(); });
    connect(cache, &TableCache::reset, this, [this] { endResetModel(); });
    connect(cache, &TableCache::rowsAboutToBeInserted, this,
            [this](int a, int b) { beginInsertRows({}, a, b); });
    connect(cache, &TableCache::rowsInserted, this, [this] { endInsertRows(); });
    connect(cache, &TableCache::rowsAboutToBeRemoved, this,
            [this](int a, int b) { beginRemoveRows({}, a, b); });
    connect(cache, &TableCache::rowsRemoved, this, [this] { endRemoveRows(); });
    connect(cache, &TableCache::rowChanged, this, [this](int row) {
        if (rowCount() == 0 || columnCount() == 0)
            return;
        if (row < 0) // every row (a lookup source changed)
            emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
        else if (row < rowCount())
            emit dataChanged(index(row, 0), index(row, columnCount() - 1));
    });
    connect(cache, &TableCache::currentRowChanged, this, [this](int row) {
        if (!m_indicator)
            return;
        const int last = m_lastCurrent;
        m_lastCurrent = row;
        for (int r : {last, row})
            if (r >= 0 && r < rowCount())
                emit headerDataChanged(Qt::Vertical, r, r);
    });
}

int CacheModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_cache->recordCount();
}

QVariant CacheModel::fieldValue(int row, int field) const
{
    return m_cache->value(row, field);
}

FieldType CacheModel::fieldType(int field) const
{
    return m_cache->fieldDef(field).type;
}

QVariant CacheModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Vertical && role == Qt::DisplayRole && m_indicator)
        return section == m_cache->currentRow() ? QStringLiteral("▶") : QString();
    return GridModel::headerData(section, orientation, role);
}

} // namespace lx
