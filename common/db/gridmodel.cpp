#include "db/gridmodel.h"

namespace lx {

GridModel::GridModel(const QList<Column> &columns, QObject *parent)
    : QAbstractTableModel(parent), m_columns(columns)
{}

int GridModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_columns.size());
}

QVariant GridModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount() || index.column() >= columnCount())
        return {};
    const int field = m_fields.value(index.column(), -1);
    switch (role) {
    case Qt::DisplayRole:
        return field < 0 ? QString()
                         : displayText(fieldType(field), fieldValue(index.row(), field));
    case ValueRole:
        return field < 0 ? QVariant() : fieldValue(index.row(), field);
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(m_columns[index.column()].alignment);
    default:
        return {};
    }
}

QVariant GridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal)
        return {};
    return section >= 0 && section < columnCount() ? m_columns[section].title : QVariant();
}

} // namespace lx
