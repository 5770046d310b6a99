#pragma once

#include "ui/fieldlink.h"
#include "ui/maskedit.h"

namespace lx::ui {

class DataSource;

/// An edit box bound to a field of a cache's current row. A field with an edit mask (dates,
/// times, or one given with TableCache::setEditMask) is typed through that mask; money is
/// typed as a plain number ("1234,5"). What the user types reaches the row when the box is
/// left (if it converts), and at the latest when the row is posted or settled, where a text
/// that does not convert raises DbError. Esc drops what was typed. Lookup fields are shown
/// read-only.
///
///   auto *DBEdit1 = new DBEdit(DM->DSGASTO, "GASVALOR", this);
class DBEdit : public MaskEdit, private FieldLink::Client
{
    Q_OBJECT
public:
    /// Throws DbError when the cache has no such field.
    DBEdit(DataSource *source, const QString &field, QWidget *parent = nullptr);
    /// A window closed while its row is still being edited leaves what was typed in the row.
    ~DBEdit() override;

    DataSource *dataSource() const { return m_link->source(); }
    QString dataField() const { return m_link->fieldName(); }
    /// Text typed that has not reached the row yet.
    bool isPending() const { return m_link->isPending(); }
    /// Writes what was typed into the row now; throws DbError when it does not convert.
    void updateRecord() { m_link->flush(); }

protected:
    bool canRevert() const override { return m_link->isPending(); }
    void revert() override { m_link->reload(); }

private:
    void loadValue(const QVariant &value) override;
    QVariant contentValue() const override;
    void setDataReadOnly(bool readOnly) override;

    FieldLink *m_link;
};

} // namespace lx::ui
