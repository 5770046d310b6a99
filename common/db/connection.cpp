#include "db/connection.h"

#include "db/dberror.h"

#include <QAtomicInt>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlError>
#include <QStringList>

namespace lx {

namespace {
const QString kDatabaseFile = QStringLiteral("FINANCEIRO.GDB");
QAtomicInt g_serial;

} // namespace

QString defaultAliasFile()
{
#ifdef Q_OS_WIN
    return QStringLiteral("C:\\aliaslembrix.txt");
#else
    return QStringLiteral("/etc/aliaslembrix.txt");
#endif
}

QString programFolder()
{
    return QDir::toNativeSeparators(QCoreApplication::applicationDirPath()) + QDir::separator();
}

QString useOwnFirebirdRoot(const QString &folder)
{
    QStringList candidates{QDir(folder).filePath(QStringLiteral("firebird"))};
#ifdef LX_FIREBIRD_ROOT
    candidates << QStringLiteral(LX_FIREBIRD_ROOT);
#endif
    for (const QString &root : candidates) {
        if (!QFileInfo::exists(QDir(root).filePath(QStringLiteral("firebird.conf"))))
            continue;
        const QString absolute = QDir(root).absolutePath();
        qputenv("FIREBIRD", QFile::encodeName(absolute));
        return absolute;
    }
    return {};
}

DatabaseLocation locateDatabase(const QString &aliasFile, const QString &programFolder)
{
    DatabaseLocation loc;
    if (QFileInfo::exists(aliasFile)) {
        QFile f(aliasFile);
        if (!f.open(QIODevice::ReadOnly | QIODevice::Text)) {
            loc.aliasUnreadable = true;
            loc.error = QStringLiteral("Não foi possível ler o arquivo %1: %2")
                            .arg(aliasFile, f.errorString());
            return loc;
        }
        QByteArray line = f.readLine();
        if (line.endsWith('\n'))
            line.chop(1);
        loc.aliasUsed = true;
        loc.path = QString::fromLocal8Bit(line) + QDir::separator() + kDatabaseFile;
        return loc;
    }
    loc.path = programFolder + kDatabaseFile;
    return loc;
}

Connection::Connection(const QString &name)
    : m_name(name), m_qtName(QStringLiteral("%1#%2").arg(name).arg(g_serial.fetchAndAddRelaxed(1))),
      m_params(designTimeParams())
{
    QSqlDatabase::addDatabase(QStringLiteral("QIBASE"), m_qtName);
    applyParams();
}

Connection::~Connection()
{
    {
        QSqlDatabase db = QSqlDatabase::database(m_qtName, false);
        db.close();
    }
    QSqlDatabase::removeDatabase(m_qtName);
}

Connection::Params Connection::designTimeParams()
{
    return {
        {"DriverName", "Interbase"},
        {"Database", "C:\\Lembrix QOR\\FINANCEIRO.GDB"},
        {"RoleName", "RoleName"},
        {"User_Name", "sysdba"},
        {"Password", "vorpaldex"},
        {"ServerCharSet", ""},
        {"SQLDialect", "3"},
        {"BlobSize", "-1"},
        {"CommitRetain", "False"},
        {"WaitOnLocks", "True"},
        {"ErrorResourceFile", ""},
        {"LocaleCode", "0000"},
        {"Interbase TransIsolation", "ReadCommited"},
        {"Trim Char", "False"},
    };
}

QString Connection::param(const QString &key) const
{
    for (const auto &p : m_params)
        if (p.first.compare(key, Qt::CaseInsensitive) == 0)
            return p.second;
    return {};
}

void Connection::setUp(const QString &aliasFile, const QString &folder)
{
    const DatabaseLocation loc = locateDatabase(aliasFile, folder);
    if (loc.aliasUnreadable)
        throw DbError(loc.error);
    close();
    m_params = {
        {"Database", loc.path},
        {"User_name", "SYSDBA"},
        {"Password", "vorpaldex"},
        {"SQLDialect", "3"},
    };
    applyParams();
    ensureOpen();
}

void Connection::applyParams()
{
    QSqlDatabase db = QSqlDatabase::database(m_qtName, false);
    db.setDatabaseName(param(QStringLiteral("Database")));
    db.setUserName(param(QStringLiteral("User_name")));
    db.setPassword(param(QStringLiteral("Password")));
    const QString role = param(QStringLiteral("RoleName"));
    db.setConnectOptions(role.isEmpty() ? QString()
                                        : QStringLiteral("ISC_DPB_SQL_ROLE_NAME=") + role);
}

void Connection::ensureOpen()
{
    QSqlDatabase db = QSqlDatabase::database(m_qtName, false);
    if (db.isOpen())
        return;
    if (!db.open())
        throw sqlError(db.lastError(), databasePath());
}

void Connection::close()
{
    QSqlDatabase db = QSqlDatabase::database(m_qtName, false);
    db.close();
}

bool Connection::isOpen() const
{
    return QSqlDatabase::database(m_qtName, false).isOpen();
}

QSqlDatabase Connection::database() const
{
    return QSqlDatabase::database(m_qtName, false);
}

} // namespace lx
