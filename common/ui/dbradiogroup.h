#pragma once

#include "ui/fieldlink.h"

#include <QGroupBox>

class QButtonGroup;
class QRadioButton;

namespace lx::ui {

class DataSource;

/// A titled group of radio buttons bound to a text field: choosing an item writes its text
/// into the field at once (putting a browsing cache into edit mode); the item whose text
/// equals the field is shown chosen, none when no item does. Items are laid out column by
/// column.
///
///   auto *DBRadioGroup1 = new DBRadioGroup(DM->DSCONTA, "CONTIPOJUROS", "Tipo de Juros",
///       {"Sem Juros", "Juros ao Mes", "Juros ao Ano"}, 3, Panel1);
class DBRadioGroup : public QGroupBox, private FieldLink::Client
{
    Q_OBJECT
public:
    /// Throws DbError when the cache has no such field.
    DBRadioGroup(DataSource *source, const QString &field, const QString &title,
                 const QStringList &items, int columns = 1, QWidget *parent = nullptr);

    DataSource *dataSource() const { return m_link->source(); }
    QString dataField() const { return m_link->fieldName(); }
    QStringList items() const { return m_items; }
    /// The chosen item, -1 for none.
    int itemIndex() const;
    /// Chooses an item as the user would: its text is written into the field.
    bool setItemIndex(int index);
    QRadioButton *button(int index) const;

signals:
    /// The user chose an item (after its text was written).
    void itemClicked(int index);

private:
    void loadValue(const QVariant &value) override;
    void setDataReadOnly(bool readOnly) override { m_readOnly = readOnly; }
    void showItem(int index);

    FieldLink *m_link;
    QStringList m_items;
    QButtonGroup *m_group;
    bool m_readOnly = true;
};

} // namespace lx::ui
