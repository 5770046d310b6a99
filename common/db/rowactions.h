#pragma once

#include <functional>

namespace lx {

class TableCache;

/// What a failed save leaves in the cache.
enum class OnRefusal {
    Reedit, ///< the row is in edit mode again, holding what was typed
    Drop,   ///< the cache is closed: its next use reads what the server holds
};

/// Posts the row being edited, applies the cache's changes and runs effects (what the change
/// drives, such as a month's summary) in one transaction: all of it reaches the server or none.
/// When anything fails, the cache is left as onRefusal says and the DbError is raised again.
/// A post that fails (a required field, a text that does not convert) leaves the row in edit
/// mode whatever onRefusal says.
void saveRow(TableCache &cache, OnRefusal onRefusal, const std::function<void()> &effects = {});

/// Deletes the current row, applies and runs effects in one transaction. When anything fails,
/// the table is read again (the row comes back) and the DbError is raised again. Throws on an
/// empty cache.
void deleteRow(TableCache &cache, const std::function<void()> &effects = {});

/// Drops the row being edited. A change that the server refused earlier and that is still
/// pending is dropped too, by reading the table again.
void cancelRow(TableCache &cache);

} // namespace lx
