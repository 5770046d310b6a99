#pragma once

#include "finance/core/movements.h"
#include "ui/recordwindow.h"

class QAction;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QToolButton;

namespace lx::ui {
class DataSource;
class DBEdit;
class DBGrid;
class DBLookupComboBox;
} // namespace lx::ui

namespace lx::finance {

class TDM;

/// What sets the expense window apart from the receipt window.
struct MovementSetup
{
    const MovementTable &table;
    ui::DataSource *const TDM::*movements;
    ui::DataSource *const TDM::*types;
    QString caption;
    QString newCaption;
    QString searchLabel;
    QString typeHint;

    static const MovementSetup &expenses();
    static const MovementSetup &receipts();
};

/// The window of a movement table, expenses or receipts: the whole table in a grid, entry of
/// a new movement, change (date locked), delete with confirmation, search by description and
/// the type register; every saved or deleted movement recomputes its month's cash summary.
/// While a movement is being inserted or changed the current row stays where it is, F1 does
/// nothing, and closing the window cancels that movement.
class MovementWindow : public ui::RecordWindow
{
    Q_OBJECT
public:
    MovementWindow(TDM &dm, const MovementSetup &setup, QWidget *parent = nullptr);
    ~MovementWindow() override;

    Movements &movements() { return m_movements; }

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
    /// dateLocked: changing a saved movement, whose date cannot change.
    void editar(bool dateLocked = false);

protected:
    void browse() override { navegar(); }
    /// Opens the type register of the table, owned by this window, modally.
    virtual void openTypes() = 0;

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

    void build(const MovementSetup &setup, TDM &dm);

    Movements m_movements;
};

} // namespace lx::finance
