#pragma once

#include "agenda/core/financelauncher.h"

#include <QMainWindow>

class QAction;
class QCalendarWidget;
class QFrame;
class QLabel;
class QMenu;
class QPushButton;
class QTableView;
class QTimer;
class QToolButton;

namespace lx {
class QueryModel;
}

namespace lx::agenda {

class Picture;
class Program;
class TodayAppointments;

/// The agenda main window: the button bar, today's appointments, the clock, the calendar and
/// the start of the finance program. Closing it ends the program.
class TFPrincipal : public QMainWindow
{
    Q_OBJECT
public:
    explicit TFPrincipal(Program &program, QWidget *parent = nullptr);
    ~TFPrincipal() override;

    void FormShow();
    void btnAgendaTelefonicaClick();
    void btnCompromissosClick();
    void btnFinancasClick();
    void btnCalendarioClick();
    void btnSairClick();
    void SpeedButton1Click();
    void btnFecharCalendarioClick();
    void btnAbrirClick();
    void Contato1Click();
    void Timer1Timer();

    /// Where "Controle Financeiro" looks for the finance program first.
    FinanceLauncher &launcher() { return m_launcher; }
    TodayAppointments *TBCompromissos() const { return m_today; }

    QToolButton *btnAgendaTelefonica;
    QToolButton *btnCompromissos;
    QToolButton *btnFinancas;
    QToolButton *btnCalendario;
    QToolButton *btnSair;
    Picture *Image1;
    QFrame *Panel2;
    QFrame *Panel5;
    QLabel *Label2;
    QLabel *Label1;
    QPushButton *btnFechar;
    QFrame *Panel3;
    QTableView *DBGrid1;
    QFrame *Panel4;
    QPushButton *btnAbrir;
    QFrame *Panel6;
    QPushButton *btnFecharCalendario;
    QCalendarWidget *Calendario;

    QAction *AgendaTelefnica1;
    QAction *Compromissos1;
    QAction *ControleFinanceiro1;
    QMenu *Configuraes1;
    QAction *Contato1;
    QAction *Sair1;
    QTimer *Timer1;

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void FormClose();
    void loadToday();
    QWidget *makeButtonBar();
    QWidget *makeTodayPanel();
    void makeMenu();

    Program &m_program;
    TodayAppointments *m_today;
    QueryModel *m_todayModel;
    FinanceLauncher m_launcher;
};

} // namespace lx::agenda
