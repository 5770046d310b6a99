#include "finance/core/listings.h"

#include "db/queryresult.h"

namespace lx::finance::listings {

QStringList queryLines(Kind kind)
{
    if (kind == Kind::Expenses)
        return {QStringLiteral("SELECT TGASTO.*, TTIPOGASTO.TGADESCRICAO"),
                QStringLiteral("FROM TGASTO, TTIPOGASTO"),
                QStringLiteral("WHERE TGASTO.GASTIPO = TTIPOGASTO.TGACODIGO"),
                QStringLiteral("AND TGASTO.GASDATA >= :DATAINI"),
                QStringLiteral("AND TGASTO.GASDATA <= :DATAFIN"),
                QStringLiteral("ORDER BY TGASTO.GASDATA")};
    return {QStringLiteral("SELECT TRECEBIMENTO.*, TTIPORECEB.TREDESCRICAO"),
            QStringLiteral("FROM TRECEBIMENTO, TTIPORECEB"),
            QStringLiteral("WHERE TRECEBIMENTO.RECTIPO = TTIPORECEB.TRECODIGO"),
            QStringLiteral("AND TRECEBIMENTO.RECDATA >= :DATAIN"),
            QStringLiteral("AND TRECEBIMENTO.RECDATA <= :DATAFI"),
            QStringLiteral("ORDER BY TRECEBIMENTO.RECDATA")};
}

QString queryText(Kind kind)
{
    return queryLines(kind).join(QLatin1Char('\n'));
}

QueryResult *newQuery(Connection *connection, Kind kind, QObject *parent)
{
    return new QueryResult(connection, queryText(kind), parent);
}

void open(QueryResult &query, const QDate &start, const QDate &end)
{
    // Bound by position: the start date to the first placeholder, the end date to the second.
    query.open({start, end});
}

Period defaultPeriod(const QDate &today)
{
    // The month's real last day, the 29th in a leap-year February.
    const QDate first(today.year(), today.month(), 1);
    return {first, QDate(today.year(), today.month(), first.daysInMonth())};
}

QString periodLabel(const QDate &start, const QDate &end)
{
    const QString format = QStringLiteral("dd/MM/yyyy");
    return QStringLiteral("Período de : ") + start.toString(format) + QStringLiteral(" à ") +
           end.toString(format);
}

QString listingName(Kind kind)
{
    return kind == Kind::Expenses ? QStringLiteral("Lista de Gastos")
                                  : QStringLiteral("Lista de Entradas");
}

} // namespace lx::finance::listings
