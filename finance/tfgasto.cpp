#include "finance/tfgasto.h"

#include "finance/forms.h"
#include "finance/look.h"
#include "finance/tftipogasto.h"
#include "ui/dialogs.h"

#include <QIcon>
#include <QToolButton>

namespace lx::finance {

TFGasto::TFGasto(TDM &dm, QWidget *parent)
    : MovementWindow(dm, MovementSetup::expenses(), parent), m_dm(dm)
{
    setObjectName(QStringLiteral("FGasto"));
    btnTipo->setIcon(picture(QStringLiteral("tiposgasto")));
}

void TFGasto::openTypes()
{
    openFrom(this, m_dm, FTipoGasto);
}

} // namespace lx::finance
