#include "support/testdb.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>

// The embedded engine catches SIGTERM and SIGINT for itself; the programs must still end on
// them, as they do when their main window is closed.
class TstTermination : public QObject
{
    Q_OBJECT
private slots:
    void endsOnSignal_data();
    void endsOnSignal();
    void endsOnSignalWhileStartUpErrorIsShown_data();
    void endsOnSignalWhileStartUpErrorIsShown();
};

void TstTermination::endsOnSignal_data()
{
    QTest::addColumn<QString>("program");
    QTest::addColumn<int>("signal");
    QTest::newRow("PTostara, SIGTERM") << LX_PTOSTARA << int(SIGTERM);
    QTest::newRow("PTostara, SIGINT") << LX_PTOSTARA << int(SIGINT);
    QTest::newRow("PCaderlo, SIGTERM") << LX_PCADERLO << int(SIGTERM);
}

void TstTermination::endsOnSignal()
{
    QFETCH(QString, program);
    QFETCH(int, signal);
    if (QFile::exists(lx::defaultAliasFile()))
        QSKIP("an alias file on this machine would lead the program elsewhere");
    // The program finds the database in its own folder.
    lx::test::TestDb db;
    const QString copy = db.folder() + QFileInfo(program).fileName();
    QVERIFY(QFile::copy(program, copy));

    QProcess p;
    p.start(copy, {});
    QVERIFY(p.waitForStarted());
    // Wait until the engine has the database open, so its signal handlers are in place.
    const QString fdDir = QStringLiteral("/proc/%1/fd").arg(p.processId());
    const QString dbFile = QFileInfo(db.folder() + "FINANCEIRO.GDB").canonicalFilePath();
    QTRY_VERIFY_WITH_TIMEOUT(
        [&] {
            for (const QFileInfo &fd :
                 QDir(fdDir).entryInfoList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot))
                if (fd.symLinkTarget() == dbFile)
                    return true;
            return false;
        }(),
        20000);
    ::kill(pid_t(p.processId()), signal);
    const bool ended = p.waitForFinished(10000);
    if (!ended)
        p.kill();
    QVERIFY2(ended, "the program did not end on the signal");
    QCOMPARE(p.exitStatus(), QProcess::NormalExit);
}

void TstTermination::endsOnSignalWhileStartUpErrorIsShown_data()
{
    QTest::addColumn<QString>("program");
    QTest::newRow("PTostara") << LX_PTOSTARA;
    QTest::newRow("PCaderlo") << LX_PCADERLO;
}

// With no database the program shows its start-up error in a box that runs its own loop
// before the application's loop starts; a signal then must still end the program.
void TstTermination::endsOnSignalWhileStartUpErrorIsShown()
{
    QFETCH(QString, program);
    if (QFile::exists(lx::defaultAliasFile()))
        QSKIP("an alias file on this machine would lead the program elsewhere");
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    const QString copy = folder.filePath(QFileInfo(program).fileName());
    QVERIFY(QFile::copy(program, copy));
    QVERIFY(
        QFile::link(QFileInfo(program).absolutePath() + "/firebird", folder.filePath("firebird")));

    QProcess p;
    p.start(copy, {});
    QVERIFY(p.waitForStarted());
    QTest::qWait(1500); // far enough for the box to be open
    QCOMPARE(p.state(), QProcess::Running);
    ::kill(pid_t(p.processId()), SIGTERM);
    const bool ended = p.waitForFinished(10000);
    if (!ended)
        p.kill();
    QVERIFY2(ended, "the program did not end on the signal");
    QCOMPARE(p.exitStatus(), QProcess::NormalExit);
}

QTEST_GUILESS_MAIN(TstTermination)
#include "tst_termination.moc"
