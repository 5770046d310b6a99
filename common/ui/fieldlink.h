#pragma once

#include "db/tablecache.h"

#include <QObject>
#include <QPointer>
#include <QVariant>

class QWidget;

namespace lx::ui {

class DataSource;

/// What every control bound to one field shares: it loads the field's value when the record
/// changes, keeps track of text typed but not yet written (pending), puts the cache into edit
/// mode when the user starts typing (auto-edit), writes pending text when the cache asks for
/// it, and tells the control when it must be read-only.
class FieldLink : public QObject
{
    Q_OBJECT
public:
    /// The control's side of the link.
    class Client
    {
    public:
        virtual ~Client() = default;
        /// Shows value (null when the cache is closed or empty).
        virtual void loadValue(const QVariant &value) = 0;
        /// The value of what the control holds, as text or typed value; throws DbError.
        virtual QVariant contentValue() const { return {}; }
        virtual void setDataReadOnly(bool readOnly) = 0;
    };

    /// Throws DbError when the cache has no such field.
    FieldLink(DataSource *source, const QString &field, QWidget *control, Client *client);
    ~FieldLink() override;

    DataSource *source() const { return m_source; }
    TableCache *cache() const;
    int field() const { return m_field; }
    QString fieldName() const { return m_fieldName; }
    const FieldDef &fieldDef() const;
    /// The field's value in the current row.
    QVariant value() const;

    bool isLoading() const { return m_loading; }
    bool isPending() const { return m_pending; }
    bool isReadOnly() const { return m_readOnly; }

    // --- called by the control -----------------------------------------------------------
    /// The user changed the content: puts a browsing cache into edit mode and marks the
    /// content pending. Returns false (with the content reloaded, and an error shown when the
    /// cache refused) when the row cannot be edited.
    bool userChanged();
    /// The content changed by code: pending when the cache is being edited.
    void contentChanged();
    /// Stores value into the field now, as the user chose it (lists, radio groups); errors
    /// go to the error box and the control shows the field again.
    bool userWrite(const QVariant &value);
    /// Writes pending content into the row; throws DbError (the content stays pending).
    void flush();
    /// flush() on leaving the control: a text that does not convert stays pending, to be
    /// raised when the row is posted or settled.
    void flushQuietly();
    /// Shows the field's value again, dropping pending content.
    void reload();

private:
    void onRecordChanged(int field);
    void updateReadOnly();
    bool affectedBy(int field) const;

    QPointer<DataSource> m_source;
    QWidget *m_control;
    Client *m_client;
    int m_field = -1;
    int m_keyField = -1; ///< for a lookup field, the key it follows
    QString m_fieldName;
    bool m_loading = false;
    bool m_pending = false;
    bool m_writing = false;     ///< this link is setting the field
    bool m_autoEditing = false; ///< this link is putting the cache into edit mode
    bool m_readOnly = true;
};

} // namespace lx::ui
