#include "db/connection.h"
#include "db/tablecache.h"
#include "support/testdb.h"

#include <QProcess>
#include <QProcessEnvironment>
#include <QSet>
#include <QtTest>

#include <memory>

using namespace lx;

// Both programs of the suite keep the same embedded database file open at once. The other
// programs here start without FIREBIRD, as a user starts them, whatever mode the machine's own
// firebird.conf is in (a fresh machine's is Super, which opens a file for one process only).
class TstSharedFile : public QObject
{
    Q_OBJECT
private slots:
    void twoProcessesShareOneFile();
    void concurrentNewRowsAllStored();

private:
    static void startProbe(QProcess &probe, const QStringList &args)
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove("FIREBIRD");
        probe.setProcessEnvironment(env);
        probe.start(LX_PROBE, args);
    }
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
    startProbe(other, {"add", db.folder() + "FINANCEIRO.GDB", "2"});
    QVERIFY(other.waitForFinished(30000));
    QVERIFY2(other.exitCode() == 0, other.readAllStandardError().constData());
    QCOMPARE(other.readAllStandardOutput().trimmed(), QByteArray("2"));

    // This process, still connected, sees the other one's row after a re-read.
    types.refresh();
    QCOMPARE(types.recordCount(), 2);
}

// Two programs each save new rows from a cache read once, at the same time: every code the
// one takes, the other's cache offers again. No save may fail and no row may be lost.
void TstSharedFile::concurrentNewRowsAllStored()
{
    test::TestDb db;
    const int perProgram = 15;
    const QStringList tags{"A", "B"};
    std::vector<std::unique_ptr<QProcess>> programs;
    for (const QString &tag : tags) {
        programs.push_back(std::make_unique<QProcess>());
        QProcess &p = *programs.back();
        startProbe(p, {"insert", db.folder() + "FINANCEIRO.GDB", QString::number(perProgram), tag});
        QVERIFY(p.waitForStarted(30000));
        QVERIFY2(p.waitForReadyRead(30000), p.readAllStandardError().constData());
        QCOMPARE(p.readLine().trimmed(), QByteArray("ready"));
    }
    for (auto &p : programs)
        p->write("go\n");

    QSet<int> stored;
    for (size_t i = 0; i < programs.size(); ++i) {
        QProcess &p = *programs[i];
        QVERIFY(p.waitForFinished(120000));
        QVERIFY2(p.exitCode() == 0, p.readAllStandardError().constData());
        const QList<QByteArray> codes = p.readAllStandardOutput().trimmed().split('\n');
        QCOMPARE(codes.size(), perProgram);
        for (int k = 0; k < codes.size(); ++k) {
            const int code = codes[k].toInt();
            QVERIFY2(!stored.contains(code), qPrintable(QString("code %1 twice").arg(code)));
            stored.insert(code);
            // What the program typed is stored under the code its cache shows.
            QCOMPARE(db.scalar("select TGADESCRICAO from TTIPOGASTO where TGACODIGO = ?", {code})
                         .toString(),
                     QString("%1 %2").arg(tags[int(i)]).arg(k + 1));
        }
    }
    QCOMPARE(db.scalar("select count(*) from TTIPOGASTO").toInt(), 2 * perProgram);
}

QTEST_GUILESS_MAIN(TstSharedFile)
#include "tst_sharedfile.moc"
