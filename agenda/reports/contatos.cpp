#include "agenda/reports/contatos.h"

#include "report/report.h"

#include <QFontMetricsF>
#include <QImage>
#include <QStringList>

namespace lx::agenda::reports {

using report::Band;
using report::Report;

namespace {
// The columns' left edges and widths in millimetres: Nome, Telefone 1, Telefone 2, Endereço,
// Email.
struct ColumnPlace
{
    double left;
    double width;
};
constexpr ColumnPlace columns[] = {{0, 48}, {48, 24}, {72, 24}, {96, 56}, {152, 38}};

double textWidthMm(const QString &text, const QFont &font)
{
    // Measured at 72 dots per inch, where a dot is a point.
    QImage device(1, 1, QImage::Format_RGB32);
    device.setDotsPerMeterX(qRound(72 / 0.0254));
    device.setDotsPerMeterY(qRound(72 / 0.0254));
    return QFontMetricsF(font, &device).horizontalAdvance(text) * 25.4 / 72.0;
}
} // namespace

void layOutContatos(Report &report)
{
    report.setTitle(QStringLiteral("Relatório de Contatos da Agenda Telefônica"));
    report.setMargins(QMarginsF(10, 10, 10, 10));
    const double width = report.contentWidth();

    Band &title = report.titleBand();
    title.setHeight(27);
    title.addLabel(QStringLiteral("QRLabel1"),
                   QStringLiteral("Relatório de Contatos da Agenda Telefônica"),
                   QRectF(0, 0, width, 8), Report::font(14, true), Qt::AlignCenter);
    const QFont plain = Report::font(10);
    const QString lead = QStringLiteral("Este relatório diz respeito aos contatos de ");
    const double leadWidth = textWidthMm(lead, plain) + 0.5;
    title.addLabel(QStringLiteral("QRLabel2"), lead, QRectF(0, 11, leadWidth, 6), plain);
    title.addLabel(QStringLiteral("QRPeriodo"), QString(),
                   QRectF(leadWidth, 11, width - leadWidth, 6), plain);
    const QStringList headings{QStringLiteral("Nome"), QStringLiteral("Telefone 1"),
                               QStringLiteral("Telefone 2"), QStringLiteral("Endereço"),
                               QStringLiteral("Email")};
    for (int i = 0; i < headings.size(); ++i)
        title.addLabel(QStringLiteral("QRLabel%1").arg(i + 3), headings[i],
                       QRectF(columns[i].left, 20, columns[i].width, 6), Report::font(10, true));

    Band &detail = report.detailBand();
    detail.setHeight(5);
    const QStringList fields{QStringLiteral("NOME"), QStringLiteral("TELEFONE1"),
                             QStringLiteral("TELEFONE2"), QStringLiteral("ENDERECO"),
                             QStringLiteral("EMAIL")};
    for (int i = 0; i < fields.size(); ++i)
        detail.addField(QStringLiteral("QRDBText%1").arg(i + 1), fields[i],
                        QRectF(columns[i].left, 0, columns[i].width, 5), Report::font(8));
}

} // namespace lx::agenda::reports
