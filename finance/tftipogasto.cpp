#include "finance/tftipogasto.h"

#include "finance/tdm.h"

namespace lx::finance {

namespace {
const FichaCadastro &ficha()
{
    static const FichaCadastro f{
        QStringLiteral("Cadastro de Tipos de Gasto"),
        &TDM::TBTIPOGASTO,
        &TDM::DSTIPOGASTO,
        QStringLiteral("TGACODIGO"),
        {{QStringLiteral("CÓDIGO"), QStringLiteral("TGACODIGO"), true, false},
         {QStringLiteral("DESCRIÇÃO"), QStringLiteral("TGADESCRICAO"), true, true}},
        {{QStringLiteral("TGACODIGO"), QStringLiteral("Código"), Qt::AlignCenter},
         {QStringLiteral("TGADESCRICAO"), QStringLiteral("Descrição"), Qt::AlignCenter}}};
    return f;
}
} // namespace

TFTipoGasto::TFTipoGasto(QWidget *parent) : RegisterWindow(ficha(), parent)
{
    setObjectName(QStringLiteral("FTipoGasto"));
}

} // namespace lx::finance
