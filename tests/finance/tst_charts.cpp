#include "db/connection.h"
#include "db/dberror.h"
#include "db/queryresult.h"
#include "finance/core/caixa.h"
#include "finance/core/charts.h"
#include "support/testdb.h"
#include "support/testmain.h"

#include <QtTest>

#include <memory>

using namespace lx;
using namespace lx::finance;

namespace {
/// A movement of the pies: month, year, type code (0: none), amount.
struct Movement
{
    int month;
    int year;
    int type;
    double amount;
};

/// What a slice should be: the type's description and the sum.
struct Slice
{
    QString label;
    double value;
};

struct Fixture
{
    test::TestDb db;
    std::unique_ptr<Connection> conn = db.connect();
};
} // namespace
Q_DECLARE_METATYPE(Movement)
Q_DECLARE_METATYPE(Slice)

class TstCharts : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void cashYears_data();
    void cashYears();
    void monthsOfDifferentYearsSharePositions();
    void pies_data();
    void pies();
    void regenerationReplacesRows();

private:
    void addSummary(int month, int year, double spent, double received);
    void addMovement(bool expense, const Movement &m);

    std::unique_ptr<Fixture> m_f;
    int m_code = 0;
};

void TstCharts::initTestCase()
{
    if (test::TestDb::serverUnavailable())
        QSKIP("no Firebird server configured (scripts/test starts one)");
}

void TstCharts::init()
{
    m_f = std::make_unique<Fixture>();
    QVERIFY(m_f->conn->isOpen());
    m_code = 0;
}

void TstCharts::cleanup()
{
    m_f.reset();
}

void TstCharts::addSummary(int month, int year, double spent, double received)
{
    m_f->db.exec(
        "INSERT INTO TCAIXAMES (CAICODIGO, CAIMES, CAINOMEMES, CAIANO, "
        "CAIVALORDISPONIVEL, CAIVALORGASTO, CAIVALORRECEBIDO) VALUES (?, ?, ?, ?, ?, ?, ?)",
        {++m_code, month, monthName(month), year, received - spent, spent, received});
}

void TstCharts::addMovement(bool expense, const Movement &m)
{
    const QVariant type = m.type ? QVariant(m.type) : QVariant(QMetaType(QMetaType::Int));
    if (expense)
        m_f->db.exec("INSERT INTO TGASTO (GASCODIGO, GASVALOR, GASDESCRICAO, GASTIPO, GASMES, "
                     "GASANO) VALUES (?, ?, 'teste', ?, ?, ?)",
                     {++m_code, m.amount, type, m.month, m.year});
    else
        m_f->db.exec("INSERT INTO TRECEBIMENTO (RECCODIGO, RECVALOR, RECDESCRICAO, RECTIPO, "
                     "RECMES, RECANO) VALUES (?, ?, 'teste', ?, ?, ?)",
                     {++m_code, m.amount, type, m.month, m.year});
}

void TstCharts::cashYears_data()
{
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("to");
    QTest::addColumn<QList<int>>("years"); // of the rows selected, ascending
    QTest::newRow("one year") << 2024 << 2024 << QList<int>{2024};
    QTest::newRow("two years") << 2023 << 2024 << QList<int>{2023, 2024};
    // Both placeholders given the same value would select one year or none here.
    QTest::newRow("three years") << 2022 << 2024 << QList<int>{2022, 2023, 2024};
    QTest::newRow("start after end") << 2024 << 2023 << QList<int>{};
    QTest::newRow("no summaries") << 2030 << 2040 << QList<int>{};
}

void TstCharts::cashYears()
{
    QFETCH(int, from);
    QFETCH(int, to);
    QFETCH(QList<int>, years);
    for (int year : {2021, 2022, 2023, 2024, 2025})
        addSummary(5, year, 10.0, 20.0);

    QueryResult q(m_f->conn.get(), cashChartSql());
    regenerateCash(q, from, to);

    QVERIFY(q.isOpen());
    QList<int> got;
    for (int r = 0; r < q.rowCount(); ++r)
        got << q.value(r, "CAIANO").toInt();
    std::sort(got.begin(), got.end());
    QCOMPARE(got, years);
    const CashLines lines = cashLines(q);
    QCOMPARE(lines.spent.size(), years.size());
    QCOMPARE(lines.received.size(), years.size());
    QCOMPARE(lines.available.size(), years.size());
}

void TstCharts::monthsOfDifferentYearsSharePositions()
{
    // Out of order on the server, with a month that spent more than it received.
    addSummary(3, 2024, 300.0, 100.0);
    addSummary(1, 2024, 10.0, 40.0);
    addSummary(3, 2023, 30.0, 35.5);
    addSummary(1, 2023, 1.0, 2.0);
    addSummary(12, 2023, 7.0, 7.0);
    m_f->db.exec("UPDATE TCAIXAMES SET CAIVALORRECEBIDO = NULL WHERE CAIMES = 12");

    QueryResult q(m_f->conn.get(), cashChartSql());
    regenerateCash(q, 2023, 2024);
    const CashLines lines = cashLines(q);

    const QList<QPointF> spent{{1, 1.0}, {1, 10.0}, {3, 30.0}, {3, 300.0}, {12, 7.0}};
    const QList<QPointF> received{{1, 2.0}, {1, 40.0}, {3, 35.5}, {3, 100.0}, {12, 0.0}};
    const QList<QPointF> available{{1, 1.0}, {1, 30.0}, {3, 5.5}, {3, -200.0}, {12, 0.0}};
    QCOMPARE(lines.spent, spent);
    QCOMPARE(lines.received, received);
    QCOMPARE(lines.available, available);
    QCOMPARE(lines.monthLabels,
             (QMap<int, QString>{{1, "Janeiro"}, {3, "Março"}, {12, "Dezembro"}}));
}

void TstCharts::pies_data()
{
    QTest::addColumn<bool>("expense");
    QTest::addColumn<QList<Movement>>("movements");
    QTest::addColumn<QList<Slice>>("slices"); // in any order

    using M = QList<Movement>;
    using S = QList<Slice>;
    for (bool expense : {true, false}) {
        const char *kind = expense ? "expenses: " : "receipts: ";
        auto row = [&](const char *name) -> QTestData & {
            return QTest::newRow(qPrintable(QString(kind) + name)) << expense;
        };
        row("two of one type make one slice of their sum")
            << M{{3, 2024, 1, 10.25}, {3, 2024, 1, 20.5}, {3, 2024, 2, 5.0}}
            << S{{"Casa", 30.75}, {"Lazer", 5.0}};
        row("no type or a type that no longer exists is not drawn")
            << M{{3, 2024, 0, 99.0}, {3, 2024, 9, 88.0}, {3, 2024, 2, 1.5}} << S{{"Lazer", 1.5}};
        // Swapped or shared parameter values would pick the other rows up.
        row("month and year each get their own value")
            << M{{3, 2024, 1, 1.0},    {2024, 3, 1, 100.0}, {3, 3, 1, 1000.0},
                 {2024, 2024, 1, 1e4}, {4, 2024, 2, 7.0},   {3, 2023, 2, 8.0}}
            << S{{"Casa", 1.0}};
        row("month without movements draws no slice") << M{{4, 2024, 1, 5.0}} << S{};
    }
}

void TstCharts::pies()
{
    QFETCH(bool, expense);
    QFETCH(QList<Movement>, movements);
    QFETCH(QList<Slice>, slices);
    const QString table = expense ? "TTIPOGASTO" : "TTIPORECEB";
    const QString prefix = expense ? "TGA" : "TRE";
    m_f->db.exec(
        QString("INSERT INTO %1 (%2CODIGO, %2DESCRICAO) VALUES (1, 'Casa')").arg(table, prefix));
    m_f->db.exec(
        QString("INSERT INTO %1 (%2CODIGO, %2DESCRICAO) VALUES (2, 'Lazer')").arg(table, prefix));
    for (const Movement &m : movements)
        addMovement(expense, m);

    QueryResult q(m_f->conn.get(), expense ? expensePieSql() : receiptPieSql());
    regeneratePie(q, 3, 2024);
    // The database names the unnamed sum SUM; the slices read it under that name.
    QVERIFY(q.columnIndex("SUM") >= 0);
    QList<PieSlice> got = pieSlices(q, prefix + "DESCRICAO");
    std::sort(got.begin(), got.end(),
              [](const PieSlice &a, const PieSlice &b) { return a.label < b.label; });
    QCOMPARE(got.size(), slices.size());
    for (int i = 0; i < got.size(); ++i) {
        QCOMPARE(got[i].label, slices[i].label);
        QCOMPARE(got[i].value, slices[i].value);
    }
}

void TstCharts::regenerationReplacesRows()
{
    addSummary(1, 2023, 1.0, 2.0);
    addSummary(2, 2024, 3.0, 4.0);
    QueryResult q(m_f->conn.get(), cashChartSql());
    regenerateCash(q, 2023, 2023);
    QCOMPARE(cashLines(q).spent, (QList<QPointF>{{1, 1.0}}));
    regenerateCash(q, 2024, 2024);
    QCOMPARE(cashLines(q).spent, (QList<QPointF>{{2, 3.0}}));

    // A failed run leaves nothing of the one before.
    m_f->conn->close();
    m_f->db.exec("DROP TABLE TCAIXAMES");
    QVERIFY_THROWS_EXCEPTION(DbError, regenerateCash(q, 2024, 2024));
    QVERIFY(!q.isOpen());
    QVERIFY(cashLines(q).spent.isEmpty());
}

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    TstCharts t;
    return test::runTests(t, argc, argv);
}

#include "tst_charts.moc"
