#pragma once

#include "finance/registerwindow.h"

namespace lx::finance {

/// "Cadastro de Tipos de Entrada": the receipt types. Its code box never takes typing.
class TFTipoEntrada : public RegisterWindow
{
    Q_OBJECT
public:
    explicit TFTipoEntrada(QWidget *parent = nullptr);
};

} // namespace lx::finance
