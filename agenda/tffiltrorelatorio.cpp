#include "agenda/tffiltrorelatorio.h"

#include "agenda/agendadata.h"
#include "agenda/tfmenu.h"
#include "agenda/tfrelatoriocontatos.h"
#include "report/preview.h"
#include "ui/guard.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace lx::agenda {

namespace {
QPushButton *button(QWidget *parent, const char *name, const QString &caption)
{
    auto *b = new QPushButton(caption, parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setAutoDefault(false);
    return b;
}
} // namespace

TFFiltroRelatorio::TFFiltroRelatorio(TFMenu &menu, QWidget *parent)
    : ui::FormDialog(parent), m_menu(menu)
{
    setObjectName(QStringLiteral("FFiltroRelatorio"));
    setWindowTitle(QStringLiteral("Filtro de Relatório de Contatos"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);

    Label1 = new QLabel(QStringLiteral("Selecionar de: "), this);
    txtNome1 = new QLineEdit(QStringLiteral("AAA"), this);
    txtNome1->setObjectName(QStringLiteral("txtNome1"));
    Label2 = new QLabel(QStringLiteral(" a "), this);
    txtNome2 = new QLineEdit(QStringLiteral("ZZZ"), this);
    txtNome2->setObjectName(QStringLiteral("txtNome2"));
    for (QLineEdit *box : {txtNome1, txtNome2}) {
        box->setMaxLength(50);
        box->setMinimumWidth(160);
    }
    btnImprimir = button(this, "btnImprimir", QStringLiteral("Imprimir"));
    btnVisualizar = button(this, "btnVisualizar", QStringLiteral("Visualizar"));
    btnSair = button(this, "btnSair", QStringLiteral("Sair"));

    auto *range = new QHBoxLayout;
    range->addWidget(Label1);
    range->addWidget(txtNome1);
    range->addWidget(Label2);
    range->addWidget(txtNome2);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnImprimir);
    buttons->addWidget(btnVisualizar);
    buttons->addWidget(btnSair);
    auto *main = new QVBoxLayout(this);
    main->addLayout(range);
    main->addSpacing(8);
    main->addLayout(buttons);
    setFixedSize(sizeHint());

    ui::on(btnImprimir, &QPushButton::clicked, this, [this] { btnImprimirClick(); });
    ui::on(btnVisualizar, &QPushButton::clicked, this, [this] { btnVisualizarClick(); });
    ui::on(btnSair, &QPushButton::clicked, this, [this] { btnSairClick(); });
}

TFRelatorioContatos &TFFiltroRelatorio::buildReport()
{
    // Owned by this window, which keeps the reports it built until it closes.
    auto *report = new TFRelatorioContatos(*this, &m_menu.dm().SQLConnection1, this);
    FRelatorioContatos = report;
    report->open(txtNome1->text(), txtNome2->text());
    return *report;
}

void TFFiltroRelatorio::btnVisualizarClick()
{
    report::preview(buildReport().QuickRep1, this);
}

void TFFiltroRelatorio::btnImprimirClick()
{
    report::print(buildReport().QuickRep1);
}

void TFFiltroRelatorio::btnSairClick()
{
    close();
}

} // namespace lx::agenda
