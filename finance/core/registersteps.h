#pragma once

#include <QString>

namespace lx {
class TableCache;
}

namespace lx::finance {

/// The steps of a register window over one cache: new row with the next code, change, save
/// (apply and read the table again), cancel and delete. Each throws DbError.
class RegisterSteps
{
public:
    RegisterSteps(TableCache &cache, const QString &codeField);

    TableCache &cache() const { return m_cache; }
    QString codeField() const { return m_codeField; }

    /// Opens the cache and inserts a row whose code is the highest code plus one.
    int insertNew();
    /// Puts the current row into edit mode; on an empty cache this starts a row with no code,
    /// so the window asks hasRowFor() first.
    void edit();
    /// Posts, applies and reads the table again (the first row becomes current). When the
    /// server refuses, the row is in edit mode again holding what was typed.
    void save();
    void cancel();
    /// Deletes the current row at once and applies; the cache is not read again.
    void remove();

private:
    TableCache &m_cache;
    QString m_codeField;
};

} // namespace lx::finance
