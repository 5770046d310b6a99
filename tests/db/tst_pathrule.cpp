#include "db/connection.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using namespace lx;

class TstPathRule : public QObject
{
    Q_OBJECT
private slots:
    void rule_data();
    void rule();
    void unreadableAlias();
};

void TstPathRule::rule_data()
{
    QTest::addColumn<bool>("aliasExists");
    QTest::addColumn<QByteArray>("aliasContent");
    QTest::addColumn<QString>("programFolder");
    QTest::addColumn<QString>("expected");

    const QString sep = QDir::separator();
    QTest::newRow("first line only") << true << QByteArray("/dados\n/outra\n/mais") << "/apps/"
                                     << "/dados" + sep + "FINANCEIRO.GDB";
    QTest::newRow("trailing separator doubled") << true << QByteArray("/dados/\n") << "/apps/"
                                                << "/dados/" + sep + "FINANCEIRO.GDB";
    QTest::newRow("empty alias file") << true << QByteArray() << "/apps/" << sep + "FINANCEIRO.GDB";
    QTest::newRow("no trimming") << true << QByteArray("  /dados  \n") << "/apps/"
                                 << "  /dados  " + sep + "FINANCEIRO.GDB";
    QTest::newRow("server alias") << true << QByteArray("dbhost/3051:/srv/lembrix") << "/apps/"
                                  << "dbhost/3051:/srv/lembrix" + sep + "FINANCEIRO.GDB";
    QTest::newRow("windows line end") << true << QByteArray("/dados\r\n/x") << "/apps/"
                                      << "/dados" + sep + "FINANCEIRO.GDB";
    QTest::newRow("no alias file") << false << QByteArray() << "/apps/"
                                   << "/apps/FINANCEIRO.GDB";
}

void TstPathRule::rule()
{
    QFETCH(bool, aliasExists);
    QFETCH(QByteArray, aliasContent);
    QFETCH(QString, programFolder);
    QFETCH(QString, expected);

    QTemporaryDir dir;
    const QString alias = dir.filePath("aliaslembrix.txt");
    if (aliasExists) {
        QFile f(alias);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(aliasContent);
    }
    const DatabaseLocation loc = locateDatabase(alias, programFolder);
    QCOMPARE(loc.path, expected);
    QCOMPARE(loc.aliasUsed, aliasExists);
    QVERIFY(!loc.aliasUnreadable);
}

void TstPathRule::unreadableAlias()
{
    // A folder in the alias file's place exists but cannot be read as a file.
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkdir("aliaslembrix.txt"));
    const DatabaseLocation loc = locateDatabase(dir.filePath("aliaslembrix.txt"), "/apps/");
    QVERIFY(loc.aliasUnreadable);
    QVERIFY(!loc.error.isEmpty());
}

QTEST_GUILESS_MAIN(TstPathRule)
#include "tst_pathrule.moc"
