#include "finance/tftipoentrada.h"

#include "finance/tdm.h"

namespace lx::finance {

namespace {
const FichaCadastro &ficha()
{
    static const FichaCadastro f{
        QStringLiteral("Cadastro de Tipos de Entrada"),
        &TDM::TBTIPOREC,
        &TDM::DSTIPOREC,
        QStringLiteral("TRECODIGO"),
        {{QStringLiteral("CÓDIGO"), QStringLiteral("TRECODIGO"), false, false},
         {QStringLiteral("DESCRIÇÃO"), QStringLiteral("TREDESCRICAO"), true, true}},
        {{QStringLiteral("TRECODIGO"), QStringLiteral("Código"), Qt::AlignCenter},
         {QStringLiteral("TREDESCRICAO"), QStringLiteral("Descrição"), Qt::AlignCenter}}};
    return f;
}
} // namespace

TFTipoEntrada::TFTipoEntrada(QWidget *parent) : RegisterWindow(ficha(), parent)
{
    setObjectName(QStringLiteral("FTipoEntrada"));
}

} // namespace lx::finance
