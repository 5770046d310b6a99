#include "finance/core/charts.h"

#include "db/fieldformat.h"
#include "db/queryresult.h"

#include <QLocale>

#include <QStringList>

#include <algorithm>
#include <tuple>

namespace lx::finance {

namespace {
QString statement(const QStringList &lines)
{
    return lines.join(QLatin1Char('\n'));
}

double amount(const QVariant &v)
{
    return v.isNull() ? 0.0 : v.toDouble();
}
} // namespace

const QString &cashChartSql()
{
    static const QString sql = statement({
        QStringLiteral("SELECT TCAIXAMES.* FROM TCAIXAMES"),
        QStringLiteral("WHERE TCAIXAMES.CAIANO >= :ANOINI"),
        QStringLiteral(" AND TCAIXAMES.CAIANO <= :ANOFIN"),
    });
    return sql;
}

const QString &expensePieSql()
{
    static const QString sql = statement({
        QStringLiteral("SELECT SUM(TGASTO.GASVALOR), TGASTO.GASTIPO, TTIPOGASTO.TGADESCRICAO"),
        QStringLiteral("FROM TGASTO,TTIPOGASTO"),
        QStringLiteral("WHERE TGASTO.GASMES = :MES"),
        QStringLiteral("AND TGASTO.GASANO = :ANO"),
        QStringLiteral("AND TGASTO.GASTIPO = TTIPOGASTO.TGACODIGO"),
        QStringLiteral("GROUP BY TGASTO.GASTIPO, TTIPOGASTO.TGADESCRICAO"),
    });
    return sql;
}

const QString &receiptPieSql()
{
    static const QString sql = statement({
        QStringLiteral(
            "SELECT SUM(TRECEBIMENTO.RECVALOR), TRECEBIMENTO.RECTIPO, TTIPORECEB.TREDESCRICAO"),
        QStringLiteral("FROM TRECEBIMENTO,TTIPORECEB"),
        QStringLiteral("WHERE TRECEBIMENTO.RECTIPO = TTIPORECEB.TRECODIGO"),
        QStringLiteral("AND TRECEBIMENTO.RECMES = :MES"),
        QStringLiteral("AND TRECEBIMENTO.RECANO = :ANO"),
        QStringLiteral("GROUP BY TRECEBIMENTO.RECTIPO, TTIPORECEB.TREDESCRICAO"),
    });
    return sql;
}

void regenerateCash(QueryResult &query, int anoIni, int anoFin)
{
    query.close();
    query.open({anoIni, anoFin});
}

void regeneratePie(QueryResult &query, int mes, int ano)
{
    query.close();
    query.open({mes, ano});
}

CashLines cashLines(const QueryResult &summaries)
{
    struct Row
    {
        int month;
        int year;
        int serverOrder;
    };
    CashLines lines;
    if (!summaries.isOpen())
        return lines;
    const int cMonth = summaries.columnIndex(QStringLiteral("CAIMES"));
    const int cYear = summaries.columnIndex(QStringLiteral("CAIANO"));
    const int cName = summaries.columnIndex(QStringLiteral("CAINOMEMES"));
    const int cSpent = summaries.columnIndex(QStringLiteral("CAIVALORGASTO"));
    const int cReceived = summaries.columnIndex(QStringLiteral("CAIVALORRECEBIDO"));
    const int cAvailable = summaries.columnIndex(QStringLiteral("CAIVALORDISPONIVEL"));

    QList<Row> rows;
    rows.reserve(summaries.rowCount());
    for (int r = 0; r < summaries.rowCount(); ++r)
        rows.append({summaries.value(r, cMonth).toInt(), summaries.value(r, cYear).toInt(), r});
    std::sort(rows.begin(), rows.end(), [](const Row &a, const Row &b) {
        return std::tie(a.month, a.year, a.serverOrder) < std::tie(b.month, b.year, b.serverOrder);
    });
    for (const Row &row : rows) {
        const qreal x = row.month;
        lines.spent.append({x, amount(summaries.value(row.serverOrder, cSpent))});
        lines.received.append({x, amount(summaries.value(row.serverOrder, cReceived))});
        lines.available.append({x, amount(summaries.value(row.serverOrder, cAvailable))});
        const QString name = summaries.value(row.serverOrder, cName).toString().trimmed();
        if (!lines.monthLabels.contains(row.month) && !name.isEmpty())
            lines.monthLabels.insert(row.month, name);
    }
    return lines;
}

LinesShown linesShown(int choice)
{
    return {choice == 0 || choice == 1, choice == 0 || choice == 2, choice == 0 || choice == 3};
}

QList<PieSlice> pieSlices(const QueryResult &sums, const QString &labelColumn)
{
    QList<PieSlice> slices;
    if (!sums.isOpen())
        return slices;
    double total = 0.0;
    for (int r = 0; r < sums.rowCount(); ++r) {
        const double value = amount(sums.value(r, QStringLiteral("SUM")));
        slices.append({sums.value(r, labelColumn).toString().trimmed(), value, QString()});
        total += value;
    }
    for (PieSlice &s : slices) {
        const double share = total != 0.0 ? s.value * 100.0 / total : 0.0;
        s.mark =
            QStringLiteral("%1% - %2")
                .arg(QLocale().toString(share, 'f', 2), displayText(FieldType::Money, s.value));
    }
    return slices;
}

QString chartFileName(const QString &chosen)
{
    return chosen + QStringLiteral(".BMP");
}

} // namespace lx::finance
