#pragma once

#include "ui/datamodule.h"

namespace lx::agenda {

/// The agenda program's data: its one connection "AGENDA" and the caches of contacts,
/// appointments and accounts with their data sources, held by the start-up phone book window
/// for the whole run.
class AgendaData : public ui::DataModule
{
    Q_OBJECT
public:
    explicit AgendaData(QObject *parent = nullptr);

    TableCache *const TBCONTATO;
    TableCache *const TBCOMPROMISSO;
    TableCache *const TBUSUARIO;

    ui::DataSource *const DSCONTATO;
    ui::DataSource *const DSCOMPROMISSO;
    ui::DataSource *const DSUSUARIO;
};

} // namespace lx::agenda
