#include "finance/tfrecebimento.h"

#include "finance/forms.h"
#include "finance/look.h"
#include "finance/tftipoentrada.h"
#include "ui/dialogs.h"

#include <QIcon>
#include <QToolButton>

namespace lx::finance {

TFRecebimento::TFRecebimento(TDM &dm, QWidget *parent)
    : MovementWindow(dm, MovementSetup::receipts(), parent), m_dm(dm)
{
    setObjectName(QStringLiteral("FRecebimento"));
    btnTipo->setIcon(picture(QStringLiteral("tiposentrada")));
}

void TFRecebimento::openTypes()
{
    openFrom(this, m_dm, FTipoEntrada);
}

} // namespace lx::finance
