#include "agenda/tfcontato.h"

#include "agenda/program.h"
#include "ui/buttons.h"
#include "ui/guard.h"

#include <QCloseEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QToolButton>
#include <QVBoxLayout>

namespace lx::agenda {

const QString TFContato::emailAddress = QStringLiteral("contato@example.org");
const QString TFContato::homePage = QStringLiteral("https://www.example.org/lembrix");
const QString TFContato::secondPage = QStringLiteral("https://qor.example.org/");

namespace {
QToolButton *flatButton(const char *name, const QString &text, QWidget *parent)
{
    ui::ButtonLook look;
    look.takesFocus = true;
    return ui::makeButton(parent, QString::fromLatin1(name), text, {}, look);
}
} // namespace

TFContato::TFContato(Program &program, QWidget *parent)
    : QWidget(parent, Qt::Dialog), m_program(program)
{
    setObjectName(QStringLiteral("FContato"));
    setWindowTitle(QStringLiteral("Fale Conosco"));
    setWindowModality(Qt::WindowModal);

    btnEmail = flatButton("btnEmail", QStringLiteral("ENVIAR EMAIL"), this);
    SpeedButton3 = flatButton("SpeedButton3", QStringLiteral("SAIR"), this);
    Memo1 = new QPlainTextEdit(this);
    Memo1->setPlainText(QStringLiteral("Entre em contato conosco pelo email: ") + emailAddress +
                        QStringLiteral("\n\nOu Visite uma de nossas páginas: \n\n") + homePage +
                        QStringLiteral("\n\n") + secondPage);

    Panel1 = new QFrame(this);
    Panel1->setFrameShape(QFrame::StyledPanel);
    Label1 = new QLabel(QStringLiteral("Email: "), Panel1);
    Edit1 = new QLineEdit(emailAddress, Panel1);
    SpeedButton1 = flatButton("SpeedButton1", QStringLiteral("X"), Panel1);
    auto *mail = new QHBoxLayout(Panel1);
    mail->addWidget(Label1);
    mail->addWidget(Edit1, 1);
    mail->addWidget(SpeedButton1);
    Panel1->hide();

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(btnEmail);
    buttons->addStretch();
    buttons->addWidget(SpeedButton3);
    auto *main = new QVBoxLayout(this);
    main->addWidget(Memo1, 1);
    main->addWidget(Panel1);
    main->addLayout(buttons);
    resize(460, 300);

    ui::on(btnEmail, &QToolButton::clicked, this, [this] { btnEmailClick(); });
    ui::on(SpeedButton1, &QToolButton::clicked, this, [this] { SpeedButton1Click(); });
    ui::on(SpeedButton3, &QToolButton::clicked, this, [this] { SpeedButton3Click(); });
}

void TFContato::btnEmailClick()
{
    Panel1->show();
}

void TFContato::SpeedButton1Click()
{
    Panel1->hide();
}

void TFContato::SpeedButton3Click()
{
    close();
}

void TFContato::FormClose()
{
    m_program.terminate();
}

void TFContato::closeEvent(QCloseEvent *event)
{
    QWidget::closeEvent(event);
    FormClose();
}

} // namespace lx::agenda
