#include "finance/registerwindow.h"

#include "db/tablecache.h"
#include "finance/tdm.h"
#include "ui/datasource.h"
#include "ui/dbedit.h"
#include "ui/dbgrid.h"
#include "ui/dbnavigator.h"
#include "ui/guard.h"
#include "ui/keymap.h"

#include <QAbstractButton>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QScreen>
#include <QShowEvent>
#include <QStyle>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace lx::finance {

void mapearTeclas(QWidget *caixa, const std::function<void()> &salvar,
                  const std::function<void()> &sair, bool lista)
{
    ui::KeyMap &k = ui::keys(caixa);
    if (lista)
        k.enterNext();
    else
        k.next().prev();
    k.on(Qt::Key_F5, salvar).on(Qt::Key_Escape, sair);
}

TravaLinha::TravaLinha(TableCache *cache, QObject *parent) : QObject(parent), m_cache(cache) {}

void TravaLinha::vigiar(QWidget *controle)
{
    controle->installEventFilter(this);
}

bool TravaLinha::eventFilter(QObject *watched, QEvent *event)
{
    if (!m_cache || !m_cache->isEditing())
        return QObject::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::ContextMenu:
        return true;
    case QEvent::KeyPress: {
        // Moving the focus away and closing stay possible.
        const int key = static_cast<QKeyEvent *>(event)->key();
        return key != Qt::Key_Tab && key != Qt::Key_Backtab && key != Qt::Key_Escape;
    }
    default:
        return QObject::eventFilter(watched, event);
    }
}

namespace {

QToolButton *botao(QWidget *pai, const char *nome, const QString &legenda,
                   QStyle::StandardPixmap figura)
{
    auto *b = new QToolButton(pai);
    b->setObjectName(QLatin1String(nome));
    b->setText(legenda);
    b->setIcon(pai->style()->standardIcon(figura));
    b->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    // The picture goes right of the caption.
    b->setLayoutDirection(Qt::RightToLeft);
    b->setAutoRaise(true);
    b->setFocusPolicy(Qt::NoFocus);
    b->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    return b;
}

} // namespace

RegisterWindow::RegisterWindow(const FichaCadastro &ficha, QWidget *parent)
    : ui::FormDialog(parent), m_cadastro(*(DM->*ficha.cache), ficha.codigo), m_campos(ficha.campos)
{
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setWindowTitle(ficha.titulo);
    montar(ficha, DM->*ficha.dados);
    navegar();
}

RegisterWindow::~RegisterWindow() = default;

void RegisterWindow::montar(const FichaCadastro &ficha, ui::DataSource *dados)
{
    PageControl1 = new QTabWidget(this);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    TabSheet1 = new QWidget;
    TabSheet1->setObjectName(QStringLiteral("TabSheet1"));
    TabSheet2 = new QWidget;
    TabSheet2->setObjectName(QStringLiteral("TabSheet2"));
    PageControl1->addTab(TabSheet1, QStringLiteral("Cadastro"));
    PageControl1->addTab(TabSheet2, QStringLiteral("Consulta"));

    auto *linha = new QHBoxLayout(TabSheet1);
    auto *dadosCol = new QVBoxLayout;
    for (int i = 0; i < ficha.campos.size(); ++i) {
        const CampoCadastro &c = ficha.campos[i];
        auto *rotulo = new QLabel(c.rotulo, TabSheet1);
        rotulo->setObjectName(QStringLiteral("Label%1").arg(i + 1));
        auto *caixa = new ui::DBEdit(dados, c.campo, TabSheet1);
        caixa->setObjectName(QStringLiteral("DBEdit%1").arg(i + 1));
        rotulo->setBuddy(caixa);
        dadosCol->addWidget(rotulo);
        dadosCol->addWidget(caixa);
        rotulos << rotulo;
        caixas << caixa;
        if (c.descricao)
            mapearTeclas(
                caixa, [this] { btnSalvarClick(); }, [this] { btnSairClick(); });
    }
    DBNavigator1 = new ui::DBNavigator(dados, TabSheet1);
    DBNavigator1->setObjectName(QStringLiteral("DBNavigator1"));
    dadosCol->addSpacing(8);
    dadosCol->addWidget(DBNavigator1, 0, Qt::AlignLeft);
    dadosCol->addStretch();
    linha->addLayout(dadosCol, 1);

    auto *botoes = new QVBoxLayout;
    btnNovo = botao(TabSheet1, "btnNovo", QStringLiteral("Novo"), QStyle::SP_FileIcon);
    btnAlterar = botao(TabSheet1, "btnAlterar", QStringLiteral("Alterar"),
                       QStyle::SP_FileDialogDetailedView);
    btnSalvar =
        botao(TabSheet1, "btnSalvar", QStringLiteral("Salvar"), QStyle::SP_DialogSaveButton);
    btnCancelar =
        botao(TabSheet1, "btnCancelar", QStringLiteral("Cancelar"), QStyle::SP_DialogCancelButton);
    btnExcluir = botao(TabSheet1, "btnExcluir", QStringLiteral("Excluir"), QStyle::SP_TrashIcon);
    btnConsultar = botao(TabSheet1, "btnConsultar", QStringLiteral("Consultar"),
                         QStyle::SP_FileDialogContentsView);
    btnSair = botao(TabSheet1, "btnSair", QStringLiteral("Sair"), QStyle::SP_DialogCloseButton);
    const std::pair<QToolButton *, void (RegisterWindow::*)()> acoes[] = {
        {btnNovo, &RegisterWindow::btnNovoClick},
        {btnAlterar, &RegisterWindow::btnAlterarClick},
        {btnSalvar, &RegisterWindow::btnSalvarClick},
        {btnCancelar, &RegisterWindow::btnCancelarClick},
        {btnExcluir, &RegisterWindow::btnExcluirClick},
        {btnConsultar, &RegisterWindow::btnConsultarClick},
        {btnSair, &RegisterWindow::btnSairClick}};
    for (const auto &[b, handler] : acoes) {
        botoes->addWidget(b);
        ui::on(b, &QToolButton::clicked, this, [this, h = handler] { (this->*h)(); });
    }
    botoes->addStretch();
    linha->addLayout(botoes);

    auto *grade = new QVBoxLayout(TabSheet2);
    DBGrid1 = new ui::DBGrid(dados, ficha.colunas, TabSheet2);
    DBGrid1->setObjectName(QStringLiteral("DBGrid1"));
    grade->addWidget(DBGrid1);
    connect(DBGrid1, &ui::DBGrid::rowDoubleClicked, this,
            [this] { ui::guard(this, [this] { DBGrid1DblClick(); }); });

    auto *trava = new TravaLinha(&cache(), this);
    trava->vigiar(DBGrid1);
    trava->vigiar(DBGrid1->viewport());
    for (auto b : {ui::DBNavigator::First, ui::DBNavigator::Prior, ui::DBNavigator::Next,
                   ui::DBNavigator::Last})
        trava->vigiar(DBNavigator1->button(b));

    QWidget *anterior = nullptr;
    for (ui::DBEdit *c : caixas) {
        if (anterior)
            setTabOrder(anterior, c);
        anterior = c;
    }
    if (anterior)
        setTabOrder(anterior, DBNavigator1);

    auto *janela = new QVBoxLayout(this);
    janela->addWidget(PageControl1);
    resize(440, 300);
}

ui::DBEdit *RegisterWindow::caixa(const QString &campo) const
{
    for (int i = 0; i < m_campos.size(); ++i)
        if (m_campos[i].campo.compare(campo, Qt::CaseInsensitive) == 0)
            return caixas[i];
    return nullptr;
}

void RegisterWindow::navegar()
{
    m_editando = false;
    for (ui::DBEdit *c : caixas)
        c->setEnabled(false);
    for (QToolButton *b : {btnNovo, btnExcluir, btnConsultar, btnSair})
        b->setEnabled(true);
    for (QToolButton *b : {btnSalvar, btnCancelar})
        b->setEnabled(false);
}

void RegisterWindow::editar()
{
    m_editando = true;
    for (int i = 0; i < caixas.size(); ++i)
        caixas[i]->setEnabled(m_campos[i].editavel);
    for (QToolButton *b : {btnNovo, btnExcluir, btnConsultar, btnSair})
        b->setEnabled(false);
    for (QToolButton *b : {btnSalvar, btnCancelar})
        b->setEnabled(true);
    for (int i = 0; i < caixas.size(); ++i)
        if (m_campos[i].descricao)
            caixas[i]->setFocus(Qt::TabFocusReason);
}

void RegisterWindow::passo(const std::function<void()> &acao)
{
    try {
        acao();
    } catch (const DbError &) {
        if (m_editando && !cache().isEditing())
            navegar();
        throw;
    }
}

void RegisterWindow::FormShow()
{
    cache().open();
    if (cache().isEditing())
        cancelarLinha(cache());
    navegar();
}

void RegisterWindow::btnNovoClick()
{
    m_cadastro.novo();
    editar();
}

void RegisterWindow::btnAlterarClick()
{
    m_cadastro.alterar();
    editar();
}

void RegisterWindow::btnSalvarClick()
{
    passo([this] { m_cadastro.salvar(); });
    navegar();
}

void RegisterWindow::btnCancelarClick()
{
    passo([this] { m_cadastro.cancelar(); });
    navegar();
}

void RegisterWindow::btnExcluirClick()
{
    m_cadastro.excluir();
}

void RegisterWindow::btnConsultarClick()
{
    PageControl1->setCurrentWidget(TabSheet2);
}

void RegisterWindow::DBGrid1DblClick()
{
    PageControl1->setCurrentWidget(TabSheet1);
}

void RegisterWindow::btnSairClick()
{
    close();
}

void RegisterWindow::done(int result)
{
    // A row still being edited is cancelled, not left half-done in the shared cache.
    if (cache().isEditing())
        ui::guard(this, [this] { m_cadastro.cancelar(); });
    m_editando = false;
    QDialog::done(result);
}

} // namespace lx::finance
