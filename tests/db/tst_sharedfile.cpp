#include "db/connection.h"
#include "db/tablecache.h"
#include "support/testdb.h"

#include <QProcess>
#include <QtTest>

using namespace lx;

// Both programs of the suite keep the same embedded database file open at once.
class TstSharedFile : public QObject
{
    Q_OBJECT
private slots:
    void twoProcessesShareOneFile();
};

void TstSharedFile::twoProcessesShareOneFile()
{
    test::TestDb db;
    auto conn = db.connect("TOSTARA");
    TableCache types(conn.get(), "TTIPOGASTO");
    types.open();
    types.insert();
    types.setValue("TGACODIGO", 1);
    types.setValue("TGADESCRICAO", QString("deste processo"));
    types.applyUpdates();
    QVERIFY(conn->isOpen());

    QProcess other;
    other.start(LX_PROBE, {db.folder() + "FINANCEIRO.GDB", "2"});
    QVERIFY(other.waitForFinished(30000));
    QVERIFY2(other.exitCode() == 0, other.readAllStandardError().constData());
    QCOMPARE(other.readAllStandardOutput().trimmed(), QByteArray("2"));

    // This process, still connected, sees the other one's row after a re-read.
    types.refresh();
    QCOMPARE(types.recordCount(), 2);
}

QTEST_GUILESS_MAIN(TstSharedFile)
#include "tst_sharedfile.moc"
