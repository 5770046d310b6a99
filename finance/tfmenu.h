#pragma once

#include "finance/forms.h"
#include "ui/dialogs.h"

#include <QDialog>
#include <QMainWindow>
#include <QPointer>

class QAction;
class QLabel;
class QMenu;
class QToolButton;

namespace lx::finance {

class TDM;

/// The finance program's main window: five buttons and a menu bar from which every other
/// window opens, over the program's picture. It creates and owns the data module.
class TFMenu : public QMainWindow
{
    Q_OBJECT
public:
    /// Connects through the platform's alias file and the running program's folder.
    explicit TFMenu(QWidget *parent = nullptr);
    /// Connects through the given alias file and program folder.
    TFMenu(const QString &aliasFile, const QString &programFolder, QWidget *parent = nullptr);
    ~TFMenu() override;

    /// Opens a window: a fresh instance owned by this window, stored in its variable
    /// (freeing the previous, closed one) and shown modally.
    template <typename W> W *open(QPointer<W> &variable);

    TDM *dm() const { return m_dm; }

    QToolButton *btnGasto;
    QToolButton *btnRecebimento;
    QToolButton *btnCaixa;
    QToolButton *btnGraficos;
    QToolButton *btnSair;

    QMenu *Sadas1;
    QMenu *Entradas1;
    QMenu *Relatrios1;
    QAction *InformarGasto1;
    QAction *CadastrodeTiposdeGastos1;
    QAction *ContasPagar1;
    QAction *InformarEntrada1;
    QAction *CadastrodeTiposdeEntradas1;
    QAction *Grficos1;
    QAction *Listagens1;
    QAction *Sair1;

    QLabel *Image1;

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void FormCreate(const QString &aliasFile, const QString &programFolder);
    void FormShow();
    void FormClose();

    void btnGastoClick();
    void btnRecebimentoClick();
    void btnCaixaClick();
    void btnGraficosClick();
    void btnSairClick();
    void InformarGasto1Click();
    void CadastrodeTiposdeGastos1Click();
    void ContasPagar1Click();
    void InformarEntrada1Click();
    void CadastrodeTiposdeEntradas1Click();
    void Grficos1Click();
    void Listagens1Click();
    void Sair1Click();

    void build();
    QToolButton *button(const char *name, const QString &caption, const QString &picture,
                        void (TFMenu::*handler)());
    QAction *entry(QMenu *menu, const char *name, const QString &caption, const QString &picture,
                   void (TFMenu::*handler)());

    QString m_programFolder;
    TDM *m_dm = nullptr;
    bool m_centred = false;
};

/// The main window of the running program; set while it exists.
extern TFMenu *FMenu;

template <typename W> W *TFMenu::open(QPointer<W> &variable)
{
    delete variable.data();
    auto *window = new W(*m_dm, this);
    variable = window;
    ui::Dialogs::showModal(window);
    return window;
}

} // namespace lx::finance
