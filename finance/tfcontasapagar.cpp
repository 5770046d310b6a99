#include "finance/tfcontasapagar.h"

#include "db/rowactions.h"
#include "db/tablecache.h"
#include "finance/forms.h"
#include "finance/look.h"
#include "finance/tdm.h"
#include "finance/tftipogasto.h"
#include "ui/buttons.h"
#include "ui/datasource.h"
#include "ui/dbedit.h"
#include "ui/dbgrid.h"
#include "ui/dblookupcombobox.h"
#include "ui/dbnavigator.h"
#include "ui/dbradiogroup.h"
#include "ui/dialogs.h"
#include "ui/guard.h"
#include "ui/keymap.h"
#include "ui/maskedit.h"

#include <QAction>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QStyle>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace lx::finance {

namespace {
const QString kDeleteQuestion = QStringLiteral("Você realmente deseja excluir este registro ?");

QLabel *labelFor(QWidget *box, const QString &text, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setBuddy(box);
    return label;
}
} // namespace

TFContasAPagar::TFContasAPagar(TDM &dm, QWidget *parent)
    : ui::RecordWindow(dm.DSCONTA, parent),
      TBCONTPAG(new TableCache(&dm.SQLConnection1, QStringLiteral("TCONTPAG"), this)),
      DSCONTPAG(nullptr), m_dm(dm),
      m_bills(dm.SQLConnection1, *dm.TBCONTA, *dm.TBCONTPAG, *dm.TBGASTO, *dm.TBCAIXAMES)
{
    setObjectName(QStringLiteral("FContasAPagar"));
    setWindowTitle(QStringLiteral("Contas à Pagar"));
    TBCONTPAG->setObjectName(QStringLiteral("TBCONTPAG"));
    TBCONTPAG->addLookup(QStringLiteral("tipo"), QStringLiteral("CPATIPO"), dm.TBTIPOGASTO,
                         QStringLiteral("TGACODIGO"), QStringLiteral("TGADESCRICAO"));
    DSCONTPAG = new ui::DataSource(TBCONTPAG, this);
    DSCONTPAG->setObjectName(QStringLiteral("DSCONTPAG"));
    // Changing an instalment starts with "Alterar", not with typing.
    DSCONTPAG->setAutoEdit(false);

    PageControl1 = new QTabWidget(this);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    PageControl1->addTab(buildRegisterTab(), QStringLiteral("Cadastro"));
    PageControl1->addTab(buildSearchTab(), QStringLiteral("Consulta"));
    auto *window = new QVBoxLayout(this);
    window->addWidget(PageControl1);

    setStateControls({btnNovo, btnAlterar, btnExcluir, btnConsultar, btnSair},
                     {btnSalvar, btnSalvar2, btnCancelar, btnCancelar2, DBEdit6, DBLookupComboBox2,
                      DBEdit10, DBEdit7, DBEdit8, DBEdit9, DBEdit11, DBRadioGroup1, DBEdit12,
                      btnTipo});
    // The grid shows the plan of the bill that is current.
    connect(dm.TBCONTA, &TableCache::currentRowChanged, this, [this] {
        if (isVisible() && !cache().isEditing())
            ui::guard(this, [this] { reloadInstalments(); });
    });
    navegar();
    resize(900, 620);
}

TFContasAPagar::~TFContasAPagar() = default;

QWidget *TFContasAPagar::buildRegisterTab()
{
    TabSheet1 = new QWidget;
    TabSheet1->setObjectName(QStringLiteral("TabSheet1"));
    QStyle *s = style();
    auto *bar = new QHBoxLayout;
    btnNovo = barButton(TabSheet1, "btnNovo", QStringLiteral("Inserir Novo Conta à Pagar"),
                        s->standardIcon(QStyle::SP_FileIcon));
    btnAlterar = barButton(TabSheet1, "btnAlterar", QStringLiteral("Alterar"),
                           s->standardIcon(QStyle::SP_FileDialogDetailedView));
    btnSalvar = barButton(TabSheet1, "btnSalvar", QStringLiteral("Salvar"),
                          s->standardIcon(QStyle::SP_DialogSaveButton));
    btnCancelar = barButton(TabSheet1, "btnCancelar", QStringLiteral("Cancelar"),
                            s->standardIcon(QStyle::SP_DialogCancelButton));
    btnExcluir = barButton(TabSheet1, "btnExcluir", QStringLiteral("Excluir"),
                           s->standardIcon(QStyle::SP_TrashIcon));
    btnConsultar = barButton(TabSheet1, "btnConsultar", QStringLiteral("Consultar a Conta à Pagar"),
                             s->standardIcon(QStyle::SP_FileDialogContentsView));
    btnSair = barButton(TabSheet1, "btnSair", QString(), picture(QStringLiteral("sair")),
                        QStringLiteral("Sair"));
    btnSair->setIconSize(QSize(32, 32));
    for (QToolButton *b : {btnNovo, btnAlterar, btnSalvar, btnCancelar, btnExcluir, btnConsultar})
        bar->addWidget(b);
    bar->addStretch();
    bar->addWidget(btnSair);

    // The bill.
    ui::DataSource *bill = m_dm.DSCONTA;
    Panel1 = new QFrame(TabSheet1);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFrameShape(QFrame::StyledPanel);
    DBEdit6 = new ui::DBEdit(bill, QStringLiteral("CONDESCRICAO"), Panel1);
    DBLookupComboBox2 = new ui::DBLookupComboBox(bill, QStringLiteral("CONTIPO"), m_dm.DSTIPOGASTO,
                                                 QStringLiteral("TGACODIGO"),
                                                 QStringLiteral("TGADESCRICAO"), Panel1);
    btnTipo = barButton(Panel1, "btnTipo", QString(), picture(QStringLiteral("tiposgasto")),
                        QStringLiteral("Cadastro de Tipos de Gastos"));
    DBEdit10 = new ui::DBEdit(bill, QStringLiteral("CONENTRADA"), Panel1);
    DBEdit7 = new ui::DBEdit(bill, QStringLiteral("CONVALOR"), Panel1);
    DBEdit8 = new ui::DBEdit(bill, QStringLiteral("CONDATA"), Panel1);
    DBEdit9 = new ui::DBEdit(bill, QStringLiteral("CONVENCIMENTO"), Panel1);
    DBEdit11 = new ui::DBEdit(bill, QStringLiteral("CONVEZES"), Panel1);
    DBRadioGroup1 =
        new ui::DBRadioGroup(bill, QStringLiteral("CONTIPOJUROS"), QStringLiteral("Tipo de Juros"),
                             {QStringLiteral("Sem Juros"), QStringLiteral("Juros ao Mes"),
                              QStringLiteral("Juros ao Ano")},
                             3, Panel1);
    DBEdit12 = new ui::DBEdit(bill, QStringLiteral("CONJUROS"), Panel1);
    btnSalvar2 = barButton(Panel1, "btnSalvar2", QStringLiteral("Salvar"),
                           s->standardIcon(QStyle::SP_DialogSaveButton));
    btnCancelar2 = barButton(Panel1, "btnCancelar2", QStringLiteral("Cancelar"),
                             s->standardIcon(QStyle::SP_DialogCancelButton));
    const std::pair<QWidget *, const char *> names[] = {
        {DBEdit6, "DBEdit6"},   {DBLookupComboBox2, "DBLookupComboBox2"},
        {DBEdit10, "DBEdit10"}, {DBEdit7, "DBEdit7"},
        {DBEdit8, "DBEdit8"},   {DBEdit9, "DBEdit9"},
        {DBEdit11, "DBEdit11"}, {DBRadioGroup1, "DBRadioGroup1"},
        {DBEdit12, "DBEdit12"}};
    for (const auto &[w, name] : names)
        w->setObjectName(QString::fromLatin1(name));
    auto *form = new QGridLayout(Panel1);
    form->addWidget(labelFor(DBEdit6, QStringLiteral("Descrição"), Panel1), 0, 0, 1, 2);
    form->addWidget(DBEdit6, 1, 0, 1, 2);
    form->addWidget(labelFor(DBLookupComboBox2, QStringLiteral("Tipo"), Panel1), 0, 2);
    form->addWidget(DBLookupComboBox2, 1, 2);
    form->addWidget(btnTipo, 1, 3);
    form->addWidget(labelFor(DBEdit10, QStringLiteral("Valor da Entrada"), Panel1), 2, 0);
    form->addWidget(DBEdit10, 3, 0);
    form->addWidget(labelFor(DBEdit7, QStringLiteral("Valor Total"), Panel1), 2, 1);
    form->addWidget(DBEdit7, 3, 1);
    form->addWidget(labelFor(DBEdit8, QStringLiteral("Data"), Panel1), 2, 2);
    form->addWidget(DBEdit8, 3, 2);
    form->addWidget(labelFor(DBEdit9, QStringLiteral("Vencimento(1ª Parcela)"), Panel1), 2, 3);
    form->addWidget(DBEdit9, 3, 3);
    form->addWidget(labelFor(DBEdit11, QStringLiteral("Número de Vezes: "), Panel1), 4, 0);
    form->addWidget(DBEdit11, 5, 0);
    form->addWidget(DBRadioGroup1, 4, 1, 2, 2);
    auto *rate = new QHBoxLayout;
    rate->addWidget(labelFor(DBEdit12, QStringLiteral("Juros: "), Panel1));
    rate->addWidget(DBEdit12);
    rate->addWidget(new QLabel(QStringLiteral("%"), Panel1));
    form->addLayout(rate, 5, 3);
    auto *panelButtons = new QHBoxLayout;
    panelButtons->addStretch();
    panelButtons->addWidget(btnSalvar2);
    panelButtons->addWidget(btnCancelar2);
    form->addLayout(panelButtons, 6, 0, 1, 4);
    QWidget *previous = nullptr;
    for (const auto &[w, name] : names) {
        if (previous)
            setTabOrder(previous, w);
        previous = w;
    }

    // The plan of the current bill.
    DBGrid1 = new ui::DBGrid(
        DSCONTPAG,
        {{QStringLiteral("CPADESCRICAO"), QStringLiteral("Descrição")},
         {QStringLiteral("tipo"), QStringLiteral("Tipo")},
         {QStringLiteral("CPAVALOR"), QStringLiteral("Valor"), Qt::AlignRight | Qt::AlignVCenter},
         {QStringLiteral("CPADATA"), QStringLiteral("Data"), Qt::AlignCenter},
         {QStringLiteral("CPADATAVENC"), QStringLiteral("Vencimento"), Qt::AlignCenter},
         {QStringLiteral("CPADATAPAG"), QStringLiteral("Pagamento"), Qt::AlignCenter},
         {QStringLiteral("CPASITUACAO"), QStringLiteral("Situação")}},
        TabSheet1);
    DBGrid1->setObjectName(QStringLiteral("DBGrid1"));
    DBGrid1->setColumnWidth(0, 260);
    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    Alterar1 = PopupMenu1->addAction(QStringLiteral("Alterar"));
    Alterar1->setObjectName(QStringLiteral("Alterar1"));
    Pagar1 = PopupMenu1->addAction(QStringLiteral("Informar Pagamento (Baixar)"));
    Pagar1->setObjectName(QStringLiteral("Pagar1"));
    Excluir1 = PopupMenu1->addAction(QStringLiteral("Excluir"));
    Excluir1->setObjectName(QStringLiteral("Excluir1"));
    DBGrid1->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(DBGrid1, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &p) { PopupMenu1->popup(DBGrid1->viewport()->mapToGlobal(p)); });
    DBNavigator1 = new ui::DBNavigator(m_dm.DSCONTA, TabSheet1);
    DBNavigator1->setObjectName(QStringLiteral("DBNavigator1"));
    lockRow(
        {DBNavigator1->button(ui::DBNavigator::First), DBNavigator1->button(ui::DBNavigator::Prior),
         DBNavigator1->button(ui::DBNavigator::Next), DBNavigator1->button(ui::DBNavigator::Last)});

    auto *page = new QVBoxLayout(TabSheet1);
    page->addLayout(bar);
    page->addWidget(Panel1);
    page->addWidget(buildInstalmentPanel());
    page->addWidget(buildPaymentPanel());
    page->addWidget(DBGrid1, 1);
    page->addWidget(DBNavigator1, 0, Qt::AlignLeft);

    const auto save = [this] { btnSalvar->click(); };
    const auto leave = [this] { btnSair->click(); };
    for (QWidget *box : std::initializer_list<QWidget *>{DBEdit6, DBEdit7, DBEdit8, DBEdit9,
                                                         DBEdit10, DBEdit11, DBEdit12})
        ui::mapEntryKeys(box, save, leave);
    ui::mapEntryKeys(DBLookupComboBox2, save, leave, true);

    ui::on(btnNovo, &QToolButton::clicked, this, [this] { btnNovoClick(); });
    ui::on(btnAlterar, &QToolButton::clicked, this, [this] { btnAlterarClick(); });
    ui::on(btnSalvar, &QToolButton::clicked, this, [this] { btnSalvar2->click(); });
    ui::on(btnSalvar2, &QToolButton::clicked, this, [this] { btnSalvar2Click(); });
    ui::on(btnCancelar, &QToolButton::clicked, this, [this] { btnCancelar2->click(); });
    ui::on(btnCancelar2, &QToolButton::clicked, this, [this] { btnCancelar2Click(); });
    ui::on(btnExcluir, &QToolButton::clicked, this, [this] { btnExcluirClick(); });
    ui::on(btnConsultar, &QToolButton::clicked, this, [this] { btnConsultarClick(); });
    ui::on(btnTipo, &QToolButton::clicked, this, [this] { btnTipoClick(); });
    ui::on(btnSair, &QToolButton::clicked, this, [this] { btnSairClick(); });
    ui::on(Alterar1, &QAction::triggered, this, [this] { Alterar1Click(); });
    ui::on(Pagar1, &QAction::triggered, this, [this] { Pagar1Click(); });
    ui::on(Excluir1, &QAction::triggered, this, [this] { Excluir1Click(); });
    return TabSheet1;
}

QFrame *TFContasAPagar::buildInstalmentPanel()
{
    PanelEditar = new QFrame(TabSheet1);
    PanelEditar->setObjectName(QStringLiteral("PanelEditar"));
    PanelEditar->setFrameShape(QFrame::StyledPanel);
    DBEdit1 = new ui::DBEdit(DSCONTPAG, QStringLiteral("CPADESCRICAO"), PanelEditar);
    DBEdit1->setObjectName(QStringLiteral("DBEdit1"));
    DBLookupComboBox1 = new ui::DBLookupComboBox(DSCONTPAG, QStringLiteral("CPATIPO"),
                                                 m_dm.DSTIPOGASTO, QStringLiteral("TGACODIGO"),
                                                 QStringLiteral("TGADESCRICAO"), PanelEditar);
    DBLookupComboBox1->setObjectName(QStringLiteral("DBLookupComboBox1"));
    btnTipo2 = barButton(PanelEditar, "btnTipo2", QString(), picture(QStringLiteral("tiposgasto")),
                         QStringLiteral("Cadastro de Tipos de Gastos"));
    DBEdit3 = new ui::DBEdit(DSCONTPAG, QStringLiteral("CPAVALOR"), PanelEditar);
    DBEdit3->setObjectName(QStringLiteral("DBEdit3"));
    DBEdit4 = new ui::DBEdit(DSCONTPAG, QStringLiteral("CPADATA"), PanelEditar);
    DBEdit4->setObjectName(QStringLiteral("DBEdit4"));
    DBEdit5 = new ui::DBEdit(DSCONTPAG, QStringLiteral("CPADATAVENC"), PanelEditar);
    DBEdit5->setObjectName(QStringLiteral("DBEdit5"));
    QStyle *s = style();
    btnSalvar3 = barButton(PanelEditar, "btnSalvar3", QString(),
                           s->standardIcon(QStyle::SP_DialogSaveButton), QStringLiteral("Salvar"));
    btnCancelar3 =
        barButton(PanelEditar, "btnCancelar3", QString(),
                  s->standardIcon(QStyle::SP_DialogCancelButton), QStringLiteral("Cancelar"));
    auto *row = new QHBoxLayout(PanelEditar);
    for (QWidget *w :
         std::initializer_list<QWidget *>{DBEdit1, DBLookupComboBox1, btnTipo2, DBEdit3, DBEdit4,
                                          DBEdit5, btnSalvar3, btnCancelar3})
        row->addWidget(w, w == DBEdit1 ? 2 : 0);
    PanelEditar->hide();
    ui::on(btnSalvar3, &QToolButton::clicked, this, [this] { btnSalvar3Click(); });
    ui::on(btnCancelar3, &QToolButton::clicked, this, [this] { btnCancelar3Click(); });
    ui::on(btnTipo2, &QToolButton::clicked, this, [this] { btnTipoClick(); });
    return PanelEditar;
}

QFrame *TFContasAPagar::buildPaymentPanel()
{
    Panel2 = new QFrame(TabSheet1);
    Panel2->setObjectName(QStringLiteral("Panel2"));
    Panel2->setFrameShape(QFrame::StyledPanel);
    DBEdit2 = new ui::MaskEdit(ui::masks::date, Panel2);
    DBEdit2->setObjectName(QStringLiteral("DBEdit2"));
    DBEdit2->setFixedWidth(100);
    QStyle *s = style();
    btnSalvar4 = barButton(Panel2, "btnSalvar4", QString(),
                           s->standardIcon(QStyle::SP_DialogSaveButton), QStringLiteral("Salvar"));
    btnCancelar4 =
        barButton(Panel2, "btnCancelar4", QString(), s->standardIcon(QStyle::SP_DialogCancelButton),
                  QStringLiteral("Cancelar"));
    auto *row = new QHBoxLayout(Panel2);
    row->addWidget(labelFor(DBEdit2, QStringLiteral("Data de Pagamento"), Panel2));
    row->addWidget(DBEdit2);
    row->addWidget(btnSalvar4);
    row->addWidget(btnCancelar4);
    row->addStretch();
    Panel2->hide();
    const auto pay = [this] { btnSalvar4->click(); };
    const auto cancel = [this] { btnCancelar4->click(); };
    ui::keys(DBEdit2)
        .onEnter(pay)
        .on(Qt::Key_Down, pay)
        .on(Qt::Key_F5, pay)
        .on(Qt::Key_Escape, cancel)
        .on(Qt::Key_Up, cancel);
    ui::on(btnSalvar4, &QToolButton::clicked, this, [this] { btnSalvar4Click(); });
    ui::on(btnCancelar4, &QToolButton::clicked, this, [this] { btnCancelar4Click(); });
    return Panel2;
}

QWidget *TFContasAPagar::buildSearchTab()
{
    TabSheet2 = new QWidget;
    TabSheet2->setObjectName(QStringLiteral("TabSheet2"));
    txtConta = new QLineEdit(TabSheet2);
    txtConta->setObjectName(QStringLiteral("txtConta"));
    btnBuscar = new QPushButton(QStringLiteral("Buscar"), TabSheet2);
    btnBuscar->setObjectName(QStringLiteral("btnBuscar"));
    btnBuscar->setAutoDefault(false);
    btnSair2 = barButton(TabSheet2, "btnSair2", QString(), picture(QStringLiteral("sair")),
                         QStringLiteral("Sair"));
    auto *search = new QHBoxLayout;
    search->addWidget(
        labelFor(txtConta, QStringLiteral("Buscar Conta por Descrição: "), TabSheet2));
    search->addWidget(txtConta, 1);
    search->addWidget(btnBuscar);
    search->addWidget(btnSair2);
    DBGrid2 = new ui::DBGrid(
        m_dm.DSCONTA,
        {{QStringLiteral("CONDESCRICAO"), QStringLiteral("Descrição")},
         {QStringLiteral("tipoconta"), QStringLiteral("Tipo")},
         {QStringLiteral("CONVALOR"), QStringLiteral("Valor"), Qt::AlignRight | Qt::AlignVCenter},
         {QStringLiteral("CONSITUACAO"), QStringLiteral("Situação")},
         {QStringLiteral("CONDATA"), QStringLiteral("Data"), Qt::AlignCenter}},
        TabSheet2);
    DBGrid2->setObjectName(QStringLiteral("DBGrid2"));
    DBGrid2->setColumnWidth(0, 300);
    lockRow({DBGrid2, DBGrid2->viewport()});
    auto *page = new QVBoxLayout(TabSheet2);
    page->addLayout(search);
    page->addWidget(DBGrid2, 1);
    ui::on(txtConta, &QLineEdit::textChanged, this, [this] { txtContaChange(); });
    ui::on(btnBuscar, &QPushButton::clicked, this, [this] { txtContaChange(); });
    ui::on(btnSair2, &QToolButton::clicked, this, [this] { btnSairClick(); });
    ui::on(DBGrid2, &ui::DBGrid::rowDoubleClicked, this, [this] { DBGrid2DblClick(); });
    return TabSheet2;
}

void TFContasAPagar::reloadInstalments()
{
    TBCONTPAG->close();
    TableCache &b = cache();
    if (!b.isOpen() || b.isEmpty())
        return;
    TBCONTPAG->setCondition(QStringLiteral("CPACONTA = ?"), {b.value(QStringLiteral("CONCODIGO"))});
    TBCONTPAG->open();
}

void TFContasAPagar::navegar()
{
    enterState(false);
}

void TFContasAPagar::editar()
{
    enterState(true);
    DBEdit6->setFocus(Qt::TabFocusReason);
}

void TFContasAPagar::FormShow()
{
    m_dm.TBTIPOGASTO->open();
    m_dm.TBCONTPAG->open();
    m_dm.TBCONTA->open();
    if (m_dm.TBCONTA->isEditing())
        cancelRow(*m_dm.TBCONTA);
    m_dm.TBCONTA->first();
    m_dm.TBGASTO->open();
    reloadInstalments();
    navegar();
}

void TFContasAPagar::btnNovoClick()
{
    TBCONTPAG->close();
    m_bills.insertNew();
    editar();
}

void TFContasAPagar::btnAlterarClick()
{
    if (!ui::hasRowFor(cache(), ui::RowAction::Change, this))
        return;
    cache().edit();
    editar();
}

void TFContasAPagar::btnSalvar2Click()
{
    QString refusal;
    step([&] { refusal = m_bills.save(); });
    if (!refusal.isEmpty()) {
        ui::Dialogs::message(this, refusal);
        return;
    }
    navegar();
    reloadInstalments();
}

void TFContasAPagar::btnCancelar2Click()
{
    step([this] { cancelRow(cache()); });
    navegar();
    reloadInstalments();
}

void TFContasAPagar::btnExcluirClick()
{
    if (!ui::hasRowFor(cache(), ui::RowAction::Delete, this))
        return;
    if (!ui::Dialogs::confirm(this, kDeleteQuestion))
        return;
    m_bills.removeBill();
    reloadInstalments();
}

void TFContasAPagar::btnConsultarClick()
{
    PageControl1->setCurrentWidget(TabSheet2);
}

void TFContasAPagar::DBGrid2DblClick()
{
    PageControl1->setCurrentWidget(TabSheet1);
}

void TFContasAPagar::btnTipoClick()
{
    openFrom(this, m_dm, FTipoGasto);
}

void TFContasAPagar::btnSairClick()
{
    close();
}

void TFContasAPagar::Pagar1Click()
{
    const QString refusal = Bills::payProblem(*TBCONTPAG);
    if (!refusal.isEmpty()) {
        ui::Dialogs::message(this, refusal);
        return;
    }
    m_paying = TBCONTPAG->value(QStringLiteral("CPACODIGO")).toInt();
    Panel2->show();
    DBEdit2->setFocus(Qt::OtherFocusReason);
}

void TFContasAPagar::btnSalvar4Click()
{
    const QString refusal = m_bills.pay(*TBCONTPAG, m_paying, DBEdit2->maskedText());
    if (!refusal.isEmpty()) {
        ui::Dialogs::message(this, refusal);
        return;
    }
    Panel2->hide();
}

void TFContasAPagar::btnCancelar4Click()
{
    TBCONTPAG->cancel();
    Panel2->hide();
}

void TFContasAPagar::Alterar1Click()
{
    if (!ui::hasRowFor(*TBCONTPAG, ui::RowAction::Change, this))
        return;
    PanelEditar->show();
    TBCONTPAG->edit();
    DBEdit1->setFocus(Qt::OtherFocusReason);
}

void TFContasAPagar::btnSalvar3Click()
{
    saveRow(*TBCONTPAG, OnRefusal::Reedit);
    PanelEditar->hide();
}

void TFContasAPagar::btnCancelar3Click()
{
    cancelRow(*TBCONTPAG);
    PanelEditar->hide();
}

void TFContasAPagar::Excluir1Click()
{
    if (!ui::hasRowFor(*TBCONTPAG, ui::RowAction::Delete, this))
        return;
    if (!ui::Dialogs::confirm(this, kDeleteQuestion))
        return;
    const QString refusal = m_bills.removeInstalment(*TBCONTPAG);
    if (!refusal.isEmpty())
        ui::Dialogs::message(this, refusal);
}

void TFContasAPagar::txtContaChange()
{
    m_bills.search(txtConta->text());
}

} // namespace lx::finance
