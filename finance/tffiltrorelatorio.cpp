#include "finance/tffiltrorelatorio.h"

#include "finance/core/listings.h"
#include "finance/core/movements.h"
#include "finance/look.h"
#include "finance/tdm.h"
#include "finance/tfrlistagens.h"
#include "finance/tfrlistagens2.h"
#include "report/preview.h"
#include "ui/guard.h"
#include "ui/keymap.h"
#include "ui/maskedit.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QToolButton>
#include <QVBoxLayout>

#include <memory>

namespace lx::finance {

TFFiltroRelatorio::TFFiltroRelatorio(TDM &dm, QWidget *parent) : ui::FormDialog(parent), m_dm(dm)
{
    setObjectName(QStringLiteral("FFiltroRelatorio"));
    setWindowTitle(QStringLiteral("Filtro de Relatório das Finanças"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint);

    RGFinancas = new QGroupBox(QStringLiteral("Tipo de Relatório"), this);
    RGFinancas->setObjectName(QStringLiteral("RGFinancas"));
    rbGastos = new QRadioButton(QStringLiteral("Apenas os Gastos"), RGFinancas);
    rbEntradas = new QRadioButton(QStringLiteral("Apenas as Entradas"), RGFinancas);
    m_items = new QButtonGroup(this);
    m_items->addButton(rbGastos, 0);
    m_items->addButton(rbEntradas, 1);
    rbGastos->setChecked(true);
    auto *items = new QVBoxLayout(RGFinancas);
    items->addWidget(rbGastos);
    items->addWidget(rbEntradas);

    Label1 = new QLabel(QStringLiteral("Período de: "), this);
    txtDataInicial = new ui::MaskEdit(ui::masks::date, this);
    txtDataInicial->setObjectName(QStringLiteral("txtDataInicial"));
    Label2 = new QLabel(QStringLiteral(" a "), this);
    txtDataFinal = new ui::MaskEdit(ui::masks::date, this);
    txtDataFinal->setObjectName(QStringLiteral("txtDataFinal"));
    for (ui::MaskEdit *box : {txtDataInicial, txtDataFinal}) {
        box->setMaxLength(10);
        box->setFixedWidth(box->fontMetrics().horizontalAdvance(QStringLiteral("00/00/00000")) +
                           16);
    }
    Label1->setBuddy(txtDataInicial);

    btnGerar = barButton(this, "btnGerar", QStringLiteral("Gerar Relatório"),
                         picture(QStringLiteral("listagens")));
    btnSair = barButton(this, "btnSair", QStringLiteral("Sair"), picture(QStringLiteral("sair")),
                        QStringLiteral("Sair"));
    btnSair->setToolTip(QStringLiteral("Sair"));

    auto *period = new QHBoxLayout;
    period->addWidget(Label1);
    period->addWidget(txtDataInicial);
    period->addWidget(Label2);
    period->addWidget(txtDataFinal);
    period->addStretch();
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(btnGerar);
    buttons->addStretch();
    buttons->addWidget(btnSair);
    auto *window = new QVBoxLayout(this);
    window->addWidget(RGFinancas);
    window->addLayout(period);
    window->addLayout(buttons);

    setTabOrder(txtDataInicial, txtDataFinal);
    setTabOrder(txtDataFinal, rbGastos);
    setTabOrder(rbGastos, rbEntradas);

    ui::keys(txtDataInicial).next().prev().on(Qt::Key_Escape, [this] { btnSair->click(); });
    ui::keys(txtDataFinal)
        .prev()
        .onEnter([this] { btnGerar->click(); })
        .on(Qt::Key_Down, [this] { btnGerar->click(); })
        .on(Qt::Key_Escape, [this] { btnSair->click(); });
    ui::on(btnGerar, &QToolButton::clicked, this, [this] { btnGerarClick(); });
    ui::on(btnSair, &QToolButton::clicked, this, [this] { btnSairClick(); });
}

int TFFiltroRelatorio::itemIndex() const
{
    return m_items->checkedId();
}

void TFFiltroRelatorio::setItemIndex(int index)
{
    if (QAbstractButton *b = m_items->button(index)) {
        b->setChecked(true);
        return;
    }
    // No item chosen: the group lets go of its choice only while not exclusive.
    m_items->setExclusive(false);
    for (QAbstractButton *b : m_items->buttons())
        b->setChecked(false);
    m_items->setExclusive(true);
}

void TFFiltroRelatorio::FormShow()
{
    const listings::Period p = listings::defaultPeriod(QDate::currentDate());
    txtDataInicial->setMaskedText(p.start.toString(QStringLiteral("dd/MM/yyyy")));
    txtDataFinal->setMaskedText(p.end.toString(QStringLiteral("dd/MM/yyyy")));
    txtDataInicial->setFocus();
}

void TFFiltroRelatorio::btnGerarClick()
{
    const int index = itemIndex();
    if (index != 0 && index != 1)
        return;
    std::unique_ptr<ListingReport> listing;
    if (index == 0)
        listing = std::make_unique<TFRListagens>(&m_dm.SQLConnection1);
    else
        listing = std::make_unique<TFRListagens2>(&m_dm.SQLConnection1);
    // A box that holds no date stops the action before any report is shown.
    const QDate start = Movements::parseDate(txtDataInicial->maskedText());
    const QDate end = Movements::parseDate(txtDataFinal->maskedText());
    listing->build(start, end);
    listing->setParent(this);
    ListingReport *shown = listing.release();
    m_reports << shown;
    report::preview(shown->report(), this);
}

void TFFiltroRelatorio::btnSairClick()
{
    close();
}

QList<ListingReport *> TFFiltroRelatorio::reports() const
{
    QList<ListingReport *> list;
    for (const QPointer<ListingReport> &r : m_reports)
        if (r)
            list << r;
    return list;
}

} // namespace lx::finance
