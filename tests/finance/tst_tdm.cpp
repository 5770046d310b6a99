#include "db/dberror.h"
#include "db/tablecache.h"
#include "finance/tdm.h"
#include "support/testdb.h"
#include "ui/datasource.h"
#include "ui/dialogs.h"

#include <QFile>
#include <QtTest>

using namespace lx;
using namespace lx::finance;

class TstTdm : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void connectsWithNoCacheOpen();
    void lookupFields_data();
    void lookupFields();
    void unreachableDatabaseShownThenRetried();
};

void TstTdm::initTestCase()
{
    if (test::TestDb::serverUnavailable())
        QSKIP("no Firebird server configured (scripts/test starts one)");
    ui::Dialogs::setScripted(true);
}

void TstTdm::init()
{
    ui::Dialogs::clearShown();
}

void TstTdm::connectsWithNoCacheOpen()
{
    test::TestDb db;
    {
        TDM dm(db.aliasFile(), "/nonexistent/");
        QCOMPARE(DM, &dm);
        QVERIFY(ui::Dialogs::shown().isEmpty());
        QVERIFY(dm.SQLConnection1.isOpen());
        QCOMPARE(dm.SQLConnection1.name(), QString("TOSTARA"));
        QCOMPARE(dm.SQLConnection1.databasePath(), db.databasePath());

        const QList<std::tuple<TableCache *, ui::DataSource *, QString>> chains{
            {dm.TBGASTO, dm.DSGASTO, "TGASTO"},
            {dm.TBRECEBIMENTO, dm.DSRECEBIMENTO, "TRECEBIMENTO"},
            {dm.TBCAIXAMES, dm.DSCAIXAMES, "TCAIXAMES"},
            {dm.TBTIPOGASTO, dm.DSTIPOGASTO, "TTIPOGASTO"},
            {dm.TBTIPOREC, dm.DSTIPOREC, "TTIPORECEB"},
            {dm.TBCONTPAG, dm.DSCONTPAG, "TCONTPAG"},
            {dm.TBCONTA, dm.DSCONTA, "TCONTA"}};
        for (const auto &[cache, source, table] : chains) {
            QCOMPARE(cache->tableName(), table);
            QCOMPARE(source->cache(), cache);
            QCOMPARE(cache->connection(), &dm.SQLConnection1);
            QVERIFY2(!cache->isOpen(), qPrintable(table));
        }
    }
    QCOMPARE(DM, nullptr);
}

void TstTdm::lookupFields_data()
{
    QTest::addColumn<QString>("cache");
    QTest::addColumn<QString>("lookup");
    QTest::addColumn<QString>("insertRow");
    QTest::addColumn<QString>("typeTable");
    QTest::newRow("TBGASTO.tipo") << "TBGASTO"
                                  << "tipo"
                                  << "INSERT INTO TGASTO (GASCODIGO, GASTIPO) VALUES (1, 4)"
                                  << "TTIPOGASTO";
    QTest::newRow("TBRECEBIMENTO.tiporec")
        << "TBRECEBIMENTO"
        << "tiporec"
        << "INSERT INTO TRECEBIMENTO (RECCODIGO, RECTIPO) VALUES (1, 4)"
        << "TTIPORECEB";
    QTest::newRow("TBCONTPAG.tipo") << "TBCONTPAG"
                                    << "tipo"
                                    << "INSERT INTO TCONTPAG (CPACODIGO, CPATIPO) VALUES (1, 4)"
                                    << "TTIPOGASTO";
    QTest::newRow("TBCONTA.tipoconta") << "TBCONTA"
                                       << "tipoconta"
                                       << "INSERT INTO TCONTA (CONCODIGO, CONTIPO) VALUES (1, 4)"
                                       << "TTIPOGASTO";
}

void TstTdm::lookupFields()
{
    QFETCH(QString, cache);
    QFETCH(QString, lookup);
    QFETCH(QString, insertRow);
    QFETCH(QString, typeTable);
    test::TestDb db;
    const QString longText = "Manutenção do veículo e peças"; // 29 characters
    db.exec(QString("INSERT INTO %1 VALUES (4, ?)").arg(typeTable), {longText});
    db.exec(QString("INSERT INTO %1 VALUES (5, 'Outro')").arg(typeTable));
    db.exec(insertRow);

    TDM dm(db.aliasFile(), "/nonexistent/");
    auto *tb = dm.findChild<TableCache *>(cache);
    QVERIFY(tb);
    dm.TBTIPOGASTO->open();
    dm.TBTIPOREC->open();
    tb->open();
    QCOMPARE(tb->value(lookup).toString(), longText.left(20));
}

void TstTdm::unreachableDatabaseShownThenRetried()
{
    test::TestDb db;
    const QString file = db.folder() + "FINANCEIRO.GDB";
    QVERIFY(QFile::rename(file, file + ".away"));

    TDM dm(db.aliasFile(), "/nonexistent/");
    QCOMPARE(ui::Dialogs::texts(ui::Dialogs::Error).size(), 1);
    QVERIFY(!ui::Dialogs::texts(ui::Dialogs::Error).first().isEmpty());
    QVERIFY(!dm.SQLConnection1.isOpen());
    QCOMPARE(dm.SQLConnection1.databasePath(), db.databasePath());
    QVERIFY_THROWS_EXCEPTION(DbError, dm.TBTIPOGASTO->open());

    QVERIFY(QFile::rename(file + ".away", file));
    dm.TBTIPOGASTO->open();
    QVERIFY(dm.SQLConnection1.isOpen());
    QVERIFY(dm.TBTIPOGASTO->isOpen());
}

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QLocale::setDefault(QLocale(QLocale::Portuguese, QLocale::Brazil));
    TstTdm t;
    return QTest::qExec(&t, argc, argv);
}

#include "tst_tdm.moc"
