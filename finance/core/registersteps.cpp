#include "finance/core/registersteps.h"

#include "db/rowactions.h"
#include "db/tablecache.h"

namespace lx::finance {

RegisterSteps::RegisterSteps(TableCache &cache, const QString &codeField)
    : m_cache(cache), m_codeField(codeField)
{}

int RegisterSteps::insertNew()
{
    m_cache.open();
    return m_cache.insertWithNextCode(m_codeField);
}

void RegisterSteps::edit()
{
    m_cache.edit();
}

void RegisterSteps::save()
{
    saveRow(m_cache, OnRefusal::Reedit);
    m_cache.refresh();
}

void RegisterSteps::cancel()
{
    cancelRow(m_cache);
}

void RegisterSteps::remove()
{
    deleteRow(m_cache);
}

} // namespace lx::finance
