#pragma once

#include "ui/formdialog.h"

#include <QList>

class QButtonGroup;
class QComboBox;
class QGroupBox;
class QTabWidget;
class QToolButton;
class QGraphicsItem;

QT_BEGIN_NAMESPACE
class QChartView;
class QLineSeries;
class QPieSeries;
QT_END_NAMESPACE

namespace lx {
class QueryResult;
}

namespace lx::finance {

class TDM;
class PointMarks;

/// "Gráficos das Minhas Finanças": the monthly cash of a range of years as lines, and the
/// expenses and receipts of one month per type as pies; each chart can be drawn again for
/// another period, saved as a bitmap and printed. It changes no data.
class TFGraficos : public ui::FormDialog
{
    Q_OBJECT
public:
    explicit TFGraficos(TDM &dm, QWidget *parent = nullptr);
    ~TFGraficos() override;

    QTabWidget *PageControl1;
    QWidget *TabSheet1;
    QWidget *TabSheet2;
    QWidget *TabSheet3;

    QComboBox *CBAnoInicial;
    QComboBox *CBAnoFinal;
    QToolButton *btnGerar;
    QToolButton *btnSalvar;
    QToolButton *btnImprimir;
    QToolButton *btnSair;
    QGroupBox *RadioGroup1;
    QButtonGroup *RadioGroup1Items;
    QChartView *DBChart1;
    QLineSeries *Series1;
    QLineSeries *Series2;
    QLineSeries *Series3;

    QComboBox *CBMesGasto;
    QComboBox *CBAnoGasto;
    QToolButton *btnGerar2;
    QToolButton *btnSalvar2;
    QToolButton *btnImprimir2;
    QToolButton *SpeedButton3;
    QChartView *DBChart2;
    QPieSeries *Series4;

    QComboBox *CBMesEntrada;
    QComboBox *CBAnoEntrada;
    QToolButton *btnGerar3;
    QToolButton *btnSalvar3;
    QToolButton *btnImprimir3;
    QToolButton *btnSair3;
    QChartView *DBChart3;
    QPieSeries *PieSeries1;

    /// The charts' private query results.
    QueryResult *QCaixa;
    QueryResult *QPizzagasto;
    QueryResult *QPizzaEntrada;

    /// The marks beside the points of a line series, in the chart's scene (for tests).
    QList<QGraphicsItem *> marksOf(const QLineSeries *series) const;

    void btnGerarClick();
    void btnGerar2Click();
    void btnGerar3Click();
    void RadioGroup1Click();
    void btnSalvarClick();
    void btnSalvar2Click();
    void btnSalvar3Click();
    void btnImprimirClick();
    void btnImprimir2Click();
    void btnImprimir3Click();
    void btnSairClick();

private:
    void FormShow() override;
    QWidget *buildLinesTab();
    struct PieTab;
    QWidget *buildPieTab(const PieTab &tab);
    void drawLines();
    void drawPie(QPieSeries *series, const QueryResult &sums, const QString &labelColumn);
    void generatePie(QueryResult *query, QComboBox *month, QComboBox *year);
    void save(QChartView *view);
    void print(QChartView *view);

    TDM &m_dm;
    QList<PointMarks *> m_marks;
};

} // namespace lx::finance
