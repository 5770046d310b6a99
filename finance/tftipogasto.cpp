#include "finance/tftipogasto.h"

#include "finance/tdm.h"

namespace lx::finance {

namespace {
const RegisterLayout &registerLayout()
{
    static const RegisterLayout layout{
        QStringLiteral("Cadastro de Tipos de Gasto"),
        QStringLiteral("TGACODIGO"),
        {{QStringLiteral("CÓDIGO"), QStringLiteral("TGACODIGO"), true, false},
         {QStringLiteral("DESCRIÇÃO"), QStringLiteral("TGADESCRICAO"), true, true}},
        {{QStringLiteral("TGACODIGO"), QStringLiteral("Código"), Qt::AlignCenter},
         {QStringLiteral("TGADESCRICAO"), QStringLiteral("Descrição"), Qt::AlignCenter}}};
    return layout;
}
} // namespace

TFTipoGasto::TFTipoGasto(TDM &dm, QWidget *parent)
    : RegisterWindow(registerLayout(), dm.DSTIPOGASTO, parent)
{
    setObjectName(QStringLiteral("FTipoGasto"));
}

} // namespace lx::finance
