#include "finance/tfgraficos.h"

#include "db/dberror.h"
#include "db/fieldformat.h"
#include "db/queryresult.h"
#include "finance/core/caixa.h"
#include "finance/core/charts.h"
#include "finance/look.h"
#include "finance/tdm.h"
#include "report/printing.h"
#include "ui/dialogs.h"
#include "ui/guard.h"

#include <QBrush>
#include <QButtonGroup>
#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QDate>
#include <QDir>
#include <QFrame>
#include <QGraphicsRectItem>
#include <QGraphicsSimpleTextItem>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QLegendMarker>
#include <QLineSeries>
#include <QPainter>
#include <QPieSeries>
#include <QPieSlice>
#include <QPrinter>
#include <QRadioButton>
#include <QStyle>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>
#include <QValueAxis>

#include <algorithm>
#include <iterator>

namespace lx::finance {

namespace {

const QString printQuestion = QStringLiteral("Você realmente deseja imprimir este gráfico ?");

QStringList yearItems()
{
    QStringList years;
    for (int y = 2009; y <= 2040; ++y)
        years << QString::number(y);
    return years;
}

QComboBox *dropDown(QWidget *parent, const char *name, const QStringList &items,
                    const QString &placeholder)
{
    auto *box = new QComboBox(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->addItems(items);
    box->setPlaceholderText(placeholder);
    box->setCurrentIndex(-1);
    box->setMaxVisibleItems(12);
    return box;
}

QString money(double value)
{
    return displayText(FieldType::Money, value);
}

/// A small filled square in the series' colour, drawn on each point.
QImage squareMarker(const QColor &colour)
{
    QImage image(9, 9, QImage::Format_ARGB32_Premultiplied);
    image.fill(colour);
    QPainter p(&image);
    p.setPen(colour.darker(160));
    p.drawRect(0, 0, 8, 8);
    return image;
}

QChart *plainChart(QChartView *view)
{
    auto *chart = new QChart;
    chart->setAnimationOptions(QChart::NoAnimation);
    chart->setBackgroundBrush(Qt::white);
    chart->setPlotAreaBackgroundVisible(false);
    chart->setLocalizeNumbers(true);
    chart->legend()->setAlignment(Qt::AlignTop);
    chart->setBackgroundRoundness(0);
    chart->setDropShadowEnabled(false);
    view->setChart(chart);
    view->setBackgroundBrush(Qt::white);
    view->setFrameShape(QFrame::NoFrame);
    view->setRenderHint(QPainter::Antialiasing);
    view->setRubberBand(QChartView::NoRubberBand);
    return chart;
}

} // namespace

/// The value marks of one line series: each point's amount in white bold on the series'
/// colour, just above and to the right of the point, shown while the series is.
class PointMarks : public QObject
{
public:
    PointMarks(QChart *chart, QLineSeries *series)
        : QObject(series), m_chart(chart), m_series(series)
    {
        connect(series, &QLineSeries::pointsReplaced, this, &PointMarks::rebuild);
        connect(series, &QLineSeries::visibleChanged, this, &PointMarks::place);
        connect(chart, &QChart::plotAreaChanged, this, &PointMarks::place);
    }
    ~PointMarks() override { qDeleteAll(m_items); }

    const QList<QGraphicsItem *> &items() const { return m_items; }
    const QLineSeries *series() const { return m_series; }

    void rebuild()
    {
        qDeleteAll(m_items);
        m_items.clear();
        QFont font = m_chart->font();
        font.setBold(true);
        font.setPointSizeF(font.pointSizeF() * 0.85);
        for (const QPointF &point : m_series->points()) {
            auto *box = new QGraphicsRectItem(m_chart);
            auto *text = new QGraphicsSimpleTextItem(money(point.y()), box);
            text->setFont(font);
            text->setBrush(Qt::white);
            const QRectF bounds = text->boundingRect();
            text->setPos(3, 1);
            box->setRect(0, 0, bounds.width() + 6, bounds.height() + 2);
            box->setBrush(m_series->color());
            box->setPen(QPen(m_series->color().darker(140)));
            box->setZValue(10);
            m_items.append(box);
        }
        place();
    }

    void place()
    {
        const QList<QPointF> points = m_series->points();
        const bool shown = m_series->isVisible() && m_series->chart();
        for (int i = 0; i < m_items.size() && i < points.size(); ++i) {
            QGraphicsItem *box = m_items[i];
            box->setVisible(shown);
            if (!shown)
                continue;
            const QPointF at = m_chart->mapToPosition(points[i], m_series);
            const QRectF r = box->boundingRect();
            // Centred over its point, kept inside the chart at either end of the axis.
            const QRectF bounds = m_chart->rect();
            const qreal x = std::clamp(at.x() - r.width() / 2, bounds.left(),
                                       std::max(bounds.left(), bounds.right() - r.width()));
            box->setPos(x, at.y() - r.height() - 6);
        }
    }

private:
    QChart *m_chart;
    QLineSeries *m_series;
    QList<QGraphicsItem *> m_items;
};

struct TFGraficos::PieTab
{
    QWidget *&tab;
    const char *tabName;
    QComboBox *&month;
    const char *monthName;
    QComboBox *&year;
    const char *yearName;
    QToolButton *&gerar;
    const char *gerarName;
    QToolButton *&salvar;
    const char *salvarName;
    QToolButton *&imprimir;
    const char *imprimirName;
    QToolButton *&sair;
    const char *sairName;
    QChartView *&view;
    const char *viewName;
    QPieSeries *&series;
    const char *seriesName;
    QString title;
};

TFGraficos::TFGraficos(TDM &dm, QWidget *parent) : ui::FormDialog(parent), m_dm(dm)
{
    setObjectName(QStringLiteral("FGraficos"));
    setWindowTitle(QStringLiteral("Gráficos das Minhas Finanças"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint | Qt::WindowMaximizeButtonHint);

    QCaixa = new QueryResult(&dm.SQLConnection1, cashChartSql(), this);
    QCaixa->setObjectName(QStringLiteral("QCaixa"));
    QPizzagasto = new QueryResult(&dm.SQLConnection1, expensePieSql(), this);
    QPizzagasto->setObjectName(QStringLiteral("QPizzagasto"));
    QPizzaEntrada = new QueryResult(&dm.SQLConnection1, receiptPieSql(), this);
    QPizzaEntrada->setObjectName(QStringLiteral("QPizzaEntrada"));

    PageControl1 = new QTabWidget(this);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    PageControl1->addTab(buildLinesTab(), QStringLiteral("Gráficos Gerais"));
    PageControl1->addTab(
        buildPieTab({TabSheet2, "TabSheet2", CBMesGasto, "CBMesGasto", CBAnoGasto, "CBAnoGasto",
                     btnGerar2, "btnGerar2", btnSalvar2, "btnSalvar2", btnImprimir2, "btnImprimir2",
                     SpeedButton3, "SpeedButton3", DBChart2, "DBChart2", Series4, "Series4",
                     QStringLiteral("Gastos")}),
        QStringLiteral("Gráfico em Pizza dos Gastos do Mês"));
    PageControl1->addTab(
        buildPieTab({TabSheet3, "TabSheet3", CBMesEntrada, "CBMesEntrada", CBAnoEntrada,
                     "CBAnoEntrada", btnGerar3, "btnGerar3", btnSalvar3, "btnSalvar3", btnImprimir3,
                     "btnImprimir3", btnSair3, "btnSair3", DBChart3, "DBChart3", PieSeries1,
                     "PieSeries1", QStringLiteral("Entradas")}),
        QStringLiteral("Gráfico em Pizza das Entradas do Mês"));
    PageControl1->setCurrentIndex(0);
    auto *window = new QVBoxLayout(this);
    window->addWidget(PageControl1);

    // Each chart draws again whenever its rows change, a failed run (no rows) included.
    connect(QCaixa, &QueryResult::reset, this, [this] { drawLines(); });
    connect(QPizzagasto, &QueryResult::reset, this,
            [this] { drawPie(Series4, *QPizzagasto, QStringLiteral("TGADESCRICAO")); });
    connect(QPizzaEntrada, &QueryResult::reset, this,
            [this] { drawPie(PieSeries1, *QPizzaEntrada, QStringLiteral("TREDESCRICAO")); });

    ui::on(btnGerar, &QToolButton::clicked, this, [this] { btnGerarClick(); });
    ui::on(btnGerar2, &QToolButton::clicked, this, [this] { btnGerar2Click(); });
    ui::on(btnGerar3, &QToolButton::clicked, this, [this] { btnGerar3Click(); });
    ui::on(btnSalvar, &QToolButton::clicked, this, [this] { btnSalvarClick(); });
    ui::on(btnSalvar2, &QToolButton::clicked, this, [this] { btnSalvar2Click(); });
    ui::on(btnSalvar3, &QToolButton::clicked, this, [this] { btnSalvar3Click(); });
    ui::on(btnImprimir, &QToolButton::clicked, this, [this] { btnImprimirClick(); });
    ui::on(btnImprimir2, &QToolButton::clicked, this, [this] { btnImprimir2Click(); });
    ui::on(btnImprimir3, &QToolButton::clicked, this, [this] { btnImprimir3Click(); });
    for (QToolButton *exit : {btnSair, SpeedButton3, btnSair3})
        ui::on(exit, &QToolButton::clicked, this, [this] { btnSairClick(); });
    ui::on(RadioGroup1Items, &QButtonGroup::idClicked, this, [this] { RadioGroup1Click(); });

    resize(1000, 700);
}

TFGraficos::~TFGraficos() = default;

QWidget *TFGraficos::buildLinesTab()
{
    TabSheet1 = new QWidget;
    TabSheet1->setObjectName(QStringLiteral("TabSheet1"));
    QStyle *s = style();

    auto *period = new QHBoxLayout;
    period->addWidget(new QLabel(QStringLiteral("Período de: "), TabSheet1));
    CBAnoInicial =
        dropDown(TabSheet1, "CBAnoInicial", yearItems(), QStringLiteral("Selecione o Ano Incial"));
    period->addWidget(CBAnoInicial);
    period->addWidget(new QLabel(QStringLiteral("a"), TabSheet1));
    CBAnoFinal =
        dropDown(TabSheet1, "CBAnoFinal", yearItems(), QStringLiteral("Selecione o Ano Final"));
    period->addWidget(CBAnoFinal);
    period->addStretch();

    auto *buttons = new QHBoxLayout;
    btnGerar = barButton(TabSheet1, "btnGerar", QStringLiteral("Gerar Gráfico"),
                         s->standardIcon(QStyle::SP_BrowserReload));
    btnSalvar = barButton(TabSheet1, "btnSalvar", QStringLiteral("Salvar Gráfico"),
                          s->standardIcon(QStyle::SP_DialogSaveButton));
    btnImprimir = barButton(TabSheet1, "btnImprimir", QStringLiteral("Imprimir"),
                            s->standardIcon(QStyle::SP_FileDialogDetailedView));
    for (QToolButton *b : {btnGerar, btnSalvar, btnImprimir})
        buttons->addWidget(b);
    buttons->addStretch();

    RadioGroup1 = new QGroupBox(QStringLiteral("Tipo"), TabSheet1);
    RadioGroup1->setObjectName(QStringLiteral("RadioGroup1"));
    RadioGroup1Items = new QButtonGroup(RadioGroup1);
    auto *choices = new QGridLayout(RadioGroup1);
    const char *entries[] = {"Completo", "Gastos do Mês", "Valor das Entradas do Mês",
                             "Valor Disponível ao Final do Mês"};
    for (int i = 0; i < 4; ++i) {
        auto *radio = new QRadioButton(QString::fromUtf8(entries[i]), RadioGroup1);
        RadioGroup1Items->addButton(radio, i);
        choices->addWidget(radio, i / 2, i % 2);
    }
    RadioGroup1Items->button(0)->setChecked(true);

    btnSair = barButton(TabSheet1, "btnSair", QString(), picture(QStringLiteral("sair")),
                        QStringLiteral("Sair"));
    btnSair->setIconSize(QSize(32, 32));

    auto *controls = new QVBoxLayout;
    controls->addLayout(period);
    controls->addLayout(buttons);
    auto *top = new QHBoxLayout;
    top->addLayout(controls);
    top->addWidget(RadioGroup1);
    top->addStretch();
    top->addWidget(btnSair, 0, Qt::AlignTop);

    DBChart1 = new QChartView(TabSheet1);
    DBChart1->setObjectName(QStringLiteral("DBChart1"));
    QChart *chart = plainChart(DBChart1);

    auto *axisX = new QCategoryAxis(chart);
    axisX->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    axisX->setStartValue(0.5);
    axisX->setRange(0.5, 12.5);
    // Small enough that "Fevereiro" and "Dezembro" fit their month's width.
    QFont monthFont = axisX->labelsFont();
    monthFont.setPointSizeF(monthFont.pointSizeF() * 0.85);
    axisX->setLabelsFont(monthFont);
    chart->addAxis(axisX, Qt::AlignBottom);
    auto *axisY = new QValueAxis(chart);
    axisY->setLabelFormat(QLocale().currencySymbol() + QStringLiteral(" %.2f"));
    chart->addAxis(axisY, Qt::AlignLeft);

    const struct
    {
        QLineSeries *&series;
        const char *name;
        const char *title;
        QColor colour;
    } lines[] = {
        {Series1, "Series1", "Gastos", QColor(255, 0, 0)},
        {Series2, "Series2", "Entradas", QColor(0, 128, 0)},
        {Series3, "Series3", "Disponível", QColor(0, 0, 255)},
    };
    for (const auto &l : lines) {
        l.series = new QLineSeries(chart);
        l.series->setObjectName(QString::fromLatin1(l.name));
        l.series->setName(QString::fromUtf8(l.title));
        QPen pen(l.colour);
        pen.setWidth(2);
        l.series->setPen(pen);
        l.series->setLightMarker(squareMarker(l.colour));
        l.series->setMarkerSize(9);
        chart->addSeries(l.series);
        l.series->attachAxis(axisX);
        l.series->attachAxis(axisY);
        m_marks.append(new PointMarks(chart, l.series));
    }

    auto *page = new QVBoxLayout(TabSheet1);
    page->addLayout(top);
    page->addWidget(DBChart1, 1);
    return TabSheet1;
}

QWidget *TFGraficos::buildPieTab(const PieTab &t)
{
    t.tab = new QWidget;
    QWidget *tab = t.tab;
    tab->setObjectName(QString::fromLatin1(t.tabName));
    QStyle *s = style();

    auto *top = new QHBoxLayout;
    t.month = dropDown(tab, t.monthName, monthNames(), QStringLiteral("Selecione o Mês"));
    t.year = dropDown(tab, t.yearName, yearItems(), QStringLiteral("Selecione o Ano"));
    t.gerar = barButton(tab, t.gerarName, QStringLiteral("Gerar Gráfico"),
                        s->standardIcon(QStyle::SP_BrowserReload));
    t.salvar = barButton(tab, t.salvarName, QStringLiteral("Salvar Gráfico"),
                         s->standardIcon(QStyle::SP_DialogSaveButton));
    t.imprimir = barButton(tab, t.imprimirName, QStringLiteral("Imprimir"),
                           s->standardIcon(QStyle::SP_FileDialogDetailedView));
    t.sair = barButton(tab, t.sairName, QString(), picture(QStringLiteral("sair")),
                       QStringLiteral("Sair"));
    t.sair->setIconSize(QSize(32, 32));
    top->addWidget(t.month);
    top->addWidget(t.year);
    for (QToolButton *b : {t.gerar, t.salvar, t.imprimir})
        top->addWidget(b);
    top->addStretch();
    top->addWidget(t.sair, 0, Qt::AlignTop);

    t.view = new QChartView(tab);
    t.view->setObjectName(QString::fromLatin1(t.viewName));
    QChart *chart = plainChart(t.view);
    chart->setTitle(t.title);
    QFont titleFont = chart->titleFont();
    titleFont.setBold(true);
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.3);
    chart->setTitleFont(titleFont);
    chart->legend()->setAlignment(Qt::AlignRight);
    t.series = new QPieSeries(chart);
    t.series->setObjectName(QString::fromLatin1(t.seriesName));
    t.series->setPieSize(0.62);
    chart->addSeries(t.series);

    auto *page = new QVBoxLayout(tab);
    page->addLayout(top);
    page->addWidget(t.view, 1);
    return tab;
}

QList<QGraphicsItem *> TFGraficos::marksOf(const QLineSeries *series) const
{
    for (const PointMarks *m : m_marks)
        if (m->series() == series)
            return m->items();
    return {};
}

void TFGraficos::FormShow()
{
    const QDate today = QDate::currentDate();
    regenerateCash(*QCaixa, today.year(), today.year());
    regeneratePie(*QPizzagasto, today.month(), today.year());
    regeneratePie(*QPizzaEntrada, today.month(), today.year());
}

void TFGraficos::drawLines()
{
    const CashLines lines = cashLines(*QCaixa);
    QChart *chart = DBChart1->chart();

    auto *axisX = qobject_cast<QCategoryAxis *>(chart->axes(Qt::Horizontal).value(0));
    for (const QString &label : axisX->categoriesLabels())
        axisX->remove(label);
    for (int month = 1; month <= 12; ++month)
        axisX->append(lines.monthLabels.value(month, monthName(month)), month);
    axisX->setRange(0.5, 12.5);

    // Room for the marks above the highest point, and zero always in sight.
    double low = 0.0;
    double high = 0.0;
    for (const QList<QPointF> *points : {&lines.spent, &lines.received, &lines.available})
        for (const QPointF &p : *points) {
            low = std::min(low, p.y());
            high = std::max(high, p.y());
        }
    if (high - low < 1.0)
        high = low + 1.0;
    auto *axisY = qobject_cast<QValueAxis *>(chart->axes(Qt::Vertical).value(0));
    axisY->setRange(low < 0.0 ? low - (high - low) * 0.05 : 0.0, high + (high - low) * 0.12);
    axisY->applyNiceNumbers();

    Series1->replace(lines.spent);
    Series2->replace(lines.received);
    Series3->replace(lines.available);
}

void TFGraficos::drawPie(QPieSeries *series, const QueryResult &sums, const QString &labelColumn)
{
    const QList<PieSlice> slices = pieSlices(sums, labelColumn);
    series->clear();
    QList<QPieSlice *> added;
    for (const PieSlice &s : slices) {
        auto *slice = new QPieSlice(s.mark, s.value);
        slice->setLabelVisible(true);
        added.append(slice);
    }
    series->append(added);
    // Neighbouring slices in clearly different colours, as many as a month usually has.
    static const QColor palette[] = {QColor(0x1f, 0x77, 0xb4), QColor(0xff, 0x7f, 0x0e),
                                     QColor(0x2c, 0xa0, 0x2c), QColor(0xd6, 0x27, 0x28),
                                     QColor(0x94, 0x67, 0xbd), QColor(0x8c, 0x56, 0x4b),
                                     QColor(0xe3, 0x77, 0xc2), QColor(0x7f, 0x7f, 0x7f),
                                     QColor(0xbc, 0xbd, 0x22), QColor(0x17, 0xbe, 0xcf)};
    for (int i = 0; i < added.size(); ++i)
        added[i]->setColor(palette[i % std::size(palette)]);
    // The legend names the types; the marks beside the slices carry share and value.
    const QList<QLegendMarker *> markers = series->chart()->legend()->markers(series);
    for (int i = 0; i < markers.size() && i < slices.size(); ++i)
        markers[i]->setLabel(slices[i].label);
}

void TFGraficos::btnGerarClick()
{
    if (CBAnoInicial->currentIndex() < 0 || CBAnoFinal->currentIndex() < 0)
        return;
    regenerateCash(*QCaixa, CBAnoInicial->currentText().toInt(), CBAnoFinal->currentText().toInt());
}

void TFGraficos::generatePie(QueryResult *query, QComboBox *month, QComboBox *year)
{
    if (month->currentIndex() < 0 || year->currentIndex() < 0)
        return;
    regeneratePie(*query, month->currentIndex() + 1, year->currentText().toInt());
}

void TFGraficos::btnGerar2Click()
{
    generatePie(QPizzagasto, CBMesGasto, CBAnoGasto);
}

void TFGraficos::btnGerar3Click()
{
    generatePie(QPizzaEntrada, CBMesEntrada, CBAnoEntrada);
}

void TFGraficos::RadioGroup1Click()
{
    const LinesShown shown = linesShown(RadioGroup1Items->checkedId());
    Series1->setVisible(shown.spent);
    Series2->setVisible(shown.received);
    Series3->setVisible(shown.available);
}

void TFGraficos::save(QChartView *view)
{
    const QString chosen =
        ui::Dialogs::saveFileName(this, QStringLiteral("Salvar Gráfico"), QString(), QString());
    if (chosen.isEmpty())
        return;
    const QString path = chartFileName(chosen);
    const QImage picture = view->grab().toImage();
    if (!picture.save(path, "BMP"))
        throw DbError(QStringLiteral("Não foi possível gravar o arquivo \"%1\".")
                          .arg(QDir::toNativeSeparators(path)));
}

void TFGraficos::btnSalvarClick()
{
    save(DBChart1);
}

void TFGraficos::btnSalvar2Click()
{
    save(DBChart2);
}

void TFGraficos::btnSalvar3Click()
{
    save(DBChart3);
}

void TFGraficos::print(QChartView *view)
{
    if (!ui::Dialogs::confirm(this, printQuestion))
        return;
    report::printOnDefaultPrinter(windowTitle(), [view](QPrinter &printer) {
        // The charts are wider than tall: the page lies on its side.
        printer.setPageOrientation(QPageLayout::Landscape);
        QPainter painter;
        if (!painter.begin(&printer))
            throw DbError(QStringLiteral("Não foi possível imprimir o gráfico."));
        // The chart as shown, as large as the page allows, kept in proportion.
        const QRectF page(QPointF(0, 0),
                          printer.pageLayout().paintRectPixels(printer.resolution()).size());
        view->render(&painter, page, view->viewport()->rect(), Qt::KeepAspectRatio);
        painter.end();
    });
}

void TFGraficos::btnImprimirClick()
{
    print(DBChart1);
}

void TFGraficos::btnImprimir2Click()
{
    print(DBChart2);
}

void TFGraficos::btnImprimir3Click()
{
    print(DBChart3);
}

void TFGraficos::btnSairClick()
{
    close();
}

} // namespace lx::finance
