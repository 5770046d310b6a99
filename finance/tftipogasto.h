#pragma once

#include "finance/registerwindow.h"

namespace lx::finance {

/// "Cadastro de Tipos de Gasto": the expense types. Its code box takes typing in edit state.
class TFTipoGasto : public RegisterWindow
{
    Q_OBJECT
public:
    explicit TFTipoGasto(QWidget *parent = nullptr);
};

} // namespace lx::finance
