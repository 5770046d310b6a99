#include "finance/tfgasto.h"

#include "finance/forms.h"
#include "finance/tftipogasto.h"
#include "ui/dialogs.h"

#include <QIcon>
#include <QToolButton>

namespace lx::finance {

TFGasto::TFGasto(TDM &dm, QWidget *parent)
    : MovementWindow(dm, MovementSetup::expenses(), parent), m_dm(dm)
{
    setObjectName(QStringLiteral("FGasto"));
    btnTipo->setIcon(QIcon(QStringLiteral(":/finance/images/tiposgasto.jpg")));
}

void TFGasto::openTypes()
{
    auto *window = new TFTipoGasto(m_dm, this);
    window->setAttribute(Qt::WA_DeleteOnClose);
    FTipoGasto = window;
    ui::Dialogs::showModal(window);
}

} // namespace lx::finance
