#include "ui/fieldlink.h"

#include "db/dberror.h"
#include "ui/datasource.h"
#include "ui/guard.h"

#include <QScopedValueRollback>
#include <QWidget>

namespace lx::ui {

FieldLink::FieldLink(DataSource *source, const QString &field, QWidget *control, Client *client)
    : QObject(control), m_source(source), m_control(control), m_client(client)
{
    TableCache *c = source->cache();
    m_field = c->requireField(field);
    m_fieldName = c->fieldDef(m_field).name;
    if (c->fieldDef(m_field).isLookup())
        m_keyField = c->fieldIndex(c->fieldDef(m_field).keyField);

    source->attach(this);
    connect(source, &DataSource::recordChanged, this, &FieldLink::onRecordChanged);
    connect(source, &DataSource::rowRepainted, this, [this] {
        if (!m_pending && !m_writing && !m_autoEditing)
            reload();
    });
    connect(source, &DataSource::stateChanged, this, [this] { updateReadOnly(); });
}

FieldLink::~FieldLink()
{
    if (m_source)
        m_source->detach(this);
}

TableCache *FieldLink::cache() const
{
    return m_source ? m_source->cache() : nullptr;
}

const FieldDef &FieldLink::fieldDef() const
{
    return m_source->cache()->fieldDef(m_field);
}

QVariant FieldLink::value() const
{
    TableCache *c = cache();
    if (!c || !c->isOpen())
        return {};
    return c->value(m_field);
}

bool FieldLink::affectedBy(int field) const
{
    return field < 0 || field == m_field || (m_keyField >= 0 && field == m_keyField);
}

void FieldLink::onRecordChanged(int field)
{
    if (!affectedBy(field) || m_writing || m_autoEditing)
        return;
    reload();
}

void FieldLink::reload()
{
    m_pending = false;
    {
        QScopedValueRollback<bool> loading(m_loading, true);
        m_client->loadValue(value());
    }
    updateReadOnly();
}

void FieldLink::updateReadOnly()
{
    TableCache *c = cache();
    const bool ro =
        !c || !c->isOpen() || fieldDef().isLookup() || (!c->isEditing() && !m_source->autoEdit());
    m_readOnly = ro;
    m_client->setDataReadOnly(ro);
}

bool FieldLink::userChanged()
{
    if (m_loading)
        return false;
    TableCache *c = cache();
    if (c && c->isEditing()) {
        m_pending = true;
        return true;
    }
    if (m_readOnly || !c) {
        reload();
        return false;
    }
    bool ok = false;
    {
        QScopedValueRollback<bool> autoEditing(m_autoEditing, true);
        ok = guard(m_control->window(), [c] { c->edit(); });
    }
    if (!ok || !c->isEditing()) {
        reload();
        return false;
    }
    m_pending = true;
    return true;
}

void FieldLink::contentChanged()
{
    if (m_loading)
        return;
    TableCache *c = cache();
    if (c && c->isEditing())
        m_pending = true;
}

bool FieldLink::userWrite(const QVariant &v)
{
    TableCache *c = cache();
    if (m_loading || !c)
        return false;
    if (m_readOnly) {
        reload();
        return false;
    }
    bool ok = false;
    {
        QScopedValueRollback<bool> autoEditing(m_autoEditing, true);
        QScopedValueRollback<bool> writing(m_writing, true);
        ok = guard(m_control->window(), [&] {
            if (!c->isEditing())
                c->edit();
            c->setValue(m_field, v);
        });
    }
    reload();
    return ok;
}

void FieldLink::flush()
{
    TableCache *c = cache();
    if (!m_pending || !c || !c->isEditing())
        return;
    const QVariant v = m_client->contentValue();
    {
        QScopedValueRollback<bool> writing(m_writing, true);
        c->setValue(m_field, v);
    }
    m_pending = false;
}

void FieldLink::flushQuietly()
{
    if (!m_pending)
        return;
    try {
        flush();
    } catch (const DbError &) {
        return; // raised again when the row is posted or settled
    }
    reload();
}

} // namespace lx::ui
