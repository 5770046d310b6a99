#include "finance/tfrecebimento.h"

#include "finance/forms.h"
#include "finance/tftipoentrada.h"
#include "ui/dialogs.h"

#include <QIcon>
#include <QToolButton>

namespace lx::finance {

TFRecebimento::TFRecebimento(TDM &dm, QWidget *parent)
    : MovementWindow(dm, MovementSetup::receipts(), parent), m_dm(dm)
{
    setObjectName(QStringLiteral("FRecebimento"));
    btnTipo->setIcon(QIcon(QStringLiteral(":/finance/images/tiposentrada.jpg")));
}

void TFRecebimento::openTypes()
{
    auto *window = new TFTipoEntrada(m_dm, this);
    window->setAttribute(Qt::WA_DeleteOnClose);
    FTipoEntrada = window;
    ui::Dialogs::showModal(window);
}

} // namespace lx::finance
