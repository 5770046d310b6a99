#include "support/testdb.h"

#include "db/tablecache.h"

#include "db/dberror.h"

#include <QDir>
#include <QFile>
#include <QSqlError>
#include <QSqlQuery>

namespace lx::test {

namespace {
QTemporaryDir makeDir()
{
    if (TestDb::serverMode())
        return QTemporaryDir(qEnvironmentVariable("LX_TEST_SERVER_DIR") + "/db-XXXXXX");
    return QTemporaryDir();
}
} // namespace

bool TestDb::serverMode()
{
    return qEnvironmentVariable("LX_TEST_MODE") == "server";
}

bool TestDb::serverUnavailable()
{
    return serverMode() && (qEnvironmentVariableIsEmpty("LX_TEST_SERVER") ||
                            qEnvironmentVariableIsEmpty("LX_TEST_SERVER_DIR"));
}

TestDb::TestDb() : m_dir(makeDir())
{
    // A test binary started by hand uses the programs' Firebird root as ctest does.
    if (qEnvironmentVariableIsEmpty("FIREBIRD"))
        useOwnFirebirdRoot(programFolder());
    if (!m_dir.isValid())
        throw DbError("no temporary folder: " + m_dir.errorString());
    QDir(m_dir.path()).mkdir("db");
    const QString dbFolder = m_dir.path() + "/db";
    if (!QFile::copy(QStringLiteral(LX_TEMPLATE_DB), dbFolder + "/FINANCEIRO.GDB"))
        throw DbError("could not copy the template database " LX_TEMPLATE_DB);
    QFile::setPermissions(dbFolder + "/FINANCEIRO.GDB", QFile::ReadOwner | QFile::WriteOwner |
                                                            QFile::ReadGroup | QFile::WriteGroup |
                                                            QFile::ReadOther | QFile::WriteOther);
    m_aliasLine = serverMode() ? qEnvironmentVariable("LX_TEST_SERVER") + ":" + dbFolder : dbFolder;
    m_aliasFile = m_dir.path() + "/aliaslembrix.txt";
    QFile f(m_aliasFile);
    f.open(QIODevice::WriteOnly);
    f.write(m_aliasLine.toLocal8Bit() + "\n");
}

namespace {
// The embedded engine (Classic mode) knows a database by its file's device and inode and
// shares its lock table between processes under that name. A folder removed while another
// test process copies a fresh database could hand the same inode to that copy while this
// process's engine still holds state for it; the folders therefore go only when this process
// ends.
struct Graveyard
{
    QStringList folders;
    ~Graveyard()
    {
        for (const QString &f : folders)
            QDir(f).removeRecursively();
    }
};
Graveyard &graveyard()
{
    static Graveyard g;
    return g;
}
} // namespace

TestDb::~TestDb()
{
    m_admin.reset();
    m_dir.setAutoRemove(false);
    graveyard().folders << m_dir.path();
}

QString TestDb::folder() const
{
    return m_dir.path() + "/db/";
}

QString TestDb::databasePath() const
{
    return m_aliasLine + "/FINANCEIRO.GDB";
}

std::unique_ptr<Connection> TestDb::connect(const QString &name) const
{
    auto c = std::make_unique<Connection>(name);
    c->setUp(m_aliasFile, "/nonexistent/");
    return c;
}

void TestDb::exec(const QString &sql, const QVariantList &values) const
{
    scalar(sql, values);
}

QVariant TestDb::scalar(const QString &sql, const QVariantList &values) const
{
    auto *self = const_cast<TestDb *>(this);
    if (!m_admin)
        self->m_admin = connect(QStringLiteral("ADMIN"));
    m_admin->ensureOpen();
    QSqlDatabase db = m_admin->database();
    QSqlQuery q(db);
    q.setForwardOnly(true);
    if (!q.prepare(sql))
        throw DbError(q.lastError().text());
    for (const QVariant &v : values)
        q.addBindValue(v);
    if (!q.exec())
        throw DbError(q.lastError().text());
    QVariant out;
    if (q.isSelect() && q.next())
        out = q.value(0);
    q.finish();
    return out;
}

void addType(TableCache &types, int code, const QString &description)
{
    types.insert();
    types.setValue("TGACODIGO", code);
    types.setValue("TGADESCRICAO", description);
    types.post();
}

} // namespace lx::test
