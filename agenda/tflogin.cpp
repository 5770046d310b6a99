#include "agenda/tflogin.h"

#include "agenda/agendadata.h"
#include "agenda/core/credentials.h"
#include "agenda/picture.h"
#include "agenda/program.h"
#include "agenda/tfmenu.h"
#include "agenda/tfprincipal.h"
#include "agenda/tftrocarsenha.h"
#include "ui/buttons.h"
#include "ui/dialogs.h"
#include "ui/formdialog.h"
#include "ui/guard.h"
#include "ui/keymap.h"

#include <QCloseEvent>
#include <QFrame>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QScreen>
#include <QToolButton>
#include <QVBoxLayout>

namespace lx::agenda {

namespace {
QToolButton *bigButton(const char *name, const QString &text, QWidget *parent)
{
    ui::ButtonLook look;
    look.flat = false;
    look.takesFocus = true;
    look.minimumSize = QSize(0, 44);
    look.bold = true;
    look.extraPoints = 2;
    QToolButton *b = ui::makeButton(parent, QString::fromLatin1(name), text, {}, look);
    b->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    return b;
}
} // namespace

TFLogin::TFLogin(Program &program, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                          Qt::WindowCloseButtonHint),
      m_program(program)
{
    setObjectName(QStringLiteral("FLogin"));
    setWindowTitle(QStringLiteral("Login"));
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::white);
    setPalette(pal);

    Image1 = new Picture(Picture::Calendar, this);
    Image2 = new Picture(Picture::Padlock, this);
    Label1 = new QLabel(QStringLiteral("Usuário"), this);
    Edit1 = new QLineEdit(this);
    Label2 = new QLabel(QStringLiteral("Senha"), this);
    Edit2 = new QLineEdit(this);
    Edit2->setEchoMode(QLineEdit::Password);
    Edit2->setStyleSheet(QStringLiteral("QLineEdit { lineedit-password-character: 42; }"));
    Label1->setBuddy(Edit1);
    Label2->setBuddy(Edit2);
    for (QLineEdit *e : {Edit1, Edit2})
        e->setMinimumWidth(200);

    Label6 = new QLabel(QStringLiteral("Alterar Ususário ou Senha"), this);
    QFont small = Label6->font();
    small.setPointSizeF(small.pointSizeF() * 0.85);
    small.setUnderline(true);
    Label6->setFont(small);
    QPalette linkPal = Label6->palette();
    linkPal.setColor(QPalette::WindowText, Qt::blue);
    Label6->setPalette(linkPal);
    Label6->setCursor(Qt::PointingHandCursor);
    Label6->installEventFilter(this);

    Bevel1 = new QFrame(this);
    Bevel1->setFrameShape(QFrame::StyledPanel);
    Bevel1->setFrameShadow(QFrame::Sunken);
    Label4 = new QLabel(QStringLiteral("Usuário: velkan"), Bevel1);
    Label5 = new QLabel(QStringLiteral("  Senha: velkan"), Bevel1);
    auto *hint = new QVBoxLayout(Bevel1);
    hint->setContentsMargins(6, 4, 6, 4);
    hint->addWidget(Label4);
    hint->addWidget(Label5);

    btnEntrar = bigButton("btnEntrar", QStringLiteral("Entrar"), this);
    btnCancelar = bigButton("btnCancelar", QStringLiteral("Cancelar"), this);

    auto *left = new QVBoxLayout;
    left->addWidget(Image1, 0, Qt::AlignHCenter);
    left->addWidget(Bevel1);
    left->addStretch();
    auto *boxes = new QVBoxLayout;
    boxes->addWidget(Label1);
    boxes->addWidget(Edit1);
    boxes->addSpacing(6);
    boxes->addWidget(Label2);
    boxes->addWidget(Edit2);
    boxes->addWidget(Label6);
    boxes->addStretch();
    auto *right = new QVBoxLayout;
    right->addWidget(Image2, 0, Qt::AlignHCenter);
    right->addStretch();
    auto *upper = new QHBoxLayout;
    upper->addLayout(left);
    upper->addSpacing(12);
    upper->addLayout(boxes, 1);
    upper->addSpacing(12);
    upper->addLayout(right);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(btnEntrar);
    buttons->addWidget(btnCancelar);
    auto *main = new QVBoxLayout(this);
    main->setContentsMargins(16, 16, 16, 16);
    main->addLayout(upper);
    main->addSpacing(12);
    main->addLayout(buttons);

    setTabOrder(Edit1, Edit2);
    setTabOrder(Edit2, btnEntrar);
    setTabOrder(btnEntrar, btnCancelar);

    ui::on(btnEntrar, &QToolButton::clicked, this, [this] { btnEntrarClick(); });
    ui::on(btnCancelar, &QToolButton::clicked, this, [this] { btnCancelarClick(); });
    ui::keys(Edit1).next().prev().on(Qt::Key_Escape, [this] { btnCancelarClick(); });
    ui::keys(Edit2)
        .onEnter([this] { btnEntrarClick(); })
        .on(Qt::Key_Down, [this] { btnEntrarClick(); })
        .prev()
        .on(Qt::Key_Escape, [this] { btnCancelarClick(); });

    ui::onShow(this, [this] { FormShow(); });
    adjustSize();
    ui::centerOnScreen(this);
}

void TFLogin::setHintVisible(bool visible)
{
    Label4->setVisible(visible);
    Label5->setVisible(visible);
    Bevel1->setVisible(visible);
}

void TFLogin::FormShow()
{
    if (hasDefaultAccount(*m_program.FMenu->dm().TBUSUARIO)) {
        setHintVisible(true);
        Edit1->setText(defaultLogin);
        Edit2->setText(defaultLogin);
    } else {
        setHintVisible(false);
    }
}

void TFLogin::btnEntrarClick()
{
    if (locateAccount(*m_program.FMenu->dm().TBUSUARIO, Edit1->text(), Edit2->text())) {
        hide();
        m_program.FPrincipal->showMaximized();
        return;
    }
    ui::Dialogs::message(this, QStringLiteral("Usuário ou Senha não Conferem !"));
    Edit1->clear();
    Edit2->clear();
    Edit1->setFocus();
}

void TFLogin::btnCancelarClick()
{
    close();
}

void TFLogin::Label6Click()
{
    FTrocarSenha = new TFTrocarSenha(m_program, this);
    FTrocarSenha->setAttribute(Qt::WA_DeleteOnClose);
    FTrocarSenha->show();
}

void TFLogin::FormClose()
{
    m_program.terminate();
}

void TFLogin::closeEvent(QCloseEvent *event)
{
    QWidget::closeEvent(event);
    FormClose();
}

bool TFLogin::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == Label6 && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton) {
        ui::guard(this, [this] { Label6Click(); });
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace lx::agenda
