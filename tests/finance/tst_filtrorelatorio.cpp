#include "finance/application.h"
#include "finance/core/listings.h"
#include "finance/reports/listingreport.h"
#include "finance/tffiltrorelatorio.h"
#include "finance/tfrlistagens.h"
#include "finance/tfrlistagens2.h"
#include "report/previewwindow.h"
#include "report/report.h"
#include "support/financefixture.h"
#include "support/modal.h"
#include "support/pdfcheck.h"
#include "ui/maskedit.h"

#include <QAction>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>

#include <memory>

using namespace lx;
using namespace lx::finance;

namespace {
const QColor cream(255, 251, 240);
constexpr int kDpi = 100;
// Title band 31 mm, rows 6 mm, below a 10 mm margin.
constexpr double kFirstRowMm = 41.0;
constexpr double kRowMm = 6.0;
} // namespace

class TstFiltroRelatorio : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void looksAndDefaultPeriod();
    void listingOnPaper_data();
    void listingOnPaper();
    void periodWithoutRowsGivesTitleBandOnly();
    void rowsAlternateFromCreamAcrossPages();
    void eachBuildIsANewReportStartingCream();
    void enterInEndDateBuildsListing();
    void dateBoxWithoutDateShowsErrorAndNoReport_data();
    void dateBoxWithoutDateShowsErrorAndNoReport();
    void noItemChosenDoesNothing();
    void keysOfDateBoxes();

private:
    void addExpense(int code, const QString &description, const QDate &date, double value,
                    int type = 1);
    TFFiltroRelatorio *open();
    /// Sets the period, clicks "Gerar Relatório" and saves what the preview shows to a PDF.
    QString generate(const QString &start, const QString &end, const QString &name);

    std::unique_ptr<test::FinanceFixture> m_f;
    std::unique_ptr<QTemporaryDir> m_dir;
};

void TstFiltroRelatorio::initTestCase()
{
    finance::initApplication(*qApp);
}

void TstFiltroRelatorio::init()
{
    m_f = std::make_unique<test::FinanceFixture>();
    QVERIFY2(m_f->connectError.isEmpty(), qPrintable(m_f->connectError));
    m_dir = std::make_unique<QTemporaryDir>();
    m_f->db.exec("insert into TTIPOGASTO (TGACODIGO, TGADESCRICAO) values (1, 'Mercado')");
    m_f->db.exec("insert into TTIPORECEB (TRECODIGO, TREDESCRICAO) values (1, 'Salário')");
}

void TstFiltroRelatorio::cleanup()
{
    m_f.reset();
}

void TstFiltroRelatorio::addExpense(int code, const QString &description, const QDate &date,
                                    double value, int type)
{
    m_f->db.exec("insert into TGASTO (GASCODIGO, GASVALOR, GASDATA, GASDESCRICAO, GASTIPO, "
                 "GASMES, GASANO) values (?, ?, ?, ?, ?, ?, ?)",
                 {code, value, date, description, type, date.month(), date.year()});
}

TFFiltroRelatorio *TstFiltroRelatorio::open()
{
    return m_f->open<TFFiltroRelatorio>();
}

QString TstFiltroRelatorio::generate(const QString &start, const QString &end, const QString &name)
{
    auto *w = qobject_cast<TFFiltroRelatorio *>(m_f->window.get());
    w->txtDataInicial->setMaskedText(start);
    w->txtDataFinal->setMaskedText(end);
    const QString file = m_dir->filePath(name);
    test::ModalScript modal([&](QDialog *d) {
        auto *preview = qobject_cast<report::PreviewWindow *>(d);
        if (!preview)
            return;
        ui::Dialogs::queueSaveFileName(file);
        preview->saveAction()->trigger();
        d->close();
    });
    w->btnGerar->click();
    if (modal.shown.size() != 1 || !QFile::exists(file))
        return {};
    return file;
}

void TstFiltroRelatorio::looksAndDefaultPeriod()
{
    TFFiltroRelatorio *w = open();
    QCOMPARE(w->windowTitle(), QString("Filtro de Relatório das Finanças"));
    QCOMPARE(w->RGFinancas->title(), QString("Tipo de Relatório"));
    QCOMPARE(w->rbGastos->text(), QString("Apenas os Gastos"));
    QCOMPARE(w->rbEntradas->text(), QString("Apenas as Entradas"));
    QCOMPARE(w->itemIndex(), 0);
    QCOMPARE(w->Label1->text(), QString("Período de: "));
    QCOMPARE(w->Label2->text(), QString(" a "));
    QCOMPARE(w->btnGerar->text(), QString("Gerar Relatório"));
    QCOMPARE(w->btnSair->toolTip(), QString("Sair"));
    QCOMPARE(w->txtDataInicial->editMask(), masks::date);
    QCOMPARE(w->txtDataInicial->emptyText(), QString("  /  /    "));

    const listings::Period p = listings::defaultPeriod(QDate::currentDate());
    QCOMPARE(w->txtDataInicial->maskedText(), p.start.toString("dd/MM/yyyy"));
    QCOMPARE(w->txtDataFinal->maskedText(), p.end.toString("dd/MM/yyyy"));
    QApplication::setActiveWindow(w);
    QTRY_COMPARE(QApplication::focusWidget(), w->txtDataInicial);

    // Tab order: start date, end date, the radio group.
    auto nextStop = [](QWidget *from) {
        QWidget *w = from->nextInFocusChain();
        while (w != from && !(w->focusPolicy() & Qt::TabFocus))
            w = w->nextInFocusChain();
        return w;
    };
    QCOMPARE(nextStop(w->txtDataInicial), w->txtDataFinal);
    QCOMPARE(nextStop(w->txtDataFinal), w->rbGastos);
}

void TstFiltroRelatorio::listingOnPaper_data()
{
    QTest::addColumn<int>("item");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("row");
    QTest::newRow("expenses") << 0 << "Lista de Gastos"
                              << "Feira +Mercado +R\\$[\\s\\x{00a0}]1\\.234,56 +31/03/2025";
    QTest::newRow("receipts") << 1 << "Lista de Entradas"
                              << "Pagamento +Salário +R\\$[\\s\\x{00a0}]5\\.000,00 +01/03/2025";
}

void TstFiltroRelatorio::listingOnPaper()
{
    QFETCH(int, item);
    QFETCH(QString, name);
    QFETCH(QString, row);
    addExpense(1, "Feira", QDate(2025, 3, 31), 1234.56);
    addExpense(2, "Dia seguinte", QDate(2025, 4, 1), 10);
    addExpense(3, "Sem tipo", QDate(2025, 3, 10), 10, 9);
    m_f->db.exec("insert into TRECEBIMENTO (RECCODIGO, RECVALOR, RECDATA, RECDESCRICAO, RECTIPO, "
                 "RECMES, RECANO) values (1, 5000, '2025-03-01', 'Pagamento', 1, 3, 2025)");
    TFFiltroRelatorio *w = open();
    w->setItemIndex(item);
    const QString file = generate("01/03/2025", "31/03/2025", "l.pdf");
    QVERIFY(!file.isEmpty());
    QVERIFY(ui::Dialogs::texts(ui::Dialogs::Error).isEmpty());
    QCOMPARE(test::pdfInfo(file, "Pages").toInt(), 1);
    const QString text = test::pdfText(file);
    QVERIFY2(text.contains("Relatório de Tostara"), qPrintable(text));
    QVERIFY2(text.contains("Período de : 01/03/2025 à 31/03/2025"), qPrintable(text));
    QVERIFY2(text.contains(name), qPrintable(text));
    QVERIFY2(text.contains(QRegularExpression("Descrição +Tipo +Valor +Data")), qPrintable(text));
    QVERIFY2(text.contains(QRegularExpression(row)), qPrintable(text));
    QVERIFY(!text.contains("Dia seguinte"));
    QVERIFY(!text.contains("Sem tipo"));

    QCOMPARE(w->reports().size(), 1);
    ListingReport *listing = w->reports().first();
    QCOMPARE(listing->parent(), w);
    if (item == 0)
        QVERIFY(qobject_cast<TFRListagens *>(listing));
    else
        QVERIFY(qobject_cast<TFRListagens2 *>(listing));
}

void TstFiltroRelatorio::periodWithoutRowsGivesTitleBandOnly()
{
    addExpense(1, "Feira", QDate(2025, 3, 31), 10);
    open();
    const QString file = generate("01/05/2025", "31/05/2025", "e.pdf");
    QVERIFY(!file.isEmpty());
    QCOMPARE(test::pdfInfo(file, "Pages").toInt(), 1);
    const QString text = test::pdfText(file);
    QVERIFY(text.contains("Período de : 01/05/2025 à 31/05/2025"));
    QVERIFY(text.contains("Lista de Gastos"));
    QVERIFY(!text.contains("Feira"));
}

void TstFiltroRelatorio::rowsAlternateFromCreamAcrossPages()
{
    for (int i = 1; i <= 60; ++i)
        addExpense(i, QString("Gasto %1").arg(i), QDate(2025, 3, 1).addDays(i % 31), i);
    TFFiltroRelatorio *w = open();
    const QString file = generate("01/03/2025", "31/03/2025", "c.pdf");
    QVERIFY(!file.isEmpty());
    QCOMPARE(test::pdfInfo(file, "Pages").toInt(), 2);

    const QList<QImage> pages = w->reports().last()->report().pageImages(kDpi);
    QCOMPARE(pages.size(), 2);
    // 41 rows on the first page (odd: it ends on cream), the rest from the top of the second.
    const int firstPageRows = 41;
    auto rowColour = [&](int page, int index) {
        const double top = page == 0 ? kFirstRowMm : 10.0;
        return test::pixelAtMm(pages[page], 12, top + index * kRowMm + kRowMm / 2, kDpi);
    };
    for (int r = 0; r < firstPageRows; ++r)
        QCOMPARE(rowColour(0, r), r % 2 == 0 ? cream : QColor(Qt::white));
    // Row 42 is white, row 43 cream: the alternation goes on across the page break.
    QCOMPARE(rowColour(1, 0), QColor(Qt::white));
    QCOMPARE(rowColour(1, 1), cream);
    QCOMPARE(rowColour(1, 18), QColor(Qt::white)); // row 60, the last
    // The title band is not shaded.
    QCOMPARE(test::pixelAtMm(pages[0], 12, 14, kDpi), QColor(Qt::white));
}

void TstFiltroRelatorio::eachBuildIsANewReportStartingCream()
{
    for (int i = 1; i <= 3; ++i)
        addExpense(i, QString("Gasto %1").arg(i), QDate(2025, 3, i), i);
    TFFiltroRelatorio *w = open();
    QVERIFY(!generate("01/03/2025", "31/03/2025", "a.pdf").isEmpty());
    QVERIFY(!generate("01/03/2025", "31/03/2025", "b.pdf").isEmpty());
    QCOMPARE(w->reports().size(), 2);
    QVERIFY(w->reports()[0] != w->reports()[1]);
    // The same report rendered again also starts on cream (the title band resets the flag).
    ListingReport *last = w->reports().last();
    for (int run = 0; run < 2; ++run) {
        const QImage page = last->report().pageImages(kDpi).first();
        QCOMPARE(test::pixelAtMm(page, 12, kFirstRowMm + 3, kDpi), cream);
        QCOMPARE(test::pixelAtMm(page, 12, kFirstRowMm + 9, kDpi), QColor(Qt::white));
        QCOMPARE(test::pixelAtMm(page, 12, kFirstRowMm + 15, kDpi), cream);
    }
}

void TstFiltroRelatorio::enterInEndDateBuildsListing()
{
    TFFiltroRelatorio *w = open();
    test::ModalScript modal([](QDialog *d) { d->close(); });
    QTest::keyClick(w->txtDataFinal, Qt::Key_Return);
    QCOMPARE(modal.classNames(), QStringList{"lx::report::PreviewWindow"});
    QCOMPARE(w->reports().size(), 1);
    QVERIFY(w->isVisible()); // the filter window stays for another listing
}

void TstFiltroRelatorio::dateBoxWithoutDateShowsErrorAndNoReport_data()
{
    QTest::addColumn<QString>("start");
    QTest::addColumn<QString>("end");
    QTest::addColumn<QString>("error");
    QTest::newRow("end half filled") << "01/03/2025"
                                     << "15/03/    "
                                     << "'15/03/    ' não é uma data válida.";
    QTest::newRow("start empty") << "  /  /    "
                                 << "31/03/2025"
                                 << "'  /  /    ' não é uma data válida.";
    QTest::newRow("no such day") << "01/03/2025"
                                 << "31/02/2025"
                                 << "'31/02/2025' não é uma data válida.";
}

void TstFiltroRelatorio::dateBoxWithoutDateShowsErrorAndNoReport()
{
    QFETCH(QString, start);
    QFETCH(QString, end);
    QFETCH(QString, error);
    TFFiltroRelatorio *w = open();
    w->txtDataInicial->setMaskedText(start);
    w->txtDataFinal->setMaskedText(end);
    test::ModalScript modal([](QDialog *d) { d->close(); });
    w->btnGerar->click();
    QCOMPARE(ui::Dialogs::texts(ui::Dialogs::Error), QStringList{error});
    QVERIFY(modal.shown.isEmpty());
    QVERIFY(w->reports().isEmpty());
    QVERIFY(w->isVisible());
}

void TstFiltroRelatorio::noItemChosenDoesNothing()
{
    TFFiltroRelatorio *w = open();
    w->setItemIndex(-1);
    QCOMPARE(w->itemIndex(), -1);
    test::ModalScript modal([](QDialog *d) { d->close(); });
    w->btnGerar->click();
    QVERIFY(modal.shown.isEmpty());
    QVERIFY(ui::Dialogs::shown().isEmpty());
}

void TstFiltroRelatorio::keysOfDateBoxes()
{
    TFFiltroRelatorio *w = open();
    QApplication::setActiveWindow(w);
    w->txtDataInicial->setFocus();
    QTest::keyClick(w->txtDataInicial, Qt::Key_Return);
    QTRY_COMPARE(QApplication::focusWidget(), w->txtDataFinal);
    QTest::keyClick(w->txtDataFinal, Qt::Key_Up);
    QTRY_COMPARE(QApplication::focusWidget(), w->txtDataInicial);
    QTest::keyClick(w->txtDataInicial, Qt::Key_Down);
    QTRY_COMPARE(QApplication::focusWidget(), w->txtDataFinal);
    QTest::keyClick(w->txtDataFinal, Qt::Key_Escape);
    QVERIFY(!w->isVisible());
}

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    TstFiltroRelatorio t;
    return test::runTests(t, argc, argv);
}

#include "tst_filtrorelatorio.moc"
