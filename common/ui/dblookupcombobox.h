#pragma once

#include "db/cachemodel.h"
#include "ui/fieldlink.h"

#include <QComboBox>

namespace lx::ui {

class DataSource;

/// A drop-down list bound to a key field: it lists the rows of another cache by one of its
/// columns, stores the chosen row's key into the field, and shows the text of the row whose
/// key equals the field (nothing when no row has it). Choosing an item while the cache is
/// browsing puts it into edit mode.
///
///   auto *DBLookupComboBox1 = new DBLookupComboBox(DM->DSGASTO, "GASTIPO", DM->DSTIPOGASTO,
///                                                  "TGACODIGO", "TGADESCRICAO", this);
class DBLookupComboBox : public QComboBox, private FieldLink::Client
{
    Q_OBJECT
public:
    /// Throws DbError when a field is unknown.
    DBLookupComboBox(DataSource *source, const QString &field, DataSource *listSource,
                     const QString &keyField, const QString &listField, QWidget *parent = nullptr);

    DataSource *dataSource() const { return m_link->source(); }
    QString dataField() const { return m_link->fieldName(); }
    DataSource *listSource() const { return m_listSource; }
    /// The key stored in the field of the current row.
    QVariant keyValue() const { return m_link->value(); }
    /// Chooses the list row with this key, as the user would (writes it into the field).
    bool selectKey(const QVariant &key);
    /// The key of a list row.
    QVariant keyAt(int listRow) const;

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void showPopup() override;

private:
    void loadValue(const QVariant &value) override;
    void setDataReadOnly(bool readOnly) override { m_readOnly = readOnly; }
    int rowOf(const QVariant &key) const;

    FieldLink *m_link;
    DataSource *m_listSource;
    CacheModel *m_list;
    int m_keyField;
    bool m_readOnly = true;
};

} // namespace lx::ui
