#include "db/connection.h"
#include "db/queryresult.h"
#include "finance/application.h"
#include "finance/core/caixa.h"
#include "finance/tdm.h"
#include "finance/tfgraficos.h"
#include "report/printing.h"
#include "support/financefixture.h"
#include "support/pdfcheck.h"
#include "ui/dialogs.h"

#include <QApplication>
#include <QButtonGroup>
#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QDate>
#include <QDir>
#include <QGraphicsSimpleTextItem>
#include <QGroupBox>
#include <QImageReader>
#include <QLegend>
#include <QLegendMarker>
#include <QLineSeries>
#include <QPieSeries>
#include <QPieSlice>
#include <QPrinterInfo>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>

#include <memory>

using namespace lx;
using namespace lx::finance;

namespace {
QList<qreal> xs(const QLineSeries *s)
{
    QList<qreal> out;
    for (const QPointF &p : s->points())
        out << p.x();
    return out;
}

QList<qreal> ys(const QLineSeries *s)
{
    QList<qreal> out;
    for (const QPointF &p : s->points())
        out << p.y();
    return out;
}

QString markText(QGraphicsItem *mark)
{
    const QList<QGraphicsItem *> children = mark->childItems();
    auto *text =
        children.isEmpty() ? nullptr : dynamic_cast<QGraphicsSimpleTextItem *>(children.first());
    return text ? text->text() : QString();
}

/// Brings a tab to the front as a click on it would, and lets its chart lay itself out.
bool showTab(TFGraficos *w, int index)
{
    w->PageControl1->setCurrentIndex(index);
    QChartView *view = index == 0 ? w->DBChart1 : index == 1 ? w->DBChart2 : w->DBChart3;
    return QTest::qWaitFor([view] {
        return view->isVisible() && view->chart()->size() == QSizeF(view->viewport()->size()) &&
               !view->chart()->plotArea().isEmpty();
    });
}

/// Legend label and size of each slice, sorted by label.
QList<QPair<QString, double>> slicesOf(QPieSeries *series)
{
    QList<QPair<QString, double>> out;
    const QList<QLegendMarker *> markers = series->chart()->legend()->markers(series);
    for (int i = 0; i < series->count(); ++i)
        out.append(
            {markers.value(i) ? markers[i]->label() : QString(), series->slices()[i]->value()});
    std::sort(out.begin(), out.end());
    return out;
}
} // namespace

class TstGraficos : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void looks();
    void showDrawsCurrentMonthAndYear();
    void rangeOfYearsSharesMonthPositions();
    void startAfterEndDrawsEmpty();
    void generateNeedsBothLists_data();
    void generateNeedsBothLists();
    void seriesChoiceShowsAndHidesWithoutQuery_data();
    void seriesChoiceShowsAndHidesWithoutQuery();
    void pies_data();
    void pies();
    void databaseErrorShowsErrorAndEmptiesChart();
    void save_data();
    void save();
    void cancelledSaveWritesNothing();
    void unwritableFileShowsError();
    void print_data();
    void print();
    void missingPrinterShowsError();

private:
    void addSummary(int month, int year, double spent, double received);
    void addType(bool expense, int code, const QString &description);
    void addMovement(bool expense, int month, int year, const QVariant &type, double amount);
    TFGraficos *open();

    std::unique_ptr<test::FinanceFixture> m_f;
    int m_code = 0;
};

void TstGraficos::initTestCase()
{
    finance::initApplication(*qApp);
}

void TstGraficos::init()
{
    m_f = std::make_unique<test::FinanceFixture>();
    QVERIFY2(m_f->connectError.isEmpty(), qPrintable(m_f->connectError));
    m_code = 0;
    report::divertPrintingToPdf(QString());
    report::resetPrintJobCount();
}

void TstGraficos::cleanup()
{
    m_f.reset();
    report::divertPrintingToPdf(QString());
}

void TstGraficos::addSummary(int month, int year, double spent, double received)
{
    m_f->db.exec(
        "INSERT INTO TCAIXAMES (CAICODIGO, CAIMES, CAINOMEMES, CAIANO, "
        "CAIVALORDISPONIVEL, CAIVALORGASTO, CAIVALORRECEBIDO) VALUES (?, ?, ?, ?, ?, ?, ?)",
        {++m_code, month, monthName(month), year, received - spent, spent, received});
}

void TstGraficos::addType(bool expense, int code, const QString &description)
{
    m_f->db.exec(expense ? "INSERT INTO TTIPOGASTO (TGACODIGO, TGADESCRICAO) VALUES (?, ?)"
                         : "INSERT INTO TTIPORECEB (TRECODIGO, TREDESCRICAO) VALUES (?, ?)",
                 {code, description});
}

void TstGraficos::addMovement(bool expense, int month, int year, const QVariant &type,
                              double amount)
{
    const QVariant t = type.isValid() ? type : QVariant(QMetaType(QMetaType::Int));
    m_f->db.exec(expense ? "INSERT INTO TGASTO (GASCODIGO, GASVALOR, GASDESCRICAO, GASTIPO, "
                           "GASMES, GASANO) VALUES (?, ?, 'teste', ?, ?, ?)"
                         : "INSERT INTO TRECEBIMENTO (RECCODIGO, RECVALOR, RECDESCRICAO, RECTIPO, "
                           "RECMES, RECANO) VALUES (?, ?, 'teste', ?, ?, ?)",
                 {++m_code, amount, t, month, year});
}

TFGraficos *TstGraficos::open()
{
    auto *w = m_f->open<TFGraficos>();
    if (!QTest::qWaitForWindowExposed(w))
        return nullptr;
    return w;
}

void TstGraficos::looks()
{
    TFGraficos *w = open();
    QVERIFY(w);
    QCOMPARE(w->windowTitle(), QString("Gráficos das Minhas Finanças"));
    QCOMPARE(w->PageControl1->currentIndex(), 0);
    QCOMPARE(w->PageControl1->tabText(0), QString("Gráficos Gerais"));
    QCOMPARE(w->PageControl1->tabText(1), QString("Gráfico em Pizza dos Gastos do Mês"));
    QCOMPARE(w->PageControl1->tabText(2), QString("Gráfico em Pizza das Entradas do Mês"));

    const QList<QPair<QComboBox *, QString>> lists{
        {w->CBAnoInicial, "Selecione o Ano Incial"}, {w->CBAnoFinal, "Selecione o Ano Final"},
        {w->CBMesGasto, "Selecione o Mês"},          {w->CBAnoGasto, "Selecione o Ano"},
        {w->CBMesEntrada, "Selecione o Mês"},        {w->CBAnoEntrada, "Selecione o Ano"}};
    for (const auto &[list, placeholder] : lists) {
        QCOMPARE(list->placeholderText(), placeholder);
        QCOMPARE(list->currentIndex(), -1);
    }
    for (QComboBox *years : {w->CBAnoInicial, w->CBAnoFinal, w->CBAnoGasto, w->CBAnoEntrada}) {
        QCOMPARE(years->count(), 32);
        QCOMPARE(years->itemText(0), QString("2009"));
        QCOMPARE(years->itemText(31), QString("2040"));
    }
    for (QComboBox *months : {w->CBMesGasto, w->CBMesEntrada}) {
        QCOMPARE(months->count(), 12);
        QCOMPARE(months->itemText(2), QString("Março"));
    }
    for (QToolButton *b : {w->btnGerar, w->btnGerar2, w->btnGerar3})
        QCOMPARE(b->text(), QString("Gerar Gráfico"));
    for (QToolButton *b : {w->btnSalvar, w->btnSalvar2, w->btnSalvar3})
        QCOMPARE(b->text(), QString("Salvar Gráfico"));
    for (QToolButton *b : {w->btnImprimir, w->btnImprimir2, w->btnImprimir3})
        QCOMPARE(b->text(), QString("Imprimir"));
    for (QToolButton *b : {w->btnSair, w->SpeedButton3, w->btnSair3}) {
        QCOMPARE(b->toolTip(), QString("Sair"));
        QVERIFY(b->text().isEmpty());
    }

    QCOMPARE(w->RadioGroup1->title(), QString("Tipo"));
    QStringList entries;
    for (QAbstractButton *b : w->RadioGroup1Items->buttons())
        entries << b->text();
    QCOMPARE(entries, (QStringList{"Completo", "Gastos do Mês", "Valor das Entradas do Mês",
                                   "Valor Disponível ao Final do Mês"}));
    QCOMPARE(w->RadioGroup1Items->checkedId(), 0);

    const QList<std::tuple<QLineSeries *, QString, QColor>> lines{
        {w->Series1, "Gastos", QColor(255, 0, 0)},
        {w->Series2, "Entradas", QColor(0, 128, 0)},
        {w->Series3, "Disponível", QColor(0, 0, 255)}};
    for (const auto &[series, title, colour] : lines) {
        QCOMPARE(series->name(), title);
        QCOMPARE(series->color(), colour);
        QVERIFY(!series->lightMarker().isNull());
    }
    QVERIFY(w->DBChart1->chart()->title().isEmpty());
    QCOMPARE(w->DBChart1->chart()->legend()->alignment(), Qt::AlignTop);
    QVERIFY(w->DBChart1->chart()->legend()->isVisible());
    QCOMPARE(w->DBChart2->chart()->title(), QString("Gastos"));
    QCOMPARE(w->DBChart3->chart()->title(), QString("Entradas"));
    QVERIFY(w->DBChart2->chart()->legend()->isVisible());
    QVERIFY(w->DBChart3->chart()->legend()->isVisible());
    QVERIFY(ui::Dialogs::shown().isEmpty());

    w->btnSair->click();
    QVERIFY(!w->isVisible());
}

void TstGraficos::showDrawsCurrentMonthAndYear()
{
    const QDate today = QDate::currentDate();
    const int year = today.year();
    const int month = today.month();
    const int otherMonth = month % 12 + 1;
    addSummary(month, year, 1234.56, 2000.0);
    addSummary(month, year - 1, 9.0, 9.0);
    addSummary(month, year + 1, 8.0, 8.0);
    addType(true, 1, "Mercado");
    addType(false, 1, "Salário");
    addMovement(true, month, year, 1, 1234.56);
    addMovement(true, otherMonth, year, 1, 50.0);
    addMovement(true, month, year - 1, 1, 60.0);
    addMovement(false, month, year, 1, 2000.0);
    addMovement(false, otherMonth, year, 1, 70.0);

    TFGraficos *w = open();
    QVERIFY(w);
    QVERIFY(ui::Dialogs::shown().isEmpty());
    QCOMPARE(xs(w->Series1), QList<qreal>{qreal(month)});
    QCOMPARE(ys(w->Series1), QList<qreal>{1234.56});
    QCOMPARE(ys(w->Series2), QList<qreal>{2000.0});
    QCOMPARE(ys(w->Series3), QList<qreal>{2000.0 - 1234.56});
    QCOMPARE(slicesOf(w->Series4), (QList<QPair<QString, double>>{{"Mercado", 1234.56}}));
    QCOMPARE(slicesOf(w->PieSeries1), (QList<QPair<QString, double>>{{"Salário", 2000.0}}));
    for (QComboBox *list : {w->CBAnoInicial, w->CBAnoFinal, w->CBMesGasto, w->CBAnoGasto,
                            w->CBMesEntrada, w->CBAnoEntrada})
        QCOMPARE(list->currentIndex(), -1);

    // Each point's value in the program's currency format, on the series' colour.
    const QList<QGraphicsItem *> marks = w->marksOf(w->Series1);
    QCOMPARE(marks.size(), 1);
    QVERIFY(marks[0]->isVisible());
    const QString text = markText(marks[0]);
    QVERIFY2(text.contains("R$") && text.contains("1.234,56"), qPrintable(text));
    auto *box = dynamic_cast<QGraphicsRectItem *>(marks[0]);
    QVERIFY(box);
    QCOMPARE(box->brush().color(), w->Series1->color());
    QVERIFY(markText(w->marksOf(w->Series3).value(0)).contains("765,44"));
}

void TstGraficos::rangeOfYearsSharesMonthPositions()
{
    addSummary(2, 2024, 20.0, 200.0);
    addSummary(1, 2024, 10.0, 100.0);
    addSummary(1, 2023, 1.0, 11.0);
    addSummary(12, 2023, 12.0, 120.0);
    addSummary(1, 2025, 5.0, 5.0);
    TFGraficos *w = open();
    QVERIFY(w);
    w->CBAnoInicial->setCurrentText("2023");
    w->CBAnoFinal->setCurrentText("2024");
    w->btnGerar->click();
    QVERIFY(ui::Dialogs::shown().isEmpty());
    // January of both years at the first position, December at the twelfth.
    QCOMPARE(xs(w->Series1), (QList<qreal>{1, 1, 2, 12}));
    QCOMPARE(ys(w->Series1), (QList<qreal>{1.0, 10.0, 20.0, 12.0}));
    QCOMPARE(ys(w->Series2), (QList<qreal>{11.0, 100.0, 200.0, 120.0}));
    QCOMPARE(ys(w->Series3), (QList<qreal>{10.0, 90.0, 180.0, 108.0}));
    for (QLineSeries *s : {w->Series1, w->Series2, w->Series3})
        QCOMPARE(w->marksOf(s).size(), 4);
}

void TstGraficos::startAfterEndDrawsEmpty()
{
    addSummary(1, 2023, 1.0, 2.0);
    addSummary(1, 2024, 1.0, 2.0);
    TFGraficos *w = open();
    QVERIFY(w);
    w->CBAnoInicial->setCurrentText("2023");
    w->CBAnoFinal->setCurrentText("2024");
    w->btnGerar->click();
    QCOMPARE(w->Series1->count(), 2);
    w->CBAnoInicial->setCurrentText("2024");
    w->CBAnoFinal->setCurrentText("2023");
    w->btnGerar->click();
    QVERIFY(ui::Dialogs::shown().isEmpty());
    for (QLineSeries *s : {w->Series1, w->Series2, w->Series3}) {
        QCOMPARE(s->count(), 0);
        QVERIFY(w->marksOf(s).isEmpty());
    }
}

void TstGraficos::generateNeedsBothLists_data()
{
    QTest::addColumn<int>("chart"); // 1 lines, 2 expense pie, 3 receipt pie
    QTest::addColumn<bool>("chooseFirst");
    QTest::addColumn<bool>("chooseSecond");
    for (int chart : {1, 2, 3}) {
        const QString name = QString("chart %1: ").arg(chart);
        QTest::newRow(qPrintable(name + "first list only")) << chart << true << false;
        QTest::newRow(qPrintable(name + "second list only")) << chart << false << true;
        QTest::newRow(qPrintable(name + "no list")) << chart << false << false;
    }
}

void TstGraficos::generateNeedsBothLists()
{
    QFETCH(int, chart);
    QFETCH(bool, chooseFirst);
    QFETCH(bool, chooseSecond);
    const QDate today = QDate::currentDate();
    addSummary(today.month(), today.year(), 3.0, 4.0);
    addSummary(1, 2020, 5.0, 6.0);
    addType(true, 1, "Mercado");
    addType(false, 1, "Salário");
    addMovement(true, today.month(), today.year(), 1, 7.0);
    addMovement(false, today.month(), today.year(), 1, 8.0);
    addMovement(true, 1, 2020, 1, 70.0);
    addMovement(false, 1, 2020, 1, 80.0);

    TFGraficos *w = open();
    QVERIFY(w);
    QComboBox *first = chart == 1 ? w->CBAnoInicial : chart == 2 ? w->CBMesGasto : w->CBMesEntrada;
    QComboBox *second = chart == 1 ? w->CBAnoFinal : chart == 2 ? w->CBAnoGasto : w->CBAnoEntrada;
    QToolButton *gerar = chart == 1 ? w->btnGerar : chart == 2 ? w->btnGerar2 : w->btnGerar3;
    QueryResult *query = chart == 1 ? w->QCaixa : chart == 2 ? w->QPizzagasto : w->QPizzaEntrada;
    if (chooseFirst)
        first->setCurrentIndex(chart == 1 ? first->findText("2020") : 0);
    if (chooseSecond)
        second->setCurrentText("2020");
    QSignalSpy queried(query, &QueryResult::reset);

    gerar->click();

    QCOMPARE(queried.size(), 0);
    QVERIFY(ui::Dialogs::shown().isEmpty());
    QCOMPARE(ys(w->Series1), QList<qreal>{3.0});
    QCOMPARE(slicesOf(w->Series4), (QList<QPair<QString, double>>{{"Mercado", 7.0}}));
    QCOMPARE(slicesOf(w->PieSeries1), (QList<QPair<QString, double>>{{"Salário", 8.0}}));

    // With both chosen, the same button draws the chosen period.
    first->setCurrentIndex(chart == 1 ? first->findText("2020") : 0);
    second->setCurrentText("2020");
    gerar->click();
    QVERIFY(queried.size() > 0);
    if (chart == 1)
        QCOMPARE(ys(w->Series1), QList<qreal>{5.0});
    else if (chart == 2)
        QCOMPARE(slicesOf(w->Series4), (QList<QPair<QString, double>>{{"Mercado", 70.0}}));
    else
        QCOMPARE(slicesOf(w->PieSeries1), (QList<QPair<QString, double>>{{"Salário", 80.0}}));
}

void TstGraficos::seriesChoiceShowsAndHidesWithoutQuery_data()
{
    QTest::addColumn<int>("entry");
    QTest::addColumn<QList<bool>>("shown"); // Gastos, Entradas, Disponível
    QTest::newRow("Gastos do Mês") << 1 << QList<bool>{true, false, false};
    QTest::newRow("Valor das Entradas do Mês") << 2 << QList<bool>{false, true, false};
    QTest::newRow("Valor Disponível ao Final do Mês") << 3 << QList<bool>{false, false, true};
    QTest::newRow("Completo") << 0 << QList<bool>{true, true, true};
}

void TstGraficos::seriesChoiceShowsAndHidesWithoutQuery()
{
    QFETCH(int, entry);
    QFETCH(QList<bool>, shown);
    addSummary(1, 2023, 1.0, 2.0);
    addSummary(1, 2024, 3.0, 5.0);
    TFGraficos *w = open();
    QVERIFY(w);
    const QList<QLineSeries *> series{w->Series1, w->Series2, w->Series3};
    auto check = [&](const QList<bool> &expected) {
        for (int i = 0; i < 3; ++i) {
            QCOMPARE(series[i]->isVisible(), expected[i]);
            for (QGraphicsItem *mark : w->marksOf(series[i]))
                QCOMPARE(mark->isVisible(), expected[i]);
        }
    };
    w->CBAnoInicial->setCurrentText("2023");
    w->CBAnoFinal->setCurrentText("2024");
    w->btnGerar->click();
    // Start from another choice, so that every entry has something to change.
    // On the button's circle: a radio button takes clicks only on its circle and its text.
    auto choose = [&](int id) {
        QAbstractButton *b = w->RadioGroup1Items->button(id);
        QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(6, b->height() / 2));
    };
    choose(entry == 1 ? 2 : 1);
    QSignalSpy queried(w->QCaixa, &QueryResult::reset);

    choose(entry);
    QCOMPARE(queried.size(), 0);
    check(shown);
    QCOMPARE(w->Series1->count(), 2);

    // The choice holds for the lines drawn next.
    w->CBAnoInicial->setCurrentText("2024");
    w->btnGerar->click();
    QVERIFY(queried.size() > 0);
    QCOMPARE(w->Series1->count(), 1);
    check(shown);
    QVERIFY(ui::Dialogs::shown().isEmpty());
}

void TstGraficos::pies_data()
{
    QTest::addColumn<bool>("expense");
    QTest::newRow("expenses") << true;
    QTest::newRow("receipts") << false;
}

void TstGraficos::pies()
{
    QFETCH(bool, expense);
    addType(expense, 1, "Casa");
    addType(expense, 2, "Lazer");
    addMovement(expense, 3, 2024, 1, 100.0);
    addMovement(expense, 3, 2024, 1, 200.0);
    addMovement(expense, 3, 2024, 2, 100.0);
    addMovement(expense, 3, 2024, QVariant(), 5000.0); // no type: not drawn
    addMovement(expense, 3, 2024, 7, 6000.0);          // a type that is gone: not drawn
    addMovement(expense, 4, 2024, 2, 7000.0);
    TFGraficos *w = open();
    QVERIFY(w);
    QComboBox *month = expense ? w->CBMesGasto : w->CBMesEntrada;
    QComboBox *year = expense ? w->CBAnoGasto : w->CBAnoEntrada;
    QToolButton *gerar = expense ? w->btnGerar2 : w->btnGerar3;
    QPieSeries *pie = expense ? w->Series4 : w->PieSeries1;
    month->setCurrentText("Março");
    year->setCurrentText("2024");
    gerar->click();
    QVERIFY(ui::Dialogs::shown().isEmpty());
    QCOMPARE(slicesOf(pie), (QList<QPair<QString, double>>{{"Casa", 300.0}, {"Lazer", 100.0}}));
    // Each mark carries the share and the value.
    QStringList marks;
    for (QPieSlice *s : pie->slices()) {
        QVERIFY(s->isLabelVisible());
        marks << s->label();
    }
    marks.sort();
    QCOMPARE(marks.size(), 2);
    QVERIFY2(marks[0].contains("25,00%") && marks[0].contains("R$") && marks[0].contains("100,00"),
             qPrintable(marks[0]));
    QVERIFY2(marks[1].contains("75,00%") && marks[1].contains("300,00"), qPrintable(marks[1]));

    // A month without movements of the kind draws an empty pie.
    month->setCurrentText("Maio");
    gerar->click();
    QCOMPARE(pie->count(), 0);
}

void TstGraficos::databaseErrorShowsErrorAndEmptiesChart()
{
    addSummary(1, 2024, 1.0, 2.0);
    TFGraficos *w = open();
    QVERIFY(w);
    w->CBAnoInicial->setCurrentText("2024");
    w->CBAnoFinal->setCurrentText("2024");
    w->btnGerar->click();
    QCOMPARE(w->Series1->count(), 1);
    m_f->dm->SQLConnection1.close();
    m_f->db.exec("DROP TABLE TCAIXAMES");

    w->btnGerar->click();

    QCOMPARE(ui::Dialogs::texts(ui::Dialogs::Error).size(), 1);
    QVERIFY(!w->QCaixa->isOpen());
    for (QLineSeries *s : {w->Series1, w->Series2, w->Series3}) {
        QCOMPARE(s->count(), 0);
        QVERIFY(w->marksOf(s).isEmpty());
    }
}

void TstGraficos::save_data()
{
    QTest::addColumn<int>("chart");
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QString>("written");
    QTest::newRow("lines, no extension") << 1 << "grafico"
                                         << "grafico.BMP";
    QTest::newRow("lines, an extension already") << 1 << "grafico.bmp"
                                                 << "grafico.bmp.BMP";
    QTest::newRow("expense pie") << 2 << "gastos"
                                 << "gastos.BMP";
    QTest::newRow("receipt pie") << 3 << "entradas.png"
                                 << "entradas.png.BMP";
}

void TstGraficos::save()
{
    QFETCH(int, chart);
    QFETCH(QString, chosen);
    QFETCH(QString, written);
    addSummary(1, QDate::currentDate().year(), 1.0, 2.0);
    TFGraficos *w = open();
    QVERIFY(w);
    QChartView *view = chart == 1 ? w->DBChart1 : chart == 2 ? w->DBChart2 : w->DBChart3;
    QToolButton *salvar = chart == 1 ? w->btnSalvar : chart == 2 ? w->btnSalvar2 : w->btnSalvar3;
    QVERIFY(showTab(w, chart - 1));
    QTemporaryDir dir;
    ui::Dialogs::queueSaveFileName(dir.filePath(chosen));

    salvar->click();

    QVERIFY(ui::Dialogs::texts(ui::Dialogs::Error).isEmpty());
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{written});
    QImageReader reader(dir.filePath(written));
    QCOMPARE(reader.format(), QByteArray("bmp"));
    const QImage image = reader.read();
    QVERIFY2(!image.isNull(), qPrintable(reader.errorString()));
    QCOMPARE(image.size(), view->size() * view->devicePixelRatio());
    // The chart as shown: drawn, not a blank picture.
    QCOMPARE(image, view->grab().toImage().convertToFormat(image.format()));
}

void TstGraficos::cancelledSaveWritesNothing()
{
    TFGraficos *w = open();
    QVERIFY(w);
    QTemporaryDir dir;
    QVERIFY(QDir::setCurrent(dir.path()));
    ui::Dialogs::queueSaveFileName(QString());
    w->btnSalvar->click();
    QVERIFY(ui::Dialogs::texts(ui::Dialogs::Error).isEmpty());
    QVERIFY(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).isEmpty());
    QVERIFY(QDir::setCurrent(QDir::tempPath()));
}

void TstGraficos::unwritableFileShowsError()
{
    addSummary(1, QDate::currentDate().year(), 1.0, 2.0);
    TFGraficos *w = open();
    QVERIFY(w);
    QTemporaryDir dir;
    ui::Dialogs::queueSaveFileName(dir.filePath("missing/grafico"));
    w->btnSalvar->click();
    const QStringList errors = ui::Dialogs::texts(ui::Dialogs::Error);
    QCOMPARE(errors.size(), 1);
    QVERIFY2(errors[0].contains("grafico.BMP"), qPrintable(errors[0]));
    QVERIFY(!QFile::exists(dir.filePath("missing/grafico.BMP")));
    QCOMPARE(w->Series1->count(), 1);
}

void TstGraficos::print_data()
{
    QTest::addColumn<int>("chart");
    QTest::addColumn<bool>("yes");
    for (int chart : {1, 2, 3}) {
        QTest::newRow(qPrintable(QString("chart %1, Yes").arg(chart))) << chart << true;
        QTest::newRow(qPrintable(QString("chart %1, No").arg(chart))) << chart << false;
    }
}

void TstGraficos::print()
{
    QFETCH(int, chart);
    QFETCH(bool, yes);
    addSummary(1, QDate::currentDate().year(), 1.0, 2.0);
    TFGraficos *w = open();
    QVERIFY(w);
    QTemporaryDir dir;
    const QString pdf = dir.filePath("job.pdf");
    report::divertPrintingToPdf(pdf);
    QToolButton *imprimir = chart == 1   ? w->btnImprimir
                            : chart == 2 ? w->btnImprimir2
                                         : w->btnImprimir3;
    QVERIFY(showTab(w, chart - 1));
    ui::Dialogs::queueConfirm(yes);

    imprimir->click();

    const QList<ui::Dialogs::Shown> shown = ui::Dialogs::shown();
    QCOMPARE(shown.size(), 1);
    QCOMPARE(shown[0].kind, ui::Dialogs::Confirm);
    QCOMPARE(shown[0].text, QString("Você realmente deseja imprimir este gráfico ?"));
    QCOMPARE(shown[0].defaultButton, QMessageBox::No);
    QCOMPARE(report::printJobCount(), yes ? 1 : 0);
    QCOMPARE(QFile::exists(pdf), yes);
    if (yes) {
        QCOMPARE(test::pdfInfo(pdf, "Pages"), QString("1"));
        // The chart itself is on the page, its texts included.
        const QString text = test::pdfText(pdf);
        QVERIFY2(text.contains(chart == 3 ? "Entradas" : "Gastos"), qPrintable(text));
    }
}

void TstGraficos::missingPrinterShowsError()
{
    if (!QPrinterInfo::availablePrinters().isEmpty())
        QSKIP("this machine has a printer");
    addSummary(1, QDate::currentDate().year(), 1.0, 2.0);
    TFGraficos *w = open();
    QVERIFY(w);
    ui::Dialogs::queueConfirm(true);
    w->btnImprimir->click();
    QCOMPARE(ui::Dialogs::texts(ui::Dialogs::Error).size(), 1);
    QCOMPARE(w->Series1->count(), 1);
}

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    TstGraficos t;
    return test::runTests(t, argc, argv);
}

#include "tst_graficos.moc"
