#include "db/connection.h"
#include "db/dberror.h"
#include "db/tablecache.h"
#include "finance/core/caixa.h"
#include "support/testdb.h"
#include "support/testmain.h"

#include <QtTest>

#include <memory>

using namespace lx;
using namespace lx::finance;

namespace {
/// month, year, amount (an invalid QVariant is a null amount)
struct Movement
{
    int month;
    int year;
    QVariant amount;
};

/// A fresh database, a connection to it and the summary cache the recomputation writes.
struct Fixture
{
    test::TestDb db;
    std::unique_ptr<Connection> conn = db.connect();
    TableCache summaries{conn.get(), QStringLiteral("TCAIXAMES")};
};
} // namespace
Q_DECLARE_METATYPE(Movement)

class TstCaixa : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void firstMovementCreatesRow_data();
    void firstMovementCreatesRow();
    void totals_data();
    void totals();
    void existingRowUpdatedInPlace();
    void deletingOnlyMovementLeavesZeroRow();
    void refusedApplyRaisesAndNextCallRecovers();
    void closedConnectionReconnects();
    void locateMonth_data();
    void locateMonth();

private:
    void recompute(int month, int year) { atualizarcaixa(*m_f->conn, m_f->summaries, month, year); }
    void addExpense(int month, int year, const QVariant &amount);
    void addReceipt(int month, int year, const QVariant &amount);
    void addSummary(int code, int month, int year, double available);
    QVariant server(const QString &column, int month, int year) const;
    int rowsOf(int month, int year) const;

    std::unique_ptr<Fixture> m_f;
    int m_code = 0;
};

void TstCaixa::initTestCase()
{
    if (test::TestDb::serverUnavailable())
        QSKIP("no Firebird server configured (scripts/test starts one)");
}

void TstCaixa::init()
{
    m_f = std::make_unique<Fixture>();
    QVERIFY(m_f->conn->isOpen());
    m_code = 0;
}

void TstCaixa::cleanup()
{
    m_f.reset();
}

void TstCaixa::addExpense(int month, int year, const QVariant &amount)
{
    m_f->db.exec("INSERT INTO TGASTO (GASCODIGO, GASVALOR, GASDESCRICAO, GASMES, GASANO) "
                 "VALUES (?, ?, 'teste', ?, ?)",
                 {++m_code, amount.isValid() ? amount : QVariant(QMetaType(QMetaType::Double)),
                  month, year});
}

void TstCaixa::addReceipt(int month, int year, const QVariant &amount)
{
    m_f->db.exec("INSERT INTO TRECEBIMENTO (RECCODIGO, RECVALOR, RECDESCRICAO, RECMES, RECANO) "
                 "VALUES (?, ?, 'teste', ?, ?)",
                 {++m_code, amount.isValid() ? amount : QVariant(QMetaType(QMetaType::Double)),
                  month, year});
}

void TstCaixa::addSummary(int code, int month, int year, double available)
{
    m_f->db.exec("INSERT INTO TCAIXAMES (CAICODIGO, CAIMES, CAINOMEMES, CAIANO, "
                 "CAIVALORDISPONIVEL, CAIVALORGASTO, CAIVALORRECEBIDO, CAIUSUARIO) "
                 "VALUES (?, ?, ?, ?, ?, 0, ?, 7)",
                 {code, month, monthName(month), year, available, available});
}

QVariant TstCaixa::server(const QString &column, int month, int year) const
{
    return m_f->db.scalar(
        QString("SELECT %1 FROM TCAIXAMES WHERE CAIMES = ? AND CAIANO = ?").arg(column),
        {month, year});
}

int TstCaixa::rowsOf(int month, int year) const
{
    return m_f->db
        .scalar("SELECT COUNT(*) FROM TCAIXAMES WHERE CAIMES = ? AND CAIANO = ?", {month, year})
        .toInt();
}

void TstCaixa::firstMovementCreatesRow_data()
{
    QTest::addColumn<QList<int>>("existingCodes");
    QTest::addColumn<int>("month");
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("expectedCode");
    QTest::newRow("empty table") << QList<int>{} << 3 << QString("Março") << 1;
    QTest::newRow("codes 3, 1, 7") << QList<int>{3, 1, 7} << 12 << QString("Dezembro") << 8;
    QTest::newRow("january") << QList<int>{2} << 1 << QString("Janeiro") << 3;
}

void TstCaixa::firstMovementCreatesRow()
{
    QFETCH(QList<int>, existingCodes);
    QFETCH(int, month);
    QFETCH(QString, name);
    QFETCH(int, expectedCode);
    // Rows of other months, so that only the code walk finds the new code.
    for (int i = 0; i < existingCodes.size(); ++i)
        addSummary(existingCodes[i], 6, 2000 + i, 0.0);
    addExpense(month, 2024, 123.45);

    recompute(month, 2024);

    QCOMPARE(rowsOf(month, 2024), 1);
    QCOMPARE(server("CAICODIGO", month, 2024).toInt(), expectedCode);
    QCOMPARE(server("CAINOMEMES", month, 2024).toString(), name);
    QCOMPARE(server("CAIVALORGASTO", month, 2024).toDouble(), 123.45);
    QCOMPARE(server("CAIVALORRECEBIDO", month, 2024).toDouble(), 0.0);
    QCOMPARE(server("CAIVALORDISPONIVEL", month, 2024).toDouble(), -123.45);
    QVERIFY(server("CAIUSUARIO", month, 2024).isNull());

    TableCache &tb = m_f->summaries;
    QCOMPARE(tb.state(), TableCache::Browse);
    QCOMPARE(tb.pendingCount(), 0);
    QCOMPARE(tb.value("CAIMES").toInt(), month);
    QCOMPARE(tb.value("CAIANO").toInt(), 2024);
}

void TstCaixa::totals_data()
{
    QTest::addColumn<QList<Movement>>("expenses");
    QTest::addColumn<QList<Movement>>("receipts");
    QTest::addColumn<double>("spent");
    QTest::addColumn<double>("received");
    QTest::addColumn<double>("available");

    using L = QList<Movement>;
    QTest::newRow("no movements") << L{} << L{} << 0.0 << 0.0 << 0.0;
    QTest::newRow("received 1000.00, spent 1250.50")
        << L{{3, 2024, 1000.50}, {3, 2024, 250.0}} << L{{3, 2024, 600.0}, {3, 2024, 400.0}}
        << 1250.50 << 1000.0 << -250.50;
    QTest::newRow("previous month not carried over")
        << L{{3, 2024, 10.0}, {2, 2024, 500.0}} << L{{2, 2024, 9000.0}} << 10.0 << 0.0 << -10.0;
    QTest::newRow("same month of another year not counted")
        << L{{3, 2024, 20.0}, {3, 2023, 700.0}, {3, 2025, 800.0}}
        << L{{3, 2024, 50.0}, {3, 2023, 900.0}} << 20.0 << 50.0 << 30.0;
    QTest::newRow("null amount counts 0") << L{{3, 2024, QVariant()}, {3, 2024, 15.25}}
                                          << L{{3, 2024, QVariant()}} << 15.25 << 0.0 << -15.25;
    // Swapped or shared parameter values would pick these rows up.
    QTest::newRow("month and year each get their own value")
        << L{{3, 2024, 1.0}, {2024, 3, 100.0}, {3, 3, 1000.0}, {2024, 2024, 10000.0}}
        << L{{3, 2024, 2.0}, {2024, 3, 200.0}, {3, 3, 2000.0}, {2024, 2024, 20000.0}} << 1.0 << 2.0
        << 1.0;
    QTest::newRow("fractions of a cent kept")
        << L{{3, 2024, 0.125}, {3, 2024, 0.0025}} << L{} << 0.1275 << 0.0 << -0.1275;
}

void TstCaixa::totals()
{
    QFETCH(QList<Movement>, expenses);
    QFETCH(QList<Movement>, receipts);
    QFETCH(double, spent);
    QFETCH(double, received);
    QFETCH(double, available);
    for (const Movement &m : expenses)
        addExpense(m.month, m.year, m.amount);
    for (const Movement &m : receipts)
        addReceipt(m.month, m.year, m.amount);

    recompute(3, 2024);

    QCOMPARE(server("CAIVALORGASTO", 3, 2024).toDouble(), spent);
    QCOMPARE(server("CAIVALORRECEBIDO", 3, 2024).toDouble(), received);
    QCOMPARE(server("CAIVALORDISPONIVEL", 3, 2024).toDouble(), available);
    QCOMPARE(m_f->db.scalar("SELECT COUNT(*) FROM TCAIXAMES").toInt(), 1);
}

void TstCaixa::existingRowUpdatedInPlace()
{
    addSummary(5, 3, 2024, 999.0);
    addSummary(6, 4, 2024, 111.0);
    addExpense(3, 2024, 40.0);
    addReceipt(3, 2024, 100.0);

    recompute(3, 2024);
    recompute(3, 2024);

    QCOMPARE(rowsOf(3, 2024), 1);
    QCOMPARE(m_f->db.scalar("SELECT COUNT(*) FROM TCAIXAMES").toInt(), 2);
    QCOMPARE(server("CAICODIGO", 3, 2024).toInt(), 5);
    QCOMPARE(server("CAIUSUARIO", 3, 2024).toInt(), 7);
    QCOMPARE(server("CAIVALORGASTO", 3, 2024).toDouble(), 40.0);
    QCOMPARE(server("CAIVALORRECEBIDO", 3, 2024).toDouble(), 100.0);
    QCOMPARE(server("CAIVALORDISPONIVEL", 3, 2024).toDouble(), 60.0);
    QCOMPARE(server("CAIVALORDISPONIVEL", 4, 2024).toDouble(), 111.0);
    QCOMPARE(m_f->summaries.value("CAICODIGO").toInt(), 5);
}

void TstCaixa::deletingOnlyMovementLeavesZeroRow()
{
    addExpense(7, 2024, 80.0);
    recompute(7, 2024);
    QCOMPARE(server("CAIVALORDISPONIVEL", 7, 2024).toDouble(), -80.0);

    m_f->db.exec("DELETE FROM TGASTO");
    recompute(7, 2024);

    QCOMPARE(rowsOf(7, 2024), 1);
    QCOMPARE(server("CAINOMEMES", 7, 2024).toString(), QString("Julho"));
    QCOMPARE(server("CAIVALORGASTO", 7, 2024).toDouble(), 0.0);
    QCOMPARE(server("CAIVALORRECEBIDO", 7, 2024).toDouble(), 0.0);
    QCOMPARE(server("CAIVALORDISPONIVEL", 7, 2024).toDouble(), 0.0);
}

void TstCaixa::refusedApplyRaisesAndNextCallRecovers()
{
    addExpense(3, 2024, 10.0);
    recompute(3, 2024);
    m_f->db.exec("CREATE EXCEPTION SUMMARY_REFUSED 'refused'");
    m_f->db.exec("CREATE TRIGGER TCAIXAMES_REFUSE FOR TCAIXAMES BEFORE UPDATE AS "
                 "BEGIN EXCEPTION SUMMARY_REFUSED; END");
    addExpense(3, 2024, 5.0);

    QVERIFY_THROWS_EXCEPTION(DbError, recompute(3, 2024));
    QCOMPARE(server("CAIVALORGASTO", 3, 2024).toDouble(), 10.0);
    QCOMPARE(m_f->summaries.pendingCount(), 0);

    m_f->db.exec("DROP TRIGGER TCAIXAMES_REFUSE");
    recompute(3, 2024);
    QCOMPARE(rowsOf(3, 2024), 1);
    QCOMPARE(server("CAIVALORGASTO", 3, 2024).toDouble(), 15.0);
    QCOMPARE(server("CAIVALORDISPONIVEL", 3, 2024).toDouble(), -15.0);
}

void TstCaixa::closedConnectionReconnects()
{
    addExpense(3, 2024, 10.0);
    m_f->conn->close();
    recompute(3, 2024);
    QCOMPARE(server("CAIVALORGASTO", 3, 2024).toDouble(), 10.0);
}

void TstCaixa::locateMonth_data()
{
    QTest::addColumn<int>("month"); // the month list's position plus one, 0 for none chosen
    QTest::addColumn<QString>("yearText");
    QTest::addColumn<bool>("found");
    QTest::addColumn<bool>("error");
    QTest::addColumn<int>("currentCode"); // the current row afterwards
    QTest::newRow("April 2024") << 4 << "2024" << true << false << 2;
    QTest::newRow("year with blanks") << 3 << " 2024 " << true << false << 1;
    QTest::newRow("no month chosen") << 0 << "2024" << false << false << 3;
    QTest::newRow("no such year") << 4 << "2023" << false << false << 3;
    QTest::newRow("placeholder left in") << 4 << "Digite o Ano" << false << true << 3;
    QTest::newRow("empty year") << 4 << "" << false << true << 3;
}

void TstCaixa::locateMonth()
{
    QFETCH(int, month);
    QFETCH(QString, yearText);
    QFETCH(bool, found);
    QFETCH(bool, error);
    QFETCH(int, currentCode);
    addSummary(1, 3, 2024, 10.0);
    addSummary(2, 4, 2024, -5.0);
    addSummary(3, 4, 2025, 1.0);
    m_f->summaries.open();
    m_f->summaries.last();
    bool raised = false;
    bool located = false;
    try {
        located = finance::locateMonth(m_f->summaries, month, yearText);
    } catch (const DbError &e) {
        raised = true;
        QVERIFY2(e.message().contains(yearText), qPrintable(e.message()));
    }
    QCOMPARE(raised, error);
    QCOMPARE(located, found);
    QCOMPARE(m_f->summaries.value("CAICODIGO").toInt(), currentCode);
}

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    TstCaixa t;
    return test::runTests(t, argc, argv);
}

#include "tst_caixa.moc"
