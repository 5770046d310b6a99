#include "finance/movementwindow.h"

#include "db/tablecache.h"
#include "finance/look.h"
#include "finance/tdm.h"
#include "ui/buttons.h"
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
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

namespace lx::finance {

const MovementSetup &MovementSetup::expenses()
{
    static const MovementSetup s{MovementTable::expenses(),
                                 &TDM::DSGASTO,
                                 &TDM::DSTIPOGASTO,
                                 QStringLiteral("Gastos"),
                                 QStringLiteral("Inserir Novo Gasto"),
                                 QStringLiteral("Localizar Gasto: "),
                                 QStringLiteral("Cadastro de Tipos de Gastos")};
    return s;
}

const MovementSetup &MovementSetup::receipts()
{
    static const MovementSetup s{MovementTable::receipts(),
                                 &TDM::DSRECEBIMENTO,
                                 &TDM::DSTIPOREC,
                                 QStringLiteral("Entrada de Dinheiro"),
                                 QStringLiteral("Inserir Nova Entrada"),
                                 QStringLiteral("Localizar Entrada: "),
                                 QString()};
    return s;
}

MovementWindow::MovementWindow(TDM &dm, const MovementSetup &setup, QWidget *parent)
    : ui::RecordWindow(dm.*setup.movements, parent),
      m_movements(dm.SQLConnection1, *(dm.*setup.movements)->cache(), *(dm.*setup.types)->cache(),
                  *dm.TBCAIXAMES, setup.table)
{
    setWindowTitle(setup.caption);
    build(setup, dm);
    navegar();
}

MovementWindow::~MovementWindow() = default;

void MovementWindow::build(const MovementSetup &setup, TDM &dm)
{
    const MovementTable &t = setup.table;
    ui::DataSource *source = dataSource();
    QStyle *s = style();

    auto *top = new QHBoxLayout;
    btnNovo = barButton(this, "btnNovo", setup.newCaption, s->standardIcon(QStyle::SP_FileIcon));
    btnSalvar = barButton(this, "btnSalvar", QStringLiteral("Salvar"),
                          s->standardIcon(QStyle::SP_DialogSaveButton));
    btnCancelar = barButton(this, "btnCancelar", QStringLiteral("Cancelar Inserção"),
                            s->standardIcon(QStyle::SP_DialogCancelButton));
    btnExcluir = barButton(this, "btnExcluir", QStringLiteral("Excluir"),
                           s->standardIcon(QStyle::SP_TrashIcon));
    btnSair = barButton(this, "btnSair", QString(), picture(QStringLiteral("sair")));
    btnSair->setIconSize(QSize(32, 32));
    btnSair->setToolTip(QStringLiteral("Sair"));
    for (QToolButton *b : {btnNovo, btnSalvar, btnCancelar, btnExcluir})
        top->addWidget(b);
    top->addStretch();
    top->addWidget(btnSair);

    auto *entry = new QGridLayout;
    Label1 = new QLabel(QStringLiteral("Descrição"), this);
    Label2 = new QLabel(QStringLiteral("Tipo"), this);
    Label3 = new QLabel(QStringLiteral("Valor"), this);
    Label4 = new QLabel(QStringLiteral("Data"), this);
    DBEdit3 = new ui::DBEdit(source, t.description, this);
    DBLookupComboBox1 = new ui::DBLookupComboBox(source, t.type, dm.*setup.types, t.typeKey,
                                                 t.typeDescription, this);
    btnTipo = barButton(this, "btnTipo", QString(), s->standardIcon(QStyle::SP_FileDialogListView));
    btnTipo->setToolTip(setup.typeHint);
    DBEdit1 = new ui::DBEdit(source, t.amount, this);
    DBEdit2 = new ui::DBEdit(source, t.date, this);
    btnSalvar2 =
        barButton(this, "btnSalvar2", QString(), s->standardIcon(QStyle::SP_DialogSaveButton));
    btnSalvar2->setIconSize(QSize(28, 28));
    DBEdit3->setMinimumWidth(260);
    DBLookupComboBox1->setMinimumWidth(170);
    DBEdit1->setFixedWidth(100);
    DBEdit2->setFixedWidth(90);
    entry->addWidget(Label1, 0, 0);
    entry->addWidget(Label2, 0, 1);
    entry->addWidget(Label3, 0, 3);
    entry->addWidget(Label4, 0, 4);
    entry->addWidget(DBEdit3, 1, 0);
    entry->addWidget(DBLookupComboBox1, 1, 1);
    entry->addWidget(btnTipo, 1, 2);
    entry->addWidget(DBEdit1, 1, 3);
    entry->addWidget(DBEdit2, 1, 4);
    entry->addWidget(btnSalvar2, 0, 6, 2, 1, Qt::AlignRight | Qt::AlignBottom);
    entry->setColumnStretch(0, 3);
    entry->setColumnStretch(1, 2);
    entry->setColumnStretch(5, 1);

    DBGrid1 =
        new ui::DBGrid(source,
                       {{t.description, QStringLiteral("Descrição")},
                        {t.typeName, QStringLiteral("Tipo")},
                        {t.amount, QStringLiteral("Valor"), Qt::AlignRight | Qt::AlignVCenter},
                        {t.date, QStringLiteral("Data"), Qt::AlignCenter}},
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

    auto *search = new QHBoxLayout;
    Label5 = new QLabel(setup.searchLabel, this);
    txtBuscar = new QLineEdit(this);
    txtBuscar->setObjectName(QStringLiteral("txtBuscar"));
    btnBuscar = new QPushButton(QStringLiteral("Buscar"), this);
    btnBuscar->setObjectName(QStringLiteral("btnBuscar"));
    btnMostrar = new QPushButton(QStringLiteral("Mostrar Todos"), this);
    btnMostrar->setObjectName(QStringLiteral("btnMostrar"));
    for (QPushButton *b : {btnBuscar, btnMostrar})
        b->setAutoDefault(false);
    search->addWidget(Label5);
    search->addWidget(txtBuscar, 1);
    search->addWidget(btnBuscar);
    search->addWidget(btnMostrar);

    auto *window = new QVBoxLayout(this);
    window->addLayout(top);
    window->addLayout(entry);
    window->addWidget(DBGrid1, 1);
    window->addLayout(search);

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

    const auto save = [this] { btnSalvarClick(); };
    const auto leave = [this] { btnSairClick(); };
    for (QWidget *box : {static_cast<QWidget *>(DBEdit3), static_cast<QWidget *>(DBEdit1),
                         static_cast<QWidget *>(DBEdit2)})
        ui::mapEntryKeys(box, save, leave);
    ui::mapEntryKeys(DBLookupComboBox1, save, leave, true);

    lockRow({DBGrid1, DBGrid1->viewport()});
    setStateControls({btnNovo, btnExcluir, btnSair, txtBuscar, btnBuscar, btnMostrar},
                     {DBEdit3, DBLookupComboBox1, DBEdit1, DBEdit2, btnSalvar, btnSalvar2,
                      btnCancelar, btnTipo});

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

void MovementWindow::navegar()
{
    enterState(false);
    Novo1->setEnabled(true);
}

void MovementWindow::editar(bool dateLocked)
{
    enterState(true);
    DBEdit2->setEnabled(!dateLocked);
    // F1 follows the new-movement button: no second row while one is being edited.
    Novo1->setEnabled(false);
    DBEdit3->setFocus(Qt::TabFocusReason);
}

void MovementWindow::FormShow()
{
    m_movements.open();
    navegar();
}

void MovementWindow::btnNovoClick()
{
    editar();
    step([this] { m_movements.insertNew(); });
}

void MovementWindow::Novo1Click()
{
    if (!isEditing())
        btnNovoClick();
}

void MovementWindow::btnSalvarClick()
{
    step([this] { m_movements.save(DBEdit2->maskedText()); });
    navegar();
}

void MovementWindow::btnCancelarClick()
{
    step([this] { m_movements.cancel(); });
    navegar();
}

void MovementWindow::btnExcluirClick()
{
    if (!ui::hasRowFor(cache(), ui::RowAction::Delete, this))
        return;
    if (!ui::Dialogs::confirm(this,
                              QStringLiteral("Você realmente deseja excluir este registro ?")))
        return;
    m_movements.remove();
}

void MovementWindow::DBGrid1DblClick()
{
    Alterar1Click();
}

void MovementWindow::Alterar1Click()
{
    if (isEditing()) {
        DBEdit3->setFocus(Qt::TabFocusReason);
        return;
    }
    if (!ui::hasRowFor(cache(), ui::RowAction::Change, this))
        return;
    editar(true);
    step([this] { m_movements.edit(); });
}

void MovementWindow::txtBuscarChange()
{
    m_movements.search(txtBuscar->text());
}

void MovementWindow::btnBuscarClick()
{
    txtBuscarChange();
}

void MovementWindow::btnMostrarClick()
{
    m_movements.showAll();
}

void MovementWindow::btnTipoClick()
{
    openTypes();
}

void MovementWindow::btnSairClick()
{
    close();
}

} // namespace lx::finance
