#pragma once

#include "ui/fieldlink.h"

#include <QPlainTextEdit>

namespace lx::ui {

class DataSource;

/// A several-line text box bound to a text field of a cache's current row. Enter starts a new
/// line, Tab moves to the next control; no more characters than the field holds are taken.
/// What the user types reaches the row when the box is left, and at the latest when the row
/// is posted or settled.
///
///   auto *DBMemo1 = new DBMemo(FMenu->DSCOMPROMISSO, "DESCRICAO", this);
class DBMemo : public QPlainTextEdit, private FieldLink::Client
{
    Q_OBJECT
public:
    /// Throws DbError when the cache has no such field.
    DBMemo(DataSource *source, const QString &field, QWidget *parent = nullptr);
    /// A window closed while its row is still being edited leaves what was typed in the row.
    ~DBMemo() override;

    DataSource *dataSource() const { return m_link->source(); }
    QString dataField() const { return m_link->fieldName(); }
    bool isPending() const { return m_link->isPending(); }
    /// Writes what was typed into the row now; throws DbError.
    void updateRecord() { m_link->flush(); }

protected:
    void focusOutEvent(QFocusEvent *event) override;

private:
    void loadValue(const QVariant &value) override;
    QVariant contentValue() const override;
    void setDataReadOnly(bool readOnly) override;
    void onTextChanged();

    FieldLink *m_link;
    bool m_trimming = false;
};

} // namespace lx::ui
