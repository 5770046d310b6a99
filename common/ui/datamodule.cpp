#include "ui/datamodule.h"

#include "db/dberror.h"
#include "db/tablecache.h"
#include "ui/datasource.h"

namespace lx::ui {

DataModule::DataModule(const QString &connectionName, QObject *parent)
    : QObject(parent), SQLConnection1(connectionName)
{}

DataModule::~DataModule()
{
    for (DataSource *d : m_sources)
        delete d;
    for (TableCache *c : m_caches)
        delete c;
}

QString DataModule::setUp(const QString &aliasFile, const QString &programFolder)
{
    m_setUpDetails.clear();
    try {
        SQLConnection1.setUp(aliasFile, programFolder);
    } catch (const DbError &e) {
        m_setUpDetails = e.details();
        return e.message();
    }
    return {};
}

TableCache *DataModule::addTable(const QString &table, const QString &name)
{
    auto *cache = new TableCache(&SQLConnection1, table, this);
    cache->setObjectName(name);
    m_caches.push_back(cache);
    return cache;
}

DataSource *DataModule::addSource(TableCache *cache, const QString &name)
{
    auto *source = new DataSource(cache, this);
    source->setObjectName(name);
    m_sources.push_back(source);
    return source;
}

} // namespace lx::ui
