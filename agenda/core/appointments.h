#pragma once

#include <QString>

namespace lx {
class TableCache;
}

namespace lx::agenda {

/// The steps of the appointments window over the shared TCOMPROMISSO cache: reading it
/// afresh, a new row coded from the server's highest code, change, save, cancel, delete, the
/// searches by title and by date and the way back to one appointment. Each throws DbError.
class Appointments
{
public:
    explicit Appointments(TableCache &cache);

    TableCache &cache() const { return m_cache; }

    /// Closes and opens the cache: the table as the server holds it now, unfiltered.
    void reload();
    /// Inserts a row whose code is the table's highest code on the server plus one (1 when the
    /// table is empty); returns that code.
    int insertNew();
    void edit();
    /// Posts and applies; the cache is not read again. When the server refuses, the row is in
    /// edit mode again holding what was typed.
    void save();
    void cancel();
    /// Deletes the current row and applies.
    void remove();

    /// Only the appointments whose title holds text, in any case.
    void searchTitle(const QString &text);
    /// Only the appointments of the day typed as dd/MM/yyyy.
    void searchDate(const QString &text);
    /// Every appointment again.
    void showAll();
    /// The code of the current row; 0 on an empty list.
    int currentCode() const;
    /// Makes the appointment with that code current; false when there is none.
    bool locate(int code);

    static const QString codeSql;
    static QString titleFilter(const QString &text);
    static QString dateFilter(const QString &text);

private:
    void setSearch(const QString &filter);

    TableCache &m_cache;
};

} // namespace lx::agenda
