#include "db/tablecache.h"

#include "db/cacheaccess.h"
#include "db/cachevalues.h"
#include "db/filterexpr.h"

#include <algorithm>

namespace lx {

using detail::nullOf;

bool TableCache::rowMatches(int physRow) const
{
    return !m_filtered || !m_filterExpr || m_filterExpr->matches(*this, physRow);
}

void TableCache::rebuildView()
{
    m_view.clear();
    m_view.reserve(m_deleted.size());
    for (int p = 0; p < int(m_deleted.size()); ++p)
        if (!m_deleted[size_t(p)] && rowMatches(p))
            m_view.push_back(p);
}

void TableCache::setFilter(const QString &expression)
{
    std::unique_ptr<FilterExpr> expr;
    if (!expression.trimmed().isEmpty())
        expr = FilterExpr::compile(expression, *this);
    m_filterText = expression;
    m_filterExpr = std::move(expr);
    if (m_filtered && isOpen()) {
        m_filtered = false; // force the rebuild below
        setFiltered(true);
    }
}

void TableCache::setFiltered(bool on)
{
    if (on == m_filtered)
        return;
    if (isOpen())
        settle();
    m_filtered = on;
    if (!isOpen())
        return;
    const int keep = m_cur >= 0 ? phys(m_cur) : -1;
    emit aboutToReset();
    rebuildView();
    const auto it = std::find(m_view.begin(), m_view.end(), keep);
    m_cur = it != m_view.end() ? int(it - m_view.begin()) : (m_view.empty() ? -1 : 0);
    m_bof = true;
    m_eof = m_view.empty();
    emit reset();
    emit currentRowChanged(m_cur);
}

QVariant detail::CacheAccess::stored(const TableCache &c, int physRow, int field)
{
    return c.stored(physRow, field);
}

const std::vector<QString> *detail::CacheAccess::texts(const TableCache &c, int field)
{
    return &c.m_cols[size_t(c.m_colOf[size_t(field)])].texts;
}

} // namespace lx
