#include "finance/tfgasto.h"

#include "finance/forms.h"
#include "finance/tfmenu.h"
#include "finance/tftipogasto.h"

#include <QIcon>
#include <QToolButton>

namespace lx::finance {

TFGasto::TFGasto(QWidget *parent) : TFMovimento(tabelaGasto(), parent)
{
    setObjectName(QStringLiteral("FGasto"));
    btnTipo->setIcon(QIcon(QStringLiteral(":/finance/images/tiposgasto.jpg")));
}

void TFGasto::abrirTipos()
{
    auto *janela = new TFTipoGasto(this);
    janela->setAttribute(Qt::WA_DeleteOnClose);
    FTipoGasto = janela;
    TFMenu::mostrarModal(janela);
}

} // namespace lx::finance
