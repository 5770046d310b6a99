#include "agenda/tffiltrorelatoriocompromissos.h"

#include "agenda/program.h"
#include "agenda/tfrelatoriocompromissos.h"
#include "report/preview.h"
#include "ui/buttons.h"
#include "ui/guard.h"
#include "ui/maskedit.h"

#include <QDate>
#include <QHBoxLayout>
#include <QLabel>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

namespace lx::agenda {

TFFiltroRelatorioCompromissos::TFFiltroRelatorioCompromissos(Program &program, QWidget *parent)
    : ui::FormDialog(parent), m_program(program)
{
    setObjectName(QStringLiteral("FFiltroRelatorioCompromissos"));
    setWindowTitle(QStringLiteral("Filtro de Impressão"));

    Label1 = new QLabel(QStringLiteral("Selecione o Período de Compromissos que Deseja Imprimir: "),
                        this);
    QFont heading = Label1->font();
    heading.setBold(true);
    Label1->setFont(heading);
    Label2 = new QLabel(QStringLiteral("Do dia "), this);
    Label3 = new QLabel(QStringLiteral(" até o dia "), this);
    Label4 = new QLabel(QStringLiteral("Do Horário"), this);
    Label5 = new QLabel(QStringLiteral(" até o horário "), this);
    const auto box = [this](const char *name, const QString &mask, int width) {
        auto *b = new ui::MaskEdit(mask, this);
        b->setObjectName(QString::fromLatin1(name));
        b->setFixedWidth(width);
        return b;
    };
    txtDataInicial = box("txtDataInicial", masks::date, 90);
    txtDataFinal = box("txtDataFinal", masks::date, 90);
    txtHoraInicial = box("txtHoraInicial", masks::time, 60);
    txtHoraFinal = box("txtHoraFinal", masks::time, 60);
    txtHoraInicial->setMaskedText(QStringLiteral("00:00"));
    txtHoraFinal->setMaskedText(QStringLiteral("23:59"));
    Label2->setBuddy(txtDataInicial);
    Label3->setBuddy(txtDataFinal);
    Label4->setBuddy(txtHoraInicial);
    Label5->setBuddy(txtHoraFinal);

    QStyle *s = style();
    ui::ButtonLook look;
    look.flat = false;
    look.takesFocus = true;
    look.minimumSize = QSize(100, 30);
    btnImprimir = ui::makeButton(this, QStringLiteral("btnImprimir"), QStringLiteral("Imprimir"),
                                 s->standardIcon(QStyle::SP_FileDialogListView), look);
    btnVisualizar =
        ui::makeButton(this, QStringLiteral("btnVisualizar"), QStringLiteral("Visualizar"),
                       s->standardIcon(QStyle::SP_FileDialogContentsView), look);
    SpeedButton1 = ui::makeButton(this, QStringLiteral("SpeedButton1"), QStringLiteral("Sair"),
                                  s->standardIcon(QStyle::SP_DialogCloseButton), look);

    auto *days = new QHBoxLayout;
    days->addWidget(Label2);
    days->addWidget(txtDataInicial);
    days->addWidget(Label3);
    days->addWidget(txtDataFinal);
    days->addStretch();
    auto *times = new QHBoxLayout;
    times->addWidget(Label4);
    times->addWidget(txtHoraInicial);
    times->addWidget(Label5);
    times->addWidget(txtHoraFinal);
    times->addStretch();
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnImprimir);
    buttons->addWidget(btnVisualizar);
    buttons->addWidget(SpeedButton1);

    auto *window = new QVBoxLayout(this);
    window->addWidget(Label1);
    window->addSpacing(6);
    window->addLayout(days);
    window->addLayout(times);
    window->addSpacing(10);
    window->addLayout(buttons);

    setTabOrder(txtDataInicial, txtDataFinal);
    setTabOrder(txtDataFinal, txtHoraInicial);
    setTabOrder(txtHoraInicial, txtHoraFinal);
    setTabOrder(txtHoraFinal, btnImprimir);
    setTabOrder(btnImprimir, btnVisualizar);
    setTabOrder(btnVisualizar, SpeedButton1);

    ui::on(btnImprimir, &QToolButton::clicked, this, [this] { btnImprimirClick(); });
    ui::on(btnVisualizar, &QToolButton::clicked, this, [this] { btnVisualizarClick(); });
    ui::on(SpeedButton1, &QToolButton::clicked, this, [this] { SpeedButton1Click(); });
}

AppointmentsPeriod TFFiltroRelatorioCompromissos::period() const
{
    return {txtDataInicial->maskedText(), txtDataFinal->maskedText(), txtHoraInicial->maskedText(),
            txtHoraFinal->maskedText()};
}

void TFFiltroRelatorioCompromissos::FormShow()
{
    const QString today = QDate::currentDate().toString(QStringLiteral("dd/MM/yyyy"));
    txtDataInicial->setMaskedText(today);
    txtDataFinal->setMaskedText(today);
}

void TFFiltroRelatorioCompromissos::montar_relatorio()
{
    // The report this window built before goes; the new one takes its place.
    if (m_program.FRelatorioCompromissos && m_program.FRelatorioCompromissos->parent() == this)
        delete m_program.FRelatorioCompromissos.data();
    auto *report = new TFRelatorioCompromissos(m_program, this);
    m_program.FRelatorioCompromissos = report;
    report->open(period());
}

void TFFiltroRelatorioCompromissos::btnImprimirClick()
{
    montar_relatorio();
    report::print(m_program.FRelatorioCompromissos->QuickRep1);
}

void TFFiltroRelatorioCompromissos::btnVisualizarClick()
{
    montar_relatorio();
    report::preview(m_program.FRelatorioCompromissos->QuickRep1, this);
}

void TFFiltroRelatorioCompromissos::SpeedButton1Click()
{
    close();
}

} // namespace lx::agenda
