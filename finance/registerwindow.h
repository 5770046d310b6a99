#pragma once

#include "db/cachemodel.h"
#include "finance/core/registersteps.h"
#include "ui/recordwindow.h"

#include <QList>

class QLabel;
class QTabWidget;
class QToolButton;

namespace lx::ui {
class DataSource;
class DBEdit;
class DBGrid;
class DBNavigator;
} // namespace lx::ui

namespace lx::finance {

/// One data box of a register window, in tab order (DBEdit1, DBEdit2, ...).
struct RegisterField
{
    QString label;
    QString field;
    bool editable;    ///< enabled in edit state; a box that is not stays disabled
    bool description; ///< the box that takes the focus in edit state and has the key map
};

/// What one register window edits and shows.
struct RegisterLayout
{
    QString caption;
    QString codeField;
    QList<RegisterField> fields;
    QList<CacheModel::Column> columns;
};

/// A register window: data tab "Cadastro" with the boxes, a record navigator and the buttons
/// "Novo", "Alterar", "Salvar", "Cancelar", "Excluir", "Consultar" and "Sair"; grid tab
/// "Consulta"; browse state (navegar) and edit state (editar). It edits a shared cache through
/// its data source. Closing it while a row is being edited cancels that row, and the current
/// row cannot be moved to another row then.
class RegisterWindow : public ui::RecordWindow
{
    Q_OBJECT
public:
    RegisterWindow(const RegisterLayout &layout, ui::DataSource *source, QWidget *parent = nullptr);
    ~RegisterWindow() override;

    RegisterSteps &steps() { return m_steps; }
    /// The data box of a column.
    ui::DBEdit *box(const QString &field) const;

    QTabWidget *PageControl1;
    QWidget *TabSheet1;
    QWidget *TabSheet2;
    QList<QLabel *> labels;    ///< Label1, Label2, ...
    QList<ui::DBEdit *> boxes; ///< DBEdit1, DBEdit2, ...
    QToolButton *btnNovo;
    QToolButton *btnAlterar;
    QToolButton *btnSalvar;
    QToolButton *btnCancelar;
    QToolButton *btnExcluir;
    QToolButton *btnConsultar;
    QToolButton *btnSair;
    ui::DBNavigator *DBNavigator1;
    ui::DBGrid *DBGrid1;

    void navegar();
    void editar();

protected:
    void browse() override { navegar(); }

private:
    void FormShow() override;
    void btnNovoClick();
    void btnAlterarClick();
    void btnSalvarClick();
    void btnCancelarClick();
    void btnExcluirClick();
    void btnConsultarClick();
    void btnSairClick();
    void DBGrid1DblClick();

    void build(const RegisterLayout &layout);

    RegisterSteps m_steps;
    QList<RegisterField> m_fields;
};

} // namespace lx::finance
