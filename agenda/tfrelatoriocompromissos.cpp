#include "agenda/tfrelatoriocompromissos.h"

namespace lx::agenda {

TFRelatorioCompromissos::TFRelatorioCompromissos(Program &program, QWidget *parent)
    : QWidget(parent, Qt::Window), m_program(program)
{
    setObjectName(QStringLiteral("FRelatorioCompromissos"));
}

} // namespace lx::agenda
