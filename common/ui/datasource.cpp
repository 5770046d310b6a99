#include "ui/datasource.h"

#include "ui/fieldlink.h"

namespace lx::ui {

DataSource::DataSource(TableCache *cache, QObject *parent) : QObject(parent), m_cache(cache)
{
    auto whole = [this] { emit recordChanged(-1); };
    connect(cache, &TableCache::reset, this, whole);
    connect(cache, &TableCache::currentRowChanged, this, whole);
    connect(cache, &TableCache::rowsInserted, this, whole);
    connect(cache, &TableCache::rowsRemoved, this, whole);
    connect(cache, &TableCache::fieldChanged, this,
            [this](int field) { emit recordChanged(field); });
    connect(cache, &TableCache::rowChanged, this, [this](int row) {
        if (row < 0 || row == m_cache->currentRow())
            emit rowRepainted();
    });
    connect(cache, &TableCache::stateChanged, this, [this](TableCache::State s) {
        emit stateChanged(s);
        // Entering edit mode keeps the values; leaving it (post, cancel, close) shows the row
        // as it is now stored.
        if (s == TableCache::Browse || s == TableCache::Inactive)
            emit recordChanged(-1);
    });
    cache->addRecordUpdater(this, [this] { updateRecord(); });
}

TableCache::State DataSource::state() const
{
    return m_cache ? m_cache->state() : TableCache::Inactive;
}

void DataSource::setAutoEdit(bool on)
{
    if (on == m_autoEdit)
        return;
    m_autoEdit = on;
    emit stateChanged(state());
}

void DataSource::updateRecord()
{
    const QList<FieldLink *> links = m_links;
    for (FieldLink *link : links)
        link->flush();
}

void DataSource::attach(FieldLink *link)
{
    m_links.append(link);
}

void DataSource::detach(FieldLink *link)
{
    m_links.removeAll(link);
}

} // namespace lx::ui
