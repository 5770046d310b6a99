#pragma once

#include "db/fieldformat.h"

#include <QAbstractTableModel>
#include <QList>

namespace lx {

/// What the read-only grid models share: chosen columns with titles and alignment, each
/// showing one field of the rows as fieldformat.h says for its type; the raw value under
/// ValueRole. Subclasses say how many rows there are and what a field holds.
class GridModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    using Column = GridColumn;
    enum Roles { ValueRole = Qt::UserRole + 1 };

    GridModel(const QList<Column> &columns, QObject *parent = nullptr);

    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

    /// The field shown in a column; -1 when the rows have no such field.
    int fieldOf(int column) const { return m_fields.value(column, -1); }
    const QList<Column> &columns() const { return m_columns; }

protected:
    virtual QVariant fieldValue(int row, int field) const = 0;
    virtual FieldType fieldType(int field) const = 0;
    /// Finds each column's field again through fieldIndex (-1 for none).
    template <typename F> void resolveFields(F fieldIndex)
    {
        m_fields.clear();
        for (const Column &c : m_columns)
            m_fields << fieldIndex(c.field);
    }

private:
    QList<Column> m_columns;
    QList<int> m_fields;
};

} // namespace lx
