#pragma once

#include <QPointer>

#include <vector>

namespace lx {

class Connection;
class TableCache;

/// One database transaction on a connection, for a user action and everything it drives: the
/// caches' applies made while it is open join it, and they reach the server together on
/// commit() or not at all. Going out of scope without commit() rolls back; every cache changed
/// or applied inside then holds again the rows and pending changes it held when the transaction
/// first touched it (rows added inside go, rows changed or deleted inside come back as they
/// were), and a cache read inside is closed (it may show changes that were undone).
///
/// A transaction opened while another is open on the same connection joins it: its commit()
/// leaves the committing to the outer one, and a rollback makes the outer one roll back too.
///
///   Transaction tx(connection);
///   movements.applyUpdates();
///   atualizarcaixa(connection, summaries, month, year);
///   tx.commit();
class Transaction
{
public:
    /// Starts a transaction on the connection (connecting first), or joins the one open there;
    /// throws DbError.
    explicit Transaction(Connection &connection);
    ~Transaction();
    Transaction(const Transaction &) = delete;
    Transaction &operator=(const Transaction &) = delete;

    /// Commits (an outer transaction) or hands over to the outer one (a joined one); throws
    /// DbError, having rolled back, when the server does not commit or when a part of the work
    /// failed.
    void commit();
    void rollback();
    bool isActive() const { return m_active; }
    bool isJoined() const { return !m_outer; }

private:
    friend class TableCache;
    /// What the open transaction of a connection knows of its caches.
    struct State
    {
        std::vector<QPointer<TableCache>> touched; ///< changed or applied inside
        std::vector<QPointer<TableCache>> readInside;
        bool failed = false;
    };
    /// The state of the transaction open on a connection; null when none is.
    static State *stateOf(const Connection &connection);
    void end(bool committed);

    Connection &m_conn;
    bool m_outer = false;
    bool m_active = false;
    State m_state; ///< used by the outer transaction only
};

} // namespace lx
