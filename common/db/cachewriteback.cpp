#include "db/tablecache.h"

#include "db/connection.h"
#include "db/dberror.h"
#include "db/transaction.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>

#include <algorithm>

namespace lx {

QString TableCache::describe(const Pending &p) const
{
    static const char *const kinds[] = {"inclusão", "alteração", "exclusão"};
    const QVariant key = p.kind == Inserted ? m_cols[0].get(size_t(p.row)) : p.old[0];
    return QStringLiteral("%1 do registro %2 = %3 em %4")
        .arg(QString::fromUtf8(kinds[p.kind]), m_fields[0].name, key.toString(), m_table);
}

DbError TableCache::refused(const Pending &p, const DbError &reason) const
{
    return DbError(QStringLiteral("O servidor recusou a gravação. %1\nNenhuma alteração foi "
                                  "gravada.")
                       .arg(reason.message()),
                   QStringLiteral("%1: %2").arg(describe(p), reason.details()), reason.kind());
}

void TableCache::applyUpdates()
{
    requireOpen();
    settle();
    if (m_pending.empty())
        return;
    Transaction tx(*m_conn);
    sendPending();
    tx.commit();
}

void TableCache::sendPending()
{
    QSqlDatabase db = m_conn->database();
    QStringList cols, where, sets, marks;
    for (size_t f = 0; f < m_fields.size(); ++f) {
        if (m_colOf[f] < 0)
            continue;
        const QString &n = m_fields[f].name;
        cols << n;
        marks << QStringLiteral("?");
        sets << n + QStringLiteral(" = ?");
        // The code is required, so never null: plain equality lets the key's index find the
        // row; the other columns may be null on either side.
        where << n + (f == 0 ? QStringLiteral(" = ?") : QStringLiteral(" IS NOT DISTINCT FROM ?"));
    }
    const QString whereSql = where.join(QStringLiteral(" AND "));
    const QString insertSql =
        QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
            .arg(m_table, cols.join(QLatin1Char(',')), marks.join(QLatin1Char(',')));
    const QString updateSql = QStringLiteral("UPDATE %1 SET %2 WHERE %3")
                                  .arg(m_table, sets.join(QLatin1Char(',')), whereSql);
    const QString deleteSql = QStringLiteral("DELETE FROM %1 WHERE %2").arg(m_table, whereSql);

    noteChange();
    Transaction::State *tx = Transaction::stateOf(*m_conn);
    {
        QSqlQuery ins(db), upd(db), del(db);
        bool insReady = false, updReady = false, delReady = false;
        auto fail = [&](const DbError &error) {
            ins.finish();
            upd.finish();
            del.finish();
            // Statements before this one ran: the whole transaction must not commit.
            tx->failed = true;
            throw error;
        };
        auto prepare = [&](QSqlQuery &q, bool &ready, const QString &sql) {
            if (!ready && !q.prepare(sql))
                fail(sqlError(q.lastError(), m_conn->databasePath()));
            ready = true;
        };
        for (const Pending &p : m_pending) {
            QSqlQuery *q = nullptr;
            if (p.kind == Inserted) {
                prepare(ins, insReady, insertSql);
                q = &ins;
                for (const Column &c : m_cols)
                    q->addBindValue(c.get(size_t(p.row)));
            } else if (p.kind == Modified) {
                prepare(upd, updReady, updateSql);
                q = &upd;
                for (const Column &c : m_cols)
                    q->addBindValue(c.get(size_t(p.row)));
                for (const QVariant &v : p.old)
                    q->addBindValue(v);
            } else {
                prepare(del, delReady, deleteSql);
                q = &del;
                for (const QVariant &v : p.old)
                    q->addBindValue(v);
            }
            if (!q->exec())
                fail(refused(p, sqlError(q->lastError(), m_conn->databasePath())));
            else if (q->numRowsAffected() != 1)
                fail(refused(p, DbError(QStringLiteral("O registro foi alterado ou excluído por "
                                                       "outro programa desde a última leitura."),
                                        QStringLiteral("nenhuma linha com os valores lidos"),
                                        DbError::RowConflict)));
        }
    }
    m_pending.clear();
    m_pendingOf.clear();
}

void TableCache::noteChange(int physRow)
{
    Transaction::State *tx = Transaction::stateOf(*m_conn);
    if (!tx)
        return;
    if (!m_txStart.active) {
        m_txStart.active = true;
        m_txStart.pending = m_pending;
        m_txStart.rows = m_deleted.size();
        tx->touched.emplace_back(this);
    }
    if (physRow < 0 || size_t(physRow) >= m_txStart.rows)
        return;
    for (const auto &image : m_txStart.images)
        if (image.first == physRow)
            return;
    m_txStart.images.emplace_back(physRow, rowValues(physRow));
    if (!m_deleted[size_t(physRow)])
        m_txStart.shownBefore.push_back(physRow);
}

void TableCache::transactionEnded(bool committed)
{
    TxStart start = std::move(m_txStart);
    m_txStart = TxStart();
    if (committed || !start.active || !isOpen())
        return;
    // Undone on the server: the cache goes back to what it held before the transaction.
    const int keep = m_cur >= 0 && !isEditing() ? phys(m_cur) : -1;
    emit aboutToReset();
    m_state = Browse;
    m_modified = false;
    m_editPhys = -1;
    for (size_t p = start.rows; p < m_deleted.size(); ++p)
        m_deleted[p] = true; // made inside: never on the server
    for (const auto &[p, values] : start.images)
        for (size_t c = 0; c < m_cols.size(); ++c)
            m_cols[c].set(size_t(p), values[c]);
    for (int p : start.shownBefore)
        m_deleted[size_t(p)] = false;
    m_pending = std::move(start.pending);
    m_pendingOf.clear();
    for (size_t i = 0; i < m_pending.size(); ++i)
        m_pendingOf.insert(m_pending[i].row, int(i));
    bump();
    rebuildView();
    const auto it = std::find(m_view.begin(), m_view.end(), keep);
    m_cur = it != m_view.end() ? int(it - m_view.begin()) : (m_view.empty() ? -1 : 0);
    m_bof = m_eof = m_view.empty();
    emit reset();
    emit stateChanged(m_state);
    emit currentRowChanged(m_cur);
}

} // namespace lx
