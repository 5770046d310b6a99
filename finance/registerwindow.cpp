#include "finance/registerwindow.h"

#include "db/rowactions.h"
#include "db/tablecache.h"
#include "ui/buttons.h"
#include "ui/datasource.h"
#include "ui/dbedit.h"
#include "ui/dbgrid.h"
#include "ui/dbnavigator.h"
#include "ui/guard.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QStyle>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace lx::finance {

RegisterWindow::RegisterWindow(const RegisterLayout &layout, ui::DataSource *source,
                               QWidget *parent)
    : ui::RecordWindow(source, parent), m_steps(*source->cache(), layout.codeField),
      m_fields(layout.fields)
{
    setWindowTitle(layout.caption);
    build(layout);
    navegar();
}

RegisterWindow::~RegisterWindow() = default;

void RegisterWindow::build(const RegisterLayout &layout)
{
    PageControl1 = new QTabWidget(this);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    TabSheet1 = new QWidget;
    TabSheet1->setObjectName(QStringLiteral("TabSheet1"));
    TabSheet2 = new QWidget;
    TabSheet2->setObjectName(QStringLiteral("TabSheet2"));
    PageControl1->addTab(TabSheet1, QStringLiteral("Cadastro"));
    PageControl1->addTab(TabSheet2, QStringLiteral("Consulta"));

    auto *row = new QHBoxLayout(TabSheet1);
    auto *dataColumn = new QVBoxLayout;
    for (int i = 0; i < layout.fields.size(); ++i) {
        const RegisterField &f = layout.fields[i];
        auto *label = new QLabel(f.label, TabSheet1);
        label->setObjectName(QStringLiteral("Label%1").arg(i + 1));
        auto *box = new ui::DBEdit(dataSource(), f.field, TabSheet1);
        box->setObjectName(QStringLiteral("DBEdit%1").arg(i + 1));
        label->setBuddy(box);
        dataColumn->addWidget(label);
        dataColumn->addWidget(box);
        labels << label;
        boxes << box;
        if (f.description)
            ui::mapEntryKeys(
                box, [this] { btnSalvarClick(); }, [this] { btnSairClick(); });
    }
    DBNavigator1 = new ui::DBNavigator(dataSource(), TabSheet1);
    DBNavigator1->setObjectName(QStringLiteral("DBNavigator1"));
    dataColumn->addSpacing(8);
    dataColumn->addWidget(DBNavigator1, 0, Qt::AlignLeft);
    dataColumn->addStretch();
    row->addLayout(dataColumn, 1);

    QStyle *s = style();
    ui::ButtonLook look;
    look.pictureRight = true;
    look.stretch = true;
    const struct
    {
        QToolButton *&button;
        const char *name;
        const char *caption;
        QStyle::StandardPixmap picture;
        void (RegisterWindow::*handler)();
    } buttons[] = {
        {btnNovo, "btnNovo", "Novo", QStyle::SP_FileIcon, &RegisterWindow::btnNovoClick},
        {btnAlterar, "btnAlterar", "Alterar", QStyle::SP_FileDialogDetailedView,
         &RegisterWindow::btnAlterarClick},
        {btnSalvar, "btnSalvar", "Salvar", QStyle::SP_DialogSaveButton,
         &RegisterWindow::btnSalvarClick},
        {btnCancelar, "btnCancelar", "Cancelar", QStyle::SP_DialogCancelButton,
         &RegisterWindow::btnCancelarClick},
        {btnExcluir, "btnExcluir", "Excluir", QStyle::SP_TrashIcon,
         &RegisterWindow::btnExcluirClick},
        {btnConsultar, "btnConsultar", "Consultar", QStyle::SP_FileDialogContentsView,
         &RegisterWindow::btnConsultarClick},
        {btnSair, "btnSair", "Sair", QStyle::SP_DialogCloseButton, &RegisterWindow::btnSairClick},
    };
    auto *buttonColumn = new QVBoxLayout;
    for (const auto &b : buttons) {
        b.button = ui::makeButton(TabSheet1, QString::fromLatin1(b.name),
                                  QString::fromUtf8(b.caption), s->standardIcon(b.picture), look);
        buttonColumn->addWidget(b.button);
        ui::on(b.button, &QToolButton::clicked, this, [this, h = b.handler] { (this->*h)(); });
    }
    buttonColumn->addStretch();
    row->addLayout(buttonColumn);

    auto *gridPage = new QVBoxLayout(TabSheet2);
    DBGrid1 = new ui::DBGrid(dataSource(), layout.columns, TabSheet2);
    DBGrid1->setObjectName(QStringLiteral("DBGrid1"));
    gridPage->addWidget(DBGrid1);
    ui::on(DBGrid1, &ui::DBGrid::rowDoubleClicked, this, [this] { DBGrid1DblClick(); });

    lockRow({DBGrid1, DBGrid1->viewport()});
    for (auto b : {ui::DBNavigator::First, ui::DBNavigator::Prior, ui::DBNavigator::Next,
                   ui::DBNavigator::Last})
        lockRow({DBNavigator1->button(b)});

    QList<QWidget *> dataBoxes;
    QWidget *previous = nullptr;
    for (int i = 0; i < boxes.size(); ++i) {
        if (previous)
            setTabOrder(previous, boxes[i]);
        previous = boxes[i];
        // A box that is never editable stays disabled in both states.
        if (m_fields[i].editable)
            dataBoxes << boxes[i];
        else
            boxes[i]->setEnabled(false);
    }
    if (previous)
        setTabOrder(previous, DBNavigator1);
    setStateControls({btnNovo, btnExcluir, btnConsultar, btnSair},
                     dataBoxes + QList<QWidget *>{btnSalvar, btnCancelar});

    auto *window = new QVBoxLayout(this);
    window->addWidget(PageControl1);
    resize(440, 300);
}

ui::DBEdit *RegisterWindow::box(const QString &field) const
{
    for (int i = 0; i < m_fields.size(); ++i)
        if (m_fields[i].field.compare(field, Qt::CaseInsensitive) == 0)
            return boxes[i];
    return nullptr;
}

void RegisterWindow::navegar()
{
    enterState(false);
}

void RegisterWindow::editar()
{
    enterState(true);
    for (int i = 0; i < boxes.size(); ++i)
        if (m_fields[i].description)
            boxes[i]->setFocus(Qt::TabFocusReason);
}

void RegisterWindow::FormShow()
{
    cache().open();
    if (cache().isEditing())
        cancelRow(cache());
    navegar();
}

void RegisterWindow::btnNovoClick()
{
    m_steps.insertNew();
    editar();
}

void RegisterWindow::btnAlterarClick()
{
    if (!ui::hasRowFor(cache(), ui::RowAction::Change, this))
        return;
    m_steps.edit();
    editar();
}

void RegisterWindow::btnSalvarClick()
{
    step([this] { m_steps.save(); });
    navegar();
}

void RegisterWindow::btnCancelarClick()
{
    step([this] { m_steps.cancel(); });
    navegar();
}

void RegisterWindow::btnExcluirClick()
{
    if (!ui::hasRowFor(cache(), ui::RowAction::Delete, this))
        return;
    m_steps.remove();
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

} // namespace lx::finance
