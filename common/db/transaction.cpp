#include "db/transaction.h"

#include "db/connection.h"
#include "db/dberror.h"
#include "db/tablecache.h"

#include <QSqlError>

namespace lx {

Transaction::State *Transaction::stateOf(const Connection &connection)
{
    return connection.m_transaction ? &connection.m_transaction->m_state : nullptr;
}

Transaction::Transaction(Connection &connection) : m_conn(connection)
{
    if (m_conn.m_transaction) {
        m_active = true;
        return;
    }
    m_conn.ensureOpen();
    QSqlDatabase db = m_conn.database();
    if (!db.transaction())
        throw sqlError(db.lastError(), m_conn.databasePath());
    m_outer = true;
    m_active = true;
    m_conn.m_transaction = this;
}

Transaction::~Transaction()
{
    if (m_active)
        rollback();
}

void Transaction::commit()
{
    if (!m_active)
        throw DbError(QStringLiteral("A transação já terminou."));
    if (!m_outer) {
        m_active = false;
        return;
    }
    if (m_state.failed) {
        rollback();
        throw DbError(QStringLiteral("Uma parte da operação falhou; nada foi gravado."));
    }
    QSqlDatabase db = m_conn.database();
    if (!db.commit()) {
        const QSqlError err = db.lastError();
        rollback();
        throw sqlError(err, m_conn.databasePath());
    }
    end(true);
}

void Transaction::rollback()
{
    if (!m_active)
        return;
    if (!m_outer) {
        m_active = false;
        if (State *outer = stateOf(m_conn))
            outer->failed = true;
        return;
    }
    m_conn.database().rollback();
    end(false);
}

void Transaction::end(bool committed)
{
    m_active = false;
    m_conn.m_transaction = nullptr;
    State state = std::move(m_state);
    m_state = State();
    for (const QPointer<TableCache> &c : state.touched)
        if (c)
            c->transactionEnded(committed);
    if (!committed)
        for (const QPointer<TableCache> &c : state.readInside)
            if (c)
                c->close();
}

} // namespace lx
