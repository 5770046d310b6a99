#include "agenda/tftrocarsenha.h"

#include "agenda/agendadata.h"
#include "agenda/core/credentials.h"
#include "agenda/program.h"
#include "agenda/tfmenu.h"
#include "ui/dialogs.h"
#include "ui/formdialog.h"
#include "ui/guard.h"
#include "ui/keymap.h"

#include <QFrame>
#include <QGridLayout>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace lx::agenda {

namespace {
QLineEdit *passwordBox(QWidget *parent)
{
    auto *e = new QLineEdit(parent);
    e->setEchoMode(QLineEdit::Password);
    e->setStyleSheet(QStringLiteral("QLineEdit { lineedit-password-character: 42; }"));
    return e;
}
} // namespace

TFTrocarSenha::TFTrocarSenha(Program &program, QWidget *parent)
    : QWidget(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                          Qt::WindowCloseButtonHint),
      m_program(program)
{
    setObjectName(QStringLiteral("FTrocarSenha"));
    setWindowTitle(QStringLiteral("Trocar Usuário e Senha"));
    setWindowModality(Qt::WindowModal);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::white);
    setPalette(pal);

    Panel2 = new QFrame(this);
    Panel2->setFrameShape(QFrame::StyledPanel);
    Label1 = new QLabel(QStringLiteral("Usuário"), Panel2);
    Edit1 = new QLineEdit(Panel2);
    Label2 = new QLabel(QStringLiteral("Senha"), Panel2);
    Edit2 = passwordBox(Panel2);
    auto *current = new QGridLayout(Panel2);
    current->addWidget(Label1, 0, 0);
    current->addWidget(Edit1, 1, 0);
    current->addWidget(Label2, 0, 1);
    current->addWidget(Edit2, 1, 1);

    Panel1 = new QFrame(this);
    Panel1->setFrameShape(QFrame::StyledPanel);
    Label3 = new QLabel(QStringLiteral("Novo Usuário"), Panel1);
    Edit3 = new QLineEdit(Panel1);
    Label4 = new QLabel(QStringLiteral("Nova Senha"), Panel1);
    Edit4 = passwordBox(Panel1);
    Label5 = new QLabel(QStringLiteral("Repita a Nova Senha"), Panel1);
    Edit5 = passwordBox(Panel1);
    auto *fresh = new QVBoxLayout(Panel1);
    for (QWidget *w : std::initializer_list<QWidget *>{Label3, Edit3, Label4, Edit4, Label5, Edit5})
        fresh->addWidget(w);

    btnEntrar = new QPushButton(QStringLiteral("Confirmar Alterações"), this);
    btnCancelar = new QPushButton(QStringLiteral("Cancelar"), this);
    for (QPushButton *b : {btnEntrar, btnCancelar})
        b->setMinimumHeight(36);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(btnEntrar);
    buttons->addWidget(btnCancelar);

    auto *main = new QVBoxLayout(this);
    main->addWidget(Panel2);
    main->addWidget(Panel1);
    main->addLayout(buttons);

    setTabOrder(Edit1, Edit2);
    setTabOrder(Edit2, Edit3);
    setTabOrder(Edit3, Edit4);
    setTabOrder(Edit4, Edit5);
    setTabOrder(Edit5, btnEntrar);
    setTabOrder(btnEntrar, btnCancelar);

    ui::on(btnEntrar, &QPushButton::clicked, this, [this] { btnEntrarClick(); });
    ui::on(btnCancelar, &QPushButton::clicked, this, [this] { btnCancelarClick(); });
    for (QLineEdit *e : {Edit1, Edit2, Edit3, Edit4})
        ui::keys(e)
            .next()
            .prev()
            .on(Qt::Key_F5, [this] { btnEntrarClick(); })
            .on(Qt::Key_Escape, [this] { btnCancelarClick(); });
    ui::keys(Edit5)
        .onEnter([this] { btnEntrarClick(); })
        .on(Qt::Key_Down, [this] { btnEntrarClick(); })
        .prev()
        .on(Qt::Key_F5, [this] { btnEntrarClick(); })
        .on(Qt::Key_Escape, [this] { btnCancelarClick(); });

    adjustSize();
    ui::centerOnScreen(this);
}

void TFTrocarSenha::btnEntrarClick()
{
    const CredentialChange result =
        changeCredentials(*m_program.FMenu->dm().TBUSUARIO, Edit1->text(), Edit2->text(),
                          Edit3->text(), Edit4->text(), Edit5->text());
    switch (result) {
    case CredentialChange::WrongCurrent:
        ui::Dialogs::message(this, QStringLiteral("Usuário e/ou Senhas Digitados Errados !"));
        return;
    case CredentialChange::RepeatMismatch:
        ui::Dialogs::message(
            this, QStringLiteral("Nova Senha digitada não confere com o campo de conferimento !"));
        Edit4->clear();
        Edit5->clear();
        Edit4->setFocus();
        return;
    case CredentialChange::Changed:
        ui::Dialogs::message(this, QStringLiteral("Alterações Realizadas com Sucesso !"));
        close();
        return;
    }
}

void TFTrocarSenha::btnCancelarClick()
{
    close();
}

} // namespace lx::agenda
