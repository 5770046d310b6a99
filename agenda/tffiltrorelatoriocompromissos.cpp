#include "agenda/tffiltrorelatoriocompromissos.h"

namespace lx::agenda {

TFFiltroRelatorioCompromissos::TFFiltroRelatorioCompromissos(Program &program, QWidget *parent)
    : QWidget(parent, Qt::Dialog), m_program(program)
{
    setObjectName(QStringLiteral("FFiltroRelatorioCompromissos"));
    setWindowTitle(QStringLiteral("Filtro de Impressão"));
}

} // namespace lx::agenda
