#include "db/connection.h"
#include "db/dberror.h"
#include "db/rowactions.h"
#include "db/tablecache.h"
#include "db/transaction.h"
#include "support/testdb.h"

#include <QtTest>

#include <memory>

using namespace lx;

using test::addType;

/// Two caches on one connection, as a user action touches them: expense types and receipt
/// types stand for any pair of tables.
class TstTransaction : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void commitStoresEveryCacheTogether();
    void rollbackKeepsEveryChangePending();
    void refusalInSecondCacheUndoesFirst();
    void changesInsideAreUndoneOnRollback_data();
    void changesInsideAreUndoneOnRollback();
    void rowBeingInsertedInsideGoesOnRollback();
    void joinedTransactionFollowsTheOuter_data();
    void joinedTransactionFollowsTheOuter();
    void cacheReadInsideIsClosedOnRollback();
    void saveRowKeepsTypingWhenEffectsFail();
    void saveRowKeepsAChosenCodeMovable_data();
    void saveRowKeepsAChosenCodeMovable();
    void saveRowDropClosesTheCache();
    void deleteRowBringsTheRowBackWhenEffectsFail();

private:
    int count(const QString &table) const
    {
        return m_db->scalar(QStringLiteral("select count(*) from %1").arg(table)).toInt();
    }
    QString typeName(int code) const
    {
        return m_db->scalar("select TGADESCRICAO from TTIPOGASTO where TGACODIGO = ?", {code})
            .toString();
    }

    std::unique_ptr<test::TestDb> m_db;
    std::unique_ptr<Connection> m_conn;
    std::unique_ptr<TableCache> m_types;
    std::unique_ptr<TableCache> m_receiptTypes;
};

void TstTransaction::initTestCase()
{
    if (test::TestDb::serverUnavailable())
        QSKIP("no Firebird server configured (scripts/test starts one)");
}

void TstTransaction::init()
{
    m_db = std::make_unique<test::TestDb>();
    m_conn = m_db->connect();
    m_types = std::make_unique<TableCache>(m_conn.get(), "TTIPOGASTO");
    m_receiptTypes = std::make_unique<TableCache>(m_conn.get(), "TTIPORECEB");
    m_types->open();
    m_receiptTypes->open();
}

void TstTransaction::cleanup()
{
    m_types.reset();
    m_receiptTypes.reset();
    m_conn.reset();
    m_db.reset();
}

void TstTransaction::commitStoresEveryCacheTogether()
{
    addType(*m_types, 1, "Mercado");
    m_receiptTypes->insert();
    m_receiptTypes->setValue("TRECODIGO", 1);
    m_receiptTypes->setValue("TREDESCRICAO", "Salário");
    m_receiptTypes->post();
    {
        Transaction tx(*m_conn);
        m_types->applyUpdates();
        m_receiptTypes->applyUpdates();
        tx.commit();
    }
    QCOMPARE(count("TTIPOGASTO"), 1);
    QCOMPARE(count("TTIPORECEB"), 1);
    QCOMPARE(m_types->pendingCount(), 0);
    QCOMPARE(m_receiptTypes->pendingCount(), 0);
}

void TstTransaction::rollbackKeepsEveryChangePending()
{
    m_db->exec("insert into TTIPOGASTO (TGACODIGO, TGADESCRICAO) values (1, 'Luz')");
    m_types->refresh();
    addType(*m_types, 2, "Água");
    QVERIFY(m_types->locate("TGACODIGO", {1}));
    m_types->edit();
    m_types->setValue("TGADESCRICAO", "Energia");
    m_types->post();
    QCOMPARE(m_types->pendingCount(), 2);
    {
        Transaction tx(*m_conn);
        m_types->applyUpdates();
        QCOMPARE(m_types->pendingCount(), 0);
        // No commit: the scope ends as an error would end it.
    }
    QCOMPARE(count("TTIPOGASTO"), 1);
    QCOMPARE(typeName(1), QString("Luz"));
    QCOMPARE(m_types->pendingCount(), 2);
    // The changes given back reach the server as they were meant to.
    m_types->applyUpdates();
    QCOMPARE(count("TTIPOGASTO"), 2);
    QCOMPARE(typeName(1), QString("Energia"));
    QCOMPARE(typeName(2), QString("Água"));
}

void TstTransaction::refusalInSecondCacheUndoesFirst()
{
    m_db->exec("insert into TTIPORECEB (TRECODIGO, TREDESCRICAO) values (1, 'Aluguel')");
    m_receiptTypes->refresh();
    // Changed elsewhere after it was read: the cache's update no longer finds it.
    m_db->exec("update TTIPORECEB set TREDESCRICAO = 'Outro' where TRECODIGO = 1");
    addType(*m_types, 1, "Mercado");
    m_receiptTypes->edit();
    m_receiptTypes->setValue("TREDESCRICAO", "Aluguéis");
    m_receiptTypes->post();
    bool refused = false;
    try {
        Transaction tx(*m_conn);
        m_types->applyUpdates();
        m_receiptTypes->applyUpdates();
        tx.commit();
    } catch (const DbError &e) {
        refused = true;
        QVERIFY2(e.details().contains("TTIPORECEB"), qPrintable(e.details()));
    }
    QVERIFY(refused);
    QCOMPARE(count("TTIPOGASTO"), 0);
    QCOMPARE(m_types->pendingCount(), 1);
    QCOMPARE(m_receiptTypes->pendingCount(), 1);
    // A caller that swallows the refusal still cannot commit half of the work.
    {
        Transaction tx(*m_conn);
        m_types->applyUpdates();
        try {
            m_receiptTypes->applyUpdates();
        } catch (const DbError &) {
        }
        QVERIFY_THROWS_EXCEPTION(DbError, tx.commit());
    }
    QCOMPARE(count("TTIPOGASTO"), 0);
    QCOMPARE(m_types->pendingCount(), 1);
}

void TstTransaction::changesInsideAreUndoneOnRollback_data()
{
    QTest::addColumn<bool>("onServer");     // the row exists on the server before the action
    QTest::addColumn<QString>("inside");    // what the action does after its first apply
    QTest::addColumn<QString>("nameAtEnd"); // on the server once the cache applies again
    // Before the action the cache holds one pending change: the new row, or a changed name.
    QTest::newRow("new row, changed inside") << false << "edit"
                                             << "Gás";
    QTest::newRow("new row, deleted inside") << false << "delete"
                                             << "Gás";
    QTest::newRow("changed row, changed inside") << true << "edit"
                                                 << "Gás de botijão";
    QTest::newRow("changed row, deleted inside") << true << "delete"
                                                 << "Gás de botijão";
    QTest::newRow("new rows added inside") << false << "insert"
                                           << "Gás";
}

void TstTransaction::changesInsideAreUndoneOnRollback()
{
    QFETCH(bool, onServer);
    QFETCH(QString, inside);
    QFETCH(QString, nameAtEnd);
    if (onServer) {
        m_db->exec("insert into TTIPOGASTO (TGACODIGO, TGADESCRICAO) values (7, 'Gás')");
        m_types->refresh();
        m_types->edit();
        m_types->setValue("TGADESCRICAO", "Gás de botijão");
        m_types->post();
    } else {
        addType(*m_types, 7, "Gás");
    }
    const int rowsBefore = m_types->recordCount();
    {
        Transaction tx(*m_conn);
        m_types->applyUpdates();
        QVERIFY(m_types->locate("TGACODIGO", {7}));
        if (inside == "edit") {
            m_types->edit();
            m_types->setValue("TGADESCRICAO", "Gás encanado");
            m_types->post();
        } else if (inside == "delete") {
            m_types->remove();
        } else {
            addType(*m_types, 8, "Luz");
            addType(*m_types, 9, "Água");
        }
        m_types->applyUpdates();
    }
    // Back to what it held before the action: the same rows, the one change pending.
    QCOMPARE(count("TTIPOGASTO"), onServer ? 1 : 0);
    QCOMPARE(m_types->state(), TableCache::Browse);
    QCOMPARE(m_types->recordCount(), rowsBefore);
    QCOMPARE(m_types->pendingCount(), 1);
    QVERIFY(m_types->locate("TGACODIGO", {7}));
    QCOMPARE(m_types->value("TGADESCRICAO").toString(), nameAtEnd);
    QVERIFY(!m_types->locate("TGACODIGO", {8}));
    QCOMPARE(m_types->nextCode("TGACODIGO"), 8);
    m_types->applyUpdates();
    QCOMPARE(count("TTIPOGASTO"), 1);
    QCOMPARE(typeName(7), nameAtEnd);
}

void TstTransaction::rowBeingInsertedInsideGoesOnRollback()
{
    {
        Transaction tx(*m_conn);
        addType(*m_types, 1, "Mercado");
        m_types->applyUpdates();
        m_types->insert(); // the action fails before this row is posted
        m_types->setValue("TGACODIGO", 2);
    }
    QCOMPARE(m_types->state(), TableCache::Browse);
    QCOMPARE(m_types->recordCount(), 0);
    QCOMPARE(m_types->pendingCount(), 0);
    QCOMPARE(count("TTIPOGASTO"), 0);
}

void TstTransaction::joinedTransactionFollowsTheOuter_data()
{
    QTest::addColumn<bool>("innerCommits");
    QTest::addColumn<bool>("stored");
    QTest::newRow("inner commits: the outer stores") << true << true;
    QTest::newRow("inner rolls back: the outer cannot commit") << false << false;
}

void TstTransaction::joinedTransactionFollowsTheOuter()
{
    QFETCH(bool, innerCommits);
    QFETCH(bool, stored);
    addType(*m_types, 1, "Mercado");
    addType(*m_types, 2, "Farmácia");
    {
        Transaction outer(*m_conn);
        {
            Transaction inner(*m_conn);
            QVERIFY(inner.isJoined());
            m_types->applyUpdates();
            if (innerCommits)
                inner.commit();
        }
        // Only the outer one ends the server's transaction.
        QCOMPARE(count("TTIPOGASTO"), 0);
        if (stored)
            outer.commit();
        else
            QVERIFY_THROWS_EXCEPTION(DbError, outer.commit());
    }
    QCOMPARE(count("TTIPOGASTO"), stored ? 2 : 0);
    QCOMPARE(m_types->pendingCount(), stored ? 0 : 2);
}

void TstTransaction::cacheReadInsideIsClosedOnRollback()
{
    TableCache summaries(m_conn.get(), "TCAIXAMES");
    {
        Transaction tx(*m_conn);
        addType(*m_types, 1, "Mercado");
        m_types->applyUpdates();
        // Read inside: it would show what the rollback undoes.
        TableCache again(m_conn.get(), "TTIPOGASTO");
        again.open();
        QCOMPARE(again.recordCount(), 1);
        summaries.open();
        tx.rollback();
        QVERIFY(!again.isOpen());
        QVERIFY(!summaries.isOpen());
    }
    // A cache read before the transaction keeps its rows, back as they were.
    QVERIFY(m_types->isOpen());
    QCOMPARE(m_types->recordCount(), 0);
    QCOMPARE(m_types->pendingCount(), 0);
}

void TstTransaction::saveRowKeepsTypingWhenEffectsFail()
{
    addType(*m_types, 1, "Mercado");
    m_types->applyUpdates();
    m_types->insert();
    m_types->setValue("TGACODIGO", 2);
    m_types->setValue("TGADESCRICAO", "Farmácia");
    QVERIFY_THROWS_EXCEPTION(DbError, saveRow(*m_types, OnRefusal::Reedit,
                                              [] { throw DbError("o resumo foi recusado"); }));
    QCOMPARE(count("TTIPOGASTO"), 1);
    QVERIFY(m_types->isEditing());
    QCOMPARE(m_types->value("TGACODIGO").toInt(), 2);
    QCOMPARE(m_types->value("TGADESCRICAO").toString(), QString("Farmácia"));
    // Saved again once nothing fails, the row reaches the server once.
    saveRow(*m_types, OnRefusal::Reedit);
    QCOMPARE(count("TTIPOGASTO"), 2);
    QCOMPARE(m_types->pendingCount(), 0);
}

void TstTransaction::saveRowKeepsAChosenCodeMovable_data()
{
    QTest::addColumn<bool>("hidden"); // a search hides the new row, which is then typed anew
    QTest::newRow("row shown") << false;
    QTest::newRow("row hidden by the search") << true;
}

// A save refused for another reason leaves the new row being edited; when another program
// then takes its code, the next save still stores it under a free one.
void TstTransaction::saveRowKeepsAChosenCodeMovable()
{
    QFETCH(bool, hidden);
    addType(*m_types, 1, "Mercado");
    m_types->applyUpdates();
    if (hidden) {
        m_types->setFilter("UPPER(TGADESCRICAO) LIKE UPPER('%mercado%')");
        m_types->setFiltered(true);
    }
    QCOMPARE(m_types->insertWithNextCode("TGACODIGO"), 2);
    m_types->setValue("TGADESCRICAO", "Farmácia");
    QVERIFY_THROWS_EXCEPTION(DbError, saveRow(*m_types, OnRefusal::Reedit,
                                              [] { throw DbError("o resumo foi recusado"); }));
    QVERIFY(m_types->isCodeChosen());
    m_db->exec("INSERT INTO TTIPOGASTO VALUES (2, 'do outro programa')");

    saveRow(*m_types, OnRefusal::Reedit);

    QCOMPARE(typeName(2), QString("do outro programa"));
    QCOMPARE(typeName(3), QString("Farmácia"));
    QCOMPARE(count("TTIPOGASTO"), 3);
}

void TstTransaction::saveRowDropClosesTheCache()
{
    m_types->insert();
    m_types->setValue("TGACODIGO", 1);
    QVERIFY_THROWS_EXCEPTION(DbError,
                             saveRow(*m_types, OnRefusal::Drop, [] { throw DbError("recusado"); }));
    QVERIFY(!m_types->isOpen());
    QCOMPARE(count("TTIPOGASTO"), 0);
}

void TstTransaction::deleteRowBringsTheRowBackWhenEffectsFail()
{
    m_db->exec("insert into TTIPOGASTO (TGACODIGO, TGADESCRICAO) values (1, 'Luz')");
    m_types->refresh();
    QVERIFY_THROWS_EXCEPTION(DbError,
                             deleteRow(*m_types, [] { throw DbError("o resumo foi recusado"); }));
    QCOMPARE(count("TTIPOGASTO"), 1);
    QCOMPARE(m_types->recordCount(), 1);
    QCOMPARE(m_types->pendingCount(), 0);
}

QTEST_GUILESS_MAIN(TstTransaction)
#include "tst_transaction.moc"
