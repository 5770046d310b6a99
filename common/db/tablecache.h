#pragma once

#include "db/schema.h"

#include <QDate>
#include <QHash>
#include <QObject>
#include <QPointer>
#include <QSet>
#include <QTime>
#include <QVariant>

#include <functional>
#include <memory>
#include <vector>

namespace lx {

class Connection;
class DbError;
class FilterExpr;
class TableCache;
namespace detail {
struct CacheAccess;
}

/// A field of a cache: a stored column of its table, or a lookup into another cache.
struct FieldDef
{
    QString name;
    FieldType type = FieldType::Text;
    int size = 0; ///< characters, text only; longer text is cut when set
    bool required = false;
    QString editMask;
    QString label; ///< what the windows call the field; messages name it so

    /// The label, or the field's name where it has none.
    QString displayName() const { return label.isEmpty() ? name : label; }

    // Lookup fields show lookupResultField of the row of lookupCache whose lookupKeyField
    // equals this cache's keyField.
    TableCache *lookupCache = nullptr;
    QString keyField;
    QString lookupKeyField;
    QString lookupResultField;

    bool isLookup() const { return lookupCache != nullptr; }
    static FieldDef fromColumn(const ColumnDef &c);
};

/// An in-memory copy of a whole table, with the browse/edit/insert states, pending changes
/// written back by applyUpdates, a client-side filter and lookup fields.
///
/// Rows are kept column by column in typed vectors. "Row" in the public interface means a
/// row the cache shows (after its filter), counted from 0; the current row is one of them.
/// Operations that fail throw DbError.
class TableCache : public QObject
{
    Q_OBJECT
public:
    enum State { Inactive, Browse, Edit, Insert };
    Q_ENUM(State)

    /// A cache over table with the stored fields its schema declares.
    TableCache(Connection *connection, const QString &table, QObject *parent = nullptr);
    ~TableCache() override;

    QString tableName() const { return m_table; }
    Connection *connection() const { return m_conn; }

    // --- fields -------------------------------------------------------------------------
    int fieldCount() const { return int(m_fields.size()); }
    const FieldDef &fieldDef(int field) const { return m_fields[size_t(field)]; }
    /// -1 when there is no such field (names compare case-insensitively).
    int fieldIndex(const QString &name) const;
    /// Like fieldIndex, but throws DbError naming the field when it is unknown.
    int requireField(const QString &name) const;
    void setEditMask(const QString &field, const QString &mask);
    /// The name messages give the field, where the window calls it otherwise.
    void setDisplayLabel(const QString &field, const QString &label);
    /// Adds a lookup field (text of size characters) reading another cache.
    void addLookup(const QString &name, const QString &keyField, TableCache *lookupCache,
                   const QString &lookupKeyField, const QString &lookupResultField, int size = 20,
                   const QString &label = {});
    /// Reads only the rows that satisfy an SQL condition with positional values; takes effect
    /// at the next open.
    void setCondition(const QString &sqlCondition, const QVariantList &values = {});

    // --- lifecycle ----------------------------------------------------------------------
    /// Reads the whole table unless already open; the first row becomes current.
    void open();
    /// Drops the rows and every change not applied.
    void close();
    /// Close and open: the table as the server holds it now.
    void refresh();
    bool isOpen() const { return m_state != Inactive; }
    State state() const { return m_state; }
    bool isEditing() const { return m_state == Edit || m_state == Insert; }

    // --- navigation (each settles a row being edited first) ----------------------------
    int recordCount() const { return int(m_view.size()); }
    bool isEmpty() const { return m_view.empty(); }
    int currentRow() const { return m_cur; }
    void setCurrentRow(int row);
    void first();
    void next();
    void prior();
    void last();
    bool eof() const { return m_eof || m_view.empty(); }
    bool bof() const { return m_bof || m_view.empty(); }

    /// Makes the first shown row whose fields (";"-joined names) equal values, exactly and
    /// case-sensitively, current. Each value is compared as the field would store it
    /// (converted to its type, text cut to its size). Returns whether one was found; the current
    /// row stays otherwise.
    bool locate(const QString &fields, const QVariantList &values);

    // --- editing ------------------------------------------------------------------------
    void insert();
    void edit();
    void post();
    void cancel();
    /// Removes the current row as a pending change (the component's Delete).
    void remove();
    /// Posts the row being edited if any field was set, cancels it otherwise.
    void settle();
    bool isModified() const { return m_modified; }

    /// Registers what writes the user's typing into the row being edited (a data source of
    /// bound controls); it runs before every post and settle and may throw DbError, which then
    /// stops the post. It goes when owner is destroyed.
    void addRecordUpdater(QObject *owner, std::function<void()> updater);
    /// Runs the record updaters now.
    void updateRecord();

    // --- values -------------------------------------------------------------------------
    /// The current row's value (the edit buffer while a row is being edited).
    QVariant value(int field) const;
    QVariant value(const QString &field) const { return value(requireField(field)); }
    /// A shown row's value; the current row shows its edit buffer.
    QVariant value(int row, int field) const;
    void setValue(int field, const QVariant &v);
    void setValue(const QString &field, const QVariant &v) { setValue(requireField(field), v); }

    /// Converts v to the field's client type, as setValue would store it. Empty text gives null.
    QVariant convert(int field, const QVariant &v) const;

    /// The lookup result for key in this cache, as a lookup field of another cache reads it.
    QVariant lookup(const QString &keyField, const QVariant &key, const QString &resultField) const;

    // --- new codes ----------------------------------------------------------------------
    /// Highest code plus one (1 when empty), over every row the cache holds, filtered or not.
    int nextCode(const QString &codeField);
    /// Inserts a row whose code is nextCode(); returns it.
    int insertWithNextCode(const QString &codeField);
    /// Inserts a row whose code is the integer result of sql (a select max) plus one.
    int insertWithServerCode(const QString &sql, const QString &codeField);
    /// Inserts a row with a code the program chose (from nextCode); like the two above, the
    /// row takes another code when that one was taken meanwhile (see applyUpdates).
    int insertWithChosenCode(const QString &codeField, int code);
    /// Whether the row being edited is a new row whose code one of the three above chose (and
    /// the user has not typed over).
    bool isCodeChosen() const;

    // --- write-back ---------------------------------------------------------------------
    int pendingCount() const { return int(m_pending.size()); }
    /// Sends every pending change to the server in one transaction, or in the Transaction
    /// open on the connection, where they are committed with the rest of its work. A refused
    /// change rolls the whole transaction back, leaves every change pending and throws DbError
    /// saying which change was refused and why. No refused change is tolerated.
    ///
    /// A new row whose code the cache chose (insertWithNextCode, insertWithServerCode), refused
    /// because another program took that code meanwhile (no row of the cache has it), is not a
    /// refusal: it
    /// takes the next code over the highest the server and the cache hold and is sent again,
    /// up to kCodeAttempts times, and codeReassigned() tells what refers to the old code.
    void applyUpdates();
    static constexpr int kCodeAttempts = 10;

    // --- filter -------------------------------------------------------------------------
    /// Sets the filter expression; throws DbError (keeping the previous one) when malformed.
    void setFilter(const QString &expression);
    QString filter() const { return m_filterText; }
    void setFiltered(bool on);
    bool isFiltered() const { return m_filtered; }

signals:
    void aboutToReset();
    void reset();
    void rowsAboutToBeInserted(int first, int last);
    void rowsInserted(int first, int last);
    void rowsAboutToBeRemoved(int first, int last);
    void rowsRemoved(int first, int last);
    void rowChanged(int row);
    void currentRowChanged(int row);
    void stateChanged(lx::TableCache::State state);
    /// A value of the current row changed (edit buffer or a post or cancel).
    void fieldChanged(int field);
    /// A new row was stored under newCode because oldCode was taken on the server meanwhile.
    /// Emitted once the apply's statements have run; a rollback gives the row oldCode again.
    void codeReassigned(int oldCode, int newCode);

private:
    friend struct detail::CacheAccess;
    friend class Transaction;
    enum Change : quint8 { Inserted, Modified, Deleted };
    struct Pending
    {
        int row;
        Change kind;
        std::vector<QVariant> old;
    };
    struct Column
    {
        FieldType type;
        std::vector<qint32> ints; ///< integer, date (julian day), time (ms of the day)
        std::vector<double> reals;
        std::vector<QString> texts; ///< a null string is SQL null
        std::vector<bool> nulls;    ///< for ints and reals
        QVariant get(size_t r) const;
        void set(size_t r, const QVariant &v);
        void push(const QVariant &v);
        void pop();
        void clear();
    };

    int phys(int row) const { return m_view[size_t(row)]; }
    QVariant stored(int physRow, int field) const;
    QVariant lookupFor(int field, const QVariant &key) const;
    std::vector<QVariant> rowValues(int physRow) const;
    bool rowMatches(int physRow) const;
    void rebuildView();
    void moveTo(int row);
    void requireOpen() const;
    void requireEditing() const;
    void dropPhysicalRow();
    void addPending(int physRow, Change kind, std::vector<QVariant> old);
    void removeFromView(int row);
    QString describe(const Pending &p) const;
    /// The error of a change the server refused: the reason for the user, the change and the
    /// server's words in the details.
    DbError refused(const Pending &p, const DbError &reason) const;
    /// Runs the pending changes in the open transaction.
    void sendPending();
    /// Whether the new row physRow may take another code: the cache chose its code, and no
    /// other row of the cache has it (then it was taken since the table was read).
    bool mayMoveCode(int physRow) const;
    /// A code above every code the server has committed, the cache holds and taken.
    int codeAbove(int taken);
    /// Gives the inserted row physRow a new code.
    void reassignCode(int physRow, int code);
    /// Remembers, at the first change or apply inside an open transaction, the pending
    /// changes and rows as they were, and the row physRow (>= 0) before it changes.
    void noteChange(int physRow = -1);
    /// Forgets what noteChange() kept (committed), or puts it back (rolled back).
    void transactionEnded(bool committed);
    void bump() { ++m_revision; }

    Connection *m_conn;
    QString m_table;
    std::vector<FieldDef> m_fields;
    std::vector<int> m_colOf; ///< field -> column, -1 for lookups
    std::vector<Column> m_cols;
    std::vector<bool> m_deleted;
    std::vector<int> m_view;
    QString m_condition;
    QVariantList m_conditionValues;

    State m_state = Inactive;
    int m_cur = -1;
    bool m_eof = true;
    bool m_bof = true;

    std::vector<std::pair<QPointer<QObject>, std::function<void()>>> m_updaters;
    std::vector<QVariant> m_buf; ///< edit buffer, one per stored column
    int m_editPhys = -1;
    bool m_modified = false;

    std::vector<Pending> m_pending;
    QHash<int, int> m_pendingOf; ///< physical row -> index into m_pending
    /// New rows whose code insertWithNextCode or insertWithServerCode chose, not typed over.
    QSet<int> m_chosenCodes;
    /// What the cache held when the open transaction first touched it.
    struct TxStart
    {
        bool active = false;
        std::vector<Pending> pending;
        size_t rows = 0;
        std::vector<std::pair<int, std::vector<QVariant>>> images; ///< rows changed inside
        std::vector<int> shownBefore; ///< of those, the rows not deleted before
    };
    TxStart m_txStart;

    QString m_filterText;
    bool m_filtered = false;
    std::unique_ptr<FilterExpr> m_filterExpr;

    quint64 m_revision = 0;
    mutable quint64 m_keyIndexRevision = ~quint64(0);
    mutable int m_keyIndexColumn = -1;
    mutable QHash<qint32, int> m_keyIndex;
};

} // namespace lx
