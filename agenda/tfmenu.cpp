#include "agenda/tfmenu.h"

#include "agenda/agendadata.h"
#include "agenda/tffiltrorelatorio.h"
#include "db/tablecache.h"
#include "ui/buttons.h"
#include "ui/datasource.h"
#include "ui/dbgrid.h"
#include "ui/dialogs.h"
#include "ui/guard.h"
#include "ui/keymap.h"
#include "ui/maskedit.h"
#include "ui/shortcuts.h"

#include <QAction>
#include <QEvent>
#include <QFontMetrics>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

namespace lx::agenda {

namespace {
QLineEdit *textBox(QWidget *parent, const char *name, int maxLength)
{
    auto *box = new QLineEdit(parent);
    box->setObjectName(QString::fromLatin1(name));
    // As long as the column: nothing typed is cut off when it is stored.
    box->setMaxLength(maxLength);
    return box;
}

ui::MaskEdit *phoneBox(QWidget *parent, const char *name)
{
    auto *box = new ui::MaskEdit(masks::phone, parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setFixedWidth(box->fontMetrics().horizontalAdvance(QStringLiteral("(000)0000-0000")) + 20);
    return box;
}

enum GridColumn { ColNome, ColTelefone1, ColTelefone2, ColEndereco, ColEmail };
} // namespace

TFMenu::TFMenu(const QString &aliasFile, const QString &programFolder, QWidget *parent)
    : TFMenu(new AgendaData, aliasFile, programFolder, parent)
{}

TFMenu::TFMenu(AgendaData *dm, const QString &aliasFile, const QString &programFolder,
               QWidget *parent)
    : ui::RecordWindow(dm->DSCONTATO, parent), m_dm(dm), m_book(*dm->TBCONTATO)
{
    m_dm->setParent(this);
    setObjectName(QStringLiteral("FMenu"));
    setWindowTitle(QStringLiteral("Agenda Telefônica QOR"));
    // Unlike the other registers it can be resized and maximized.
    setWindowFlags(windowFlags() | Qt::WindowMaximizeButtonHint);
    build();
    buildShortcuts();
    FormCreate(aliasFile, programFolder);
}

TFMenu::~TFMenu()
{
    // The grid watches the contacts cache: it goes before the data module.
    delete DBGrid1;
}

void TFMenu::FormCreate(const QString &aliasFile, const QString &programFolder)
{
    const QString error = m_dm->setUp(aliasFile, programFolder);
    if (!error.isEmpty())
        ui::Dialogs::error(this, error, m_dm->setUpDetails());
}

void TFMenu::build()
{
    QStyle *s = style();
    auto *panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("Panel1"));
    panel->setFrameShape(QFrame::StyledPanel);

    ui::ButtonLook look;
    look.iconSize = 20;
    auto *buttons = new QHBoxLayout;
    // "Buscar Contato" does nothing when clicked: the name box searches while browsing.
    for (QToolButton *b :
         ui::makeButtons(panel, this, look,
                         {
                             {btnNovo, "btnNovo", "Incluir Contato", QStyle::SP_FileIcon,
                              [this] { btnNovoClick(); }},
                             {btnAlterar, "btnAlterar", "Alterar Contato",
                              QStyle::SP_FileDialogDetailedView, [this] { btnAlterarClick(); }},
                             {btnSalvar, "btnSalvar", "Salvar", QStyle::SP_DialogSaveButton,
                              [this] { btnSalvarClick(); }},
                             {btnCancelar, "btnCancelar", "Cancelar", QStyle::SP_DialogCancelButton,
                              [this] { btnCancelarClick(); }},
                             {btnExcluir, "btnExcluir", "Excluir Contato", QStyle::SP_TrashIcon,
                              [this] { btnExcluirClick(); }},
                             {btnConsultar,
                              "btnConsultar",
                              "Buscar Contato",
                              QStyle::SP_FileDialogContentsView,
                              {}},
                             {btnRelatorio, "btnRelatorio", "Imprimir",
                              QStyle::SP_FileDialogListView, [this] { btnRelatorioClick(); }},
                             {btnSair, "btnSair", "Sair", QStyle::SP_DialogCloseButton,
                              [this] { btnSairClick(); }},
                         }))
        buttons->addWidget(b);
    buttons->addStretch();

    Label1 = new QLabel(QStringLiteral("Nome"), panel);
    Label2 = new QLabel(QStringLiteral("Telefone 1"), panel);
    Label3 = new QLabel(QStringLiteral("Telefone 2"), panel);
    Label4 = new QLabel(QStringLiteral("Endereço"), panel);
    Label5 = new QLabel(QStringLiteral("Email"), panel);
    txtNome = textBox(panel, "txtNome", 50);
    txtTelefone1 = phoneBox(panel, "txtTelefone1");
    txtTelefone2 = phoneBox(panel, "txtTelefone2");
    txtEndereco = textBox(panel, "txtEndereco", 100);
    txtEmail = textBox(panel, "txtEmail", 50);
    // Narrow enough that the edit state fits the window's first width.
    m_nameWidth = 180;
    txtEndereco->setFixedWidth(200);
    txtEmail->setFixedWidth(170);
    btnSalvar1 = ui::makeButton(panel, QStringLiteral("btnSalvar1"), QString(),
                                s->standardIcon(QStyle::SP_DialogApplyButton), look);
    btnSalvar1->setToolTip(QStringLiteral("Fechar Busca"));

    auto *entry = new QGridLayout;
    entry->setHorizontalSpacing(6);
    entry->setVerticalSpacing(2);
    const QList<QLabel *> labels{Label1, Label2, Label3, Label4, Label5};
    const QList<QWidget *> boxes{txtNome, txtTelefone1, txtTelefone2, txtEndereco, txtEmail};
    for (int i = 0; i < labels.size(); ++i) {
        labels[i]->setBuddy(boxes[i]);
        entry->addWidget(labels[i], 0, i);
        entry->addWidget(boxes[i], 1, i);
    }
    entry->addWidget(btnSalvar1, 1, int(boxes.size()));
    entry->setColumnStretch(int(boxes.size()) + 1, 1);

    auto *top = new QVBoxLayout(panel);
    top->setContentsMargins(6, 6, 6, 6);
    top->addLayout(buttons);
    top->addLayout(entry);

    DBGrid1 = new ui::DBGrid(dataSource(),
                             {{QStringLiteral("NOME"), QStringLiteral("Nome")},
                              {QStringLiteral("TELEFONE1"), QStringLiteral("Telefone 1")},
                              {QStringLiteral("TELEFONE2"), QStringLiteral("Telefone 2")},
                              {QStringLiteral("ENDERECO"), QStringLiteral("Endereço")},
                              {QStringLiteral("EMAIL"), QStringLiteral("Email")}},
                             this);
    DBGrid1->setObjectName(QStringLiteral("DBGrid1"));
    // The columns keep the widths given here; maximizing and restoring change three of them.
    DBGrid1->horizontalHeader()->setStretchLastSection(false);
    // A whole phone number fits its 98-pixel column.
    QFont gridFont = DBGrid1->font();
    const QString phone = QStringLiteral("(000)0000-0000");
    while (gridFont.pointSizeF() > 7 && QFontMetrics(gridFont).horizontalAdvance(phone) > 88)
        gridFont.setPointSizeF(gridFont.pointSizeF() - 0.5);
    DBGrid1->setFont(gridFont);
    DBGrid1->setColumnWidth(ColNome, 100);
    DBGrid1->setColumnWidth(ColTelefone1, 98);
    DBGrid1->setColumnWidth(ColTelefone2, 98);
    DBGrid1->setColumnWidth(ColEndereco, 100);
    DBGrid1->setColumnWidth(ColEmail, 100);

    auto *window = new QVBoxLayout(this);
    window->setContentsMargins(0, 0, 0, 0);
    window->setSpacing(0);
    window->addWidget(panel);
    window->addWidget(DBGrid1, 1);

    setTabOrder(txtNome, txtTelefone1);
    setTabOrder(txtTelefone1, txtTelefone2);
    setTabOrder(txtTelefone2, txtEndereco);
    setTabOrder(txtEndereco, txtEmail);
    setTabOrder(txtEmail, DBGrid1);

    for (QWidget *box : {static_cast<QWidget *>(txtNome), static_cast<QWidget *>(txtTelefone1),
                         static_cast<QWidget *>(txtTelefone2), static_cast<QWidget *>(txtEndereco)})
        ui::keys(box).next().prev();
    ui::keys(txtEmail)
        .onEnter([this] { btnSalvar->click(); })
        .on(Qt::Key_Down, [this] { btnSalvar->click(); })
        .prev();

    // The row being inserted or changed stays current until it is saved or cancelled.
    lockRow({DBGrid1, DBGrid1->viewport()});
    setStateControls({btnNovo, btnAlterar, btnExcluir, btnConsultar, btnRelatorio, btnSair},
                     {btnSalvar, btnCancelar});

    ui::on(btnSalvar1, &QToolButton::clicked, this, [this] { btnSalvar1Click(); });
    ui::on(txtNome, &QLineEdit::textChanged, this, [this] { txtNomeChange(); });

    resize(920, 540);
}

void TFMenu::buildShortcuts()
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
    Buscar1 = ui::addShortcutEntry(this, "Buscar1", QStringLiteral("Buscar"),
                                   QKeySequence(Qt::Key_F8), btnConsultar);
    Imprimir1 = ui::addShortcutEntry(this, "Imprimir1", QStringLiteral("Imprimir"),
                                     QKeySequence(Qt::CTRL | Qt::Key_P), btnRelatorio);
    Sair1 = ui::addShortcutEntry(this, "Sair1", QStringLiteral("Sair"), QKeySequence(Qt::Key_F4),
                                 btnSair);

    // A text box would keep Shift+Del (cut) for itself; the window's keys come first.
    for (QWidget *box : {static_cast<QWidget *>(txtNome), static_cast<QWidget *>(txtTelefone1),
                         static_cast<QWidget *>(txtTelefone2), static_cast<QWidget *>(txtEndereco),
                         static_cast<QWidget *>(txtEmail)})
        ui::yieldWindowShortcuts(box);
}

void TFMenu::navegar()
{
    enterState(false);
    for (QWidget *w : {static_cast<QWidget *>(Label2), static_cast<QWidget *>(Label3),
                       static_cast<QWidget *>(Label4), static_cast<QWidget *>(Label5),
                       static_cast<QWidget *>(txtTelefone1), static_cast<QWidget *>(txtTelefone2),
                       static_cast<QWidget *>(txtEndereco), static_cast<QWidget *>(txtEmail)})
        w->hide();
    Label1->show();
    txtNome->show();
    txtNome->setFixedWidth(m_nameWidth + searchWidening);
    btnSalvar1->setEnabled(false);
    btnSalvar1->hide();
    m_book.cache().refresh();
    txtNome->setFocus(Qt::OtherFocusReason);
}

void TFMenu::editar()
{
    enterState(true);
    // Narrowed before the other boxes show, so that the window need not grow to hold them.
    txtNome->setFixedWidth(m_nameWidth);
    for (QWidget *w : {static_cast<QWidget *>(Label1), static_cast<QWidget *>(Label2),
                       static_cast<QWidget *>(Label3), static_cast<QWidget *>(Label4),
                       static_cast<QWidget *>(Label5), static_cast<QWidget *>(txtNome),
                       static_cast<QWidget *>(txtTelefone1), static_cast<QWidget *>(txtTelefone2),
                       static_cast<QWidget *>(txtEndereco), static_cast<QWidget *>(txtEmail)})
        w->show();
    btnSalvar1->setEnabled(true);
    btnSalvar1->show();
    txtNome->setFocus(Qt::OtherFocusReason);
}

void TFMenu::FormShow()
{
    m_book.reload();
    navegar();
}

void TFMenu::txtNomeChange()
{
    if (btnSalvar->isEnabled())
        return;
    m_book.search(txtNome->text());
}

void TFMenu::btnNovoClick()
{
    m_book.insertNew();
    editar();
}

void TFMenu::btnAlterarClick()
{
    if (!ui::hasRowFor(cache(), ui::RowAction::Change, this))
        return;
    const Contact contact = m_book.edit();
    // In edit state filling the name box is no search.
    editar();
    showContact(contact);
}

void TFMenu::btnSalvarClick()
{
    // A phone box filled in part is refused before anything is stored, as leaving it would be.
    for (ui::MaskEdit *phone : {txtTelefone1, txtTelefone2}) {
        if (!phone->isBlank() && !phone->isComplete()) {
            phone->setFocus(Qt::OtherFocusReason);
            ui::Dialogs::error(this, ui::MaskEdit::invalidInputMessage());
            return;
        }
    }
    const Contact contact = boxes();
    clearBoxes();
    try {
        m_book.save(contact);
    } catch (const DbError &) {
        // What was typed is not lost: it is back in the boxes, still being edited.
        if (cache().isEditing())
            showContact(contact);
        throw;
    }
    navegar();
}

void TFMenu::btnCancelarClick()
{
    clearBoxes();
    step([this] { m_book.cancel(); });
    navegar();
}

void TFMenu::btnExcluirClick()
{
    if (!ui::hasRowFor(cache(), ui::RowAction::Delete, this))
        return;
    if (!ui::Dialogs::confirm(this, QStringLiteral("Você realmente deseja excluir o registro?"),
                              QMessageBox::Yes))
        return;
    // A refused deletion raises its error here, and the contact is back in the list.
    m_book.remove();
    ui::Dialogs::message(this, QStringLiteral("Registro Excluído !"));
}

void TFMenu::btnRelatorioClick()
{
    auto *filter = new TFFiltroRelatorio(*this, this);
    filter->setAttribute(Qt::WA_DeleteOnClose);
    FFiltroRelatorio = filter;
    ui::Dialogs::showModal(filter);
}

void TFMenu::btnSairClick()
{
    close();
}

void TFMenu::btnSalvar1Click()
{
    btnSalvar->click();
}

void TFMenu::cancelEditing()
{
    // Closing while editing is cancelling: the boxes do not carry the row into the next
    // showing.
    clearBoxes();
    ui::RecordWindow::cancelEditing();
}

void TFMenu::changeEvent(QEvent *event)
{
    ui::RecordWindow::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange)
        FormResize();
}

void TFMenu::FormResize()
{
    // Only maximizing and restoring from maximized change the widths; minimizing keeps them.
    const Qt::WindowStates state = windowState();
    int step = 0;
    if (state.testFlag(Qt::WindowMaximized) && !m_widened)
        step = 1;
    else if (!state.testFlag(Qt::WindowMaximized) && !state.testFlag(Qt::WindowMinimized) &&
             m_widened)
        step = -1;
    if (step == 0)
        return;
    m_widened = step > 0;
    DBGrid1->setColumnWidth(ColNome, DBGrid1->columnWidth(ColNome) + step * nameWidening);
    DBGrid1->setColumnWidth(ColEndereco,
                            DBGrid1->columnWidth(ColEndereco) + step * addressWidening);
    DBGrid1->setColumnWidth(ColEmail, DBGrid1->columnWidth(ColEmail) + step * emailWidening);
}

void TFMenu::clearBoxes()
{
    showContact({});
}

void TFMenu::showContact(const Contact &contact)
{
    txtNome->setText(contact.nome);
    txtTelefone1->setMaskedText(contact.telefone1);
    txtTelefone2->setMaskedText(contact.telefone2);
    txtEndereco->setText(contact.endereco);
    txtEmail->setText(contact.email);
}

Contact TFMenu::boxes() const
{
    return {txtNome->text(), txtTelefone1->maskedText(), txtTelefone2->maskedText(),
            txtEndereco->text(), txtEmail->text()};
}

} // namespace lx::agenda
