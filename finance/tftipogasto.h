#pragma once

#include "finance/registerwindow.h"

namespace lx::finance {

class TDM;

/// "Cadastro de Tipos de Gasto": the expense types. Its code box takes typing in edit state.
class TFTipoGasto : public RegisterWindow
{
    Q_OBJECT
public:
    explicit TFTipoGasto(TDM &dm, QWidget *parent = nullptr);
};

} // namespace lx::finance
