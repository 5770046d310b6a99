#include "db/dberror.h"
#include "db/tablecache.h"
#include "finance/core/caixa.h"
#include "finance/tdm.h"
#include "support/testdb.h"
#include "ui/dialogs.h"

#include <QtTest>

#include <memory>

using namespace lx;
using namespace lx::finance;

namespace {
/// month, year, amount (an invalid QVariant is a null amount)
struct Movimento
{
    int mes;
    int ano;
    QVariant valor;
};
} // namespace
Q_DECLARE_METATYPE(Movimento)

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

private:
    void gasto(int mes, int ano, const QVariant &valor);
    void recebimento(int mes, int ano, const QVariant &valor);
    void caixa(int codigo, int mes, int ano, double disponivel);
    QVariant server(const QString &column, int mes, int ano) const;
    int rowsOf(int mes, int ano) const;

    std::unique_ptr<test::TestDb> m_db;
    std::unique_ptr<TDM> m_dm;
    int m_code = 0;
};

void TstCaixa::initTestCase()
{
    if (test::TestDb::serverUnavailable())
        QSKIP("no Firebird server configured (scripts/test starts one)");
    ui::Dialogs::setScripted(true);
}

void TstCaixa::init()
{
    m_db = std::make_unique<test::TestDb>();
    m_dm = std::make_unique<TDM>(m_db->aliasFile(), QStringLiteral("/nonexistent/"));
    QVERIFY(m_dm->SQLConnection1.isOpen());
    m_code = 0;
}

void TstCaixa::cleanup()
{
    m_dm.reset();
    m_db.reset();
}

void TstCaixa::gasto(int mes, int ano, const QVariant &valor)
{
    m_db->exec(
        "INSERT INTO TGASTO (GASCODIGO, GASVALOR, GASDESCRICAO, GASMES, GASANO) "
        "VALUES (?, ?, 'teste', ?, ?)",
        {++m_code, valor.isValid() ? valor : QVariant(QMetaType(QMetaType::Double)), mes, ano});
}

void TstCaixa::recebimento(int mes, int ano, const QVariant &valor)
{
    m_db->exec(
        "INSERT INTO TRECEBIMENTO (RECCODIGO, RECVALOR, RECDESCRICAO, RECMES, RECANO) "
        "VALUES (?, ?, 'teste', ?, ?)",
        {++m_code, valor.isValid() ? valor : QVariant(QMetaType(QMetaType::Double)), mes, ano});
}

void TstCaixa::caixa(int codigo, int mes, int ano, double disponivel)
{
    m_db->exec("INSERT INTO TCAIXAMES (CAICODIGO, CAIMES, CAINOMEMES, CAIANO, "
               "CAIVALORDISPONIVEL, CAIVALORGASTO, CAIVALORRECEBIDO, CAIUSUARIO) "
               "VALUES (?, ?, ?, ?, ?, 0, ?, 7)",
               {codigo, mes, nomeMes(mes), ano, disponivel, disponivel});
}

QVariant TstCaixa::server(const QString &column, int mes, int ano) const
{
    return m_db->scalar(
        QString("SELECT %1 FROM TCAIXAMES WHERE CAIMES = ? AND CAIANO = ?").arg(column),
        {mes, ano});
}

int TstCaixa::rowsOf(int mes, int ano) const
{
    return m_db
        ->scalar("SELECT COUNT(*) FROM TCAIXAMES WHERE CAIMES = ? AND CAIANO = ?", {mes, ano})
        .toInt();
}

void TstCaixa::firstMovementCreatesRow_data()
{
    QTest::addColumn<QList<int>>("existingCodes");
    QTest::addColumn<int>("mes");
    QTest::addColumn<QString>("nome");
    QTest::addColumn<int>("expectedCode");
    QTest::newRow("empty table") << QList<int>{} << 3 << QString("Março") << 1;
    QTest::newRow("codes 3, 1, 7") << QList<int>{3, 1, 7} << 12 << QString("Dezembro") << 8;
    QTest::newRow("january") << QList<int>{2} << 1 << QString("Janeiro") << 3;
}

void TstCaixa::firstMovementCreatesRow()
{
    QFETCH(QList<int>, existingCodes);
    QFETCH(int, mes);
    QFETCH(QString, nome);
    QFETCH(int, expectedCode);
    // Rows of other months, so that only the code walk finds the new code.
    for (int i = 0; i < existingCodes.size(); ++i)
        caixa(existingCodes[i], 6, 2000 + i, 0.0);
    gasto(mes, 2024, 123.45);

    atualizarcaixa(*m_dm, mes, 2024);

    QCOMPARE(rowsOf(mes, 2024), 1);
    QCOMPARE(server("CAICODIGO", mes, 2024).toInt(), expectedCode);
    QCOMPARE(server("CAINOMEMES", mes, 2024).toString(), nome);
    QCOMPARE(server("CAIVALORGASTO", mes, 2024).toDouble(), 123.45);
    QCOMPARE(server("CAIVALORRECEBIDO", mes, 2024).toDouble(), 0.0);
    QCOMPARE(server("CAIVALORDISPONIVEL", mes, 2024).toDouble(), -123.45);
    QVERIFY(server("CAIUSUARIO", mes, 2024).isNull());

    TableCache &tb = *m_dm->TBCAIXAMES;
    QCOMPARE(tb.state(), TableCache::Browse);
    QCOMPARE(tb.pendingCount(), 0);
    QCOMPARE(tb.value("CAIMES").toInt(), mes);
    QCOMPARE(tb.value("CAIANO").toInt(), 2024);
}

void TstCaixa::totals_data()
{
    QTest::addColumn<QList<Movimento>>("gastos");
    QTest::addColumn<QList<Movimento>>("recebimentos");
    QTest::addColumn<double>("spent");
    QTest::addColumn<double>("received");
    QTest::addColumn<double>("available");

    using L = QList<Movimento>;
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
    QFETCH(QList<Movimento>, gastos);
    QFETCH(QList<Movimento>, recebimentos);
    QFETCH(double, spent);
    QFETCH(double, received);
    QFETCH(double, available);
    for (const Movimento &m : gastos)
        gasto(m.mes, m.ano, m.valor);
    for (const Movimento &m : recebimentos)
        recebimento(m.mes, m.ano, m.valor);

    atualizarcaixa(*m_dm, 3, 2024);

    QCOMPARE(server("CAIVALORGASTO", 3, 2024).toDouble(), spent);
    QCOMPARE(server("CAIVALORRECEBIDO", 3, 2024).toDouble(), received);
    QCOMPARE(server("CAIVALORDISPONIVEL", 3, 2024).toDouble(), available);
    QCOMPARE(m_db->scalar("SELECT COUNT(*) FROM TCAIXAMES").toInt(), 1);
}

void TstCaixa::existingRowUpdatedInPlace()
{
    caixa(5, 3, 2024, 999.0);
    caixa(6, 4, 2024, 111.0);
    gasto(3, 2024, 40.0);
    recebimento(3, 2024, 100.0);

    atualizarcaixa(*m_dm, 3, 2024);
    atualizarcaixa(*m_dm, 3, 2024);

    QCOMPARE(rowsOf(3, 2024), 1);
    QCOMPARE(m_db->scalar("SELECT COUNT(*) FROM TCAIXAMES").toInt(), 2);
    QCOMPARE(server("CAICODIGO", 3, 2024).toInt(), 5);
    QCOMPARE(server("CAIUSUARIO", 3, 2024).toInt(), 7);
    QCOMPARE(server("CAIVALORGASTO", 3, 2024).toDouble(), 40.0);
    QCOMPARE(server("CAIVALORRECEBIDO", 3, 2024).toDouble(), 100.0);
    QCOMPARE(server("CAIVALORDISPONIVEL", 3, 2024).toDouble(), 60.0);
    QCOMPARE(server("CAIVALORDISPONIVEL", 4, 2024).toDouble(), 111.0);
    QCOMPARE(m_dm->TBCAIXAMES->value("CAICODIGO").toInt(), 5);
}

void TstCaixa::deletingOnlyMovementLeavesZeroRow()
{
    gasto(7, 2024, 80.0);
    atualizarcaixa(*m_dm, 7, 2024);
    QCOMPARE(server("CAIVALORDISPONIVEL", 7, 2024).toDouble(), -80.0);

    m_db->exec("DELETE FROM TGASTO");
    atualizarcaixa(*m_dm, 7, 2024);

    QCOMPARE(rowsOf(7, 2024), 1);
    QCOMPARE(server("CAINOMEMES", 7, 2024).toString(), QString("Julho"));
    QCOMPARE(server("CAIVALORGASTO", 7, 2024).toDouble(), 0.0);
    QCOMPARE(server("CAIVALORRECEBIDO", 7, 2024).toDouble(), 0.0);
    QCOMPARE(server("CAIVALORDISPONIVEL", 7, 2024).toDouble(), 0.0);
}

void TstCaixa::refusedApplyRaisesAndNextCallRecovers()
{
    gasto(3, 2024, 10.0);
    atualizarcaixa(*m_dm, 3, 2024);
    // Changed behind the cache's back: the cache's next update of the row is refused.
    m_db->exec("UPDATE TCAIXAMES SET CAIVALORGASTO = 55 WHERE CAIMES = 3");
    gasto(3, 2024, 5.0);

    QVERIFY_THROWS_EXCEPTION(DbError, atualizarcaixa(*m_dm, 3, 2024));
    QCOMPARE(server("CAIVALORGASTO", 3, 2024).toDouble(), 55.0);

    atualizarcaixa(*m_dm, 3, 2024);
    QCOMPARE(rowsOf(3, 2024), 1);
    QCOMPARE(server("CAIVALORGASTO", 3, 2024).toDouble(), 15.0);
    QCOMPARE(server("CAIVALORDISPONIVEL", 3, 2024).toDouble(), -15.0);
}

void TstCaixa::closedConnectionReconnects()
{
    gasto(3, 2024, 10.0);
    m_dm->SQLConnection1.close();
    atualizarcaixa(*m_dm, 3, 2024);
    QCOMPARE(server("CAIVALORGASTO", 3, 2024).toDouble(), 10.0);
}

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QLocale::setDefault(QLocale(QLocale::Portuguese, QLocale::Brazil));
    TstCaixa t;
    return QTest::qExec(&t, argc, argv);
}

#include "tst_caixa.moc"
