#include "agenda/agendadata.h"

namespace lx::agenda {

AgendaData::AgendaData(QObject *parent)
    : ui::DataModule(QStringLiteral("AGENDA"), parent),
      TBCONTATO(addTable(QStringLiteral("TCONTATO"), QStringLiteral("TBCONTATO"))),
      TBCOMPROMISSO(addTable(QStringLiteral("TCOMPROMISSO"), QStringLiteral("TBCOMPROMISSO"))),
      TBUSUARIO(addTable(QStringLiteral("TUSUARIO"), QStringLiteral("TBUSUARIO"))),
      DSCONTATO(addSource(TBCONTATO, QStringLiteral("DSCONTATO"))),
      DSCOMPROMISSO(addSource(TBCOMPROMISSO, QStringLiteral("DSCOMPROMISSO"))),
      DSUSUARIO(addSource(TBUSUARIO, QStringLiteral("DSUSUARIO")))
{}

} // namespace lx::agenda
