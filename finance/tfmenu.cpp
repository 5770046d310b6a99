#include "finance/tfmenu.h"

#include "finance/look.h"
#include "finance/menubarstyle.h"
#include "finance/tdm.h"
#include "finance/tfcaixames.h"
#include "finance/tfcontasapagar.h"
#include "finance/tffiltrorelatorio.h"
#include "finance/tfgasto.h"
#include "finance/tfgraficos.h"
#include "finance/tfrecebimento.h"
#include "finance/tftipoentrada.h"
#include "finance/tftipogasto.h"
#include "ui/buttons.h"
#include "ui/formdialog.h"
#include "ui/guard.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QToolButton>
#include <QVBoxLayout>

namespace lx::finance {

TFMenu *FMenu = nullptr;

QPointer<TFGasto> FGasto;
QPointer<TFRecebimento> FRecebimento;
QPointer<TFCaixaMes> FCaixaMes;
QPointer<TFGraficos> FGraficos;
QPointer<TFContasAPagar> FContasAPagar;
QPointer<TFFiltroRelatorio> FFiltroRelatorio;
QPointer<TFTipoGasto> FTipoGasto;
QPointer<TFTipoEntrada> FTipoEntrada;

namespace {} // namespace

TFMenu::TFMenu(QWidget *parent) : TFMenu(defaultAliasFile(), lx::programFolder(), parent) {}

TFMenu::TFMenu(const QString &aliasFile, const QString &programFolder, QWidget *parent)
    : QMainWindow(parent)
{
    FMenu = this;
    build();
    FormCreate(aliasFile, programFolder);
    ui::onShow(this, [this] { FormShow(); });
}

TFMenu::~TFMenu()
{
    if (FMenu == this)
        FMenu = nullptr;
    // The windows go before the data module whose caches their controls are bound to.
    qDeleteAll(findChildren<QDialog *>(Qt::FindDirectChildrenOnly));
}

void TFMenu::build()
{
    setObjectName(QStringLiteral("FMenu"));
    setWindowTitle(QStringLiteral("Tostara"));

    auto *central = new QWidget(this);
    auto *column = new QVBoxLayout(central);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);

    auto *panel = new QWidget(central);
    panel->setObjectName(QStringLiteral("Panel1"));
    auto *row = new QHBoxLayout(panel);
    row->setContentsMargins(4, 4, 4, 4);
    row->setSpacing(2);
    btnGasto = button("btnGasto", QStringLiteral("Informar Gasto"), QStringLiteral("gasto"),
                      &TFMenu::btnGastoClick);
    btnRecebimento = button("btnRecebimento", QStringLiteral("Informar Entrada"),
                            QStringLiteral("entrada"), &TFMenu::btnRecebimentoClick);
    btnCaixa = button("btnCaixa", QStringLiteral("Consultar Caixa"), QStringLiteral("caixa"),
                      &TFMenu::btnCaixaClick);
    btnGraficos = button("btnGraficos", QStringLiteral("Ver Gráficos"), QStringLiteral("graficos"),
                         &TFMenu::btnGraficosClick);
    btnSair =
        button("btnSair", QStringLiteral("Sair"), QStringLiteral("sair"), &TFMenu::btnSairClick);
    for (QToolButton *b : {btnGasto, btnRecebimento, btnCaixa, btnGraficos, btnSair})
        row->addWidget(b);
    row->addStretch();
    column->addWidget(panel);

    auto *separator = new QFrame(central);
    separator->setObjectName(QStringLiteral("Panel2"));
    separator->setFrameShape(QFrame::HLine);
    separator->setFrameShadow(QFrame::Plain);
    separator->setLineWidth(1);
    separator->setFixedHeight(1);
    column->addWidget(separator);

    Image1 = new QLabel(central);
    Image1->setObjectName(QStringLiteral("Image1"));
    const QPixmap fundo(QStringLiteral(":/finance/images/fundo.jpg"));
    Image1->setPixmap(fundo);
    Image1->setScaledContents(true);
    Image1->setMinimumSize(fundo.size());
    column->addWidget(Image1, 1);
    setCentralWidget(central);

    QMenuBar *bar = menuBar();
    auto *barStyle = new MenuBarStyle;
    // A widget does not own its style: the bar's child lives exactly as long as the bar.
    barStyle->setParent(bar);
    bar->setStyle(barStyle);

    Sadas1 = bar->addMenu(picture(QStringLiteral("saidas")), QStringLiteral("Saídas"));
    Sadas1->setObjectName(QStringLiteral("Sadas1"));
    InformarGasto1 = entry(Sadas1, "InformarGasto1", QStringLiteral("Informar Gasto"),
                           QStringLiteral("gasto"), &TFMenu::InformarGasto1Click);
    CadastrodeTiposdeGastos1 =
        entry(Sadas1, "CadastrodeTiposdeGastos1", QStringLiteral("Cadastro de Tipos de Gastos"),
              QStringLiteral("tiposgasto"), &TFMenu::CadastrodeTiposdeGastos1Click);
    ContasPagar1 = entry(Sadas1, "ContasPagar1", QStringLiteral("Contas à Pagar"),
                         QStringLiteral("contas"), &TFMenu::ContasPagar1Click);

    Entradas1 = bar->addMenu(picture(QStringLiteral("entradas")), QStringLiteral("Entradas"));
    Entradas1->setObjectName(QStringLiteral("Entradas1"));
    InformarEntrada1 = entry(Entradas1, "InformarEntrada1", QStringLiteral("Informar Entrada"),
                             QStringLiteral("entrada"), &TFMenu::InformarEntrada1Click);
    CadastrodeTiposdeEntradas1 = entry(
        Entradas1, "CadastrodeTiposdeEntradas1", QStringLiteral("Cadastro de Tipos de Entradas"),
        QStringLiteral("tiposentrada"), &TFMenu::CadastrodeTiposdeEntradas1Click);

    Relatrios1 = bar->addMenu(picture(QStringLiteral("relatorios")), QStringLiteral("Relatórios"));
    Relatrios1->setObjectName(QStringLiteral("Relatrios1"));
    Grficos1 = entry(Relatrios1, "Grficos1", QStringLiteral("Gráficos"), QStringLiteral("graficos"),
                     &TFMenu::Grficos1Click);
    Listagens1 = entry(Relatrios1, "Listagens1", QStringLiteral("Listagens"),
                       QStringLiteral("listagens"), &TFMenu::Listagens1Click);

    // Not in the menu bar, yet its shortcut works: it belongs to the window itself.
    Sair1 = new QAction(QStringLiteral("Sair"), this);
    Sair1->setObjectName(QStringLiteral("Sair1"));
    Sair1->setShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F4));
    Sair1->setShortcutContext(Qt::WindowShortcut);
    addAction(Sair1);
    ui::on(Sair1, &QAction::triggered, this, [this] { Sair1Click(); });

    setFixedSize(sizeHint());
}

QToolButton *TFMenu::button(const char *name, const QString &caption, const QString &pictureName,
                            void (TFMenu::*handler)())
{
    ui::ButtonLook look;
    look.style = Qt::ToolButtonTextUnderIcon;
    look.iconSize = 40;
    look.takesFocus = true;
    look.minimumSize = QSize(96, 0);
    look.captionColor = Qt::blue;
    QToolButton *b =
        ui::makeButton(this, QString::fromLatin1(name), caption, picture(pictureName), look);
    ui::on(b, &QToolButton::clicked, this, [this, handler] { (this->*handler)(); });
    return b;
}

QAction *TFMenu::entry(QMenu *menu, const char *name, const QString &caption,
                       const QString &pictureName, void (TFMenu::*handler)())
{
    QAction *a = menu->addAction(picture(pictureName), caption);
    a->setObjectName(QString::fromLatin1(name));
    ui::on(a, &QAction::triggered, this, [this, handler] { (this->*handler)(); });
    return a;
}

void TFMenu::FormCreate(const QString &aliasFile, const QString &programFolder)
{
    m_programFolder = programFolder;
    m_dm = new TDM(this);
    const QString error = m_dm->DataModuleCreate(aliasFile, m_programFolder);
    if (!error.isEmpty())
        ui::Dialogs::error(this, error, m_dm->setUpDetails());
}

void TFMenu::FormShow()
{
    if (!m_centred) {
        ui::centerOnScreen(this);
        m_centred = true;
    }
    activateWindow();
    setFocus();
}

void TFMenu::closeEvent(QCloseEvent *event)
{
    QMainWindow::closeEvent(event);
    if (event->isAccepted())
        FormClose();
}

void TFMenu::FormClose()
{
    QCoreApplication::quit();
}

void TFMenu::btnGastoClick()
{
    open(FGasto);
}
void TFMenu::btnRecebimentoClick()
{
    open(FRecebimento);
}
void TFMenu::btnCaixaClick()
{
    open(FCaixaMes);
}
void TFMenu::btnGraficosClick()
{
    open(FGraficos);
}
void TFMenu::btnSairClick()
{
    close();
}
void TFMenu::InformarGasto1Click()
{
    btnGastoClick();
}
void TFMenu::CadastrodeTiposdeGastos1Click()
{
    open(FTipoGasto);
}
void TFMenu::ContasPagar1Click()
{
    open(FContasAPagar);
}
void TFMenu::InformarEntrada1Click()
{
    btnRecebimento->click();
}
void TFMenu::CadastrodeTiposdeEntradas1Click()
{
    open(FTipoEntrada);
}
void TFMenu::Grficos1Click()
{
    btnGraficosClick();
}
void TFMenu::Listagens1Click()
{
    open(FFiltroRelatorio);
}
void TFMenu::Sair1Click()
{
    close();
}

} // namespace lx::finance
