#pragma once

#include <QString>
#include <QVariant>

#include <vector>

namespace lx {
class TableCache;
namespace detail {

/// The filter's way into a cache's storage (physical rows, stored columns).
struct CacheAccess
{
    static QVariant stored(const TableCache &c, int physRow, int field);
    static const std::vector<QString> *texts(const TableCache &c, int field);
};

} // namespace detail
} // namespace lx
