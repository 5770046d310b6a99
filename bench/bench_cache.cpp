// The table cache on a generated table of 100,000 expenses, each figure next to a baseline
// measured in the same run.
#include "benchsupport.h"
#include "db/connection.h"
#include "db/tablecache.h"

#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QSqlQuery>

#include <cstdio>
#include <memory>

using namespace lx;

namespace {

constexpr int kBigRows = 100000;
constexpr int kSmallRows = 100;
const char *const kColumns =
    "GASCODIGO,GASVALOR,GASDATA,GASDESCRICAO,GASTIPO,GASUSUARIO,GASMES,GASANO";

std::unique_ptr<Connection> g_big, g_small;
std::unique_ptr<TableCache> g_bigCache, g_smallCache;

std::unique_ptr<Connection> connectTo(const QString &folder)
{
    auto c = std::make_unique<Connection>("TOSTARA");
    c->setUp(folder + "/alias.txt", "/nonexistent/");
    return c;
}

QString makeExpenses(const QString &tag, int rows)
{
    const QString folder = bench::freshDatabaseFolder(tag);
    const QStringList words{"Mercado",     "Farmácia",    "Conta de luz", "Padaria",
                            "Combustível", "Restaurante", "Açougue",      "Internet"};
    bench::bulkInsert(
        folder, QString("INSERT INTO TGASTO (%1) VALUES (?,?,?,?,?,?,?,?)").arg(kColumns), rows,
        [&](int i) {
            const QDate d = QDate(2015, 1, 1).addDays(i % 3650);
            return QVariantList{i + 1,      10.0 + (i % 1000) * 0.37,
                                d,          QString("%1 nº %2").arg(words[i % words.size()]).arg(i),
                                i % 12 + 1, QVariant(QMetaType(QMetaType::Int)),
                                d.month(),  d.year()};
        });
    return folder;
}

void BM_RawFetch(benchmark::State &state)
{
    for (auto _ : state) {
        QSqlQuery q(g_big->database());
        q.setForwardOnly(true);
        q.exec(QString("SELECT %1 FROM TGASTO").arg(kColumns));
        int n = 0;
        while (q.next()) {
            for (int c = 0; c < 8; ++c)
                benchmark::DoNotOptimize(q.value(c));
            ++n;
        }
        q.finish();
        benchmark::DoNotOptimize(n);
    }
}

void BM_CacheOpen(benchmark::State &state)
{
    for (auto _ : state) {
        g_bigCache->close();
        g_bigCache->open();
    }
}

void BM_FilterPass(benchmark::State &state)
{
    g_bigCache->setFilter("(UPPER(GASDESCRICAO) LIKE UPPER('%farmácia%'))");
    for (auto _ : state) {
        g_bigCache->setFiltered(true);
        state.PauseTiming();
        g_bigCache->setFiltered(false);
        state.ResumeTiming();
    }
}

void BM_PlainLoop(benchmark::State &state)
{
    const int f = g_bigCache->fieldIndex("GASCODIGO");
    for (auto _ : state) {
        qint64 sum = 0;
        for (int r = 0; r < g_bigCache->recordCount(); ++r)
            sum += g_bigCache->value(r, f).toInt();
        benchmark::DoNotOptimize(sum);
    }
}

void BM_Locate(benchmark::State &state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(g_bigCache->locate("GASCODIGO", {kBigRows}));
}

void BM_NewCode(benchmark::State &state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(g_bigCache->nextCode("GASCODIGO"));
}

void applyOne(benchmark::State &state, TableCache &cache)
{
    double v = 1.0;
    for (auto _ : state) {
        cache.edit();
        cache.setValue("GASVALOR", v += 1.0);
        cache.post();
        cache.applyUpdates();
    }
}
void BM_ApplyBig(benchmark::State &state)
{
    applyOne(state, *g_bigCache);
}
void BM_ApplySmall(benchmark::State &state)
{
    applyOne(state, *g_smallCache);
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);

    std::printf("generating %d expenses...\n", kBigRows);
    const QString big = makeExpenses("big", kBigRows);
    const QString small = makeExpenses("small", kSmallRows);
    g_big = connectTo(big);
    g_small = connectTo(small);

    // Memory: heap taken by the cached rows.
    const size_t before = bench::heapInUse();
    g_bigCache = std::make_unique<TableCache>(g_big.get(), "TGASTO");
    g_bigCache->open();
    const size_t after = bench::heapInUse();
    g_smallCache = std::make_unique<TableCache>(g_small.get(), "TGASTO");
    g_smallCache->open();

    const int reps = 7;
    benchmark::RegisterBenchmark("raw-fetch", BM_RawFetch)
        ->Iterations(2)
        ->Repetitions(reps)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("cache-open", BM_CacheOpen)
        ->Iterations(2)
        ->Repetitions(reps)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("filter-pass", BM_FilterPass)
        ->Iterations(10)
        ->Repetitions(reps)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("plain-loop", BM_PlainLoop)
        ->Iterations(10)
        ->Repetitions(reps)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("locate", BM_Locate)
        ->Iterations(10)
        ->Repetitions(reps)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("new-code", BM_NewCode)
        ->Iterations(10)
        ->Repetitions(reps)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("apply-100k", BM_ApplyBig)
        ->Iterations(20)
        ->Repetitions(reps)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("apply-100", BM_ApplySmall)
        ->Iterations(20)
        ->Repetitions(reps)
        ->Unit(benchmark::kMillisecond);
    benchmark::SetDefaultTimeUnit(benchmark::kMillisecond);

    bench::MedianReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);

    g_bigCache.reset();
    g_smallCache.reset();
    g_big.reset();
    g_small.reset();
    for (const QString &dir : {big, small})
        QDir(dir).removeRecursively();

    std::printf("bytes per cached row (goal <= 400): %.1f\n", double(after - before) / kBigRows);
    reporter.ratio("filter-pass/cache-open (goal <= 0.1)", "filter-pass", "cache-open");
    reporter.ratio("locate/plain-loop", "locate", "plain-loop");
    reporter.ratio("new-code/plain-loop", "new-code", "plain-loop");
    reporter.ratio("apply-100k/apply-100 (goal <= 1.5)", "apply-100k", "apply-100");
    reporter.ratio("cache-open/raw-fetch", "cache-open", "raw-fetch");
    return 0;
}
