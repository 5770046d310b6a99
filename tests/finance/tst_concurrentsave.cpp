#include "db/connection.h"
#include "db/dberror.h"
#include "db/tablecache.h"
#include "finance/core/bills.h"
#include "finance/core/movements.h"
#include "support/testdb.h"
#include "support/testmain.h"

#include <QtTest>

#include <memory>

using namespace lx;
using namespace lx::finance;

namespace {

/// One finance program: its own connection and the caches its windows share.
struct Program
{
    std::unique_ptr<Connection> conn;
    TableCache expenses{conn.get(), QStringLiteral("TGASTO")};
    TableCache expenseTypes{conn.get(), QStringLiteral("TTIPOGASTO")};
    TableCache summaries{conn.get(), QStringLiteral("TCAIXAMES")};
    TableCache bills{conn.get(), QStringLiteral("TCONTA")};
    TableCache instalments{conn.get(), QStringLiteral("TCONTPAG")};
    Movements movements{*conn, expenses, expenseTypes, summaries, MovementTable::expenses()};
    Bills billSteps{*conn, bills, instalments, expenses, summaries};

    explicit Program(const test::TestDb &db) : conn(db.connect()) {}

    /// Reads every table the program works on, as its windows do when shown.
    void openAll()
    {
        movements.open();
        summaries.open();
        bills.open();
        instalments.open();
    }
    /// "Novo", typing and "Salvar" in the expense window; returns the code the window shows.
    int saveExpense(const QString &description, double amount, const QString &date)
    {
        movements.insertNew();
        expenses.setValue("GASDESCRICAO", description);
        expenses.setValue("GASVALOR", amount);
        movements.save(date);
        return expenses.value("GASCODIGO").toInt();
    }
    /// A new bill with a down payment, saved; returns the code the window shows.
    int saveBill(const QString &description, double downPayment, int count)
    {
        billSteps.insertNew();
        bills.setValue("CONDESCRICAO", description);
        bills.setValue("CONVALOR", 1000.0);
        bills.setValue("CONENTRADA", downPayment);
        bills.setValue("CONVEZES", count);
        bills.setValue("CONTIPOJUROS", QString("Sem Juros"));
        bills.setValue("CONDATA", QDate(2024, 3, 10));
        bills.setValue("CONVENCIMENTO", QDate(2024, 4, 10));
        const QString refusal = billSteps.save();
        if (!refusal.isEmpty())
            throw DbError(refusal);
        return bills.value("CONCODIGO").toInt();
    }
};

} // namespace

// Two finance programs on one database, each with caches read before the other one saved:
// every new code one of them offers may be taken already, and the month summaries they both
// keep may have changed. No save may fail for that, and nothing may be stored twice or lost.
class TstConcurrentSave : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void expensesOfOneMonth_data();
    void expensesOfOneMonth();
    void summariesOfTwoMonthsGetTheirOwnCodes();
    void billFollowsItsMovedCodes();

private:
    QVariant scalar(const QString &sql, const QVariantList &values = {}) const
    {
        return m_db->scalar(sql, values);
    }

    std::unique_ptr<test::TestDb> m_db;
    std::unique_ptr<Program> m_a;
    std::unique_ptr<Program> m_b;
};

void TstConcurrentSave::initTestCase()
{
    if (test::TestDb::serverUnavailable())
        QSKIP("no Firebird server configured (scripts/test starts one)");
}

void TstConcurrentSave::init()
{
    m_db = std::make_unique<test::TestDb>();
    m_a = std::make_unique<Program>(*m_db);
    m_b = std::make_unique<Program>(*m_db);
}

void TstConcurrentSave::cleanup()
{
    m_a.reset();
    m_b.reset();
    m_db.reset();
}

void TstConcurrentSave::expensesOfOneMonth_data()
{
    QTest::addColumn<bool>("summaryBefore"); // the month had a summary when both read
    QTest::newRow("first expenses of the month") << false;
    QTest::newRow("month already summarised") << true;
}

void TstConcurrentSave::expensesOfOneMonth()
{
    QFETCH(bool, summaryBefore);
    if (summaryBefore) {
        m_db->exec("INSERT INTO TGASTO (GASCODIGO, GASVALOR, GASMES, GASANO) "
                   "VALUES (1, 5, 3, 2024)");
        m_db->exec("INSERT INTO TCAIXAMES (CAICODIGO, CAIMES, CAINOMEMES, CAIANO, "
                   "CAIVALORGASTO, CAIVALORRECEBIDO, CAIVALORDISPONIVEL) "
                   "VALUES (1, 3, 'Março', 2024, 5, 0, -5)");
    }
    m_a->openAll();
    m_b->openAll();
    const double before = summaryBefore ? 5.0 : 0.0;

    const int first = m_a->saveExpense("Mercado", 100.0, "10/03/2024");
    const int second = m_b->saveExpense("Farmácia", 30.0, "11/03/2024");

    QVERIFY(first != second);
    QCOMPARE(second, first + 1);
    QCOMPARE(m_b->expenses.state(), TableCache::Browse);
    QCOMPARE(m_b->expenses.pendingCount(), 0);
    QCOMPARE(scalar("SELECT GASDESCRICAO FROM TGASTO WHERE GASCODIGO = ?", {first}).toString(),
             QString("Mercado"));
    QCOMPARE(scalar("SELECT GASDESCRICAO FROM TGASTO WHERE GASCODIGO = ?", {second}).toString(),
             QString("Farmácia"));
    QCOMPARE(scalar("SELECT GASVALOR FROM TGASTO WHERE GASCODIGO = ?", {second}).toDouble(), 30.0);
    // One summary row for the month, holding both expenses.
    QCOMPARE(scalar("SELECT COUNT(*) FROM TCAIXAMES WHERE CAIMES = 3 AND CAIANO = 2024").toInt(),
             1);
    QCOMPARE(scalar("SELECT CAIVALORGASTO FROM TCAIXAMES").toDouble(), before + 130.0);
    QCOMPARE(scalar("SELECT CAIVALORDISPONIVEL FROM TCAIXAMES").toDouble(), -(before + 130.0));
    QCOMPARE(m_b->summaries.value("CAIVALORGASTO").toDouble(), before + 130.0);

    // And back the other way: the first program's caches are the stale ones now.
    const int third = m_a->saveExpense("Padaria", 7.0, "12/03/2024");
    QCOMPARE(third, second + 1);
    QCOMPARE(scalar("SELECT COUNT(*) FROM TCAIXAMES").toInt(), 1);
    QCOMPARE(scalar("SELECT CAIVALORGASTO FROM TCAIXAMES").toDouble(), before + 137.0);
}

void TstConcurrentSave::summariesOfTwoMonthsGetTheirOwnCodes()
{
    m_a->openAll();
    m_b->openAll();
    m_a->saveExpense("Mercado", 100.0, "10/03/2024");
    // The second program's expense and its new month's summary both find code 1 taken.
    m_b->saveExpense("Aluguel", 800.0, "05/04/2024");

    QCOMPARE(scalar("SELECT COUNT(*) FROM TCAIXAMES").toInt(), 2);
    QCOMPARE(scalar("SELECT CAIMES FROM TCAIXAMES WHERE CAICODIGO = 1").toInt(), 3);
    QCOMPARE(scalar("SELECT CAIMES FROM TCAIXAMES WHERE CAICODIGO = 2").toInt(), 4);
    QCOMPARE(scalar("SELECT CAIVALORGASTO FROM TCAIXAMES WHERE CAIMES = 4").toDouble(), 800.0);
    QCOMPARE(scalar("SELECT CAINOMEMES FROM TCAIXAMES WHERE CAIMES = 4").toString(),
             QString("Abril"));
}

void TstConcurrentSave::billFollowsItsMovedCodes()
{
    m_a->openAll();
    m_b->openAll();
    const int billA = m_a->saveBill("Geladeira", 200.0, 3);
    const int billB = m_b->saveBill("Fogão", 100.0, 2);

    QCOMPARE(billA, 1);
    QCOMPARE(billB, 2);
    // Each plan names its own bill, and no instalment was stored twice or lost.
    QCOMPARE(scalar("SELECT COUNT(*) FROM TCONTPAG WHERE CPACONTA = ?", {billA}).toInt(), 3);
    QCOMPARE(scalar("SELECT COUNT(*) FROM TCONTPAG WHERE CPACONTA = ?", {billB}).toInt(), 2);
    QCOMPARE(scalar("SELECT COUNT(DISTINCT CPACODIGO) FROM TCONTPAG").toInt(), 5);
    QCOMPARE(scalar("SELECT COUNT(*) FROM TCONTPAG WHERE CPACONTA = ? AND CPADESCRICAO "
                    "LIKE '%Fogão'",
                    {billB})
                 .toInt(),
             2);
    // Each bill names its own down payment.
    const int downA = scalar("SELECT CONPOSSUIENTRADA FROM TCONTA WHERE CONCODIGO = ?", {billA})
                          .toString()
                          .toInt();
    const int downB = scalar("SELECT CONPOSSUIENTRADA FROM TCONTA WHERE CONCODIGO = ?", {billB})
                          .toString()
                          .toInt();
    QVERIFY(downA != downB);
    QCOMPARE(scalar("SELECT GASVALOR FROM TGASTO WHERE GASCODIGO = ?", {downA}).toDouble(), 200.0);
    QCOMPARE(scalar("SELECT GASVALOR FROM TGASTO WHERE GASCODIGO = ?", {downB}).toDouble(), 100.0);
    QCOMPARE(m_b->bills.value("CONPOSSUIENTRADA").toString(), QString::number(downB));
    QCOMPARE(scalar("SELECT COUNT(*) FROM TCAIXAMES").toInt(), 1);
    QCOMPARE(scalar("SELECT CAIVALORGASTO FROM TCAIXAMES").toDouble(), 300.0);

    // Saving the moved bill again replaces its own plan and down payment, not the other's.
    m_b->bills.edit();
    m_b->bills.setValue("CONVEZES", 4);
    m_b->bills.setValue("CONENTRADA", 150.0);
    QCOMPARE(m_b->billSteps.save(), QString());
    QCOMPARE(scalar("SELECT COUNT(*) FROM TCONTPAG WHERE CPACONTA = ?", {billA}).toInt(), 3);
    QCOMPARE(scalar("SELECT COUNT(*) FROM TCONTPAG WHERE CPACONTA = ?", {billB}).toInt(), 4);
    QCOMPARE(scalar("SELECT GASVALOR FROM TGASTO WHERE GASCODIGO = ?", {downA}).toDouble(), 200.0);
    QCOMPARE(scalar("SELECT GASVALOR FROM TGASTO WHERE GASCODIGO = ?", {downB}).toDouble(), 150.0);
    QCOMPARE(scalar("SELECT COUNT(*) FROM TGASTO").toInt(), 2);
}

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    TstConcurrentSave tests;
    return test::runTests(tests, argc, argv);
}
#include "tst_concurrentsave.moc"
