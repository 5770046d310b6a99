#pragma once

#include "agenda/core/phonebook.h"
#include "ui/recordwindow.h"

#include <QPointer>

class QAction;
class QLabel;
class QLineEdit;
class QToolButton;

namespace lx::ui {
class DBGrid;
class MaskEdit;
} // namespace lx::ui

namespace lx::agenda {

class AgendaData;
class TFFiltroRelatorio;

/// The phone book window. The instance made at start-up is also the agenda program's data
/// holder: its data module, with the connection "AGENDA" and the caches of contacts,
/// appointments and accounts, serves every agenda window for the whole run.
///
/// The entry boxes are not bound to the cache: they are copied to and from the current row.
/// While browsing, the name box is the search box and the other boxes are hidden; the shortcut
/// keys are hidden actions that click their buttons while those are enabled.
class TFMenu : public ui::RecordWindow
{
    Q_OBJECT
public:
    /// Sets up the connection through the path rule (aliasFile, then programFolder). A
    /// failure goes to the error box and the window is made all the same; later opens try
    /// to connect again.
    TFMenu(const QString &aliasFile, const QString &programFolder, QWidget *parent = nullptr);
    ~TFMenu() override;

    AgendaData &dm() const { return *m_dm; }
    PhoneBook &phoneBook() { return m_book; }

    /// How much wider the name box is while it serves as the search box.
    static constexpr int searchWidening = 500;
    /// The grid's columns "Nome", "Endereço" and "Email" are this much wider while the window
    /// is maximized.
    static constexpr int nameWidening = 59;
    static constexpr int addressWidening = 120;
    static constexpr int emailWidening = 60;

    QToolButton *btnNovo;
    QToolButton *btnAlterar;
    QToolButton *btnSalvar;
    QToolButton *btnCancelar;
    QToolButton *btnExcluir;
    QToolButton *btnConsultar;
    QToolButton *btnRelatorio;
    QToolButton *btnSair;
    QLabel *Label1;
    QLabel *Label2;
    QLabel *Label3;
    QLabel *Label4;
    QLabel *Label5;
    QLineEdit *txtNome;
    ui::MaskEdit *txtTelefone1;
    ui::MaskEdit *txtTelefone2;
    QLineEdit *txtEndereco;
    QLineEdit *txtEmail;
    QToolButton *btnSalvar1;
    ui::DBGrid *DBGrid1;

    QAction *Novo1;
    QAction *Alterar1;
    QAction *Salvar1;
    QAction *Cancelar1;
    QAction *Excluir1;
    QAction *Buscar1;
    QAction *Imprimir1;
    QAction *Sair1;

    /// The contacts report filter window of the last "Imprimir", while it is open.
    QPointer<TFFiltroRelatorio> FFiltroRelatorio;

    void navegar();
    void editar();

    void btnNovoClick();
    void btnAlterarClick();
    void btnSalvarClick();
    void btnCancelarClick();
    void btnExcluirClick();
    void btnRelatorioClick();
    void btnSairClick();
    void btnSalvar1Click();
    void txtNomeChange();

protected:
    void browse() override { navegar(); }
    void cancelEditing() override;
    void changeEvent(QEvent *event) override;

private:
    TFMenu(AgendaData *dm, const QString &aliasFile, const QString &programFolder, QWidget *parent);
    void FormCreate(const QString &aliasFile, const QString &programFolder);
    void FormShow() override;
    void FormResize();

    void build();
    void buildShortcuts();
    void clearBoxes();
    void showContact(const Contact &contact);
    Contact boxes() const;

    AgendaData *m_dm;
    PhoneBook m_book;
    int m_nameWidth = 0;    ///< the name box's width in edit state
    bool m_widened = false; ///< the grid's columns have their maximized widths
};

} // namespace lx::agenda
