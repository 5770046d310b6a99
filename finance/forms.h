#pragma once

#include <QPointer>

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

} // namespace lx::finance
