#pragma once

#include "ui/formdialog.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QTabWidget;
class QToolButton;

namespace lx::ui {
class DBEdit;
class DBGrid;
} // namespace lx::ui

namespace lx::finance {

class TDM;

/// "Caixa do Mês": reads the monthly cash summaries, the current one on the first tab, all of
/// them in a grid with a search by month and year on the second. It changes no data.
class TFCaixaMes : public ui::FormDialog
{
    Q_OBJECT
public:
    explicit TFCaixaMes(TDM &dm, QWidget *parent = nullptr);

    static const QString yearPlaceholder;

    QTabWidget *PageControl1;
    QWidget *TabSheet1;
    QWidget *TabSheet2;
    ui::DBEdit *DBEdit3;
    ui::DBEdit *DBEdit4;
    ui::DBEdit *DBEdit5;
    ui::DBEdit *DBEdit6;
    ui::DBEdit *DBEdit7;
    QToolButton *btnSair;
    QToolButton *btnPrimeiro;
    QToolButton *btnAnterior;
    QToolButton *btnProximo;
    QToolButton *btnUltimo;
    QLabel *Label6;
    QComboBox *CBMes;
    QLineEdit *txtAno;
    QToolButton *btnBuscar;
    QToolButton *btnSair2;
    ui::DBGrid *DBGrid1;

    void btnBuscarClick();
    void txtAnoClick();
    void txtAnoChange();
    void DBGrid1DblClick();
    void btnSairClick();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void FormShow() override;
    QWidget *buildMonthTab();
    QWidget *buildAllMonthsTab();

    TDM &m_dm;
};

} // namespace lx::finance
