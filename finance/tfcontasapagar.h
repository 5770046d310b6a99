#pragma once

#include "finance/core/bills.h"
#include "ui/recordwindow.h"

class QAction;
class QFrame;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QTabWidget;
class QToolButton;

namespace lx {
class TableCache;
}

namespace lx::ui {
class DataSource;
class DBEdit;
class DBGrid;
class DBLookupComboBox;
class DBNavigator;
class DBRadioGroup;
class MaskEdit;
} // namespace lx::ui

namespace lx::finance {

class TDM;

/// "Contas à Pagar": bills and their plans of monthly instalments, with down payment and
/// interest; paying, changing and deleting single instalments; deleting a bill with its plan;
/// the search of bills by description. The rules are in Bills; this window lays them out.
class TFContasAPagar : public ui::RecordWindow
{
    Q_OBJECT
public:
    explicit TFContasAPagar(TDM &dm, QWidget *parent = nullptr);
    ~TFContasAPagar() override;

    Bills &bills() { return m_bills; }
    /// The instalments of the current bill.
    TableCache *TBCONTPAG;
    ui::DataSource *DSCONTPAG;

    QTabWidget *PageControl1;
    QWidget *TabSheet1;
    QWidget *TabSheet2;
    QToolButton *btnNovo;
    QToolButton *btnAlterar;
    QToolButton *btnSalvar;
    QToolButton *btnCancelar;
    QToolButton *btnExcluir;
    QToolButton *btnConsultar;
    QToolButton *btnSair;
    QFrame *Panel1;
    ui::DBEdit *DBEdit6;
    ui::DBLookupComboBox *DBLookupComboBox2;
    QToolButton *btnTipo;
    ui::DBEdit *DBEdit10;
    ui::DBEdit *DBEdit7;
    ui::DBEdit *DBEdit8;
    ui::DBEdit *DBEdit9;
    ui::DBEdit *DBEdit11;
    ui::DBRadioGroup *DBRadioGroup1;
    ui::DBEdit *DBEdit12;
    QToolButton *btnSalvar2;
    QToolButton *btnCancelar2;
    ui::DBGrid *DBGrid1;
    QMenu *PopupMenu1;
    QAction *Alterar1;
    QAction *Pagar1;
    QAction *Excluir1;
    ui::DBNavigator *DBNavigator1;
    QFrame *PanelEditar;
    ui::DBEdit *DBEdit1;
    ui::DBLookupComboBox *DBLookupComboBox1;
    QToolButton *btnTipo2;
    ui::DBEdit *DBEdit3;
    ui::DBEdit *DBEdit4;
    ui::DBEdit *DBEdit5;
    QToolButton *btnSalvar3;
    QToolButton *btnCancelar3;
    QFrame *Panel2;
    ui::MaskEdit *DBEdit2;
    QToolButton *btnSalvar4;
    QToolButton *btnCancelar4;
    QLineEdit *txtConta;
    QPushButton *btnBuscar;
    QToolButton *btnSair2;
    ui::DBGrid *DBGrid2;

    void navegar();
    void editar();

    void btnNovoClick();
    void btnAlterarClick();
    void btnSalvar2Click();
    void btnCancelar2Click();
    void btnExcluirClick();
    void btnConsultarClick();
    void DBGrid2DblClick();
    void btnTipoClick();
    void btnSairClick();
    void Pagar1Click();
    void btnSalvar4Click();
    void btnCancelar4Click();
    void Alterar1Click();
    void btnSalvar3Click();
    void btnCancelar3Click();
    void Excluir1Click();
    void txtContaChange();

protected:
    void browse() override { navegar(); }

private:
    void FormShow() override;
    QWidget *buildRegisterTab();
    QWidget *buildSearchTab();
    QFrame *buildInstalmentPanel();
    QFrame *buildPaymentPanel();
    /// Reads the current bill's instalments again.
    void reloadInstalments();

    TDM &m_dm;
    Bills m_bills;
    int m_paying = -1; ///< the instalment the payment panel was opened for
};

} // namespace lx::finance
