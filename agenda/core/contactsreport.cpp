#include "agenda/core/contactsreport.h"

#include "db/queryresult.h"

namespace lx::agenda {

const QStringList ContactsReportQuery::lines = {
    QStringLiteral("select TCONTATO.NOME, TCONTATO.TELEFONE1, TCONTATO.TELEFONE2, "
                   "TCONTATO.EMAIL, TCONTATO.ENDERECO"),
    QStringLiteral("from TCONTATO"),
    QStringLiteral("where UPPER(TCONTATO.NOME) >= UPPER(:nome1) and UPPER(TCONTATO.NOME) <= "
                   "UPPER(:nome2)"),
    QStringLiteral("order by TCONTATO.NOME"),
};

QString ContactsReportQuery::sql()
{
    // Bound by position: each placeholder takes its own value, in the order they stand.
    return positionalPlaceholders(lines.join(QLatin1Char('\n')));
}

void ContactsReportQuery::open(QueryResult &result, const QString &nome1, const QString &nome2)
{
    result.close();
    result.open({nome1, nome2});
}

} // namespace lx::agenda
