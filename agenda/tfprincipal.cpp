#include "agenda/tfprincipal.h"

#include "agenda/agendadata.h"
#include "agenda/core/clocktext.h"
#include "agenda/core/todayappointments.h"
#include "agenda/picture.h"
#include "agenda/program.h"
#include "agenda/tfcompromissos.h"
#include "agenda/tfcontato.h"
#include "agenda/tfmenu.h"
#include "db/connection.h"
#include "ui/buttons.h"
#include "ui/dialogs.h"
#include "ui/formdialog.h"
#include "ui/guard.h"

#include <QAction>
#include <QCalendarWidget>
#include <QCloseEvent>
#include <QFrame>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QTableView>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

namespace lx::agenda {

namespace {
QToolButton *barButton(const char *name, const QString &text, const QIcon &icon, QWidget *parent)
{
    ui::ButtonLook look;
    look.style = Qt::ToolButtonTextUnderIcon;
    look.iconSize = 32;
    look.flat = false;
    look.takesFocus = true;
    look.minimumSize = QSize(150, 70);
    look.bold = true;
    return ui::makeButton(parent, QString::fromLatin1(name), text, icon, look);
}

QFrame *panel(QWidget *parent, QFrame::Shape shape = QFrame::StyledPanel)
{
    auto *p = new QFrame(parent);
    p->setFrameShape(shape);
    return p;
}
} // namespace

TFPrincipal::TFPrincipal(Program &program, QWidget *parent)
    : QMainWindow(parent), m_program(program),
      m_today(new TodayAppointments(&program.FMenu->dm().SQLConnection1, this))
{
    setObjectName(QStringLiteral("FPrincipal"));
    setWindowTitle(QStringLiteral("Lembrix QOR"));
    // The size it takes when the user restores it from maximized.
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        resize(screen->availableGeometry().size() * 0.8);
    setWindowState(Qt::WindowMaximized);

    auto *central = new QWidget(this);
    auto *main = new QVBoxLayout(central);
    main->setContentsMargins(0, 0, 0, 0);
    main->setSpacing(0);
    main->addWidget(makeButtonBar());

    auto *body = new QHBoxLayout;
    body->setSpacing(0);
    auto *left = new QWidget(central);
    auto *overlay = new QGridLayout(left);
    overlay->setContentsMargins(0, 0, 0, 0);
    Image1 = new Picture(Picture::Banner, left);
    Panel6 = panel(left, QFrame::Box);
    Panel6->setAutoFillBackground(true);
    btnFecharCalendario = new QPushButton(QStringLiteral("Fechar"), Panel6);
    Calendario = new QCalendarWidget(Panel6);
    Calendario->setGridVisible(true);
    auto *cal = new QVBoxLayout(Panel6);
    cal->addWidget(btnFecharCalendario, 0, Qt::AlignRight);
    cal->addWidget(Calendario, 1);
    overlay->addWidget(Image1, 0, 0);
    overlay->addWidget(Panel6, 0, 0);
    Panel6->hide();
    body->addWidget(left, 3);

    Panel4 = panel(central);
    btnAbrir = new QPushButton(QStringLiteral("Abrir"), Panel4);
    auto *strip = new QVBoxLayout(Panel4);
    strip->setContentsMargins(2, 2, 2, 2);
    strip->addWidget(btnAbrir);
    strip->addStretch();
    Panel4->hide();
    body->addWidget(Panel4);
    body->addWidget(makeTodayPanel(), 2);
    main->addLayout(body, 1);
    setCentralWidget(central);

    makeMenu();

    Timer1 = new QTimer(this);
    Timer1->setInterval(1000);
    connect(Timer1, &QTimer::timeout, this, [this] { Timer1Timer(); });
    Timer1->start();

    ui::on(btnAgendaTelefonica, &QToolButton::clicked, this,
           [this] { btnAgendaTelefonicaClick(); });
    ui::on(btnCompromissos, &QToolButton::clicked, this, [this] { btnCompromissosClick(); });
    ui::on(btnFinancas, &QToolButton::clicked, this, [this] { btnFinancasClick(); });
    ui::on(btnCalendario, &QToolButton::clicked, this, [this] { btnCalendarioClick(); });
    ui::on(btnSair, &QToolButton::clicked, this, [this] { btnSairClick(); });
    ui::on(btnFecharCalendario, &QPushButton::clicked, this, [this] { SpeedButton1Click(); });
    ui::on(btnFechar, &QPushButton::clicked, this, [this] { btnFecharCalendarioClick(); });
    ui::on(btnAbrir, &QPushButton::clicked, this, [this] { btnAbrirClick(); });
    ui::onShow(this, [this] { FormShow(); });
}

TFPrincipal::~TFPrincipal() = default;

QWidget *TFPrincipal::makeButtonBar()
{
    auto *bar = panel(this);
    QStyle *st = style();
    btnAgendaTelefonica = barButton("btnAgendaTelefonica", QStringLiteral("Agenda Telefônica"),
                                    st->standardIcon(QStyle::SP_FileDialogContentsView), bar);
    btnCompromissos = barButton("btnCompromissos", QStringLiteral("Compromissos"),
                                st->standardIcon(QStyle::SP_FileDialogDetailedView), bar);
    btnFinancas = barButton("btnFinancas", QStringLiteral("Controle Financeiro"),
                            Picture::icon(Picture::Money), bar);
    btnCalendario = barButton("btnCalendario", QStringLiteral("Calendário"),
                              Picture::icon(Picture::Calendar), bar);
    btnSair = barButton("btnSair", QStringLiteral("Sair"),
                        st->standardIcon(QStyle::SP_DialogCloseButton), bar);
    auto *row = new QHBoxLayout(bar);
    row->setContentsMargins(4, 4, 4, 4);
    for (QToolButton *b :
         {btnAgendaTelefonica, btnCompromissos, btnFinancas, btnCalendario, btnSair})
        row->addWidget(b);
    row->addStretch();
    return bar;
}

QWidget *TFPrincipal::makeTodayPanel()
{
    Panel2 = panel(this);
    Panel5 = panel(Panel2, QFrame::NoFrame);
    Label2 = new QLabel(QStringLiteral("Relógio: "), Panel5);
    QFont clock = Label2->font();
    clock.setPointSizeF(clock.pointSizeF() * 1.4);
    clock.setBold(true);
    Label2->setFont(clock);
    Label1 = new QLabel(QStringLiteral("Compromissos para Hoje: "), Panel5);
    QFont heading = Label1->font();
    heading.setBold(true);
    Label1->setFont(heading);
    btnFechar = new QPushButton(QStringLiteral("Fechar"), Panel5);
    auto *head = new QGridLayout(Panel5);
    head->addWidget(Label2, 0, 0, 1, 2);
    head->addWidget(Label1, 1, 0);
    head->addWidget(btnFechar, 1, 1);
    head->setColumnStretch(0, 1);

    Panel3 = panel(Panel2, QFrame::NoFrame);
    m_todayModel =
        new QueryModel(m_today,
                       {{QStringLiteral("TITULO"), QStringLiteral("Título")},
                        {QStringLiteral("HORA"), QStringLiteral("Horário"), Qt::AlignCenter}},
                       this);
    DBGrid1 = new QTableView(Panel3);
    DBGrid1->setModel(m_todayModel);
    DBGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    DBGrid1->setSelectionBehavior(QAbstractItemView::SelectRows);
    DBGrid1->setSelectionMode(QAbstractItemView::SingleSelection);
    DBGrid1->setWordWrap(false);
    DBGrid1->verticalHeader()->setVisible(false);
    DBGrid1->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    DBGrid1->verticalHeader()->setDefaultSectionSize(DBGrid1->fontMetrics().height() + 6);
    DBGrid1->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    DBGrid1->horizontalHeader()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
    DBGrid1->horizontalHeader()->setHighlightSections(false);
    auto *grid = new QVBoxLayout(Panel3);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->addWidget(DBGrid1);

    auto *today = new QVBoxLayout(Panel2);
    today->addWidget(Panel5);
    today->addWidget(Panel3, 1);
    return Panel2;
}

void TFPrincipal::makeMenu()
{
    auto entry = [this](const QString &text, const QKeySequence &key, auto handler) {
        auto *a = new QAction(text, this);
        if (!key.isEmpty())
            a->setShortcut(key);
        ui::on(a, &QAction::triggered, this, handler);
        menuBar()->addAction(a);
        return a;
    };
    AgendaTelefnica1 = entry(QStringLiteral("&Agenda Telefônica"), QKeySequence(Qt::Key_A),
                             [this] { btnAgendaTelefonica->click(); });
    Compromissos1 = entry(QStringLiteral("&Compromissos"), QKeySequence(Qt::Key_C),
                          [this] { btnCompromissos->click(); });
    ControleFinanceiro1 = entry(QStringLiteral("Controle &Financeiro"), QKeySequence(Qt::Key_F),
                                [this] { btnFinancas->click(); });
    Configuraes1 = menuBar()->addMenu(QStringLiteral("Confi&gurações"));
    Configuraes1->menuAction()->setShortcut(QKeySequence(Qt::Key_G));
    Contato1 = Configuraes1->addAction(QStringLiteral("Contato"));
    ui::on(Contato1, &QAction::triggered, this, [this] { Contato1Click(); });
    Sair1 = entry(QStringLiteral("Sair"), QKeySequence(), [this] { btnSair->click(); });
}

void TFPrincipal::loadToday()
{
    m_today->reload(QDate::currentDate());
}

void TFPrincipal::FormShow()
{
    loadToday();
    Panel4->hide();
    Panel2->show();
    Panel6->hide();
}

void TFPrincipal::btnAgendaTelefonicaClick()
{
    // The start-up phone book window, holder of the program's data, shown again each time.
    ui::Dialogs::showModal(m_program.FMenu);
}

void TFPrincipal::btnCompromissosClick()
{
    auto *window = new TFCompromissos(m_program, this);
    window->setAttribute(Qt::WA_DeleteOnClose);
    ui::Dialogs::showModal(window);
}

void TFPrincipal::btnFinancasClick()
{
    // The finance program opens the same file; the agenda connects again when it next needs to.
    m_program.FMenu->dm().SQLConnection1.close();
    m_launcher.start();
}

void TFPrincipal::btnCalendarioClick()
{
    Panel6->show();
    Panel6->raise();
}

void TFPrincipal::btnSairClick()
{
    m_program.terminate();
}

void TFPrincipal::SpeedButton1Click()
{
    Panel6->hide();
}

void TFPrincipal::btnFecharCalendarioClick()
{
    Panel2->hide();
    Panel4->show();
}

void TFPrincipal::btnAbrirClick()
{
    loadToday();
    Panel2->show();
    Panel4->hide();
}

void TFPrincipal::Contato1Click()
{
    auto *contato = new TFContato(m_program, this);
    contato->setAttribute(Qt::WA_DeleteOnClose);
    ui::centerOnScreen(contato);
    contato->show();
}

void TFPrincipal::Timer1Timer()
{
    Label2->setText(clockText(QTime::currentTime()));
}

void TFPrincipal::FormClose()
{
    m_program.terminate();
}

void TFPrincipal::closeEvent(QCloseEvent *event)
{
    QMainWindow::closeEvent(event);
    FormClose();
}

} // namespace lx::agenda
