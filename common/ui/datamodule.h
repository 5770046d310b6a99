#pragma once

#include "db/connection.h"

#include <QObject>
#include <QString>

#include <vector>

namespace lx {
class TableCache;
}

namespace lx::ui {

class DataSource;

/// A program's data module: its one connection SQLConnection1 and its table caches, each with
/// the data source that bound controls show it through. The windows reach their caches
/// through the module they are given; the module lives for the whole run.
class DataModule : public QObject
{
    Q_OBJECT
public:
    /// connectionName labels the connection ("TOSTARA", "AGENDA").
    DataModule(const QString &connectionName, QObject *parent = nullptr);
    /// The data sources go before their caches, the caches before the connection.
    ~DataModule() override;

    Connection SQLConnection1;

    /// Sets up the connection through the path rule and connects. Returns the error to show
    /// when that fails (empty on success); every later open of a cache tries again.
    QString setUp(const QString &aliasFile, const QString &programFolder);
    /// The server's own words for the last failed set-up (the error box's details).
    QString setUpDetails() const { return m_setUpDetails; }

protected:
    /// A cache of table on the module's connection, named name.
    TableCache *addTable(const QString &table, const QString &name);
    /// The data source, named name, of a cache of the module.
    DataSource *addSource(TableCache *cache, const QString &name);

private:
    std::vector<TableCache *> m_caches;
    std::vector<DataSource *> m_sources;
    QString m_setUpDetails;
};

} // namespace lx::ui
