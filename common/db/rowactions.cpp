#include "db/rowactions.h"

#include "db/dberror.h"
#include "db/tablecache.h"
#include "db/transaction.h"

#include <vector>

namespace lx {

namespace {

std::vector<QVariant> typedValues(const TableCache &cache)
{
    std::vector<QVariant> values;
    for (int f = 0; f < cache.fieldCount(); ++f)
        values.push_back(cache.fieldDef(f).isLookup() ? QVariant() : cache.value(f));
    return values;
}

/// Reads the table again and puts the refused row back into edit mode with what was typed. A
/// new row's code the cache chose stays one it may replace when it is taken meanwhile.
void reedit(TableCache &cache, bool inserting, bool chosenCode, const std::vector<QVariant> &values)
{
    cache.refresh();
    const QString code = cache.fieldDef(0).name;
    if (inserting && chosenCode)
        cache.insertWithChosenCode(code, values[0].toInt());
    else if (inserting || !cache.locate(code, {values[0]}))
        cache.insert();
    else
        cache.edit();
    for (int f = 0; f < cache.fieldCount(); ++f)
        if (!cache.fieldDef(f).isLookup())
            cache.setValue(f, values[size_t(f)]);
}

/// Runs what must never hide the error being raised.
template <typename F> void quietly(F &&f)
{
    try {
        f();
    } catch (const DbError &) {
        // The first failure is the one the user needs to see.
    }
}

/// Applies the cache's changes and runs effects in one transaction.
void applyWith(TableCache &cache, const std::function<void()> &effects)
{
    Transaction tx(*cache.connection());
    cache.applyUpdates();
    if (effects)
        effects();
    tx.commit();
}

} // namespace

void saveRow(TableCache &cache, OnRefusal onRefusal, const std::function<void()> &effects)
{
    // Bound controls write what was typed now, so that it can be kept if the server refuses.
    cache.updateRecord();
    const bool inserting = cache.state() == TableCache::Insert;
    const bool chosenCode = cache.isCodeChosen();
    const std::vector<QVariant> values = typedValues(cache);
    const int rows = cache.recordCount();
    cache.post();
    // A filter hides a posted row that does not match it.
    const bool visible = cache.recordCount() == rows;
    try {
        applyWith(cache, effects);
    } catch (const DbError &) {
        if (onRefusal == OnRefusal::Drop)
            cache.close();
        else if (visible)
            quietly([&] { cache.edit(); });
        else
            quietly([&] { reedit(cache, inserting, chosenCode, values); });
        throw;
    }
}

void deleteRow(TableCache &cache, const std::function<void()> &effects)
{
    cache.remove();
    try {
        applyWith(cache, effects);
    } catch (const DbError &) {
        quietly([&] { cache.refresh(); });
        throw;
    }
}

void cancelRow(TableCache &cache)
{
    cache.cancel();
    if (cache.pendingCount() > 0)
        cache.refresh();
}

} // namespace lx
