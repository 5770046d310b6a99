#include "db/connection.h"
#include "db/dberror.h"
#include "db/tablecache.h"
#include "support/testdb.h"

#include <QDir>
#include <QFile>
#include <QtTest>

using namespace lx;

class TstConnection : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void setUpPutsInFourParameters_data();
    void setUpPutsInFourParameters();
    void unreadableAliasKeepsDesignTimeList();
    void missingDatabaseFailsThenLaterOpensRetry();
    void closedConnectionReconnectsOnNextOpen();
};

void TstConnection::initTestCase()
{
    if (test::TestDb::serverUnavailable())
        QSKIP("no Firebird server configured (scripts/test starts one)");
}

void TstConnection::setUpPutsInFourParameters_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("finance") << "TOSTARA";
    QTest::newRow("agenda") << "AGENDA";
}

void TstConnection::setUpPutsInFourParameters()
{
    QFETCH(QString, name);
    test::TestDb db;
    auto conn = db.connect(name);
    QVERIFY(conn->isOpen());
    QCOMPARE(conn->name(), name);
    const Connection::Params expected{{"Database", db.databasePath()},
                                      {"User_name", "SYSDBA"},
                                      {"Password", "vorpaldex"},
                                      {"SQLDialect", "3"}};
    QCOMPARE(conn->params(), expected);
}

void TstConnection::unreadableAliasKeepsDesignTimeList()
{
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkdir("alias"));
    Connection conn("TOSTARA");
    QVERIFY_THROWS_EXCEPTION(DbError, conn.setUp(dir.filePath("alias"), "/nonexistent/"));
    QVERIFY(!conn.isOpen());
    QCOMPARE(conn.params(), Connection::designTimeParams());
    QCOMPARE(conn.params().size(), 14);
}

void TstConnection::missingDatabaseFailsThenLaterOpensRetry()
{
    if (test::TestDb::serverMode())
        QSKIP("the program folder branch is embedded only");
    test::TestDb db;
    QTemporaryDir programDir;
    const QString folder = programDir.path() + "/";
    Connection conn("TOSTARA");
    try {
        conn.setUp(programDir.filePath("no-alias.txt"), folder);
        QFAIL("connecting to a missing database must fail");
    } catch (const DbError &e) {
        QVERIFY(!e.message().isEmpty());
    }
    QCOMPARE(conn.databasePath(), folder + "FINANCEIRO.GDB");
    TableCache cache(&conn, "TTIPOGASTO");
    QVERIFY_THROWS_EXCEPTION(DbError, cache.open());
    QVERIFY(!cache.isOpen());

    QVERIFY(QFile::copy(db.folder() + "FINANCEIRO.GDB", folder + "FINANCEIRO.GDB"));
    cache.open(); // connects again with the parameters in place
    QVERIFY(conn.isOpen());
    QVERIFY(cache.isOpen());
}

void TstConnection::closedConnectionReconnectsOnNextOpen()
{
    test::TestDb db;
    auto conn = db.connect("AGENDA");
    TableCache users(conn.get(), "TUSUARIO");
    users.open();
    conn->close();
    QVERIFY(!conn->isOpen());
    QCOMPARE(users.recordCount(), 1); // the cache keeps its rows
    users.refresh();
    QVERIFY(conn->isOpen());
    QCOMPARE(users.recordCount(), 1);
}

QTEST_GUILESS_MAIN(TstConnection)
#include "tst_connection.moc"
