#include "finance/movementwindow.h"

#include "db/tablecache.h"
#include "finance/registerwindow.h"
#include "finance/tdm.h"
#include "ui/datasource.h"
#include "ui/dbedit.h"
#include "ui/dbgrid.h"
#include "ui/dblookupcombobox.h"
#include "ui/dialogs.h"
#include "ui/guard.h"

#include <QAction>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QShowEvent>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

namespace lx::finance {

namespace {

QToolButton *botao(QWidget *pai, const char *nome, const QString &legenda, const QIcon &figura)
{
    auto *b = new QToolButton(pai);
    b->setObjectName(QLatin1String(nome));
    b->setText(legenda);
    b->setIcon(figura);
    b->setIconSize(QSize(20, 20));
    b->setToolButtonStyle(legenda.isEmpty() ? Qt::ToolButtonIconOnly
                                            : Qt::ToolButtonTextBesideIcon);
    b->setAutoRaise(true);
    b->setFocusPolicy(Qt::NoFocus);
    return b;
}

} // namespace

TFMovimento::TFMovimento(const TabelaMovimento &tabela, QWidget *parent)
    : ui::FormDialog(parent), m_mov(*DM, tabela)
{
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setWindowTitle(tabela.titulo);
    montar();
    navegar();
}

TFMovimento::~TFMovimento() = default;

void TFMovimento::montar()
{
    const TabelaMovimento &t = m_mov.tabela();
    ui::DataSource *dados = DM->*t.dados;
    QStyle *s = style();

    auto *topo = new QHBoxLayout;
    btnNovo = botao(this, "btnNovo", t.legendaNovo, s->standardIcon(QStyle::SP_FileIcon));
    btnSalvar = botao(this, "btnSalvar", QStringLiteral("Salvar"),
                      s->standardIcon(QStyle::SP_DialogSaveButton));
    btnCancelar = botao(this, "btnCancelar", QStringLiteral("Cancelar Inserção"),
                        s->standardIcon(QStyle::SP_DialogCancelButton));
    btnExcluir =
        botao(this, "btnExcluir", QStringLiteral("Excluir"), s->standardIcon(QStyle::SP_TrashIcon));
    btnSair = botao(this, "btnSair", QString(), QIcon(QStringLiteral(":/finance/images/sair.jpg")));
    btnSair->setIconSize(QSize(32, 32));
    btnSair->setToolTip(QStringLiteral("Sair"));
    for (QToolButton *b : {btnNovo, btnSalvar, btnCancelar, btnExcluir})
        topo->addWidget(b);
    topo->addStretch();
    topo->addWidget(btnSair);

    auto *entrada = new QGridLayout;
    Label1 = new QLabel(QStringLiteral("Descrição"), this);
    Label2 = new QLabel(QStringLiteral("Tipo"), this);
    Label3 = new QLabel(QStringLiteral("Valor"), this);
    Label4 = new QLabel(QStringLiteral("Data"), this);
    DBEdit3 = new ui::DBEdit(dados, t.descricao, this);
    DBLookupComboBox1 = new ui::DBLookupComboBox(dados, t.tipo, DM->*t.dadosTipos, t.chaveTipo,
                                                 t.descricaoTipo, this);
    btnTipo = botao(this, "btnTipo", QString(), s->standardIcon(QStyle::SP_FileDialogListView));
    btnTipo->setToolTip(t.dicaTipo);
    DBEdit1 = new ui::DBEdit(dados, t.valor, this);
    DBEdit2 = new ui::DBEdit(dados, t.data, this);
    btnSalvar2 = botao(this, "btnSalvar2", QString(), s->standardIcon(QStyle::SP_DialogSaveButton));
    btnSalvar2->setIconSize(QSize(28, 28));
    DBEdit3->setMinimumWidth(260);
    DBLookupComboBox1->setMinimumWidth(170);
    DBEdit1->setFixedWidth(100);
    DBEdit2->setFixedWidth(90);
    entrada->addWidget(Label1, 0, 0);
    entrada->addWidget(Label2, 0, 1);
    entrada->addWidget(Label3, 0, 3);
    entrada->addWidget(Label4, 0, 4);
    entrada->addWidget(DBEdit3, 1, 0);
    entrada->addWidget(DBLookupComboBox1, 1, 1);
    entrada->addWidget(btnTipo, 1, 2);
    entrada->addWidget(DBEdit1, 1, 3);
    entrada->addWidget(DBEdit2, 1, 4);
    entrada->addWidget(btnSalvar2, 0, 6, 2, 1, Qt::AlignRight | Qt::AlignBottom);
    entrada->setColumnStretch(0, 3);
    entrada->setColumnStretch(1, 2);
    entrada->setColumnStretch(5, 1);

    DBGrid1 = new ui::DBGrid(dados,
                             {{t.descricao, QStringLiteral("Descrição")},
                              {t.nomeTipo, QStringLiteral("Tipo")},
                              {t.valor, QStringLiteral("Valor"), Qt::AlignRight | Qt::AlignVCenter},
                              {t.data, QStringLiteral("Data"), Qt::AlignCenter}},
                             this);
    DBGrid1->setObjectName(QStringLiteral("DBGrid1"));
    DBGrid1->setColumnWidth(0, 300);
    DBGrid1->setColumnWidth(1, 170);
    DBGrid1->setColumnWidth(2, 110);
    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    Alterar1 = PopupMenu1->addAction(QStringLiteral("Alterar"));
    Alterar1->setObjectName(QStringLiteral("Alterar1"));
    DBGrid1->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(DBGrid1, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &p) { PopupMenu1->popup(DBGrid1->viewport()->mapToGlobal(p)); });

    auto *busca = new QHBoxLayout;
    Label5 = new QLabel(t.rotuloBusca, this);
    txtBuscar = new QLineEdit(this);
    txtBuscar->setObjectName(QStringLiteral("txtBuscar"));
    btnBuscar = new QPushButton(QStringLiteral("Buscar"), this);
    btnBuscar->setObjectName(QStringLiteral("btnBuscar"));
    btnMostrar = new QPushButton(QStringLiteral("Mostrar Todos"), this);
    btnMostrar->setObjectName(QStringLiteral("btnMostrar"));
    for (QPushButton *b : {btnBuscar, btnMostrar})
        b->setAutoDefault(false);
    busca->addWidget(Label5);
    busca->addWidget(txtBuscar, 1);
    busca->addWidget(btnBuscar);
    busca->addWidget(btnMostrar);

    auto *janela = new QVBoxLayout(this);
    janela->addLayout(topo);
    janela->addLayout(entrada);
    janela->addWidget(DBGrid1, 1);
    janela->addLayout(busca);

    // Hidden entry "Novo" of the main menu: only its shortcut shows.
    Novo1 = new QAction(QStringLiteral("Novo"), this);
    Novo1->setObjectName(QStringLiteral("Novo1"));
    Novo1->setShortcut(QKeySequence(Qt::Key_F1));
    Novo1->setShortcutContext(Qt::WindowShortcut);
    addAction(Novo1);

    DBEdit3->setObjectName(QStringLiteral("DBEdit3"));
    DBLookupComboBox1->setObjectName(QStringLiteral("DBLookupComboBox1"));
    DBEdit1->setObjectName(QStringLiteral("DBEdit1"));
    DBEdit2->setObjectName(QStringLiteral("DBEdit2"));
    setTabOrder(DBEdit3, DBLookupComboBox1);
    setTabOrder(DBLookupComboBox1, DBEdit1);
    setTabOrder(DBEdit1, DBEdit2);
    setTabOrder(DBEdit2, DBGrid1);
    setTabOrder(DBGrid1, txtBuscar);

    const auto salvar = [this] { btnSalvarClick(); };
    const auto sair = [this] { btnSairClick(); };
    for (QWidget *caixa : {static_cast<QWidget *>(DBEdit3), static_cast<QWidget *>(DBEdit1),
                           static_cast<QWidget *>(DBEdit2)})
        mapearTeclas(caixa, salvar, sair);
    mapearTeclas(DBLookupComboBox1, salvar, sair, true);

    auto *trava = new TravaLinha(&m_mov.cache(), this);
    trava->vigiar(DBGrid1);
    trava->vigiar(DBGrid1->viewport());

    ui::on(btnNovo, &QToolButton::clicked, this, [this] { btnNovoClick(); });
    ui::on(Novo1, &QAction::triggered, this, [this] { Novo1Click(); });
    ui::on(btnSalvar, &QToolButton::clicked, this, [this] { btnSalvarClick(); });
    ui::on(btnSalvar2, &QToolButton::clicked, this, [this] { btnSalvarClick(); });
    ui::on(btnCancelar, &QToolButton::clicked, this, [this] { btnCancelarClick(); });
    ui::on(btnExcluir, &QToolButton::clicked, this, [this] { btnExcluirClick(); });
    ui::on(DBGrid1, &ui::DBGrid::rowDoubleClicked, this, [this] { DBGrid1DblClick(); });
    ui::on(Alterar1, &QAction::triggered, this, [this] { Alterar1Click(); });
    ui::on(txtBuscar, &QLineEdit::textChanged, this, [this] { txtBuscarChange(); });
    ui::on(btnBuscar, &QPushButton::clicked, this, [this] { btnBuscarClick(); });
    ui::on(btnMostrar, &QPushButton::clicked, this, [this] { btnMostrarClick(); });
    ui::on(btnTipo, &QToolButton::clicked, this, [this] { btnTipoClick(); });
    ui::on(btnSair, &QToolButton::clicked, this, [this] { btnSairClick(); });

    resize(820, 500);
}

void TFMovimento::navegar()
{
    m_editando = false;
    for (QWidget *w : std::initializer_list<QWidget *>{DBEdit3, DBLookupComboBox1, DBEdit1, DBEdit2,
                                                       btnSalvar, btnSalvar2, btnCancelar, btnTipo})
        w->setEnabled(false);
    for (QWidget *w : std::initializer_list<QWidget *>{btnNovo, btnExcluir, btnSair, txtBuscar,
                                                       btnBuscar, btnMostrar})
        w->setEnabled(true);
    Novo1->setEnabled(true);
}

void TFMovimento::editar(bool dataTravada)
{
    m_editando = true;
    for (QWidget *w : std::initializer_list<QWidget *>{DBEdit3, DBLookupComboBox1, DBEdit1,
                                                       btnSalvar, btnSalvar2, btnCancelar, btnTipo})
        w->setEnabled(true);
    DBEdit2->setEnabled(!dataTravada);
    for (QWidget *w : std::initializer_list<QWidget *>{btnNovo, btnExcluir, btnSair, txtBuscar,
                                                       btnBuscar, btnMostrar})
        w->setEnabled(false);
    // F1 follows the new-movement button: no second row while one is being edited.
    Novo1->setEnabled(false);
    DBEdit3->setFocus(Qt::TabFocusReason);
}

void TFMovimento::passo(const std::function<void()> &acao)
{
    try {
        acao();
    } catch (const DbError &) {
        if (m_editando && !m_mov.cache().isEditing())
            navegar();
        throw;
    }
}

void TFMovimento::FormShow()
{
    m_mov.abrir();
    navegar();
}

void TFMovimento::btnNovoClick()
{
    editar();
    passo([this] { m_mov.novo(); });
}

void TFMovimento::Novo1Click()
{
    if (!m_editando)
        btnNovoClick();
}

void TFMovimento::btnSalvarClick()
{
    passo([this] { m_mov.salvar(DBEdit2->maskedText()); });
    navegar();
}

void TFMovimento::btnCancelarClick()
{
    passo([this] { m_mov.cancelar(); });
    navegar();
}

void TFMovimento::btnExcluirClick()
{
    if (!ui::Dialogs::confirm(this,
                              QStringLiteral("Você realmente deseja excluir este registro ?")))
        return;
    m_mov.excluir();
}

void TFMovimento::DBGrid1DblClick()
{
    Alterar1Click();
}

void TFMovimento::Alterar1Click()
{
    if (m_editando) {
        DBEdit3->setFocus(Qt::TabFocusReason);
        return;
    }
    editar(true);
    passo([this] { m_mov.alterar(); });
}

void TFMovimento::txtBuscarChange()
{
    m_mov.buscar(txtBuscar->text());
}

void TFMovimento::btnBuscarClick()
{
    txtBuscarChange();
}

void TFMovimento::btnMostrarClick()
{
    m_mov.mostrarTodos();
}

void TFMovimento::btnTipoClick()
{
    abrirTipos();
}

void TFMovimento::btnSairClick()
{
    close();
}

void TFMovimento::done(int result)
{
    // A movement still being edited is cancelled: it never reaches the server unrecomputed.
    if (m_mov.cache().isEditing())
        ui::guard(this, [this] { m_mov.cancelar(); });
    m_editando = false;
    QDialog::done(result);
}

} // namespace lx::finance
