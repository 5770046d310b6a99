#pragma once

#include "ui/datamodule.h"

namespace lx {
class TableCache;
namespace ui {
class DataSource;
}
} // namespace lx

namespace lx::finance {

/// The finance program's data module: its one connection "TOSTARA" and the shared table
/// caches with their data sources. The windows open a cache the first time they need it; it
/// then stays open.
class TDM : public ui::DataModule
{
    Q_OBJECT
public:
    explicit TDM(QObject *parent = nullptr);
    ~TDM() override;

    TableCache *const TBGASTO;
    TableCache *const TBRECEBIMENTO;
    TableCache *const TBCAIXAMES;
    TableCache *const TBTIPOGASTO;
    TableCache *const TBTIPOREC;
    TableCache *const TBCONTPAG;
    TableCache *const TBCONTA;

    ui::DataSource *const DSGASTO;
    ui::DataSource *const DSRECEBIMENTO;
    ui::DataSource *const DSCAIXAMES;
    ui::DataSource *const DSTIPOGASTO;
    ui::DataSource *const DSTIPOREC;
    ui::DataSource *const DSCONTPAG;
    ui::DataSource *const DSCONTA;

    /// Finds the database and connects; returns the error to show when that fails (the
    /// program goes on, and each later open of a cache tries again).
    QString DataModuleCreate(const QString &aliasFile, const QString &programFolder);
};

/// The data module of the running program; set while it exists.
extern TDM *DM;

} // namespace lx::finance
