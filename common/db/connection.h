#pragma once

#include <QList>
#include <QPair>
#include <QSqlDatabase>
#include <QString>

namespace lx {

class Transaction;

/// Where the database lies: the first line of the alias file plus the database name, or the
/// program's own folder plus the database name.
struct DatabaseLocation
{
    QString path;
    bool aliasUsed = false;
    bool aliasUnreadable = false; ///< the alias file exists but could not be read
    QString error;                ///< why the alias file could not be read
};

/// The alias file of this platform.
QString defaultAliasFile();
/// The folder of the running program, with a trailing separator.
QString programFolder();

/// Points the Firebird engine at the suite's own root folder, "firebird" beside the program
/// (or the build tree's, for the tools and tests): its firebird.conf runs the embedded engine
/// in Classic mode, so both programs share one database file, and leaves the machine's own
/// configuration alone. Call it first thing in main(), before any connection: the engine reads
/// its configuration once. Returns the folder now in FIREBIRD, empty when none was found (the
/// environment is then left as it was).
QString useOwnFirebirdRoot(const QString &programFolder);

/// Applies the path rule. The alias line is taken whole (no trimming); only the alias branch
/// inserts a separator, so a trailing separator on the alias line gives a doubled one.
DatabaseLocation locateDatabase(const QString &aliasFile, const QString &programFolder);

/// One program's connection to the shared database. It holds the parameter list it connects
/// with and connects again whenever a cache or query needs it and it is closed.
class Connection
{
public:
    using Params = QList<QPair<QString, QString>>;

    /// name is the program's label for the connection ("TOSTARA", "AGENDA").
    explicit Connection(const QString &name);
    ~Connection();
    Connection(const Connection &) = delete;
    Connection &operator=(const Connection &) = delete;

    /// The start-up set-up: find the database, put in the four run-time parameters and connect.
    /// Throws DbError when the alias file cannot be read (the design-time list stays in place
    /// and nothing is connected) or when connecting fails (the parameters stay in place).
    void setUp(const QString &aliasFile, const QString &programFolder);

    /// Connects with the parameters in place unless already connected; throws DbError.
    void ensureOpen();
    void close();
    bool isOpen() const;

    QString name() const { return m_name; }
    const Params &params() const { return m_params; }
    QString param(const QString &key) const;
    QString databasePath() const { return param(QStringLiteral("Database")); }

    /// The Qt connection, connected or not.
    QSqlDatabase database() const;

    /// The parameter list both programs carry before the set-up replaces it.
    static Params designTimeParams();

private:
    friend class Transaction;
    void applyParams();

    QString m_name;
    QString m_qtName;
    Params m_params;
    Transaction *m_transaction = nullptr; ///< the outer transaction open on this connection
};

} // namespace lx
