#pragma once

#include "finance/movementwindow.h"

namespace lx::finance {

/// "Gastos": the expenses; its type button opens TFTipoGasto.
class TFGasto : public MovementWindow
{
    Q_OBJECT
public:
    explicit TFGasto(TDM &dm, QWidget *parent = nullptr);

protected:
    void openTypes() override;

private:
    TDM &m_dm;
};

} // namespace lx::finance
