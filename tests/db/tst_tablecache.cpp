#include "db/cachemodel.h"
#include "db/connection.h"
#include "db/dberror.h"
#include "db/tablecache.h"
#include "db/transaction.h"
#include "support/testdb.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QtTest>

#include <memory>

using namespace lx;

using test::addType;

class TstTableCache : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void newCodeByWalk_data();
    void newCodeByWalk();
    void newCodeByServer();
    void insertUpdateDeleteRoundTrip();
    void changedOnServerIsRefusedAndKept();
    void refusedSecondChangeLeavesNothing();
    void newRowCodeTakenMeanwhile_data();
    void newRowCodeTakenMeanwhile();
    void movedCodeComesBackOnRollback();
    void typedCodeTakenMeanwhileIsRefused_data();
    void typedCodeTakenMeanwhileIsRefused();
    void nullOldValuesFindTheirRow();
    void deletingUnappliedInsertSendsNothing();
    void textIsCutToSize();
    void requiredFieldNamesTheColumn();
    void editOnEmptyCacheInserts();
    void deleteOnEmptyCacheFails();
    void setValueOutsideEditFails();
    void locate_data();
    void locate();
    void settleOnMove_data();
    void settleOnMove();
    void navigationAndEnd();
    void currentRowAnnouncedOnce_data();
    void currentRowAnnouncedOnce();
    void filterKeepsAcrossReopenAndHidesPostedRow();
    void lookupFieldCutTo20();
    void modelFollowsCache();

private:
    std::unique_ptr<test::TestDb> m_db;
    std::unique_ptr<Connection> m_conn;
};

void TstTableCache::initTestCase()
{
    if (test::TestDb::serverUnavailable())
        QSKIP("no Firebird server configured (scripts/test starts one)");
}

void TstTableCache::init()
{
    m_db = std::make_unique<test::TestDb>();
    m_conn = m_db->connect();
}

void TstTableCache::cleanup()
{
    m_conn.reset();
    m_db.reset();
}

void TstTableCache::newCodeByWalk_data()
{
    QTest::addColumn<QList<int>>("codes");
    QTest::addColumn<QString>("filter");
    QTest::addColumn<int>("expected");
    QTest::newRow("empty") << QList<int>{} << QString() << 1;
    QTest::newRow("1 2 7") << QList<int>{1, 2, 7} << QString() << 8;
    QTest::newRow("3 1 2") << QList<int>{3, 1, 2} << QString() << 4;
    QTest::newRow("0 and -5") << QList<int>{0, -5} << QString() << 1;
    QTest::newRow("filter hides the highest")
        << QList<int>{1, 2, 9} << QString("(TGACODIGO = '1')") << 10;
}

void TstTableCache::newCodeByWalk()
{
    QFETCH(QList<int>, codes);
    QFETCH(QString, filter);
    QFETCH(int, expected);
    for (int c : codes)
        m_db->exec("INSERT INTO TTIPOGASTO (TGACODIGO, TGADESCRICAO) VALUES (?, 'x')", {c});
    TableCache cache(m_conn.get(), "TTIPOGASTO");
    cache.open();
    if (!filter.isEmpty()) {
        cache.setFilter(filter);
        cache.setFiltered(true);
        QCOMPARE(cache.recordCount(), 1);
    }
    QCOMPARE(cache.insertWithNextCode("TGACODIGO"), expected);
    QCOMPARE(cache.state(), TableCache::Insert);
    QCOMPARE(cache.value("TGACODIGO").toInt(), expected);
}

void TstTableCache::newCodeByServer()
{
    TableCache cache(m_conn.get(), "TCONTATO");
    cache.open();
    QCOMPARE(cache.insertWithServerCode("select max(TCONTATO.CODIGO) from TCONTATO", "CODIGO"), 1);
    cache.cancel();
    m_db->exec("INSERT INTO TCONTATO (CODIGO, NOME) VALUES (41, 'Ana')");
    QCOMPARE(cache.insertWithServerCode("select max(TCONTATO.CODIGO) from TCONTATO", "CODIGO"), 42);
}

void TstTableCache::insertUpdateDeleteRoundTrip()
{
    TableCache cache(m_conn.get(), "TGASTO");
    cache.open();
    cache.insert();
    cache.setValue("GASCODIGO", 1);
    cache.setValue("GASVALOR", 12.5);
    cache.setValue("GASDATA", QDate(2024, 3, 15));
    cache.setValue("GASDESCRICAO", QString("Pão de queijo"));
    cache.setValue("GASMES", 3);
    cache.setValue("GASANO", 2024);
    cache.post();
    QCOMPARE(cache.pendingCount(), 1);
    cache.applyUpdates();
    QCOMPARE(cache.pendingCount(), 0);
    QCOMPARE(m_db->scalar("SELECT GASDESCRICAO FROM TGASTO WHERE GASCODIGO = 1").toString(),
             QString("Pão de queijo"));
    QCOMPARE(m_db->scalar("SELECT GASDATA FROM TGASTO").toDate(), QDate(2024, 3, 15));

    cache.edit();
    cache.setValue("GASVALOR", 99.75);
    cache.post();
    cache.applyUpdates();
    QCOMPARE(m_db->scalar("SELECT GASVALOR FROM TGASTO WHERE GASCODIGO = 1").toDouble(), 99.75);

    cache.refresh();
    QCOMPARE(cache.recordCount(), 1);
    QCOMPARE(cache.value("GASVALOR").toDouble(), 99.75);
    cache.remove();
    QCOMPARE(cache.recordCount(), 0);
    cache.applyUpdates();
    QCOMPARE(m_db->scalar("SELECT COUNT(*) FROM TGASTO").toInt(), 0);
}

void TstTableCache::changedOnServerIsRefusedAndKept()
{
    m_db->exec("INSERT INTO TTIPOGASTO VALUES (1, 'Luz')");
    TableCache cache(m_conn.get(), "TTIPOGASTO");
    cache.open();
    m_db->exec("UPDATE TTIPOGASTO SET TGADESCRICAO = 'Energia' WHERE TGACODIGO = 1");

    cache.edit();
    cache.setValue("TGADESCRICAO", QString("Luz elétrica"));
    cache.post();
    try {
        cache.applyUpdates();
        QFAIL("a change to a row changed elsewhere must be refused");
    } catch (const DbError &e) {
        // The user reads what happened; the details say which change it was.
        QCOMPARE(e.kind(), DbError::RowConflict);
        QVERIFY2(e.message().contains("alterado ou excluído por outro programa"),
                 qPrintable(e.message()));
        QVERIFY2(e.details().contains("alteração do registro TGACODIGO = 1 em TTIPOGASTO"),
                 qPrintable(e.details()));
    }
    // Nothing typed is lost; the server keeps its own value.
    QCOMPARE(cache.pendingCount(), 1);
    QCOMPARE(cache.value("TGADESCRICAO").toString(), QString("Luz elétrica"));
    QCOMPARE(m_db->scalar("SELECT TGADESCRICAO FROM TTIPOGASTO").toString(), QString("Energia"));
    cache.refresh();
    QCOMPARE(cache.value("TGADESCRICAO").toString(), QString("Energia"));
}

void TstTableCache::refusedSecondChangeLeavesNothing()
{
    m_db->exec("INSERT INTO TTIPOGASTO VALUES (1, 'Luz')");
    m_db->exec("INSERT INTO TTIPOGASTO VALUES (2, 'Água')");
    TableCache cache(m_conn.get(), "TTIPOGASTO");
    cache.open();
    m_db->exec("DELETE FROM TTIPOGASTO WHERE TGACODIGO = 2");

    addType(cache, 3, "Gás"); // first change: fine on its own
    QVERIFY(cache.locate("TGACODIGO", {2}));
    cache.remove(); // second change: its row is gone on the server
    QVERIFY_THROWS_EXCEPTION(DbError, cache.applyUpdates());
    QCOMPARE(m_db->scalar("SELECT COUNT(*) FROM TTIPOGASTO WHERE TGACODIGO = 3").toInt(), 0);
    QCOMPARE(cache.pendingCount(), 2);

    // A code the cache itself shows, typed again, is refused the same way, with the server's
    // reason: only a code another program took since the read is replaced.
    cache.refresh();
    addType(cache, 1, "Outra luz");
    try {
        cache.applyUpdates();
        QFAIL("a duplicate code must be refused");
    } catch (const DbError &e) {
        QCOMPARE(e.kind(), DbError::DuplicateKey);
        QVERIFY2(e.details().contains("inclusão"), qPrintable(e.details()));
    }
}

void TstTableCache::newRowCodeTakenMeanwhile_data()
{
    QTest::addColumn<QList<int>>("read");   // codes on the server when the cache reads
    QTest::addColumn<QList<int>>("behind"); // codes another program stores after that
    QTest::addColumn<bool>("askServer");    // the code from select max, as the agenda does
    QTest::addColumn<int>("chosen");
    QTest::addColumn<int>("stored");
    QTest::newRow("next code taken") << QList<int>{1, 2} << QList<int>{3} << false << 3 << 4;
    QTest::newRow("several taken, with gaps")
        << QList<int>{1} << QList<int>{2, 3, 4, 9} << false << 2 << 10;
    QTest::newRow("empty table") << QList<int>{} << QList<int>{1} << false << 1 << 2;
    QTest::newRow("server code taken before the save")
        << QList<int>{1, 5} << QList<int>{6} << true << 6 << 7;
}

void TstTableCache::newRowCodeTakenMeanwhile()
{
    QFETCH(QList<int>, read);
    QFETCH(QList<int>, behind);
    QFETCH(bool, askServer);
    QFETCH(int, chosen);
    QFETCH(int, stored);
    for (int code : read)
        m_db->exec("INSERT INTO TTIPOGASTO VALUES (?, 'lido')", {code});
    TableCache cache(m_conn.get(), "TTIPOGASTO");
    cache.open();
    QSignalSpy moved(&cache, &TableCache::codeReassigned);
    const int code =
        askServer ? cache.insertWithServerCode("select max(TGACODIGO) from TTIPOGASTO", "TGACODIGO")
                  : cache.insertWithNextCode("TGACODIGO");
    QCOMPARE(code, chosen);
    cache.setValue("TGADESCRICAO", QString("digitado"));
    cache.post();
    for (int c : behind)
        m_db->exec("INSERT INTO TTIPOGASTO VALUES (?, 'do outro programa')", {c});

    cache.applyUpdates();

    QCOMPARE(cache.pendingCount(), 0);
    QCOMPARE(cache.value("TGACODIGO").toInt(), stored);
    QCOMPARE(cache.value("TGADESCRICAO").toString(), QString("digitado"));
    QCOMPARE(m_db->scalar("SELECT TGADESCRICAO FROM TTIPOGASTO WHERE TGACODIGO = ?", {stored})
                 .toString(),
             QString("digitado"));
    for (int c : behind)
        QCOMPARE(
            m_db->scalar("SELECT TGADESCRICAO FROM TTIPOGASTO WHERE TGACODIGO = ?", {c}).toString(),
            QString("do outro programa"));
    QCOMPARE(m_db->scalar("SELECT COUNT(*) FROM TTIPOGASTO").toInt(),
             int(read.size() + behind.size() + 1));
    QCOMPARE(moved.size(), 1);
    QCOMPARE(moved[0][0].toInt(), chosen);
    QCOMPARE(moved[0][1].toInt(), stored);
}

void TstTableCache::movedCodeComesBackOnRollback()
{
    m_db->exec("INSERT INTO TTIPOGASTO VALUES (1, 'Luz')");
    TableCache cache(m_conn.get(), "TTIPOGASTO");
    cache.open();
    QCOMPARE(cache.insertWithNextCode("TGACODIGO"), 2);
    cache.setValue("TGADESCRICAO", QString("Gás"));
    cache.post();
    m_db->exec("INSERT INTO TTIPOGASTO VALUES (2, 'do outro programa')");
    {
        Transaction tx(*m_conn);
        cache.applyUpdates();
        QCOMPARE(cache.value("TGACODIGO").toInt(), 3);
        // Not committed: the action this apply was part of failed.
    }
    QCOMPARE(cache.pendingCount(), 1);
    QCOMPARE(cache.value("TGACODIGO").toInt(), 2);
    QCOMPARE(m_db->scalar("SELECT COUNT(*) FROM TTIPOGASTO").toInt(), 2);

    cache.applyUpdates();
    QCOMPARE(cache.value("TGACODIGO").toInt(), 3);
    QCOMPARE(m_db->scalar("SELECT TGADESCRICAO FROM TTIPOGASTO WHERE TGACODIGO = 3").toString(),
             QString("Gás"));
}

void TstTableCache::typedCodeTakenMeanwhileIsRefused_data()
{
    QTest::addColumn<bool>("typedOver"); // the user typed over the code the cache chose
    QTest::newRow("code typed in a new row") << false;
    QTest::newRow("chosen code typed over") << true;
}

void TstTableCache::typedCodeTakenMeanwhileIsRefused()
{
    QFETCH(bool, typedOver);
    TableCache cache(m_conn.get(), "TTIPOGASTO");
    cache.open();
    if (typedOver)
        cache.insertWithNextCode("TGACODIGO");
    else
        cache.insert();
    cache.setValue("TGACODIGO", 7);
    cache.setValue("TGADESCRICAO", QString("digitado"));
    cache.post();
    m_db->exec("INSERT INTO TTIPOGASTO VALUES (7, 'do outro programa')");

    // The user chose that code: it is not replaced behind their back.
    QVERIFY_THROWS_EXCEPTION(DbError, cache.applyUpdates());
    QCOMPARE(cache.pendingCount(), 1);
    QCOMPARE(cache.value("TGACODIGO").toInt(), 7);
    QCOMPARE(m_db->scalar("SELECT COUNT(*) FROM TTIPOGASTO").toInt(), 1);
}

void TstTableCache::nullOldValuesFindTheirRow()
{
    m_db->exec("INSERT INTO TGASTO (GASCODIGO, GASVALOR) VALUES (5, NULL)");
    TableCache cache(m_conn.get(), "TGASTO");
    cache.open();
    QVERIFY(cache.value("GASDESCRICAO").isNull());
    cache.edit();
    cache.setValue("GASDESCRICAO", QString("Feira"));
    cache.post();
    cache.applyUpdates();
    QCOMPARE(m_db->scalar("SELECT GASDESCRICAO FROM TGASTO WHERE GASCODIGO = 5").toString(),
             QString("Feira"));
    cache.remove();
    cache.applyUpdates();
    QCOMPARE(m_db->scalar("SELECT COUNT(*) FROM TGASTO").toInt(), 0);
}

void TstTableCache::deletingUnappliedInsertSendsNothing()
{
    TableCache cache(m_conn.get(), "TTIPOGASTO");
    cache.open();
    addType(cache, 1, "Luz");
    cache.remove();
    QCOMPARE(cache.pendingCount(), 0);
    cache.applyUpdates();
    QCOMPARE(m_db->scalar("SELECT COUNT(*) FROM TTIPOGASTO").toInt(), 0);
}

void TstTableCache::textIsCutToSize()
{
    TableCache cache(m_conn.get(), "TTIPOGASTO");
    cache.open();
    const QString longText = QString(45, QChar('x'));
    addType(cache, 1, longText);
    QCOMPARE(cache.value("TGADESCRICAO").toString(), QString(40, QChar('x')));
    cache.applyUpdates();
    QCOMPARE(m_db->scalar("SELECT CHAR_LENGTH(TGADESCRICAO) FROM TTIPOGASTO").toInt(), 40);
}

void TstTableCache::requiredFieldNamesTheColumn()
{
    TableCache cache(m_conn.get(), "TTIPOGASTO");
    cache.open();
    cache.insert();
    cache.setValue("TGADESCRICAO", QString("Sem código"));
    try {
        cache.post();
        QFAIL("posting without the code must fail");
    } catch (const DbError &e) {
        QCOMPARE(e.message(), QString("O campo 'Código' precisa ter um valor."));
        QVERIFY2(e.details().contains("TGACODIGO"), qPrintable(e.details()));
    }
    QCOMPARE(cache.state(), TableCache::Insert);
    QCOMPARE(cache.pendingCount(), 0);
}

void TstTableCache::editOnEmptyCacheInserts()
{
    TableCache cache(m_conn.get(), "TTIPOGASTO");
    cache.open();
    cache.edit();
    QCOMPARE(cache.state(), TableCache::Insert);
    QCOMPARE(cache.recordCount(), 1);
    cache.cancel();
    QCOMPARE(cache.recordCount(), 0);
    QCOMPARE(cache.currentRow(), -1);
}

void TstTableCache::deleteOnEmptyCacheFails()
{
    TableCache cache(m_conn.get(), "TTIPOGASTO");
    cache.open();
    QVERIFY_THROWS_EXCEPTION(DbError, cache.remove());
    QCOMPARE(cache.pendingCount(), 0);
}

void TstTableCache::setValueOutsideEditFails()
{
    m_db->exec("INSERT INTO TTIPOGASTO VALUES (1, 'Luz')");
    TableCache cache(m_conn.get(), "TTIPOGASTO");
    cache.open();
    QVERIFY_THROWS_EXCEPTION(DbError, cache.setValue("TGADESCRICAO", QString("x")));
    cache.edit();
    QVERIFY_THROWS_EXCEPTION(DbError, cache.setValue("TGACODIGO", QString("abc")));
    QVERIFY_THROWS_EXCEPTION(DbError, cache.setValue("NAOEXISTE", 1));
}

void TstTableCache::locate_data()
{
    QTest::addColumn<QString>("fields");
    QTest::addColumn<QVariantList>("values");
    QTest::addColumn<int>("expectedCode"); // 0: not found, current row unchanged
    QTest::newRow("two columns") << "CAIMES;CAIANO" << QVariantList{3, 2024} << 2;
    QTest::newRow("same month other year") << "CAIMES;CAIANO" << QVariantList{3, 2023} << 1;
    QTest::newRow("missing pair") << "CAIMES;CAIANO" << QVariantList{4, 2024} << 0;
    QTest::newRow("text exact") << "CAINOMEMES" << QVariantList{"Março"} << 1;
    QTest::newRow("text is case-sensitive") << "CAINOMEMES" << QVariantList{"março"} << 0;
    QTest::newRow("value of the wrong type") << "CAIMES" << QVariantList{"abc"} << 0;
}

void TstTableCache::locate()
{
    QFETCH(QString, fields);
    QFETCH(QVariantList, values);
    QFETCH(int, expectedCode);
    m_db->exec("INSERT INTO TCAIXAMES (CAICODIGO, CAIMES, CAINOMEMES, CAIANO) "
               "VALUES (1, 3, 'Março', 2023)");
    m_db->exec("INSERT INTO TCAIXAMES (CAICODIGO, CAIMES, CAINOMEMES, CAIANO) "
               "VALUES (2, 3, 'Março', 2024)");
    m_db->exec("INSERT INTO TCAIXAMES (CAICODIGO, CAIMES, CAINOMEMES, CAIANO) "
               "VALUES (3, 5, 'Maio', 2024)");
    TableCache cache(m_conn.get(), "TCAIXAMES");
    cache.open();
    cache.last();
    QCOMPARE(cache.locate(fields, values), expectedCode != 0);
    QCOMPARE(cache.value("CAICODIGO").toInt(), expectedCode ? expectedCode : 3);
}

void TstTableCache::settleOnMove_data()
{
    QTest::addColumn<bool>("inserting");
    QTest::addColumn<bool>("changed");
    QTest::addColumn<int>("rowsAfter");
    QTest::addColumn<int>("pendingAfter");
    QTest::newRow("changed edit is posted") << false << true << 2 << 1;
    QTest::newRow("untouched edit is cancelled") << false << false << 2 << 0;
    QTest::newRow("filled insert is posted") << true << true << 3 << 1;
    QTest::newRow("empty insert is dropped") << true << false << 2 << 0;
}

void TstTableCache::settleOnMove()
{
    QFETCH(bool, inserting);
    QFETCH(bool, changed);
    QFETCH(int, rowsAfter);
    QFETCH(int, pendingAfter);
    m_db->exec("INSERT INTO TTIPOGASTO VALUES (1, 'Luz')");
    m_db->exec("INSERT INTO TTIPOGASTO VALUES (2, 'Água')");
    TableCache cache(m_conn.get(), "TTIPOGASTO");
    cache.open();
    if (inserting) {
        cache.insert();
        if (changed)
            cache.setValue("TGACODIGO", 3);
    } else {
        cache.edit();
        if (changed)
            cache.setValue("TGADESCRICAO", QString("Energia"));
    }
    cache.last();
    QCOMPARE(cache.state(), TableCache::Browse);
    QCOMPARE(cache.recordCount(), rowsAfter);
    QCOMPARE(cache.pendingCount(), pendingAfter);
}

void TstTableCache::navigationAndEnd()
{
    for (int i = 1; i <= 3; ++i)
        m_db->exec("INSERT INTO TTIPOGASTO VALUES (?, 'x')", {i});
    TableCache cache(m_conn.get(), "TTIPOGASTO");
    cache.open();
    QList<int> seen;
    for (cache.first(); !cache.eof(); cache.next())
        seen << cache.value("TGACODIGO").toInt();
    QCOMPARE(seen, (QList<int>{1, 2, 3}));
    QCOMPARE(cache.currentRow(), 2);
    cache.close();
    QVERIFY(!cache.isOpen());
    QVERIFY_THROWS_EXCEPTION(DbError, cache.next());
}

void TstTableCache::currentRowAnnouncedOnce_data()
{
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("at");
    QTest::addColumn<bool>("cancelInsert"); // else delete the row at `at`
    QTest::addColumn<int>("currentAfter");
    QTest::newRow("delete in the middle") << 3 << 1 << false << 1;
    QTest::newRow("delete the last") << 3 << 2 << false << 1;
    QTest::newRow("delete the only row") << 1 << 0 << false << -1;
    QTest::newRow("cancel an insert") << 2 << 1 << true << 1;
    QTest::newRow("cancel an insert in an empty table") << 0 << 0 << true << -1;
}

void TstTableCache::currentRowAnnouncedOnce()
{
    QFETCH(int, rows);
    QFETCH(int, at);
    QFETCH(bool, cancelInsert);
    QFETCH(int, currentAfter);
    for (int i = 1; i <= rows; ++i)
        m_db->exec("INSERT INTO TTIPOGASTO VALUES (?, 'x')", {i});
    TableCache cache(m_conn.get(), "TTIPOGASTO");
    cache.open();
    if (rows > 0)
        cache.setCurrentRow(at);
    if (cancelInsert)
        cache.insert();
    QSignalSpy spy(&cache, &TableCache::currentRowChanged);
    if (cancelInsert)
        cache.cancel();
    else
        cache.remove();
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.at(0).at(0).toInt(), currentAfter);
    QCOMPARE(cache.currentRow(), currentAfter);
}

void TstTableCache::filterKeepsAcrossReopenAndHidesPostedRow()
{
    m_db->exec("INSERT INTO TTIPOGASTO VALUES (1, 'Luz')");
    m_db->exec("INSERT INTO TTIPOGASTO VALUES (2, 'Lazer')");
    m_db->exec("INSERT INTO TTIPOGASTO VALUES (3, 'Água')");
    TableCache cache(m_conn.get(), "TTIPOGASTO");
    cache.open();
    cache.setFilter("(UPPER(TGADESCRICAO) LIKE UPPER('l%'))");
    cache.setFiltered(true);
    QCOMPARE(cache.recordCount(), 2);
    cache.refresh();
    QCOMPARE(cache.recordCount(), 2);

    addType(cache, 4, "Mercado"); // does not match: hidden once posted
    QCOMPARE(cache.recordCount(), 2);
    QCOMPARE(cache.pendingCount(), 1);
    QVERIFY_THROWS_EXCEPTION(DbError, cache.setFilter("UPPER(TGADESCRICAO) LIKE"));
    QCOMPARE(cache.recordCount(), 2); // the previous filter stays
    cache.setFiltered(false);
    QCOMPARE(cache.recordCount(), 4);
}

void TstTableCache::lookupFieldCutTo20()
{
    m_db->exec("INSERT INTO TTIPOGASTO VALUES (1, 'Despesas domésticas gerais')"); // 26 chars
    m_db->exec("INSERT INTO TGASTO (GASCODIGO, GASTIPO) VALUES (1, 1)");
    m_db->exec("INSERT INTO TGASTO (GASCODIGO, GASTIPO) VALUES (2, 9)");
    TableCache types(m_conn.get(), "TTIPOGASTO");
    TableCache spent(m_conn.get(), "TGASTO");
    spent.addLookup("tipo", "GASTIPO", &types, "TGACODIGO", "TGADESCRICAO");
    types.open();
    spent.open();
    QCOMPARE(spent.value("tipo").toString(),
             QString("Despesas domésticas ")); // cut at 20, space kept
    QCOMPARE(spent.value("tipo").toString().size(), 20);
    spent.next();
    QVERIFY(spent.value("tipo").isNull()); // no such type
    // Lookups follow edits of the row and of the other cache.
    spent.edit();
    spent.setValue("GASTIPO", 1);
    QCOMPARE(spent.value("tipo").toString().size(), 20);
    spent.cancel();
    types.insert();
    types.setValue("TGACODIGO", 9);
    types.setValue("TGADESCRICAO", QString("Lazer"));
    types.post();
    QCOMPARE(spent.value("tipo").toString(), QString("Lazer"));
}

void TstTableCache::modelFollowsCache()
{
    for (int i = 1; i <= 5; ++i)
        m_db->exec("INSERT INTO TGASTO (GASCODIGO, GASVALOR, GASDATA, GASDESCRICAO) "
                   "VALUES (?, 1234.5, '2024-03-15', 'Item')",
                   {i});
    TableCache cache(m_conn.get(), "TGASTO");
    CacheModel model(&cache,
                     {{"GASDESCRICAO", "Descrição"}, {"GASVALOR", "Valor"}, {"GASDATA", "Data"}});
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    cache.open();
    QCOMPARE(model.rowCount(), 5);
    QCOMPARE(model.headerData(1, Qt::Horizontal).toString(), QString("Valor"));
    QCOMPARE(model.index(0, 1).data().toString(), QLocale().toCurrencyString(1234.5));
    QCOMPARE(model.index(0, 2).data().toString(), QString("15/03/2024"));

    cache.setCurrentRow(2);
    cache.insert();
    QCOMPARE(model.rowCount(), 6);
    cache.setValue("GASCODIGO", 6);
    cache.setValue("GASDESCRICAO", QString("Novo"));
    QCOMPARE(model.index(2, 0).data().toString(), QString("Novo"));
    cache.post();
    cache.remove();
    QCOMPARE(model.rowCount(), 5);
    cache.setFilter("GASCODIGO = 1");
    cache.setFiltered(true);
    QCOMPARE(model.rowCount(), 1);
    cache.close();
    QCOMPARE(model.rowCount(), 0);
}

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QLocale::setDefault(QLocale(QLocale::Portuguese, QLocale::Brazil));
    TstTableCache t;
    const int rc = QTest::qExec(&t, argc, argv);
    return rc;
}
#include "tst_tablecache.moc"
