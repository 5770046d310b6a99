#include "finance/tftipoentrada.h"

#include "finance/tdm.h"

namespace lx::finance {

namespace {
const RegisterLayout &registerLayout()
{
    static const RegisterLayout layout{
        QStringLiteral("Cadastro de Tipos de Entrada"),
        QStringLiteral("TRECODIGO"),
        {{QStringLiteral("CÓDIGO"), QStringLiteral("TRECODIGO"), false, false},
         {QStringLiteral("DESCRIÇÃO"), QStringLiteral("TREDESCRICAO"), true, true}},
        {{QStringLiteral("TRECODIGO"), QStringLiteral("Código"), Qt::AlignCenter},
         {QStringLiteral("TREDESCRICAO"), QStringLiteral("Descrição"), Qt::AlignCenter}}};
    return layout;
}
} // namespace

TFTipoEntrada::TFTipoEntrada(TDM &dm, QWidget *parent)
    : RegisterWindow(registerLayout(), dm.DSTIPOREC, parent)
{
    setObjectName(QStringLiteral("FTipoEntrada"));
}

} // namespace lx::finance
