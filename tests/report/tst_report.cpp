#include "db/connection.h"
#include "db/dberror.h"
#include "db/queryresult.h"
#include "report/preview.h"
#include "report/previewwindow.h"
#include "report/printing.h"
#include "report/report.h"
#include "support/modal.h"
#include "support/pdfcheck.h"
#include "support/testdb.h"
#include "support/testmain.h"
#include "ui/dialogs.h"

#include <QApplication>
#include <QFontInfo>
#include <QPrintPreviewWidget>
#include <QPrinterInfo>
#include <QTemporaryDir>
#include <QToolBar>
#include <QtTest>

#include <memory>

using namespace lx;
using namespace lx::report;

namespace {
const QColor cream(255, 251, 240);
const QColor blue(200, 220, 255);
constexpr int kDpi = 72;

// Band heights chosen so that a page's usable 277 mm holds the title band and exactly 19
// detail bands (30 + 19 * 13 = 277), then 21 detail bands on each following page.
constexpr double kTitleMm = 30.0;
constexpr double kDetailMm = 13.0;
} // namespace

class TstReport : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void pdfShowsLabelsAndFormattedFields();
    void pageCount_data();
    void pageCount();
    void bandIsNeverSplit();
    void handlersRunInPrintOrderOnEveryRender();
    void emptyResultGivesTitleBandOnly();
    void fillsAndBackgroundsArePainted();
    void arialOrItsMetricTwin();
    void pdfWriteFailureIsReported();
    void previewSavesPdf_data();
    void previewSavesPdf();
    void previewSaveFailureGoesToErrorBox();
    void printDivertedToPdf();
    void printWithoutPrinterSaysSo();

private:
    /// A result of n rows with the column NUM = 1..n, made by the server.
    std::unique_ptr<QueryResult> numbers(int n);
    /// A report on rows with a title band and a detail band showing NUM.
    void build(Report &report, const QueryResult *rows);
    QString file(const QString &name) const { return m_dir->filePath(name); }

    std::unique_ptr<test::TestDb> m_db;
    std::unique_ptr<Connection> m_conn;
    std::unique_ptr<QTemporaryDir> m_dir;
};

void TstReport::init()
{
    if (test::TestDb::serverUnavailable())
        QSKIP("no test server configured");
    m_conn.reset();
    m_db = std::make_unique<test::TestDb>();
    m_conn = m_db->connect();
    m_dir = std::make_unique<QTemporaryDir>();
    ui::Dialogs::clearShown();
}

void TstReport::cleanup()
{
    divertPrintingToPdf({});
    resetPrintJobCount();
    m_conn.reset();
    m_db.reset();
}

std::unique_ptr<QueryResult> TstReport::numbers(int n)
{
    auto q = std::make_unique<QueryResult>(
        m_conn.get(), "with recursive n (NUM) as (select 1 from rdb$database union all "
                      "select NUM + 1 from n where NUM < 500) select NUM from n where NUM <= ?");
    q->open({n});
    return q;
}

void TstReport::build(Report &report, const QueryResult *rows)
{
    report.setTitle("Relatório de teste");
    report.setRows(rows);
    Band &title = report.titleBand();
    title.setHeight(kTitleMm);
    title.addLabel("QRLabel1", "Relatório de teste", QRectF(0, 2, report.contentWidth(), 8),
                   Report::font(12, true), Qt::AlignCenter);
    Band &detail = report.detailBand();
    detail.setHeight(kDetailMm);
    detail.addLabel("QRLinha", "linha", QRectF(0, 0, 40, kDetailMm), Report::font(12));
    detail.addField("QRDBText1", "NUM", QRectF(60, 0, 40, kDetailMm), Report::font(12),
                    Qt::AlignCenter);
}

void TstReport::pdfShowsLabelsAndFormattedFields()
{
    m_db->exec("insert into TGASTO (GASCODIGO, GASVALOR, GASDATA, GASDESCRICAO, GASTIPO) "
               "values (1, 1234.5, '2024-03-05', 'Pão de açúcar', 1)");
    QueryResult rows(m_conn.get(), "select GASDESCRICAO, GASVALOR, GASDATA from TGASTO");
    rows.open();
    Report report;
    report.setTitle("Lista de teste");
    report.setRows(&rows);
    report.titleBand().addLabel("QRLabel1", "Relatório de Tostara",
                                QRectF(0, 0, report.contentWidth(), 8), Report::font(12, true),
                                Qt::AlignCenter);
    Band &d = report.detailBand();
    d.addField("QRDBText1", "GASDESCRICAO", QRectF(0, 0, 60, 6), Report::font(12));
    d.addField("QRDBText2", "GASVALOR", QRectF(70, 0, 40, 6), Report::font(12));
    d.addField("QRDBText3", "GASDATA", QRectF(120, 0, 40, 6), Report::font(12));

    QCOMPARE(report.fieldText(*d.item("QRDBText2"), 0), QString("R$\u00a01.234,50"));
    report.writePdf(file("a.pdf"));
    const QString text = test::pdfText(file("a.pdf"));
    QVERIFY2(text.contains("Relatório de Tostara"), qPrintable(text));
    QVERIFY2(text.contains(
                 QRegularExpression("Pão de açúcar +R\\$[\\s\\x{00a0}]1\\.234,50 +05/03/2024")),
             qPrintable(text));
    QCOMPARE(test::pdfInfo(file("a.pdf"), "Title"), QString("Lista de teste"));
    QVERIFY(test::pdfInfo(file("a.pdf"), "Page size").endsWith("(A4)"));
}

void TstReport::pageCount_data()
{
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("pages");
    QTest::newRow("no rows") << 0 << 1;
    QTest::newRow("one row") << 1 << 1;
    QTest::newRow("last band ends on the bottom margin") << 19 << 1;
    QTest::newRow("one band more") << 20 << 2;
    QTest::newRow("second page full") << 40 << 2;
    QTest::newRow("third page") << 41 << 3;
}

void TstReport::pageCount()
{
    QFETCH(int, rows);
    QFETCH(int, pages);
    auto result = numbers(rows);
    QCOMPARE(result->rowCount(), rows);
    Report report;
    build(report, result.get());
    report.writePdf(file("p.pdf"));
    QCOMPARE(test::pdfInfo(file("p.pdf"), "Pages").toInt(), pages);
    QCOMPARE(report.pageImages(kDpi).size(), pages);

    // Every row printed once, in order, whatever page it fell on.
    const QString text = test::pdfText(file("p.pdf"));
    QRegularExpressionMatchIterator it = QRegularExpression("linha +(\\d+)").globalMatch(text);
    int expected = 1;
    while (it.hasNext())
        QCOMPARE(it.next().captured(1).toInt(), expected++);
    QCOMPARE(expected - 1, rows);
}

void TstReport::bandIsNeverSplit()
{
    auto result = numbers(20);
    Report report;
    build(report, result.get());
    report.detailBand().setFill(cream);
    const QList<QImage> pages = report.pageImages(kDpi);
    QCOMPARE(pages.size(), 2);
    // Page 1 is filled down to the bottom margin (10 + 30 + 19 * 13 = 287 mm) and no further;
    // the 20th band starts whole at the top margin of page 2 and ends 13 mm lower.
    QCOMPARE(test::pixelAtMm(pages[0], 12, 286, kDpi), cream);
    QCOMPARE(test::pixelAtMm(pages[0], 12, 288.5, kDpi), QColor(Qt::white));
    QCOMPARE(test::pixelAtMm(pages[1], 12, 9, kDpi), QColor(Qt::white));
    QCOMPARE(test::pixelAtMm(pages[1], 12, 11, kDpi), cream);
    QCOMPARE(test::pixelAtMm(pages[1], 12, 22, kDpi), cream);
    QCOMPARE(test::pixelAtMm(pages[1], 12, 24, kDpi), QColor(Qt::white));
}

void TstReport::handlersRunInPrintOrderOnEveryRender()
{
    auto result = numbers(45);
    Report report;
    build(report, result.get());
    QList<int> order;
    report.titleBand().beforePrint = [&](Band &, int row) { order << row; };
    report.detailBand().beforePrint = [&](Band &band, int row) {
        order << row;
        band.item("QRLinha")->text = QString("item %1").arg(row + 1);
    };

    QList<int> expected{-1};
    for (int r = 0; r < 45; ++r)
        expected << r;
    report.writePdf(file("h.pdf"));
    QCOMPARE(order, expected);
    order.clear();
    QCOMPARE(report.pageImages(kDpi).size(), 3);
    QCOMPARE(order, expected);

    // What the handler set is what each row printed, on every page.
    const QStringList pages = test::pdfPageTexts(file("h.pdf"));
    QCOMPARE(pages.size(), 3);
    QVERIFY(pages[0].contains(QRegularExpression("item 19 +19\\b")));
    QVERIFY(pages[1].contains(QRegularExpression("item 20 +20\\b")));
    QVERIFY(pages[2].contains(QRegularExpression("item 45 +45\\b")));
    QVERIFY(!pages[2].contains("linha"));
}

void TstReport::emptyResultGivesTitleBandOnly()
{
    auto empty = numbers(0);
    for (const QueryResult *rows : {static_cast<const QueryResult *>(empty.get()),
                                    static_cast<const QueryResult *>(nullptr)}) {
        Report report;
        build(report, rows);
        int details = 0;
        report.detailBand().beforePrint = [&](Band &, int) { ++details; };
        report.writePdf(file("e.pdf"));
        QCOMPARE(test::pdfInfo(file("e.pdf"), "Pages").toInt(), 1);
        const QString text = test::pdfText(file("e.pdf"));
        QVERIFY(text.contains("Relatório de teste"));
        QVERIFY(!text.contains("linha"));
        QCOMPARE(details, 0);
    }
}

void TstReport::fillsAndBackgroundsArePainted()
{
    auto result = numbers(22);
    Report report;
    build(report, result.get());
    report.titleBand().setColor(blue);
    // A narrow item background inside an otherwise unfilled band.
    Item &mark =
        report.titleBand().addLabel("QRMarca", {}, QRectF(100, 20, 10, 5), Report::font(8));
    mark.background = Qt::red;
    bool white = false;
    report.detailBand().beforePrint = [&](Band &band, int) {
        band.setFill(white ? QColor(Qt::white) : cream);
        white = !white;
    };
    report.titleBand().beforePrint = [&](Band &, int) { white = false; };

    for (int run = 0; run < 2; ++run) {
        const QList<QImage> pages = report.pageImages(kDpi);
        QCOMPARE(pages.size(), 2);
        QCOMPARE(test::pixelAtMm(pages[0], 5, 5, kDpi), QColor(Qt::white)); // top margin
        QCOMPARE(test::pixelAtMm(pages[0], 12, 15, kDpi), blue);
        QCOMPARE(test::pixelAtMm(pages[0], 115, 32, kDpi), QColor(Qt::red));
        // Rows 1 and 2, then rows 20 and 21 at the top of page 2: cream, white alternately.
        QCOMPARE(test::pixelAtMm(pages[0], 12, 41, kDpi), cream);
        QCOMPARE(test::pixelAtMm(pages[0], 12, 54, kDpi), QColor(Qt::white));
        QCOMPARE(test::pixelAtMm(pages[0], 12, 41 + 18 * 13, kDpi), cream);
        QCOMPARE(test::pixelAtMm(pages[1], 12, 11, kDpi), QColor(Qt::white));
        QCOMPARE(test::pixelAtMm(pages[1], 12, 24, kDpi), cream);
        // Nothing painted beyond the right margin.
        QCOMPARE(test::pixelAtMm(pages[1], 205, 11, kDpi), QColor(Qt::white));
    }
}

void TstReport::arialOrItsMetricTwin()
{
    const QFont f = Report::font(12, true);
    QCOMPARE(f.family(), QString("Arial"));
    QVERIFY(f.bold());
    QCOMPARE(f.pointSizeF(), 12.0);
    const QString family = QFontInfo(f).family();
    QVERIFY2(family == "Arial" || family == "Liberation Sans", qPrintable(family));

    auto result = numbers(1);
    Report report;
    build(report, result.get());
    report.writePdf(file("f.pdf"));
    const QString fonts = test::runTool("pdffonts", {file("f.pdf")});
    QVERIFY2(fonts.contains("LiberationSans") || fonts.contains("Arial"), qPrintable(fonts));
}

void TstReport::pdfWriteFailureIsReported()
{
    Report report;
    build(report, nullptr);
    try {
        report.writePdf(file("no/such/folder/r.pdf"));
        QFAIL("no error");
    } catch (const DbError &e) {
        QVERIFY2(e.message().startsWith("Não foi possível gravar o arquivo"),
                 qPrintable(e.message()));
    }
}

void TstReport::previewSavesPdf_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("written");
    QTest::newRow("extension added") << "lista"
                                     << "lista.pdf";
    QTest::newRow("extension kept") << "lista.pdf"
                                    << "lista.pdf";
    QTest::newRow("upper-case extension kept") << "LISTA.PDF"
                                               << "LISTA.PDF";
    QTest::newRow("cancelled") << ""
                               << "";
}

void TstReport::previewSavesPdf()
{
    QFETCH(QString, typed);
    QFETCH(QString, written);
    auto result = numbers(25);
    Report report;
    build(report, result.get());
    test::ModalScript modal([&](QDialog *d) {
        auto *w = qobject_cast<PreviewWindow *>(d);
        QVERIFY(w);
        // The preview shows the pages the engine lays out.
        auto *pages = w->findChild<QPrintPreviewWidget *>();
        QVERIFY(pages);
        QCOMPARE(pages->pageCount(), 2);
        ui::Dialogs::queueSaveFileName(typed.isEmpty() ? QString() : file(typed));
        w->saveAction()->trigger();
        d->close();
    });
    preview(report, nullptr);
    QCOMPARE(modal.shown.size(), 1);
    QCOMPARE(ui::Dialogs::texts(ui::Dialogs::SaveFile).size(), 1);
    QVERIFY(ui::Dialogs::texts(ui::Dialogs::Error).isEmpty());
    const QStringList files = QDir(m_dir->path()).entryList(QDir::Files);
    if (written.isEmpty()) {
        QVERIFY(files.isEmpty());
        return;
    }
    QCOMPARE(files, QStringList{written});
    QVERIFY(test::pdfText(file(written)).contains(QRegularExpression("linha +25")));
}

void TstReport::previewSaveFailureGoesToErrorBox()
{
    Report report;
    build(report, nullptr);
    PreviewWindow w(report);
    // The preview lays its pages out through the same rendering.
    QVERIFY(w.findChild<QToolBar *>()->actions().contains(w.saveAction()));
    QCOMPARE(w.saveAction()->text(), QString("Salvar PDF"));
    ui::Dialogs::queueSaveFileName(file("missing/r"));
    w.savePdf();
    const QStringList errors = ui::Dialogs::texts(ui::Dialogs::Error);
    QCOMPARE(errors.size(), 1);
    QVERIFY2(errors[0].contains(file("missing/r.pdf")), qPrintable(errors[0]));
}

void TstReport::printDivertedToPdf()
{
    auto result = numbers(25);
    Report report;
    build(report, result.get());
    divertPrintingToPdf(file("printed.pdf"));
    resetPrintJobCount();
    print(report);
    QCOMPARE(printJobCount(), 1);
    QCOMPARE(test::pdfInfo(file("printed.pdf"), "Pages").toInt(), 2);
    QCOMPARE(test::pdfInfo(file("printed.pdf"), "Title"), QString("Relatório de teste"));
    // Same layout as the PDF writer's: row 19 ends page 1, row 20 opens page 2.
    const QStringList pages = test::pdfPageTexts(file("printed.pdf"));
    QCOMPARE(pages.size(), 2);
    QVERIFY(pages[0].contains(QRegularExpression("linha +19\\b")));
    QVERIFY(pages[1].contains(QRegularExpression("^\\s*linha +20\\b")));
}

void TstReport::printWithoutPrinterSaysSo()
{
    if (!QPrinterInfo::availablePrinters().isEmpty())
        QSKIP("this machine has a printer");
    Report report;
    build(report, nullptr);
    resetPrintJobCount();
    try {
        print(report);
        QFAIL("no error");
    } catch (const DbError &e) {
        QCOMPARE(e.message(), QString("Nenhuma impressora está instalada neste computador. "
                                      "Instale uma impressora para imprimir."));
    }
    QCOMPARE(printJobCount(), 0);
}

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    TstReport t;
    return test::runTests(t, argc, argv);
}

#include "tst_report.moc"
