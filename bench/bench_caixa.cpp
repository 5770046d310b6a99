// The monthly cash summary update on a large database against a small one: the month's two
// queries use the month and year columns, so the cost should not grow with the tables. A third
// database holding only the measured month's movements of the large one tells the share of
// the month's own rows from that of the tables' size.
#include "benchsupport.h"
#include "db/connection.h"
#include "db/tablecache.h"
#include "finance/core/caixa.h"

#include <QCoreApplication>
#include <QDate>
#include <QDir>

#include <cstdio>
#include <memory>
#include <vector>

using namespace lx;

namespace {

constexpr int kMes = 3;
constexpr int kAno = 2020;
const QDate kFirstDay(2015, 1, 1);
constexpr int kTenYears = 3653;
constexpr int kLargeExpenses = 1000000;
constexpr int kLargeReceipts = 100000;
constexpr int kSmallExpenses = 1000;

struct Database
{
    QString folder;
    std::unique_ptr<Connection> conn;
    std::unique_ptr<TableCache> caixa;
};
Database g_large, g_small, g_month;

/// The date of movement i of rows, spread evenly over ten years in the order they are entered.
QDate dateOf(int i, int rows)
{
    return kFirstDay.addDays(qint64(i) * kTenYears / rows);
}

/// Inserts the movements picked out of rows (all of them when picked is empty).
void fill(const QString &folder, const QString &table, const QString &prefix, int rows,
          std::vector<int> picked = {})
{
    if (picked.empty())
        for (int i = 0; i < rows; ++i)
            picked.push_back(i);
    const QString sql = QString("INSERT INTO %1 (%2CODIGO,%2VALOR,%2DATA,%2DESCRICAO,%2TIPO,"
                                "%2MES,%2ANO) VALUES (?,?,?,?,?,?,?)")
                            .arg(table, prefix);
    bench::bulkInsert(folder, sql, int(picked.size()), [&](int k) {
        const int i = picked[size_t(k)];
        const QDate d = dateOf(i, rows);
        return QVariantList{i + 1,      5.0 + (i % 2000) * 0.25,
                            d,          QString("Movimento %1").arg(i),
                            i % 12 + 1, d.month(),
                            d.year()};
    });
}

std::vector<int> ofTheMonth(int rows)
{
    std::vector<int> picked;
    for (int i = 0; i < rows; ++i) {
        const QDate d = dateOf(i, rows);
        if (d.month() == kMes && d.year() == kAno)
            picked.push_back(i);
    }
    return picked;
}

Database open(const QString &folder)
{
    Database db;
    db.folder = folder;
    db.conn = std::make_unique<Connection>("TOSTARA");
    db.conn->setUp(folder + "/alias.txt", "/nonexistent/");
    db.caixa = std::make_unique<TableCache>(db.conn.get(), "TCAIXAMES");
    // The month's row exists from here on, as after the first movement of the month.
    finance::atualizarcaixa(*db.conn, *db.caixa, kMes, kAno);
    return db;
}

void run(benchmark::State &state, Database &db)
{
    for (auto _ : state)
        finance::atualizarcaixa(*db.conn, *db.caixa, kMes, kAno);
}
void BM_Large(benchmark::State &state)
{
    run(state, g_large);
}
void BM_Small(benchmark::State &state)
{
    run(state, g_small);
}
void BM_MonthOnly(benchmark::State &state)
{
    run(state, g_month);
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);

    std::printf("generating %d expenses and %d receipts...\n", kLargeExpenses, kLargeReceipts);
    std::fflush(stdout);
    const QString large = bench::freshDatabaseFolder("caixa-large");
    fill(large, "TGASTO", "GAS", kLargeExpenses);
    fill(large, "TRECEBIMENTO", "REC", kLargeReceipts);
    const QString small = bench::freshDatabaseFolder("caixa-small");
    fill(small, "TGASTO", "GAS", kSmallExpenses);
    const QString month = bench::freshDatabaseFolder("caixa-month");
    fill(month, "TGASTO", "GAS", kLargeExpenses, ofTheMonth(kLargeExpenses));
    fill(month, "TRECEBIMENTO", "REC", kLargeReceipts, ofTheMonth(kLargeReceipts));
    g_large = open(large);
    g_small = open(small);
    g_month = open(month);
    std::printf("month %d/%d: %zu expenses and %zu receipts in the large database, %zu expenses "
                "in the small one\n",
                kMes, kAno, ofTheMonth(kLargeExpenses).size(), ofTheMonth(kLargeReceipts).size(),
                ofTheMonth(kSmallExpenses).size());

    const int reps = 7;
    benchmark::RegisterBenchmark("atualizarcaixa-large", BM_Large)
        ->Iterations(20)
        ->Repetitions(reps)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("atualizarcaixa-small", BM_Small)
        ->Iterations(20)
        ->Repetitions(reps)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("atualizarcaixa-month-only", BM_MonthOnly)
        ->Iterations(20)
        ->Repetitions(reps)
        ->Unit(benchmark::kMillisecond);

    bench::MedianReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);

    for (Database *db : {&g_large, &g_small, &g_month}) {
        db->caixa.reset();
        db->conn.reset();
        QDir(db->folder).removeRecursively();
    }
    std::fflush(stdout);
    reporter.ratio("atualizarcaixa large/month-only (the tables' size)", "atualizarcaixa-large",
                   "atualizarcaixa-month-only");
    std::fflush(stdout);
    reporter.ratio("atualizarcaixa large/small", "atualizarcaixa-large", "atualizarcaixa-small");
    return 0;
}
