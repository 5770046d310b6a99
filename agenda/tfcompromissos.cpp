#include "agenda/tfcompromissos.h"

#include "agenda/agendadata.h"
#include "agenda/program.h"
#include "agenda/tffiltrorelatoriocompromissos.h"
#include "agenda/tfmenu.h"
#include "db/tablecache.h"
#include "ui/buttons.h"
#include "ui/datasource.h"
#include "ui/dbedit.h"
#include "ui/dbgrid.h"
#include "ui/dbmemo.h"
#include "ui/dbnavigator.h"
#include "ui/dialogs.h"
#include "ui/guard.h"
#include "ui/keymap.h"
#include "ui/maskedit.h"
#include "ui/shortcuts.h"

#include <QAction>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QStyle>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace lx::agenda {

TFCompromissos::TFCompromissos(Program &program, QWidget *parent)
    : ui::RecordWindow(program.FMenu->dm().DSCOMPROMISSO, parent), m_program(program),
      m_appointments(*program.FMenu->dm().TBCOMPROMISSO)
{
    setObjectName(QStringLiteral("FCompromissos"));
    setWindowTitle(QStringLiteral("Compromissos"));
    build();
    navegar();
}

TFCompromissos::~TFCompromissos() = default;

void TFCompromissos::build()
{
    PageControl1 = new QTabWidget(this);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    TabSheet2 = buildDataTab();
    TabSheet3 = buildSearchTab();
    PageControl1->addTab(TabSheet2, QStringLiteral("Cadastro"));
    PageControl1->addTab(TabSheet3, QStringLiteral("Consulta"));
    PageControl1->setCurrentWidget(TabSheet2);
    connect(PageControl1, &QTabWidget::currentChanged, this, [this](int index) {
        if (PageControl1->widget(index) == TabSheet2)
            ui::guard(this, [this] { TabSheet2Show(); });
        else if (PageControl1->widget(index) == TabSheet3)
            ui::guard(this, [this] { TabSheet3Show(); });
    });

    buildShortcuts();

    lockRow({DBGrid1, DBGrid1->viewport()});
    setStateControls(
        {btnNovo, btnAlterar, btnExcluir, btnConsultar, btnImprimir, btnSair, DBNavigator1},
        {DBEdit2, DBEdit4, DBEdit5, DBMemo1, btnSalvar, btnCancelar});

    auto *window = new QVBoxLayout(this);
    window->addWidget(PageControl1);
    resize(640, 400);
}

QWidget *TFCompromissos::buildDataTab()
{
    auto *page = new QWidget;
    page->setObjectName(QStringLiteral("TabSheet2"));
    ui::DataSource *source = dataSource();

    auto label = [page](const char *name, const QString &text) {
        auto *l = new QLabel(text, page);
        l->setObjectName(QString::fromLatin1(name));
        return l;
    };
    auto edit = [page, source](const char *name, const QString &field) {
        auto *e = new ui::DBEdit(source, field, page);
        e->setObjectName(QString::fromLatin1(name));
        return e;
    };
    Label1 = label("Label1", QStringLiteral("Código"));
    Label2 = label("Label2", QStringLiteral("Título"));
    Label3 = label("Label3", QStringLiteral("Data"));
    Label4 = label("Label4", QStringLiteral("Horário"));
    Label5 = label("Label5", QStringLiteral("Descrição"));
    DBEdit1 = edit("DBEdit1", QStringLiteral("CODIGO"));
    DBEdit2 = edit("DBEdit2", QStringLiteral("TITULO"));
    DBEdit4 = edit("DBEdit4", QStringLiteral("DATA"));
    DBEdit5 = edit("DBEdit5", QStringLiteral("HORA"));
    DBMemo1 = new ui::DBMemo(source, QStringLiteral("DESCRICAO"), page);
    DBMemo1->setObjectName(QStringLiteral("DBMemo1"));
    Label1->setBuddy(DBEdit1);
    Label2->setBuddy(DBEdit2);
    Label3->setBuddy(DBEdit4);
    Label4->setBuddy(DBEdit5);
    Label5->setBuddy(DBMemo1);
    // The code comes from the server, never from the user.
    DBEdit1->setEnabled(false);
    DBEdit1->setFixedWidth(80);
    DBEdit4->setFixedWidth(90);
    DBEdit5->setFixedWidth(60);

    auto *boxes = new QGridLayout;
    boxes->addWidget(Label1, 0, 0);
    boxes->addWidget(DBEdit1, 1, 0);
    boxes->addWidget(Label2, 2, 0, 1, 3);
    boxes->addWidget(DBEdit2, 3, 0, 1, 3);
    boxes->addWidget(Label3, 4, 0);
    boxes->addWidget(Label4, 4, 1);
    boxes->addWidget(DBEdit4, 5, 0);
    boxes->addWidget(DBEdit5, 5, 1);
    boxes->addWidget(Label5, 6, 0, 1, 3);
    boxes->addWidget(DBMemo1, 7, 0, 1, 3);
    boxes->setColumnStretch(2, 1);
    boxes->setRowStretch(7, 1);

    setTabOrder(DBEdit2, DBEdit4);
    setTabOrder(DBEdit4, DBEdit5);
    setTabOrder(DBEdit5, DBMemo1);
    for (QWidget *box : {static_cast<QWidget *>(DBEdit2), static_cast<QWidget *>(DBEdit4),
                         static_cast<QWidget *>(DBEdit5)})
        ui::keys(box).next().prev();

    ui::ButtonLook look;
    look.pictureRight = true;
    look.stretch = true;
    auto *panel = new QVBoxLayout;
    for (QToolButton *b : ui::makeButtons(
             page, this, look,
             {
                 {btnNovo, "btnNovo", "Novo", QStyle::SP_FileIcon, [this] { btnNovoClick(); }},
                 {btnAlterar, "btnAlterar", "Alterar", QStyle::SP_FileDialogDetailedView,
                  [this] { btnAlterarClick(); }},
                 {btnSalvar, "btnSalvar", "Salvar", QStyle::SP_DialogSaveButton,
                  [this] { btnSalvarClick(); }},
                 {btnCancelar, "btnCancelar", "Cancelar", QStyle::SP_DialogCancelButton,
                  [this] { btnCancelarClick(); }},
                 {btnExcluir, "btnExcluir", "Excluir", QStyle::SP_TrashIcon,
                  [this] { btnExcluirClick(); }},
                 {btnConsultar, "btnConsultar", "Consultar", QStyle::SP_FileDialogContentsView,
                  [this] { btnConsultarClick(); }},
                 {btnImprimir, "btnImprimir", "Imprimir Compromissos",
                  QStyle::SP_FileDialogListView, [this] { btnImprimirClick(); }},
                 {btnSair, "btnSair", "Sair", QStyle::SP_DialogCloseButton,
                  [this] { btnSairClick(); }},
             }))
        panel->addWidget(b);
    DBNavigator1 = new ui::DBNavigator(source, page);
    DBNavigator1->setObjectName(QStringLiteral("DBNavigator1"));
    panel->addSpacing(8);
    panel->addWidget(DBNavigator1, 0, Qt::AlignHCenter);
    panel->addStretch();

    auto *row = new QHBoxLayout(page);
    row->addLayout(boxes, 1);
    row->addLayout(panel);
    return page;
}

QWidget *TFCompromissos::buildSearchTab()
{
    auto *page = new QWidget;
    page->setObjectName(QStringLiteral("TabSheet3"));
    Label6 = new QLabel(QStringLiteral("Título: "), page);
    txtTitulo = new QLineEdit(page);
    txtTitulo->setObjectName(QStringLiteral("txtTitulo"));
    Label7 = new QLabel(QStringLiteral("Data: "), page);
    txtData = new ui::MaskEdit(masks::date, page);
    txtData->setObjectName(QStringLiteral("txtData"));
    txtData->setFixedWidth(90);
    Label6->setBuddy(txtTitulo);
    Label7->setBuddy(txtData);

    auto *strip = new QHBoxLayout;
    strip->addWidget(Label6);
    strip->addWidget(txtTitulo, 1);
    strip->addSpacing(12);
    strip->addWidget(Label7);
    strip->addWidget(txtData);

    DBGrid1 = new ui::DBGrid(dataSource(),
                             {{QStringLiteral("TITULO"), QStringLiteral("Título")},
                              {QStringLiteral("DESCRICAO"), QStringLiteral("Descrição")},
                              {QStringLiteral("DATA"), QStringLiteral("Data"), Qt::AlignCenter},
                              {QStringLiteral("HORA"), QStringLiteral("Horário"), Qt::AlignCenter}},
                             page);
    DBGrid1->setObjectName(QStringLiteral("DBGrid1"));
    DBGrid1->setColumnWidth(0, 200);
    DBGrid1->setColumnWidth(1, 190);
    DBGrid1->setColumnWidth(2, 80);
    ui::on(DBGrid1, &ui::DBGrid::rowDoubleClicked, this, [this] { DBGrid1DblClick(); });

    // The title search runs before the box takes the key; the date search only on Enter or Down.
    txtTitulo->installEventFilter(this);
    const auto dateSearch = [this] { txtDataKeyDown(); };
    ui::keys(txtData).onEnter(dateSearch).on(Qt::Key_Down, dateSearch);

    auto *layout = new QVBoxLayout(page);
    layout->addLayout(strip);
    layout->addWidget(DBGrid1, 1);
    return page;
}

void TFCompromissos::buildShortcuts()
{
    // Hidden menu entries: only their keys show, and each clicks its button only while that
    // button is enabled.
    Novo1 = ui::addShortcutEntry(this, "Novo1", QStringLiteral("Novo"), QKeySequence(Qt::Key_F1),
                                 btnNovo);
    Alterar1 = ui::addShortcutEntry(this, "Alterar1", QStringLiteral("Alterar"),
                                    QKeySequence(Qt::Key_F2), btnAlterar);
    Salvar1 = ui::addShortcutEntry(this, "Salvar1", QStringLiteral("Salvar"),
                                   QKeySequence(Qt::Key_F5), btnSalvar);
    Cancelar1 = ui::addShortcutEntry(this, "Cancelar1", QStringLiteral("Cancelar"),
                                     QKeySequence(Qt::Key_Escape), btnCancelar);
    Excluir1 = ui::addShortcutEntry(this, "Excluir1", QStringLiteral("Excluir"),
                                    QKeySequence(Qt::SHIFT | Qt::Key_Delete), btnExcluir);
    Consultar1 = ui::addShortcutEntry(this, "Consultar1", QStringLiteral("Consultar"),
                                      QKeySequence(Qt::Key_F8), btnConsultar);
    Sair1 = ui::addShortcutEntry(this, "Sair1", QStringLiteral("Sair"), QKeySequence(Qt::Key_F4),
                                 btnSair);
}

bool TFCompromissos::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == txtTitulo && event->type() == QEvent::KeyPress)
        ui::guard(this, [this] { txtTituloKeyDown(); });
    return ui::RecordWindow::eventFilter(watched, event);
}

void TFCompromissos::navegar()
{
    enterState(false);
    PageControl1->setTabEnabled(PageControl1->indexOf(TabSheet3), true);
}

void TFCompromissos::editar()
{
    // A search would settle the pending row behind the window's back.
    PageControl1->setCurrentWidget(TabSheet2);
    PageControl1->setTabEnabled(PageControl1->indexOf(TabSheet3), false);
    enterState(true);
    DBEdit2->setFocus(Qt::TabFocusReason);
}

void TFCompromissos::FormShow()
{
    PageControl1->setCurrentWidget(TabSheet2);
    navegar();
    m_appointments.reload();
}

void TFCompromissos::btnNovoClick()
{
    // From a filtered "Consulta" list the new row starts on the whole list.
    PageControl1->setCurrentWidget(TabSheet2);
    m_appointments.insertNew();
    editar();
}

void TFCompromissos::btnAlterarClick()
{
    if (PageControl1->currentWidget() == TabSheet3)
        DBGrid1DblClick();
    if (!ui::hasRowFor(cache(), ui::RowAction::Change, this))
        return;
    m_appointments.edit();
    editar();
}

void TFCompromissos::btnSalvarClick()
{
    step([this] { m_appointments.save(); });
    navegar();
}

void TFCompromissos::btnCancelarClick()
{
    step([this] { m_appointments.cancel(); });
    navegar();
}

void TFCompromissos::btnExcluirClick()
{
    if (!ui::hasRowFor(cache(), ui::RowAction::Delete, this))
        return;
    if (!ui::Dialogs::confirm(this, QStringLiteral("Você realmente deseja excluir este registro ?"),
                              QMessageBox::No))
        return;
    m_appointments.remove();
}

void TFCompromissos::btnConsultarClick()
{
    PageControl1->setCurrentWidget(TabSheet3);
}

void TFCompromissos::btnImprimirClick()
{
    auto *filter = new TFFiltroRelatorioCompromissos(m_program, this);
    filter->setAttribute(Qt::WA_DeleteOnClose);
    m_program.FFiltroRelatorioCompromissos = filter;
    ui::Dialogs::showModal(filter);
}

void TFCompromissos::btnSairClick()
{
    close();
}

void TFCompromissos::TabSheet2Show()
{
    m_appointments.showAll();
}

void TFCompromissos::TabSheet3Show()
{
    txtTitulo->setFocus(Qt::OtherFocusReason);
}

void TFCompromissos::DBGrid1DblClick()
{
    const bool chosen = cache().isOpen() && !cache().isEmpty();
    const int code = m_appointments.currentCode();
    PageControl1->setCurrentWidget(TabSheet2);
    // Showing "Cadastro" switched the filter off; the chosen appointment is found again.
    if (chosen)
        m_appointments.locate(code);
}

void TFCompromissos::txtTituloKeyDown()
{
    m_appointments.searchTitle(txtTitulo->text());
}

void TFCompromissos::txtDataKeyDown()
{
    m_appointments.searchDate(txtData->maskedText());
}

} // namespace lx::agenda
