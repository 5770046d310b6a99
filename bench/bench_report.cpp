// A listing of 10,000 expenses against one of 1,000, from the query to the PDF file: the
// layout places each band once, so the cost should grow with the rows and no faster.
#include "benchsupport.h"
#include "db/connection.h"
#include "finance/reports/listingreport.h"
#include "report/previewwindow.h"

#include <QApplication>
#include <QDate>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <cstdio>
#include <memory>

using namespace lx;

namespace {

constexpr int kLarge = 10000;
constexpr int kSmall = 1000;
const QDate kStart(2024, 1, 1);
const QDate kEnd(2024, 12, 31);

struct Database
{
    QString folder;
    std::unique_ptr<Connection> conn;
};
Database g_large, g_small;
QString g_out;

Database make(const QString &tag, int rows)
{
    Database db;
    db.folder = bench::freshDatabaseFolder(tag);
    bench::bulkInsert(db.folder, "INSERT INTO TTIPOGASTO (TGACODIGO, TGADESCRICAO) VALUES (?, ?)",
                      12, [](int i) {
                          return QVariantList{i + 1, QString("Tipo %1").arg(i + 1)};
                      });
    bench::bulkInsert(db.folder,
                      "INSERT INTO TGASTO (GASCODIGO, GASVALOR, GASDATA, GASDESCRICAO, GASTIPO, "
                      "GASMES, GASANO) VALUES (?, ?, ?, ?, ?, ?, ?)",
                      rows, [rows](int i) {
                          const QDate d = kStart.addDays(qint64(i) * 366 / rows);
                          return QVariantList{i + 1,      5.0 + (i % 2000) * 0.25,
                                              d,          QString("Gasto número %1").arg(i),
                                              i % 12 + 1, d.month(),
                                              d.year()};
                      });
    db.conn = std::make_unique<Connection>("TOSTARA");
    db.conn->setUp(db.folder + "/alias.txt", "/nonexistent/");
    return db;
}

void run(benchmark::State &state, Database &db)
{
    for (auto _ : state) {
        finance::ListingReport listing(finance::listings::Kind::Expenses, db.conn.get());
        listing.build(kStart, kEnd);
        listing.report().writePdf(g_out);
    }
}
/// The pages alone, from rows already read.
void renderOnly(benchmark::State &state, Database &db)
{
    finance::ListingReport listing(finance::listings::Kind::Expenses, db.conn.get());
    listing.build(kStart, kEnd);
    for (auto _ : state)
        listing.report().writePdf(g_out);
}
void BM_RenderLarge(benchmark::State &state)
{
    renderOnly(state, g_large);
}
void BM_RenderSmall(benchmark::State &state)
{
    renderOnly(state, g_small);
}
void BM_Large(benchmark::State &state)
{
    run(state, g_large);
}
void BM_Small(benchmark::State &state)
{
    run(state, g_small);
}

/// How long the preview of the large listing takes from "Gerar Relatório" to its first page
/// on screen: the query, then every page laid out for the preview.
double previewMilliseconds()
{
    QElapsedTimer t;
    t.start();
    finance::ListingReport listing(finance::listings::Kind::Expenses, g_large.conn.get());
    listing.build(kStart, kEnd);
    report::PreviewWindow window(listing.report());
    window.show();
    QApplication::processEvents();
    const double ms = double(t.nsecsElapsed()) / 1e6;
    window.close();
    return ms;
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QLocale::setDefault(QLocale(QLocale::Portuguese, QLocale::Brazil));
    benchmark::Initialize(&argc, argv);

    std::printf("generating %d and %d expenses...\n", kLarge, kSmall);
    std::fflush(stdout);
    g_large = make("report-large", kLarge);
    g_small = make("report-small", kSmall);
    QTemporaryDir out;
    g_out = out.filePath("listagem.pdf");

    benchmark::RegisterBenchmark("listing-10k", BM_Large)
        ->Iterations(2)
        ->Repetitions(5)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("listing-1k", BM_Small)
        ->Iterations(5)
        ->Repetitions(5)
        ->Unit(benchmark::kMillisecond);

    benchmark::RegisterBenchmark("render-10k", BM_RenderLarge)
        ->Iterations(2)
        ->Repetitions(5)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("render-1k", BM_RenderSmall)
        ->Iterations(5)
        ->Repetitions(5)
        ->Unit(benchmark::kMillisecond);

    bench::MedianReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    std::printf("preview of 10k rows: first page shown after %.0f ms\n", previewMilliseconds());

    for (Database *db : {&g_large, &g_small}) {
        db->conn.reset();
        QDir(db->folder).removeRecursively();
    }
    std::fflush(stdout);
    reporter.ratio("render 10k/1k (pages alone)", "render-10k", "render-1k");
    std::fflush(stdout);
    reporter.ratio("listing 10k/1k", "listing-10k", "listing-1k");
    return 0;
}
