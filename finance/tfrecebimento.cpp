#include "finance/tfrecebimento.h"

#include "finance/forms.h"
#include "finance/tfmenu.h"
#include "finance/tftipoentrada.h"

#include <QIcon>
#include <QToolButton>

namespace lx::finance {

TFRecebimento::TFRecebimento(QWidget *parent) : TFMovimento(tabelaRecebimento(), parent)
{
    setObjectName(QStringLiteral("FRecebimento"));
    btnTipo->setIcon(QIcon(QStringLiteral(":/finance/images/tiposentrada.jpg")));
}

void TFRecebimento::abrirTipos()
{
    auto *janela = new TFTipoEntrada(this);
    janela->setAttribute(Qt::WA_DeleteOnClose);
    FTipoEntrada = janela;
    TFMenu::mostrarModal(janela);
}

} // namespace lx::finance
