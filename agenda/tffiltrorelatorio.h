#pragma once

#include "ui/formdialog.h"

#include <QPointer>

class QLabel;
class QLineEdit;
class QPushButton;

namespace lx::agenda {

class TFMenu;
class TFRelatorioContatos;

/// The contacts report's filter window: a range of names, then the report in the print
/// preview ("Visualizar") or straight on the printer ("Imprimir"). Each of them builds a fresh
/// report, owned by this window, from the two texts as typed.
class TFFiltroRelatorio : public ui::FormDialog
{
    Q_OBJECT
public:
    /// menu is the phone book whose connection the report reads.
    TFFiltroRelatorio(TFMenu &menu, QWidget *parent = nullptr);

    QLabel *Label1;
    QLineEdit *txtNome1;
    QLabel *Label2;
    QLineEdit *txtNome2;
    QPushButton *btnImprimir;
    QPushButton *btnVisualizar;
    QPushButton *btnSair;

    /// The report the last "Visualizar" or "Imprimir" built.
    QPointer<TFRelatorioContatos> FRelatorioContatos;

    void btnImprimirClick();
    void btnVisualizarClick();
    void btnSairClick();

private:
    /// Steps 1 to 4 of both buttons: a new report over the query run for the two texts.
    TFRelatorioContatos &buildReport();

    TFMenu &m_menu;
};

} // namespace lx::agenda
