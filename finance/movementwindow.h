#pragma once

#include "ui/formdialog.h"

#include "finance/core/movements.h"

#include <QDialog>

#include <functional>

class QAction;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QToolButton;

namespace lx::ui {
class DBEdit;
class DBGrid;
class DBLookupComboBox;
} // namespace lx::ui

namespace lx::finance {

/// The window of a movement table, expenses or receipts: the whole table in a grid, entry of
/// a new movement, change (date locked), delete with confirmation, search by description and
/// the type register; every saved or deleted movement recomputes its month's cash summary.
/// While a movement is being inserted or changed the current row stays where it is, F1 does
/// nothing, and closing the window cancels that movement.
class TFMovimento : public ui::FormDialog
{
    Q_OBJECT
public:
    TFMovimento(const TabelaMovimento &tabela, QWidget *parent = nullptr);
    ~TFMovimento() override;

    Movimento &movimento() { return m_mov; }
    /// Edit state (editar) rather than browse state (navegar).
    bool editando() const { return m_editando; }

    QToolButton *btnNovo;
    QToolButton *btnSalvar;
    QToolButton *btnCancelar;
    QToolButton *btnExcluir;
    QToolButton *btnSair;
    QLabel *Label1;
    QLabel *Label2;
    QLabel *Label3;
    QLabel *Label4;
    ui::DBEdit *DBEdit3;
    ui::DBLookupComboBox *DBLookupComboBox1;
    QToolButton *btnTipo;
    ui::DBEdit *DBEdit1;
    ui::DBEdit *DBEdit2;
    QToolButton *btnSalvar2;
    ui::DBGrid *DBGrid1;
    QMenu *PopupMenu1;
    QAction *Alterar1;
    QLabel *Label5;
    QLineEdit *txtBuscar;
    QPushButton *btnBuscar;
    QPushButton *btnMostrar;
    QAction *Novo1;

    void navegar();
    /// dataTravada: changing a saved movement, whose date cannot change.
    void editar(bool dataTravada = false);

protected:
    void done(int result) override;
    /// Opens the type register of the table, owned by this window, modally.
    virtual void abrirTipos() = 0;

private:
    void FormShow() override;
    void btnNovoClick();
    void Novo1Click();
    void btnSalvarClick();
    void btnCancelarClick();
    void btnExcluirClick();
    void DBGrid1DblClick();
    void Alterar1Click();
    void txtBuscarChange();
    void btnBuscarClick();
    void btnMostrarClick();
    void btnTipoClick();
    void btnSairClick();

    void montar();
    /// Runs a step; when it fails and leaves no row being edited, the window browses again.
    void passo(const std::function<void()> &acao);

    Movimento m_mov;
    bool m_editando = false;
};

} // namespace lx::finance
