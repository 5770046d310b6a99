#pragma once

#include "finance/movementwindow.h"

namespace lx::finance {

/// "Gastos": the expenses; its type button opens TFTipoGasto.
class TFGasto : public TFMovimento
{
    Q_OBJECT
public:
    explicit TFGasto(QWidget *parent = nullptr);

protected:
    void abrirTipos() override;
};

} // namespace lx::finance
