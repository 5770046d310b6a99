#pragma once

#include <QDate>
#include <QString>
#include <QStringList>

class QObject;

namespace lx {
class Connection;
class QueryResult;
} // namespace lx

namespace lx::finance {

/// The listings of a period: expenses (TGASTO with its type) or receipts (TRECEBIMENTO with
/// its type), by date, both ends of the period included.
namespace listings {

enum class Kind { Expenses, Receipts };

/// The six lines of the listing's query, in order.
QStringList queryLines(Kind kind);
/// The query's text: its lines joined by line breaks.
QString queryText(Kind kind);

/// A new, closed query of the listing on connection, owned by parent.
QueryResult *newQuery(Connection *connection, Kind kind, QObject *parent);
/// Runs a listing's query for a period: the start date bound to the first placeholder, the end
/// date to the second. Throws DbError.
void open(QueryResult &query, const QDate &start, const QDate &end);

/// The period proposed when the filter window opens: the first and the last day of today's
/// month.
struct Period
{
    QDate start;
    QDate end;
};
Period defaultPeriod(const QDate &today);

/// "Período de : 01/03/2025 à 31/03/2025".
QString periodLabel(const QDate &start, const QDate &end);

/// The listing's name on its title band: "Lista de Gastos" or "Lista de Entradas".
QString listingName(Kind kind);

} // namespace listings
} // namespace lx::finance
