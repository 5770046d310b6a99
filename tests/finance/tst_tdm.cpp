#include "db/dberror.h"
#include "db/tablecache.h"
#include "finance/application.h"
#include "finance/tdm.h"
#include "finance/tfmenu.h"
#include "support/financefixture.h"
#include "support/testdb.h"
#include "ui/datasource.h"
#include "ui/dialogs.h"

#include <QApplication>
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
    void unreachableDatabaseReturnsErrorThenRetries();
    void mainWindowShowsTheErrorOnceAndGoesOn();
};

void TstTdm::initTestCase()
{
    if (test::TestDb::serverUnavailable())
        QSKIP("no Firebird server configured (scripts/test starts one)");
    initApplication(*qobject_cast<QApplication *>(QCoreApplication::instance()));
}

void TstTdm::init()
{
    ui::Dialogs::clearShown();
}

void TstTdm::connectsWithNoCacheOpen()
{
    {
        test::FinanceFixture f;
        TDM &dm = *f.dm;
        QVERIFY2(f.connectError.isEmpty(), qPrintable(f.connectError));
        QCOMPARE(DM, &dm);
        QCOMPARE(dm.objectName(), QString("DM"));
        QVERIFY(ui::Dialogs::shown().isEmpty());
        QVERIFY(dm.SQLConnection1.isOpen());
        QCOMPARE(dm.SQLConnection1.name(), QString("TOSTARA"));
        QCOMPARE(dm.SQLConnection1.databasePath(), f.db.databasePath());

        const QList<std::tuple<TableCache *, QString, ui::DataSource *, QString, QString>> chains{
            {dm.TBGASTO, "TBGASTO", dm.DSGASTO, "DSGASTO", "TGASTO"},
            {dm.TBRECEBIMENTO, "TBRECEBIMENTO", dm.DSRECEBIMENTO, "DSRECEBIMENTO", "TRECEBIMENTO"},
            {dm.TBCAIXAMES, "TBCAIXAMES", dm.DSCAIXAMES, "DSCAIXAMES", "TCAIXAMES"},
            {dm.TBTIPOGASTO, "TBTIPOGASTO", dm.DSTIPOGASTO, "DSTIPOGASTO", "TTIPOGASTO"},
            {dm.TBTIPOREC, "TBTIPOREC", dm.DSTIPOREC, "DSTIPOREC", "TTIPORECEB"},
            {dm.TBCONTPAG, "TBCONTPAG", dm.DSCONTPAG, "DSCONTPAG", "TCONTPAG"},
            {dm.TBCONTA, "TBCONTA", dm.DSCONTA, "DSCONTA", "TCONTA"}};
        for (const auto &[cache, cacheName, source, sourceName, table] : chains) {
            QCOMPARE(cache->objectName(), cacheName);
            QCOMPARE(dm.findChild<TableCache *>(cacheName), cache);
            QCOMPARE(source->objectName(), sourceName);
            QCOMPARE(dm.findChild<ui::DataSource *>(sourceName), source);
            QCOMPARE(cache->tableName(), table);
            QCOMPARE(source->cache(), cache);
            QCOMPARE(cache->connection(), &dm.SQLConnection1);
            QVERIFY2(!cache->isOpen(), qPrintable(table));
        }
        QCOMPARE(dm.findChildren<TableCache *>().size(), chains.size());
        QCOMPARE(dm.findChildren<ui::DataSource *>().size(), chains.size());
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
    test::FinanceFixture f;
    QVERIFY2(f.connectError.isEmpty(), qPrintable(f.connectError));
    const QString longText = "Manutenção do veículo e peças"; // 29 characters
    f.db.exec(QString("INSERT INTO %1 VALUES (4, ?)").arg(typeTable), {longText});
    f.db.exec(QString("INSERT INTO %1 VALUES (5, 'Outro')").arg(typeTable));
    f.db.exec(insertRow);

    auto *tb = f.dm->findChild<TableCache *>(cache);
    QVERIFY(tb);
    f.dm->TBTIPOGASTO->open();
    f.dm->TBTIPOREC->open();
    tb->open();
    QCOMPARE(tb->value(lookup).toString(), longText.left(20));
}

void TstTdm::unreachableDatabaseReturnsErrorThenRetries()
{
    test::TestDb db;
    const QString file = db.folder() + "FINANCEIRO.GDB";
    QVERIFY(QFile::rename(file, file + ".away"));

    TDM dm;
    QCOMPARE(DM, &dm);
    const QString error = dm.DataModuleCreate(db.aliasFile(), "/nonexistent/");
    QVERIFY(!error.isEmpty());
    // Showing it is the main window's business.
    QVERIFY(ui::Dialogs::shown().isEmpty());
    QVERIFY(!dm.SQLConnection1.isOpen());
    QCOMPARE(dm.SQLConnection1.databasePath(), db.databasePath());
    QVERIFY_THROWS_EXCEPTION(DbError, dm.TBTIPOGASTO->open());

    QVERIFY(QFile::rename(file + ".away", file));
    dm.TBTIPOGASTO->open();
    QVERIFY(dm.SQLConnection1.isOpen());
    QVERIFY(dm.TBTIPOGASTO->isOpen());
    QVERIFY(ui::Dialogs::shown().isEmpty());
}

void TstTdm::mainWindowShowsTheErrorOnceAndGoesOn()
{
    test::TestDb db;
    const QString file = db.folder() + "FINANCEIRO.GDB";
    QVERIFY(QFile::rename(file, file + ".away"));
    QString error;
    {
        TDM probe;
        error = probe.DataModuleCreate(db.aliasFile(), "/nonexistent/");
    }
    QVERIFY(!error.isEmpty());

    TFMenu menu(db.aliasFile(), "/nonexistent/");
    QCOMPARE(ui::Dialogs::texts(ui::Dialogs::Error), QStringList{error});
    QCOMPARE(ui::Dialogs::shown().size(), 1);
    QCOMPARE(ui::Dialogs::shown().first().caption, QString("Tostara"));
    QVERIFY(menu.dm());
    QCOMPARE(DM, menu.dm());
    QVERIFY(!DM->SQLConnection1.isOpen());

    // The program goes on: the main window shows, with no further box.
    menu.show();
    QVERIFY(QTest::qWaitForWindowExposed(&menu));
    QCOMPARE(ui::Dialogs::shown().size(), 1);

    // Each later open of a cache tries to connect again.
    QVERIFY_THROWS_EXCEPTION(DbError, DM->TBGASTO->open());
    QVERIFY(!DM->SQLConnection1.isOpen());
    QVERIFY(QFile::rename(file + ".away", file));
    DM->TBGASTO->open();
    QVERIFY(DM->SQLConnection1.isOpen());
    QVERIFY(DM->TBGASTO->isOpen());
    QCOMPARE(ui::Dialogs::shown().size(), 1);
}

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    TstTdm t;
    return test::runTests(t, argc, argv);
}

#include "tst_tdm.moc"
