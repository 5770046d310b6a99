#include "finance/core/caixa.h"

#include "db/connection.h"
#include "db/dberror.h"
#include "db/tablecache.h"
#include "finance/tdm.h"

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
double somarMes(Connection &connection, const QString &sql, int mes, int ano)
{
    QSqlQuery q(connection.database());
    q.setForwardOnly(true);
    if (!q.prepare(sql))
        throw DbError(sqlErrorText(q.lastError()));
    // By position: :MES is the first placeholder, :ANO the second.
    q.bindValue(0, mes);
    q.bindValue(1, ano);
    if (!q.exec())
        throw DbError(sqlErrorText(q.lastError()));
    double total = 0.0;
    while (q.next()) {
        const QVariant v = q.value(0);
        if (!v.isNull())
            total += v.toDouble();
    }
    const bool failed = q.lastError().isValid();
    const QString err = sqlErrorText(q.lastError());
    // Releasing the statement ends its read transaction.
    q.finish();
    if (failed)
        throw DbError(err);
    return total;
}

} // namespace

const QStringList &nomesMeses()
{
    static const QStringList nomes{
        QStringLiteral("Janeiro"), QStringLiteral("Fevereiro"), QStringLiteral("Março"),
        QStringLiteral("Abril"),   QStringLiteral("Maio"),      QStringLiteral("Junho"),
        QStringLiteral("Julho"),   QStringLiteral("Agosto"),    QStringLiteral("Setembro"),
        QStringLiteral("Outubro"), QStringLiteral("Novembro"),  QStringLiteral("Dezembro")};
    return nomes;
}

QString nomeMes(int mes)
{
    return nomesMeses().value(mes - 1);
}

void atualizarcaixa(Connection &connection, TableCache &caixaMes, int mes, int ano)
{
    connection.ensureOpen();
    const double gasto = somarMes(connection, kSqlGasto, mes, ano);
    const double recebido = somarMes(connection, kSqlRecebimento, mes, ano);

    caixaMes.open();
    if (caixaMes.locate(QStringLiteral("CAIMES;CAIANO"), {mes, ano})) {
        caixaMes.edit();
    } else {
        caixaMes.insertWithNextCode(QStringLiteral("CAICODIGO"));
        caixaMes.setValue(QStringLiteral("CAIMES"), mes);
        caixaMes.setValue(QStringLiteral("CAIANO"), ano);
        caixaMes.setValue(QStringLiteral("CAINOMEMES"),
                          nomeMes(caixaMes.value(QStringLiteral("CAIMES")).toInt()));
    }
    caixaMes.setValue(QStringLiteral("CAIVALORGASTO"), gasto);
    caixaMes.setValue(QStringLiteral("CAIVALORRECEBIDO"), recebido);
    caixaMes.setValue(QStringLiteral("CAIVALORDISPONIVEL"), recebido - gasto);
    caixaMes.post();
    try {
        caixaMes.applyUpdates(0);
    } catch (const DbError &) {
        // A refused summary change would stay pending and be refused again by every later
        // call; dropping it lets the next call recompute from what the server holds.
        caixaMes.close();
        throw;
    }
}

void atualizarcaixa(TDM &dm, int mes, int ano)
{
    atualizarcaixa(dm.SQLConnection1, *dm.TBCAIXAMES, mes, ano);
}

} // namespace lx::finance
