#include "finance/tfcaixames.h"

#include "db/tablecache.h"
#include "finance/core/caixa.h"
#include "finance/look.h"
#include "finance/tdm.h"
#include "ui/buttons.h"
#include "ui/datasource.h"
#include "ui/dbedit.h"
#include "ui/dbgrid.h"
#include "ui/guard.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QStyle>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace lx::finance {

const QString TFCaixaMes::yearPlaceholder = QStringLiteral("Digite o Ano");

TFCaixaMes::TFCaixaMes(TDM &dm, QWidget *parent) : ui::FormDialog(parent), m_dm(dm)
{
    setObjectName(QStringLiteral("FCaixaMes"));
    setWindowTitle(QStringLiteral("Caixa do Mês"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint);
    // Nothing here edits a summary: the bound boxes stay read-only.
    dm.DSCAIXAMES->setAutoEdit(false);

    PageControl1 = new QTabWidget(this);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    PageControl1->addTab(buildMonthTab(), QStringLiteral("Consulta do Mês"));
    PageControl1->addTab(buildAllMonthsTab(), QStringLiteral("Consulta de Todos os Meses"));
    auto *window = new QVBoxLayout(this);
    window->addWidget(PageControl1);
    resize(620, 360);
}

QWidget *TFCaixaMes::buildMonthTab()
{
    TabSheet1 = new QWidget;
    TabSheet1->setObjectName(QStringLiteral("TabSheet1"));
    ui::DataSource *source = m_dm.DSCAIXAMES;
    auto *grid = new QGridLayout(TabSheet1);
    const struct
    {
        ui::DBEdit *&box;
        const char *name;
        const char *label;
        const char *field;
    } boxes[] = {
        {DBEdit3, "DBEdit3", "Mês", "CAINOMEMES"},
        {DBEdit4, "DBEdit4", "Ano", "CAIANO"},
        {DBEdit5, "DBEdit5", "Valor Disponível", "CAIVALORDISPONIVEL"},
        {DBEdit6, "DBEdit6", "Valor Gasto", "CAIVALORGASTO"},
        {DBEdit7, "DBEdit7", "Valor das Entradas", "CAIVALORRECEBIDO"},
    };
    int row = 0;
    for (const auto &b : boxes) {
        auto *label = new QLabel(QString::fromUtf8(b.label), TabSheet1);
        b.box = new ui::DBEdit(source, QString::fromLatin1(b.field), TabSheet1);
        b.box->setObjectName(QString::fromLatin1(b.name));
        b.box->setMaximumWidth(220);
        label->setBuddy(b.box);
        grid->addWidget(label, row++, 0);
        grid->addWidget(b.box, row++, 0);
    }
    btnSair = barButton(TabSheet1, "btnSair", QString(), picture(QStringLiteral("sair")),
                        QStringLiteral("Sair"));
    btnSair->setIconSize(QSize(32, 32));
    grid->addWidget(btnSair, 0, 2, 2, 1, Qt::AlignRight | Qt::AlignTop);

    QStyle *s = style();
    auto *moves = new QHBoxLayout;
    moves->addStretch();
    btnPrimeiro = barButton(TabSheet1, "btnPrimeiro", QString(),
                            s->standardIcon(QStyle::SP_MediaSkipBackward));
    btnAnterior = barButton(TabSheet1, "btnAnterior", QString(),
                            s->standardIcon(QStyle::SP_MediaSeekBackward));
    btnProximo =
        barButton(TabSheet1, "btnProximo", QString(), s->standardIcon(QStyle::SP_MediaSeekForward));
    btnUltimo =
        barButton(TabSheet1, "btnUltimo", QString(), s->standardIcon(QStyle::SP_MediaSkipForward));
    TableCache *cache = m_dm.TBCAIXAMES;
    const std::pair<QToolButton *, void (TableCache::*)()> steps[] = {
        {btnPrimeiro, &TableCache::first},
        {btnAnterior, &TableCache::prior},
        {btnProximo, &TableCache::next},
        {btnUltimo, &TableCache::last}};
    for (const auto &[button, move] : steps) {
        moves->addWidget(button);
        ui::on(button, &QToolButton::clicked, this, [cache, m = move] {
            if (cache->isOpen())
                (cache->*m)();
        });
    }
    grid->addLayout(moves, row, 0, 1, 3);
    grid->setRowStretch(row - 1, 1);
    grid->setColumnStretch(1, 1);
    ui::on(btnSair, &QToolButton::clicked, this, [this] { btnSairClick(); });
    return TabSheet1;
}

QWidget *TFCaixaMes::buildAllMonthsTab()
{
    TabSheet2 = new QWidget;
    TabSheet2->setObjectName(QStringLiteral("TabSheet2"));
    auto *search = new QHBoxLayout;
    Label6 = new QLabel(QStringLiteral("Buscar: "), TabSheet2);
    CBMes = new QComboBox(TabSheet2);
    CBMes->setObjectName(QStringLiteral("CBMes"));
    CBMes->addItems(monthNames());
    CBMes->setPlaceholderText(QStringLiteral("Selecione o Mês"));
    CBMes->setCurrentIndex(-1);
    txtAno = new QLineEdit(yearPlaceholder, TabSheet2);
    txtAno->setObjectName(QStringLiteral("txtAno"));
    txtAno->setMaximumWidth(120);
    txtAno->installEventFilter(this);
    btnBuscar = barButton(TabSheet2, "btnBuscar", QString(),
                          style()->standardIcon(QStyle::SP_FileDialogContentsView));
    btnSair2 = barButton(TabSheet2, "btnSair2", QString(), picture(QStringLiteral("sair")),
                         QStringLiteral("Sair"));
    search->addWidget(Label6);
    search->addWidget(CBMes);
    search->addWidget(txtAno);
    search->addWidget(btnBuscar);
    search->addStretch();
    search->addWidget(btnSair2);

    DBGrid1 =
        new ui::DBGrid(m_dm.DSCAIXAMES,
                       {{QStringLiteral("CAINOMEMES"), QStringLiteral("Mês")},
                        {QStringLiteral("CAIANO"), QStringLiteral("Ano"), Qt::AlignCenter},
                        {QStringLiteral("CAIVALORDISPONIVEL"), QStringLiteral("Valor Disponivel"),
                         Qt::AlignRight | Qt::AlignVCenter},
                        {QStringLiteral("CAIVALORGASTO"), QStringLiteral("Valor Gasto"),
                         Qt::AlignRight | Qt::AlignVCenter},
                        {QStringLiteral("CAIVALORRECEBIDO"), QStringLiteral("Valor das Entradas"),
                         Qt::AlignRight | Qt::AlignVCenter}},
                       TabSheet2);
    DBGrid1->setObjectName(QStringLiteral("DBGrid1"));
    DBGrid1->setRowIndicator(true);
    auto *page = new QVBoxLayout(TabSheet2);
    page->addLayout(search);
    page->addWidget(DBGrid1, 1);

    ui::on(btnBuscar, &QToolButton::clicked, this, [this] { btnBuscarClick(); });
    ui::on(btnSair2, &QToolButton::clicked, this, [this] { btnSairClick(); });
    ui::on(txtAno, &QLineEdit::textChanged, this, [this] { txtAnoChange(); });
    ui::on(DBGrid1, &ui::DBGrid::rowDoubleClicked, this, [this] { DBGrid1DblClick(); });
    return TabSheet2;
}

void TFCaixaMes::FormShow()
{
    // The summaries as the server holds them now, written since the cache was read included.
    m_dm.TBCAIXAMES->refresh();
    m_dm.TBCAIXAMES->last();
}

void TFCaixaMes::btnBuscarClick()
{
    locateMonth(*m_dm.TBCAIXAMES, CBMes->currentIndex() + 1, txtAno->text());
}

void TFCaixaMes::txtAnoClick()
{
    if (txtAno->text() == yearPlaceholder)
        txtAno->clear();
}

void TFCaixaMes::txtAnoChange()
{
    txtAnoClick();
}

void TFCaixaMes::DBGrid1DblClick()
{
    PageControl1->setCurrentWidget(TabSheet1);
}

void TFCaixaMes::btnSairClick()
{
    close();
}

bool TFCaixaMes::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == txtAno && event->type() == QEvent::MouseButtonPress)
        ui::guard(this, [this] { txtAnoClick(); });
    return ui::FormDialog::eventFilter(watched, event);
}

} // namespace lx::finance
