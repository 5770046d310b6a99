#include "db/connection.h"
#include "db/dberror.h"
#include "db/schema.h"
#include "db/tablecache.h"
#include "support/testdb.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using namespace lx;

class TstSchema : public QObject
{
    Q_OBJECT
private slots:
    void refusesExistingFile();
    void freshDatabaseHasEveryTableAndTheDefaultAccount();
    void accentedTextRoundTrips();
};

void TstSchema::refusesExistingFile()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("FINANCEIRO.GDB");
    {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("keep me");
    }
    QVERIFY_THROWS_EXCEPTION(DbError, schema::createDatabase(path));
    QFile f(path);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), QByteArray("keep me"));
}

void TstSchema::freshDatabaseHasEveryTableAndTheDefaultAccount()
{
    test::TestDb db;
    auto conn = db.connect();
    for (const TableDef &t : schema::tables()) {
        TableCache cache(conn.get(), t.name);
        cache.open(); // fails when a declared column is missing
        QVERIFY2(cache.isOpen(), qPrintable(t.name));
    }
    TableCache users(conn.get(), "TUSUARIO");
    users.open();
    QCOMPARE(users.recordCount(), 1);
    QCOMPARE(users.value("USULOGIN").toString(), QString("VELKAN"));
    QCOMPARE(users.value("USUSENHA").toString(), QString("VELKAN"));
}

void TstSchema::accentedTextRoundTrips()
{
    test::TestDb db;
    auto conn = db.connect();
    {
        TableCache cache(conn.get(), "TCAIXAMES");
        cache.open();
        cache.insert();
        cache.setValue("CAICODIGO", 1);
        cache.setValue("CAINOMEMES", QString("Março"));
        cache.applyUpdates();
    }
    QCOMPARE(db.scalar("SELECT CAINOMEMES FROM TCAIXAMES").toString(), QString("Março"));
    // Stored as one byte per character in the single-byte Western set.
    QCOMPARE(db.scalar("SELECT OCTET_LENGTH(CAINOMEMES) FROM TCAIXAMES").toInt(), 5);
    TableCache again(conn.get(), "TCAIXAMES");
    again.open();
    QCOMPARE(again.value("CAINOMEMES").toString(), QString("Março"));
}

QTEST_GUILESS_MAIN(TstSchema)
#include "tst_schema.moc"
