#include "db/cachemodel.h"

#include "db/fieldformat.h"
#include "db/tablecache.h"

namespace lx {

CacheModel::CacheModel(TableCache *cache, const QList<Column> &columns, QObject *parent)
    : QAbstractTableModel(parent), m_cache(cache), m_columns(columns)
{
    for (const Column &c : columns)
        m_fields << cache->requireField(c.field);

    connect(cache, &TableCache::aboutToReset, this, [this] { beginResetModel(); });
    connect(cache, &TableCache::reset, this, [this] { endResetModel(); });
    connect(cache, &TableCache::rowsAboutToBeInserted, this,
            [this](int a, int b) { beginInsertRows({}, a, b); });
    connect(cache, &TableCache::rowsInserted, this, [this] { endInsertRows(); });
    connect(cache, &TableCache::rowsAboutToBeRemoved, this,
            [this](int a, int b) { beginRemoveRows({}, a, b); });
    connect(cache, &TableCache::rowsRemoved, this, [this] { endRemoveRows(); });
    connect(cache, &TableCache::rowChanged, this, [this](int row) {
        if (rowCount() == 0 || m_columns.isEmpty())
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

int CacheModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_columns.size());
}

QVariant CacheModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount() || index.column() >= columnCount())
        return {};
    const int field = m_fields[index.column()];
    switch (role) {
    case Qt::DisplayRole:
        return displayText(m_cache->fieldDef(field).type, m_cache->value(index.row(), field));
    case ValueRole:
        return m_cache->value(index.row(), field);
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(m_columns[index.column()].alignment);
    default:
        return {};
    }
}

QVariant CacheModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Horizontal)
        return section >= 0 && section < columnCount() ? m_columns[section].title : QVariant();
    if (m_indicator)
        return section == m_cache->currentRow() ? QStringLiteral("▶") : QString();
    return {};
}

} // namespace lx
