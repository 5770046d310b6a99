#include "finance/reports/listingreport.h"

#include "db/queryresult.h"

namespace lx::finance {

namespace {
struct Column
{
    const char *heading;
    QString expenseField;
    QString receiptField;
    double left;
    double width;
};

// Millimetres inside the 190 mm between the margins.
const Column columns[] = {
    {"Descrição", QStringLiteral("GASDESCRICAO"), QStringLiteral("RECDESCRICAO"), 0, 80},
    {"Tipo", QStringLiteral("TGADESCRICAO"), QStringLiteral("TREDESCRICAO"), 80, 50},
    {"Valor", QStringLiteral("GASVALOR"), QStringLiteral("RECVALOR"), 130, 32},
    {"Data", QStringLiteral("GASDATA"), QStringLiteral("RECDATA"), 162, 28},
};

constexpr double kTitleHeight = 31.0;
constexpr double kRowHeight = 6.0;
} // namespace

ListingReport::ListingReport(listings::Kind kind, Connection *connection, QObject *parent)
    : QObject(parent), m_kind(kind), m_query(listings::newQuery(connection, kind, this))
{
    layOut();
}

ListingReport::~ListingReport() = default;

void ListingReport::layOut()
{
    using report::Report;
    m_report.setTitle(QStringLiteral("Relatório de Tostara - ") + listings::listingName(m_kind));
    m_report.setMargins(QMarginsF(10, 10, 10, 10));
    m_report.setRows(m_query);
    const double width = m_report.contentWidth();
    const QFont bold = Report::font(12, true);
    const QFont plain = Report::font(12);

    report::Band &title = m_report.titleBand();
    title.setHeight(kTitleHeight);
    title.addLabel(QStringLiteral("QRLabel1"), QStringLiteral("Relatório de Tostara"),
                   QRectF(0, 0, width, 7), bold, Qt::AlignCenter);
    title.addLabel(QStringLiteral("QRPeriodo"), QString(), QRectF(0, 8, width, 6), bold,
                   Qt::AlignLeft | Qt::AlignVCenter);
    title.addLabel(QStringLiteral("QRLabel2"), listings::listingName(m_kind),
                   QRectF(0, 15, width, 7), bold, Qt::AlignCenter);
    int n = 3;
    for (const Column &c : columns)
        title.addLabel(QStringLiteral("QRLabel%1").arg(n++), QString::fromUtf8(c.heading),
                       QRectF(c.left, 24, c.width, 6), bold, Qt::AlignCenter);
    title.beforePrint = [this](report::Band &, int) { QRBand1BeforePrint(); };

    report::Band &detail = m_report.detailBand();
    detail.setHeight(kRowHeight);
    n = 1;
    for (const Column &c : columns)
        detail.addField(QStringLiteral("QRDBText%1").arg(n++),
                        m_kind == listings::Kind::Expenses ? c.expenseField : c.receiptField,
                        QRectF(c.left, 0, c.width, kRowHeight), plain, Qt::AlignCenter);
    detail.beforePrint = [this](report::Band &band, int) { QRBand2BeforePrint(band); };
}

void ListingReport::build(const QDate &start, const QDate &end)
{
    listings::open(*m_query, start, end);
    m_report.titleBand().item(QStringLiteral("QRPeriodo"))->text =
        listings::periodLabel(start, end);
}

void ListingReport::QRBand1BeforePrint()
{
    branco = false;
}

void ListingReport::QRBand2BeforePrint(report::Band &band)
{
    report::shadeRow(band, branco);
}

} // namespace lx::finance
