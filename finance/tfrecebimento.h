#pragma once

#include "finance/movementwindow.h"

namespace lx::finance {

/// "Entrada de Dinheiro": the receipts; its type button opens TFTipoEntrada.
class TFRecebimento : public MovementWindow
{
    Q_OBJECT
public:
    explicit TFRecebimento(TDM &dm, QWidget *parent = nullptr);

protected:
    void openTypes() override;

private:
    TDM &m_dm;
};

} // namespace lx::finance
