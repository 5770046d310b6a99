#include "agenda/tfrelatoriocompromissos.h"

#include "agenda/agendadata.h"
#include "agenda/program.h"
#include "agenda/tffiltrorelatoriocompromissos.h"
#include "agenda/tfmenu.h"
#include "db/queryresult.h"

#include <QFontMetricsF>
#include <QImage>

#include <algorithm>

namespace lx::agenda {

namespace {
const QString periodText = QStringLiteral("Este relatório diz respeito ao período do dia  ");

/// The width of text in millimetres on any page the report is drawn on: hinting makes text a
/// little wider at screen resolutions than on paper.
double widthMm(const QFont &font, const QString &text)
{
    double widest = 0;
    for (const int dpi : {72, 96, 120, 150, 300, 600, 1200}) {
        QImage device(1, 1, QImage::Format_RGB32);
        device.setDotsPerMeterX(int(dpi / 0.0254 + 0.5));
        device.setDotsPerMeterY(int(dpi / 0.0254 + 0.5));
        widest =
            std::max(widest, QFontMetricsF(font, &device).horizontalAdvance(text) * 25.4 / dpi);
    }
    return widest + 0.5;
}
} // namespace

TFRelatorioCompromissos::TFRelatorioCompromissos(Program &program, QObject *parent)
    : QObject(parent), QCompromissos(new QueryResult(&program.FMenu->dm().SQLConnection1,
                                                     AppointmentsReportQuery::sql(), this)),
      m_program(program)
{
    setObjectName(QStringLiteral("FRelatorioCompromissos"));
    QCompromissos->setObjectName(QStringLiteral("QCompromissos"));
    QuickRep1.setTitle(QStringLiteral("Relatório de Compromissos"));
    QuickRep1.setMargins(QMarginsF(10, 10, 10, 10));
    QuickRep1.setRows(QCompromissos);

    const double width = QuickRep1.contentWidth();
    const QFont heading = report::Report::font(14, true);
    const QFont bold = report::Report::font(10, true);
    const QFont plain = report::Report::font(10);
    // Columns: title, date, and the time against the right edge.
    const double dateX = 125, dateW = 30, timeW = 25, rowH = 6;

    report::Band &title = QuickRep1.titleBand();
    title.setHeight(30);
    title.addLabel(QStringLiteral("QRLabel1"), QStringLiteral("Relatório de Compromissos"),
                   QRectF(0, 0, width, 9), heading, Qt::AlignCenter);
    const double periodW = widthMm(bold, periodText);
    title.addLabel(QStringLiteral("QRLabel3"), periodText, QRectF(0, 11, periodW, rowH), bold);
    title.addLabel(QStringLiteral("QRLabel2"), QString(),
                   QRectF(periodW, 11, width - periodW, rowH), bold);
    title.addLabel(QStringLiteral("QRLabel4"), QStringLiteral("Título"),
                   QRectF(0, 22, dateX - 5, rowH), bold);
    title.addLabel(QStringLiteral("QRLabel5"), QStringLiteral("Data"),
                   QRectF(dateX, 22, dateW, rowH), bold);
    title.addLabel(QStringLiteral("QRLabel6"), QStringLiteral("Horário"),
                   QRectF(width - timeW, 22, timeW, rowH), bold, Qt::AlignRight | Qt::AlignVCenter);
    title.beforePrint = [this](report::Band &band, int) { QRBand1BeforePrint(band); };

    report::Band &detail = QuickRep1.detailBand();
    detail.setHeight(rowH);
    detail.addField(QStringLiteral("QRDBText1"), QStringLiteral("TITULO"),
                    QRectF(0, 0, dateX - 5, rowH), plain);
    detail.addField(QStringLiteral("QRDBText2"), QStringLiteral("DATA"),
                    QRectF(dateX, 0, dateW, rowH), plain);
    detail.addField(QStringLiteral("QRDBText3"), QStringLiteral("HORA"),
                    QRectF(width - timeW, 0, timeW, rowH), plain,
                    Qt::AlignRight | Qt::AlignVCenter);
    detail.beforePrint = [this](report::Band &band, int) { QRBand2BeforePrint(band); };
}

TFRelatorioCompromissos::~TFRelatorioCompromissos() = default;

void TFRelatorioCompromissos::open(const AppointmentsPeriod &period)
{
    AppointmentsReportQuery::open(*QCompromissos, period);
}

void TFRelatorioCompromissos::QRBand1BeforePrint(report::Band &band)
{
    if (TFFiltroRelatorioCompromissos *filter = m_program.FFiltroRelatorioCompromissos)
        band.item(QStringLiteral("QRLabel2"))->text = filter->period().label();
    m_nextWhite = true;
}

void TFRelatorioCompromissos::QRBand2BeforePrint(report::Band &band)
{
    report::shadeRow(band, m_nextWhite);
}

} // namespace lx::agenda
