#pragma once

#include "agenda/core/appointments.h"
#include "ui/recordwindow.h"

class QAction;
class QLabel;
class QLineEdit;
class QTabWidget;
class QToolButton;

namespace lx::ui {
class DBEdit;
class DBGrid;
class DBMemo;
class DBNavigator;
class MaskEdit;
} // namespace lx::ui

namespace lx::agenda {

class Program;

/// The appointments register on the start-up phone book window's TBCOMPROMISSO: data tab
/// "Cadastro" with the boxes, the buttons and a navigator; tab "Consulta" with the searches by
/// title and by date over a grid. Shortcut keys come from hidden entries that act only while
/// their button is enabled. While a row is being inserted or changed, "Consulta" is closed.
class TFCompromissos : public ui::RecordWindow
{
    Q_OBJECT
public:
    explicit TFCompromissos(Program &program, QWidget *parent = nullptr);
    ~TFCompromissos() override;

    Appointments &appointments() { return m_appointments; }

    QTabWidget *PageControl1;
    QWidget *TabSheet2;
    QWidget *TabSheet3;

    QLabel *Label1;
    QLabel *Label2;
    QLabel *Label3;
    QLabel *Label4;
    QLabel *Label5;
    ui::DBEdit *DBEdit1;
    ui::DBEdit *DBEdit2;
    ui::DBEdit *DBEdit4;
    ui::DBEdit *DBEdit5;
    ui::DBMemo *DBMemo1;

    QToolButton *btnNovo;
    QToolButton *btnAlterar;
    QToolButton *btnSalvar;
    QToolButton *btnCancelar;
    QToolButton *btnExcluir;
    QToolButton *btnConsultar;
    QToolButton *btnImprimir;
    QToolButton *btnSair;
    ui::DBNavigator *DBNavigator1;

    QLabel *Label6;
    QLineEdit *txtTitulo;
    QLabel *Label7;
    ui::MaskEdit *txtData;
    ui::DBGrid *DBGrid1;

    QAction *Novo1;
    QAction *Alterar1;
    QAction *Salvar1;
    QAction *Cancelar1;
    QAction *Excluir1;
    QAction *Consultar1;
    QAction *Sair1;

    void navegar();
    void editar();

    void btnNovoClick();
    void btnAlterarClick();
    void btnSalvarClick();
    void btnCancelarClick();
    void btnExcluirClick();
    void btnConsultarClick();
    void btnImprimirClick();
    void btnSairClick();
    void TabSheet2Show();
    void TabSheet3Show();
    void DBGrid1DblClick();
    void txtTituloKeyDown();
    void txtDataKeyDown();

protected:
    void browse() override { navegar(); }
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void FormShow() override;
    void build();
    QWidget *buildDataTab();
    QWidget *buildSearchTab();
    void buildShortcuts();

    Program &m_program;
    Appointments m_appointments;
};

} // namespace lx::agenda
