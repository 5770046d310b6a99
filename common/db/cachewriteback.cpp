#include "db/tablecache.h"

#include "db/connection.h"
#include "db/dberror.h"
#include "db/transaction.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>

namespace lx {

QString TableCache::describe(const Pending &p) const
{
    static const char *const kinds[] = {"inclusão", "alteração", "exclusão"};
    const QVariant key = p.kind == Inserted ? m_cols[0].get(size_t(p.row)) : p.old[0];
    return QStringLiteral("%1 do registro %2 = %3 em %4")
        .arg(QString::fromUtf8(kinds[p.kind]), m_fields[0].name, key.toString(), m_table);
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

    Transaction::State *tx = Transaction::stateOf(*m_conn);
    {
        QSqlQuery ins(db), upd(db), del(db);
        bool insReady = false, updReady = false, delReady = false;
        auto fail = [&](const QString &message) {
            ins.finish();
            upd.finish();
            del.finish();
            // Statements before this one ran: the whole transaction must not commit.
            tx->failed = true;
            throw DbError(message);
        };
        auto prepare = [&](QSqlQuery &q, bool &ready, const QString &sql) {
            if (!ready && !q.prepare(sql))
                fail(sqlErrorText(q.lastError()));
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
            QString reason;
            if (!q->exec())
                reason = sqlErrorText(q->lastError());
            else if (q->numRowsAffected() != 1)
                reason = QStringLiteral("o registro foi alterado ou excluído desde a última "
                                        "leitura da tabela");
            if (!reason.isEmpty())
                fail(QStringLiteral("O servidor recusou a %1: %2. Nenhuma alteração foi gravada.")
                         .arg(describe(p), reason));
        }
    }
    // Sent, not yet committed: kept aside until the transaction ends.
    if (m_txSent.empty())
        tx->applied.emplace_back(this);
    m_txSent.insert(m_txSent.end(), std::make_move_iterator(m_pending.begin()),
                    std::make_move_iterator(m_pending.end()));
    m_pending.clear();
    m_pendingOf.clear();
}

void TableCache::transactionEnded(bool committed)
{
    std::vector<Pending> sent;
    sent.swap(m_txSent);
    if (committed || !isOpen())
        return;
    // Undone on the server: the changes sent, then those made since, merged per row as if
    // none had been sent.
    std::vector<Pending> merged;
    QHash<int, int> of;
    auto take = [&](Pending &&p) {
        const auto it = of.constFind(p.row);
        if (it == of.constEnd()) {
            of.insert(p.row, int(merged.size()));
            merged.push_back(std::move(p));
            return;
        }
        Pending &first = merged[size_t(it.value())];
        if (p.kind != Deleted)
            return; // the row's first change says how it reaches the server
        if (first.kind == Inserted)
            first.row = -1; // inserted and deleted: never reaches the server
        else
            first.kind = Deleted;
    };
    for (Pending &p : sent)
        take(std::move(p));
    for (Pending &p : m_pending)
        take(std::move(p));
    m_pending.clear();
    m_pendingOf.clear();
    for (Pending &p : merged)
        if (p.row >= 0)
            addPending(p.row, p.kind, std::move(p.old));
}

} // namespace lx
