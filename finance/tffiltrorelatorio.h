#pragma once

#include "ui/formdialog.h"

#include <QList>
#include <QPointer>

class QButtonGroup;
class QGroupBox;
class QLabel;
class QRadioButton;
class QToolButton;

namespace lx::ui {
class MaskEdit;
}

namespace lx::finance {

class TDM;
class ListingReport;

/// "Filtro de Relatório das Finanças": the period and the kind of listing; each "Gerar
/// Relatório" builds a new listing and previews it. The listings belong to the window.
class TFFiltroRelatorio : public ui::FormDialog
{
    Q_OBJECT
public:
    explicit TFFiltroRelatorio(TDM &dm, QWidget *parent = nullptr);

    QGroupBox *RGFinancas;
    QRadioButton *rbGastos;   ///< "Apenas os Gastos", index 0
    QRadioButton *rbEntradas; ///< "Apenas as Entradas", index 1
    QLabel *Label1;
    ui::MaskEdit *txtDataInicial;
    QLabel *Label2;
    ui::MaskEdit *txtDataFinal;
    QToolButton *btnGerar;
    QToolButton *btnSair;

    /// The chosen item of RGFinancas; -1 when none is chosen.
    int itemIndex() const;
    void setItemIndex(int index);

    void btnGerarClick();
    void btnSairClick();

    /// The listings built so far, the last one last.
    QList<ListingReport *> reports() const;

private:
    void FormShow() override;

    TDM &m_dm;
    QButtonGroup *m_items;
    QList<QPointer<ListingReport>> m_reports;
};

} // namespace lx::finance
