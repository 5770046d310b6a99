#pragma once

#include "ui/dialogs.h"

#include <QPointer>
#include <QWidget>

namespace lx::finance {

class TFGasto;
class TFRecebimento;
class TFCaixaMes;
class TFGraficos;
class TFContasAPagar;
class TFFiltroRelatorio;
class TFTipoGasto;
class TFTipoEntrada;

// The last window of each class that the main window opened; a closed one is freed when the
// next opening replaces it.
extern QPointer<TFGasto> FGasto;
extern QPointer<TFRecebimento> FRecebimento;
extern QPointer<TFCaixaMes> FCaixaMes;
extern QPointer<TFGraficos> FGraficos;
extern QPointer<TFContasAPagar> FContasAPagar;
extern QPointer<TFFiltroRelatorio> FFiltroRelatorio;
extern QPointer<TFTipoGasto> FTipoGasto;
extern QPointer<TFTipoEntrada> FTipoEntrada;

class TDM;

/// Opens a window of class W on the data module from another window: owned by owner, freed
/// when it closes, stored in its variable and shown modally.
template <typename W> void openFrom(QWidget *owner, TDM &dm, QPointer<W> &variable)
{
    auto *window = new W(dm, owner);
    window->setAttribute(Qt::WA_DeleteOnClose);
    variable = window;
    ui::Dialogs::showModal(window);
}

} // namespace lx::finance
