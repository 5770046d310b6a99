#pragma once

#include "db/connection.h"

#include <QObject>

namespace lx {
class TableCache;
namespace ui {
class DataSource;
}
} // namespace lx

namespace lx::finance {

/// The finance program's data module: its one connection "TOSTARA" and the shared table
/// caches. The windows open a cache the first time they need it; it then stays open.
class TDM : public QObject
{
    Q_OBJECT
public:
    /// Sets up the connection from the platform's alias file and the given program folder.
    explicit TDM(const QString &programFolder, QObject *parent = nullptr);
    /// The same with another alias file.
    TDM(const QString &aliasFile, const QString &programFolder, QObject *parent = nullptr);
    ~TDM() override;

    Connection SQLConnection1{QStringLiteral("TOSTARA")};

    TableCache *const TBGASTO;
    TableCache *const TBRECEBIMENTO;
    TableCache *const TBCAIXAMES;
    TableCache *const TBTIPOGASTO;
    TableCache *const TBTIPOREC;
    TableCache *const TBCONTPAG;
    TableCache *const TBCONTA;

    /// What the windows' bound controls show and edit, one per cache.
    ui::DataSource *const DSGASTO;
    ui::DataSource *const DSRECEBIMENTO;
    ui::DataSource *const DSCAIXAMES;
    ui::DataSource *const DSTIPOGASTO;
    ui::DataSource *const DSTIPOREC;
    ui::DataSource *const DSCONTPAG;
    ui::DataSource *const DSCONTA;

private:
    /// Connects; a failure is shown in the error box and the program goes on, each later
    /// open of a cache trying again.
    void DataModuleCreate(const QString &aliasFile, const QString &programFolder);
};

/// The data module of the running program; set while it exists.
extern TDM *DM;

} // namespace lx::finance
