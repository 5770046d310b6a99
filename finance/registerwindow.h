#pragma once

#include "ui/formdialog.h"

#include "db/cachemodel.h"
#include "finance/core/registersteps.h"

#include <QDialog>
#include <QList>
#include <QPointer>

#include <functional>

class QLabel;
class QTabWidget;
class QToolButton;

namespace lx {
class TableCache;
namespace ui {
class DataSource;
class DBEdit;
class DBGrid;
class DBNavigator;
} // namespace ui
} // namespace lx

namespace lx::finance {

class TDM;

/// The key map of an entry box of a register window: Enter or Down moves to the next control,
/// Up to the previous one, F5 saves and Esc leaves. A drop-down list (lista) keeps Up and
/// Down for itself.
void mapearTeclas(QWidget *caixa, const std::function<void()> &salvar,
                  const std::function<void()> &sair, bool lista = false);

/// Keeps the current row of a cache where it is while a row is being inserted or changed: the
/// clicks and keys that would move it (grid rows, navigator buttons) are refused, so that the
/// row is never settled into the cache behind the window's back.
class TravaLinha : public QObject
{
    Q_OBJECT
public:
    TravaLinha(TableCache *cache, QObject *parent);
    void vigiar(QWidget *controle);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QPointer<TableCache> m_cache;
};

/// One data box of a register window, in tab order (DBEdit1, DBEdit2, ...).
struct CampoCadastro
{
    QString rotulo;
    QString campo;
    bool editavel;  ///< enabled in edit state; a box that is not stays disabled
    bool descricao; ///< the box that takes the focus in edit state and has the key map
};

/// What one register window edits and shows.
struct FichaCadastro
{
    QString titulo;
    TableCache *const TDM::*cache;
    ui::DataSource *const TDM::*dados;
    QString codigo;
    QList<CampoCadastro> campos;
    QList<CacheModel::Column> colunas;
};

/// A register window: data tab "Cadastro" with the boxes, a record navigator and the buttons
/// "Novo", "Alterar", "Salvar", "Cancelar", "Excluir", "Consultar" and "Sair"; grid tab
/// "Consulta"; browse state (navegar) and edit state (editar). It edits a shared cache of the
/// data module DM. Closing it while a row is being edited cancels that row, and the current
/// row cannot be moved to another row then.
class RegisterWindow : public ui::FormDialog
{
    Q_OBJECT
public:
    RegisterWindow(const FichaCadastro &ficha, QWidget *parent = nullptr);
    ~RegisterWindow() override;

    Cadastro &cadastro() { return m_cadastro; }
    TableCache &cache() const { return m_cadastro.cache(); }
    /// Edit state (editar) rather than browse state (navegar).
    bool editando() const { return m_editando; }
    /// The data box of a column.
    ui::DBEdit *caixa(const QString &campo) const;

    QTabWidget *PageControl1;
    QWidget *TabSheet1;
    QWidget *TabSheet2;
    QList<QLabel *> rotulos;    ///< Label1, Label2, ...
    QList<ui::DBEdit *> caixas; ///< DBEdit1, DBEdit2, ...
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
    void done(int result) override;

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

    /// Runs a step; when it fails and leaves no row being edited, the window browses again.
    void passo(const std::function<void()> &acao);
    void montar(const FichaCadastro &ficha, ui::DataSource *dados);

    Cadastro m_cadastro;
    QList<CampoCadastro> m_campos;
    bool m_editando = false;
};

} // namespace lx::finance
