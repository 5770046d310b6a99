#pragma once

#include <QDate>
#include <QString>

namespace lx {
class Connection;
class TableCache;
} // namespace lx

namespace lx::finance {

/// The columns that set the expense table apart from the receipt table.
struct MovementTable
{
    QString code;
    QString description;
    QString type;
    QString amount;
    QString date;
    QString month;
    QString year;
    QString typeName; ///< lookup field showing the type's name
    QString typeKey;  ///< the type table's code column
    QString typeDescription;

    static const MovementTable &expenses();
    static const MovementTable &receipts();
};

/// The steps of the expense and receipt windows over shared caches: the movements, their
/// types and the monthly cash summaries. Every saved or deleted movement has its month's
/// summary recomputed in the same transaction, so both reach the server or neither does.
/// Each step throws DbError.
class Movements
{
public:
    Movements(Connection &connection, TableCache &movements, TableCache &types,
              TableCache &summaries, const MovementTable &table);

    const MovementTable &table() const { return m_t; }
    TableCache &cache() const { return m_movements; }
    TableCache &types() const { return m_types; }

    /// Opens the type cache, then the movement cache; a row some window left being edited is
    /// dropped.
    void open();
    /// Inserts a movement with the next code (over every row, also those a search hides) and
    /// today's date.
    int insertNew();
    /// Puts the current movement into edit mode; false when one was already being edited.
    bool edit();
    /// Converts the date text (dd/mm/yyyy), stores the date with its month and year, posts,
    /// applies and recomputes that month. A text that is not a date stops before anything is
    /// posted; when the server refuses either change, neither is kept and the movement is
    /// being edited again with what was typed.
    void save(const QString &dateText);
    void cancel();
    /// Deletes the current movement, applies and recomputes the month it was in; when the
    /// server refuses, the table is read again and the movement is back.
    void remove();

    /// Reads the table again showing only the movements whose description matches text
    /// (case-insensitive LIKE, % and _ as wildcards); the filter stays on the shared cache.
    void search(const QString &text);
    /// Reads the table again without the filter.
    void showAll();

    /// The search filter over column for text.
    static QString searchFilter(const QString &column, const QString &text);
    /// The date of a dd/mm/yyyy text (blanks of a masked box allowed); throws DbError.
    static QDate parseDate(const QString &text);

private:
    void recompute(const QVariant &month, const QVariant &year);

    Connection &m_conn;
    TableCache &m_movements;
    TableCache &m_types;
    TableCache &m_summaries;
    const MovementTable &m_t;
};

} // namespace lx::finance
