#pragma once

#include <QList>
#include <QMap>
#include <QPointF>
#include <QString>

namespace lx {
class QueryResult;
}

namespace lx::finance {

/// The monthly cash summaries of a range of years, ANOINI then ANOFIN bound by position.
const QString &cashChartSql();
/// Expenses per expense type of one month, MES then ANO bound by position; the unnamed sum
/// comes back as the column SUM.
const QString &expensePieSql();
/// Receipts per receipt type of one month, MES then ANO bound by position.
const QString &receiptPieSql();

/// Reruns a line chart's query for the years from anoIni to anoFin (not compared: a start
/// after the end selects nothing). Throws DbError; the result is then closed and empty.
void regenerateCash(QueryResult &query, int anoIni, int anoFin);
/// Reruns a pie's query for month mes (1 to 12) of year ano. Throws DbError; the result is
/// then closed and empty.
void regeneratePie(QueryResult &query, int mes, int ano);

/// The three lines of the cash chart. x is the month number, so that the months of different
/// years share the positions 1 to 12; points are in month order (a year before the next one
/// within a month). A null amount is drawn as 0.
struct CashLines
{
    QList<QPointF> spent;
    QList<QPointF> received;
    QList<QPointF> available;
    /// The month name each position shows, as the summaries hold it.
    QMap<int, QString> monthLabels;
};
CashLines cashLines(const QueryResult &summaries);

/// Which of the three lines a choice of the chart's radio group shows: 0 all of them, 1 only
/// the spent, 2 only the received, 3 only the available amounts.
struct LinesShown
{
    bool spent = true;
    bool received = true;
    bool available = true;
};
LinesShown linesShown(int choice);

/// One slice of a pie: a type's description, the sum of its amounts, and the mark beside it
/// with its share of the month's total and its value ("25,00% - R$ 100,00").
struct PieSlice
{
    QString label;
    double value = 0.0;
    QString mark;
};
/// One slice per row of a pie's query, in the order the server returned them; labelColumn is
/// the type description (TGADESCRICAO, TREDESCRICAO). A null sum is 0.
QList<PieSlice> pieSlices(const QueryResult &sums, const QString &labelColumn);

/// The file a chart is saved to: the chosen name with ".BMP" appended, whatever it ends in.
QString chartFileName(const QString &chosen);

} // namespace lx::finance
