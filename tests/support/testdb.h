#pragma once

#include "db/connection.h"

#include <QTemporaryDir>
#include <QVariant>

#include <memory>

namespace lx {
class TableCache;
}

namespace lx::test {

/// A fresh copy of the template database in its own temporary folder, reached either
/// embedded or, with LX_TEST_MODE=server, through the Firebird server that scripts/test
/// runs (LX_TEST_SERVER is its host/port, LX_TEST_SERVER_DIR a folder it can reach).
class TestDb
{
public:
    TestDb();
    ~TestDb();

    static bool serverMode();
    /// QSKIP-style guard: true when server mode was asked for but no server is configured.
    static bool serverUnavailable();

    bool isValid() const { return m_dir.isValid(); }
    /// The folder holding the database, with a trailing separator.
    QString folder() const;
    /// What a connection's Database parameter is for this copy.
    QString databasePath() const;
    /// An alias file whose first line leads to this copy.
    QString aliasFile() const { return m_aliasFile; }

    /// A connection set up through the alias file; throws DbError.
    std::unique_ptr<Connection> connect(const QString &name = QStringLiteral("TOSTARA")) const;

    /// Runs SQL on a connection of its own, committed; throws DbError.
    void exec(const QString &sql, const QVariantList &values = {}) const;
    QVariant scalar(const QString &sql, const QVariantList &values = {}) const;

private:
    QTemporaryDir m_dir;
    QString m_aliasFile;
    QString m_aliasLine;
    std::unique_ptr<Connection> m_admin;
};

/// Inserts and posts an expense type into an open TTIPOGASTO cache (not applied).
void addType(TableCache &types, int code, const QString &description);

} // namespace lx::test
