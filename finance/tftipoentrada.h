#pragma once

#include "finance/registerwindow.h"

namespace lx::finance {

class TDM;

/// "Cadastro de Tipos de Entrada": the receipt types. Its code box never takes typing.
class TFTipoEntrada : public RegisterWindow
{
    Q_OBJECT
public:
    explicit TFTipoEntrada(TDM &dm, QWidget *parent = nullptr);
};

} // namespace lx::finance
