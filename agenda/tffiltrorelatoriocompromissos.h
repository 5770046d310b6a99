#pragma once

#include "agenda/core/appointmentsreport.h"
#include "ui/formdialog.h"

class QLabel;
class QToolButton;

namespace lx::ui {
class MaskEdit;
}

namespace lx::agenda {

class Program;

/// The appointments report's filter window ("Filtro de Impressão"): a range of days and a range
/// of times of day; "Visualizar" previews the report, "Imprimir" prints it straight away.
class TFFiltroRelatorioCompromissos : public ui::FormDialog
{
    Q_OBJECT
public:
    explicit TFFiltroRelatorioCompromissos(Program &program, QWidget *parent = nullptr);

    /// The four texts as the report asks for them.
    AppointmentsPeriod period() const;

    QLabel *Label1;
    QLabel *Label2;
    QLabel *Label3;
    QLabel *Label4;
    QLabel *Label5;
    ui::MaskEdit *txtDataInicial;
    ui::MaskEdit *txtDataFinal;
    ui::MaskEdit *txtHoraInicial;
    ui::MaskEdit *txtHoraFinal;
    QToolButton *btnImprimir;
    QToolButton *btnVisualizar;
    QToolButton *SpeedButton1;

    /// Builds a fresh report from the four texts, owned by this window, and makes it the
    /// program's FRelatorioCompromissos; throws DbError when a text does not convert or the
    /// query fails.
    void montar_relatorio();
    void btnImprimirClick();
    void btnVisualizarClick();
    void SpeedButton1Click();

private:
    void FormShow() override;

    Program &m_program;
};

} // namespace lx::agenda
