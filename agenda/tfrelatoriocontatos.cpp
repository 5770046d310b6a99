#include "agenda/tfrelatoriocontatos.h"

#include "agenda/core/contactsreport.h"
#include "agenda/reports/contatos.h"
#include "agenda/tffiltrorelatorio.h"
#include "db/queryresult.h"

#include <QLineEdit>

namespace lx::agenda {

using report::Band;

TFRelatorioContatos::TFRelatorioContatos(TFFiltroRelatorio &filter, Connection *connection,
                                         QObject *parent)
    : QObject(parent), QContato(new QueryResult(connection, ContactsReportQuery::sql(), this)),
      m_filter(filter)
{
    setObjectName(QStringLiteral("FRelatorioContatos"));
    reports::layOutContatos(QuickRep1);
    QuickRep1.setRows(QContato);
    QuickRep1.titleBand().beforePrint = [this](Band &band, int) { QRBand1BeforePrint(band); };
    QuickRep1.detailBand().beforePrint = [this](Band &band, int) { QRBand2BeforePrint(band); };
}

TFRelatorioContatos::~TFRelatorioContatos() = default;

void TFRelatorioContatos::open(const QString &nome1, const QString &nome2)
{
    ContactsReportQuery::open(*QContato, nome1, nome2);
}

void TFRelatorioContatos::QRBand1BeforePrint(Band &band)
{
    m_white = true;
    if (report::Item *period = band.item(QStringLiteral("QRPeriodo")))
        period->text =
            m_filter.txtNome1->text() + QStringLiteral(" a ") + m_filter.txtNome2->text();
}

void TFRelatorioContatos::QRBand2BeforePrint(Band &band)
{
    report::shadeRow(band, m_white);
}

} // namespace lx::agenda
