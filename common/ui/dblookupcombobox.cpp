#include "ui/dblookupcombobox.h"

#include "ui/datasource.h"

#include <QKeyEvent>
#include <QScopedValueRollback>

namespace lx::ui {

DBLookupComboBox::DBLookupComboBox(DataSource *source, const QString &field, DataSource *listSource,
                                   const QString &keyField, const QString &listField,
                                   QWidget *parent)
    : QComboBox(parent), m_link(new FieldLink(source, field, this, this)), m_listSource(listSource),
      m_list(new CacheModel(listSource->cache(), {{listField, QString()}}, this)),
      m_keyField(listSource->cache()->requireField(keyField))
{
    setModel(m_list);
    setModelColumn(0);
    // The list picks an item by itself when its rows change: show the field's row again.
    auto reshow = [this] { m_link->reload(); };
    connect(m_list, &QAbstractItemModel::modelReset, this, reshow);
    connect(m_list, &QAbstractItemModel::rowsInserted, this, reshow);
    connect(m_list, &QAbstractItemModel::rowsRemoved, this, reshow);
    connect(m_list, &QAbstractItemModel::dataChanged, this, reshow);
    connect(this, qOverload<int>(&QComboBox::activated), m_link,
            [this](int index) { m_link->userWrite(keyAt(index)); });
    m_link->reload();
}

QVariant DBLookupComboBox::keyAt(int listRow) const
{
    if (listRow < 0 || listRow >= m_list->rowCount())
        return {};
    return m_listSource->cache()->value(listRow, m_keyField);
}

int DBLookupComboBox::rowOf(const QVariant &key) const
{
    if (key.isNull() || !key.isValid())
        return -1;
    for (int r = 0; r < m_list->rowCount(); ++r) {
        const QVariant k = keyAt(r);
        if (!k.isNull() && k == key)
            return r;
    }
    return -1;
}

bool DBLookupComboBox::selectKey(const QVariant &key)
{
    const int row = rowOf(key);
    if (row < 0)
        return false;
    return m_link->userWrite(keyAt(row));
}

void DBLookupComboBox::loadValue(const QVariant &value)
{
    setCurrentIndex(rowOf(value));
}

void DBLookupComboBox::keyPressEvent(QKeyEvent *event)
{
    const bool navigation = event->key() == Qt::Key_Tab || event->key() == Qt::Key_Backtab;
    if (m_readOnly && !navigation) {
        event->ignore();
        return;
    }
    QComboBox::keyPressEvent(event);
}

void DBLookupComboBox::wheelEvent(QWheelEvent *event)
{
    if (m_readOnly) {
        event->ignore();
        return;
    }
    QComboBox::wheelEvent(event);
}

void DBLookupComboBox::showPopup()
{
    if (!m_readOnly)
        QComboBox::showPopup();
}

} // namespace lx::ui
