#include "db/tablecache.h"

#include "db/connection.h"
#include "db/dberror.h"
#include "db/latestread.h"
#include "db/transaction.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>

#include <algorithm>
#include <limits>

namespace lx {

namespace {
/// The server refused a new row because its code, the table's key, is taken: -803 is a
/// duplicate in a unique index, and the key it names is the code column alone.
bool codeTaken(const QSqlError &error, const QString &codeField)
{
    return error.nativeErrorCode() == QLatin1String("-803") &&
           error.databaseText().contains(QStringLiteral("(\"%1\" = ").arg(codeField));
}
} // namespace

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
    std::vector<std::pair<int, int>> reassigned; ///< (taken code, code stored)
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
        const int codeCol = m_colOf[0];
        const bool integerCode = codeCol >= 0 && m_fields[0].type == FieldType::Integer;
        for (const Pending &p : m_pending) {
            for (int attempt = 1;; ++attempt) {
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
                if (!q->exec()) {
                    const QSqlError error = q->lastError();
                    if (p.kind == Inserted && integerCode && codeTaken(error, m_fields[0].name) &&
                        mayMoveCode(p.row)) {
                        // Another program saved a row under this code since the cache was
                        // read: the failed statement changed nothing, so the row takes a free
                        // code and goes again.
                        if (attempt >= kCodeAttempts)
                            fail(DbError(QStringLiteral(
                                "Outro programa está gravando registros novos ao mesmo tempo e "
                                "não foi possível obter um código livre para o novo registro. "
                                "Nada foi gravado; o que foi digitado foi mantido. Tente "
                                "salvar novamente."), describe(p), DbError::DuplicateKey));
                        const int taken = m_cols[size_t(codeCol)].get(size_t(p.row)).toInt();
                        int fresh = 0;
                        try {
                            fresh = codeAbove(taken);
                        } catch (const DbError &e) {
                            fail(e);
                        }
                        reassignCode(p.row, fresh);
                        reassigned.emplace_back(taken, fresh);
                        continue;
                    }
                    fail(refused(p, sqlError(error, m_conn->databasePath())));
                } else if (q->numRowsAffected() != 1) {
                    fail(refused(p, DbError(QStringLiteral("O registro foi alterado ou excluído "
                                                           "por outro programa desde a última "
                                                           "leitura."),
                                            QStringLiteral("nenhuma linha com os valores lidos"),
                                            DbError::RowConflict)));
                }
                break;
            }
        }
    }
    m_pending.clear();
    m_pendingOf.clear();
    // In order: a row moved twice reports both moves.
    for (const auto &[taken, fresh] : reassigned)
        emit codeReassigned(taken, fresh);
}

bool TableCache::mayMoveCode(int physRow) const
{
    if (!m_chosenCodes.contains(physRow))
        return false;
    const Column &col = m_cols[size_t(m_colOf[0])];
    const qint32 code = col.ints[size_t(physRow)];
    for (size_t p = 0; p < m_deleted.size(); ++p)
        if (int(p) != physRow && !m_deleted[p] && !col.nulls[p] && col.ints[p] == code)
            return false;
    return true;
}

int TableCache::codeAbove(int taken)
{
    const QVariant latest = readLatestInteger(
        *m_conn, QStringLiteral("SELECT MAX(%1) FROM %2").arg(m_fields[0].name, m_table));
    qint64 highest = std::max<qint64>(taken, latest.isNull() ? 0 : latest.toLongLong());
    const Column &col = m_cols[size_t(m_colOf[0])];
    for (size_t p = 0; p < m_deleted.size(); ++p)
        if (!col.nulls[p])
            highest = std::max<qint64>(highest, col.ints[p]);
    if (highest >= std::numeric_limits<qint32>::max())
        throw DbError(QStringLiteral("Não há mais códigos livres para novos registros."));
    return int(highest + 1);
}

void TableCache::reassignCode(int physRow, int code)
{
    // Kept first, so that a rollback gives the row its old code back.
    noteChange(physRow);
    m_cols[size_t(m_colOf[0])].set(size_t(physRow), code);
    bump();
    const auto it = std::find(m_view.begin(), m_view.end(), physRow);
    if (it != m_view.end()) {
        const int row = int(it - m_view.begin());
        emit rowChanged(row);
        if (row == m_cur)
            emit fieldChanged(0);
    }
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
