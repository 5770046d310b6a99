#pragma once

#include "finance/movementwindow.h"

namespace lx::finance {

/// "Entrada de Dinheiro": the receipts; its type button opens TFTipoEntrada.
class TFRecebimento : public TFMovimento
{
    Q_OBJECT
public:
    explicit TFRecebimento(QWidget *parent = nullptr);

protected:
    void abrirTipos() override;
};

} // namespace lx::finance
