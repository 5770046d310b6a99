#include "finance/core/caixa.h"

#include "db/connection.h"
#include "db/dberror.h"
#include "db/rowactions.h"
#include "db/tablecache.h"

#include <QList>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

namespace lx::finance {

namespace {

const QString kSqlGasto = QStringLiteral("SELECT TGASTO.GASVALOR FROM TGASTO\n"
                                         "WHERE TGASTO.GASMES = :MES\n"
                                         "AND TGASTO.GASANO = :ANO");
const QString kSqlRecebimento = QStringLiteral("SELECT TRECEBIMENTO.RECVALOR FROM TRECEBIMENTO\n"
                                               "WHERE TRECEBIMENTO.RECMES = :MES\n"
                                               "AND TRECEBIMENTO.RECANO = :ANO");

/// Adds up the amount column of the month's rows on the client.
double sumMonth(Connection &connection, const QString &sql, int mes, int ano)
{
    QSqlQuery q(connection.database());
    q.setForwardOnly(true);
    if (!q.prepare(sql))
        throw sqlError(q.lastError());
    // By position: :MES is the first placeholder, :ANO the second.
    q.bindValue(0, mes);
    q.bindValue(1, ano);
    if (!q.exec())
        throw sqlError(q.lastError());
    double total = 0.0;
    while (q.next()) {
        const QVariant v = q.value(0);
        if (!v.isNull())
            total += v.toDouble();
    }
    const bool failed = q.lastError().isValid();
    const QSqlError err = q.lastError();
    // Releasing the statement ends its read transaction.
    q.finish();
    if (failed)
        throw sqlError(err);
    return total;
}

/// Whether another program changed the month's summary since caixaMes was read: the server (as
/// this transaction sees it) holds a row for the month that the cache lacks, or totals the
/// cache has not read. Editing the cache's row would then be refused, and inserting one would
/// give the month a second row.
bool summaryIsBehind(Connection &connection, TableCache &caixaMes, int mes, int ano)
{
    QSqlQuery q(connection.database());
    q.setForwardOnly(true);
    if (!q.prepare(QStringLiteral("SELECT CAICODIGO, CAIVALORGASTO, CAIVALORRECEBIDO, "
                                  "CAIVALORDISPONIVEL FROM TCAIXAMES WHERE CAIMES = ? AND "
                                  "CAIANO = ?")))
        throw sqlError(q.lastError());
    q.addBindValue(mes);
    q.addBindValue(ano);
    if (!q.exec())
        throw sqlError(q.lastError());
    struct Row
    {
        int code;
        QVariantList totals;
    };
    QList<Row> onServer;
    while (q.next())
        onServer.append({q.value(0).toInt(), {q.value(1), q.value(2), q.value(3)}});
    const QSqlError error = q.lastError();
    q.finish();
    if (error.isValid())
        throw sqlError(error);

    if (!caixaMes.locate(QStringLiteral("CAIMES;CAIANO"), {mes, ano}))
        return !onServer.isEmpty();
    const int code = caixaMes.value(QStringLiteral("CAICODIGO")).toInt();
    const QStringList totals{QStringLiteral("CAIVALORGASTO"), QStringLiteral("CAIVALORRECEBIDO"),
                             QStringLiteral("CAIVALORDISPONIVEL")};
    for (const Row &row : onServer) {
        if (row.code != code)
            continue;
        for (int i = 0; i < totals.size(); ++i) {
            const QVariant mine = caixaMes.value(totals[i]);
            const QVariant server = row.totals[i];
            if (server.isNull() != mine.isNull() ||
                (!server.isNull() && server.toDouble() != mine.toDouble()))
                return true;
        }
        return false;
    }
    return true; // deleted on the server
}

} // namespace

const QStringList &monthNames()
{
    static const QStringList names{
        QStringLiteral("Janeiro"), QStringLiteral("Fevereiro"), QStringLiteral("Março"),
        QStringLiteral("Abril"),   QStringLiteral("Maio"),      QStringLiteral("Junho"),
        QStringLiteral("Julho"),   QStringLiteral("Agosto"),    QStringLiteral("Setembro"),
        QStringLiteral("Outubro"), QStringLiteral("Novembro"),  QStringLiteral("Dezembro")};
    return names;
}

QString monthName(int month)
{
    return monthNames().value(month - 1);
}

void atualizarcaixa(Connection &connection, TableCache &caixaMes, int mes, int ano)
{
    connection.ensureOpen();
    const double spent = sumMonth(connection, kSqlGasto, mes, ano);
    const double received = sumMonth(connection, kSqlRecebimento, mes, ano);

    caixaMes.open();
    if (summaryIsBehind(connection, caixaMes, mes, ano))
        caixaMes.refresh();
    if (caixaMes.locate(QStringLiteral("CAIMES;CAIANO"), {mes, ano})) {
        caixaMes.edit();
    } else {
        caixaMes.insertWithNextCode(QStringLiteral("CAICODIGO"));
        caixaMes.setValue(QStringLiteral("CAIMES"), mes);
        caixaMes.setValue(QStringLiteral("CAIANO"), ano);
        caixaMes.setValue(QStringLiteral("CAINOMEMES"),
                          monthName(caixaMes.value(QStringLiteral("CAIMES")).toInt()));
    }
    caixaMes.setValue(QStringLiteral("CAIVALORGASTO"), spent);
    caixaMes.setValue(QStringLiteral("CAIVALORRECEBIDO"), received);
    caixaMes.setValue(QStringLiteral("CAIVALORDISPONIVEL"), received - spent);
    // A refused summary change would stay pending and be refused again by every later call;
    // dropping it lets the next call recompute from what the server holds.
    saveRow(caixaMes, OnRefusal::Drop);
}

bool locateMonth(TableCache &summaries, int month, const QString &yearText)
{
    bool ok = false;
    const int year = yearText.trimmed().toInt(&ok);
    if (!ok)
        throw DbError(QStringLiteral("'%1' não é um valor inteiro válido.").arg(yearText));
    summaries.open();
    return summaries.locate(QStringLiteral("CAIMES;CAIANO"), {month, year});
}

} // namespace lx::finance
