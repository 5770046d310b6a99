#include "db/connection.h"
#include "db/dberror.h"
#include "db/tablecache.h"
#include "finance/core/bills.h"
#include "support/testdb.h"
#include "support/testmain.h"

#include <QCoreApplication>
#include <QtTest>

#include <memory>

using namespace lx;
using namespace lx::finance;

namespace {
/// A bill as the user fills it in.
struct Bill
{
    QString description = QStringLiteral("Geladeira");
    QVariant total = 1200.0;
    QVariant downPayment = 200.0;
    QVariant count = 10;
    QVariant rate = 2.0;
    QString kind = QStringLiteral("Juros ao Mes");
    QVariant date = QDate(2024, 3, 10);
    QVariant firstDue = QDate(2024, 4, 15);
    int type = 3;
};

/// A fresh database and the caches the bills window works on.
struct Fixture
{
    test::TestDb db;
    std::unique_ptr<Connection> conn = db.connect();
    TableCache bills{conn.get(), QStringLiteral("TCONTA")};
    TableCache instalments{conn.get(), QStringLiteral("TCONTPAG")};
    TableCache expenses{conn.get(), QStringLiteral("TGASTO")};
    TableCache summaries{conn.get(), QStringLiteral("TCAIXAMES")};
    /// The instalments of one bill, as the window holds them.
    TableCache billInstalments{conn.get(), QStringLiteral("TCONTPAG")};
    Bills steps{*conn, bills, instalments, expenses, summaries};

    void fill(const Bill &b)
    {
        bills.setValue("CONDESCRICAO", b.description);
        bills.setValue("CONVALOR", b.total);
        bills.setValue("CONENTRADA", b.downPayment);
        bills.setValue("CONVEZES", b.count);
        bills.setValue("CONJUROS", b.rate);
        bills.setValue("CONTIPOJUROS", b.kind);
        bills.setValue("CONDATA", b.date);
        bills.setValue("CONVENCIMENTO", b.firstDue);
        bills.setValue("CONTIPO", b.type);
    }
    /// Starts a new bill, fills it and saves it; returns the save's refusal.
    QString saveNew(const Bill &b = {})
    {
        steps.insertNew();
        fill(b);
        return steps.save();
    }
    void openInstalmentsOf(int bill)
    {
        billInstalments.close();
        billInstalments.setCondition("CPACONTA = ?", {bill});
        billInstalments.open();
    }
    int count(const QString &sql, const QVariantList &values = {}) const
    {
        return db.scalar(sql, values).toInt();
    }
};
} // namespace

class TstBills : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void instalmentValue_data();
    void instalmentValue();
    void dueDates_data();
    void dueDates();
    void newBillGetsPlanAndDownPayment();
    void longDescriptionIsCut();
    void badInputDoesNothing_data();
    void badInputDoesNothing();
    void changedBillRebuildsPlanWithoutSecondDownPayment_data();
    void changedBillRebuildsPlanWithoutSecondDownPayment();
    void changedBillWithPaidInstalmentIsRefused();
    void refusedSummaryLeavesNothing();
    void payRecordsExpenseInPaymentMonth();
    void payRefusals_data();
    void payRefusals();
    void removeInstalment();
    void removeBillKeepsExpenses();
    void searchSurvivesReopen_data();
    void searchSurvivesReopen();

private:
    std::unique_ptr<Fixture> m_f;
};

void TstBills::initTestCase()
{
    if (test::TestDb::serverUnavailable())
        QSKIP("no Firebird server configured (scripts/test starts one)");
}

void TstBills::init()
{
    m_f = std::make_unique<Fixture>();
}

void TstBills::cleanup()
{
    m_f.reset();
}

void TstBills::instalmentValue_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<double>("total");
    QTest::addColumn<double>("downPayment");
    QTest::addColumn<int>("count");
    QTest::addColumn<double>("rate");
    QTest::addColumn<double>("value");
    QTest::newRow("no interest") << "Sem Juros" << 1200.0 << 200.0 << 10 << 2.0 << 100.0;
    QTest::newRow("monthly") << "Juros ao Mes" << 1200.0 << 200.0 << 10 << 2.0 << 102.4;
    QTest::newRow("yearly multiplies by 12")
        << "Juros ao Ano" << 1200.0 << 200.0 << 10 << 2.0 << 128.8;
    QTest::newRow("monthly, empty rate") << "Juros ao Mes" << 1200.0 << 200.0 << 10 << 0.0 << 100.0;
    QTest::newRow("yearly, empty rate") << "Juros ao Ano" << 1200.0 << 200.0 << 10 << 0.0 << 100.0;
    QTest::newRow("no kind chosen") << "" << 1200.0 << 200.0 << 10 << 2.0 << 100.0;
    QTest::newRow("one instalment") << "Sem Juros" << 500.0 << 0.0 << 1 << 0.0 << 500.0;
}

void TstBills::instalmentValue()
{
    QFETCH(QString, kind);
    QFETCH(double, total);
    QFETCH(double, downPayment);
    QFETCH(int, count);
    QFETCH(double, rate);
    QFETCH(double, value);
    QVERIFY(qFuzzyCompare(finance::instalmentValue(kind, total, downPayment, count, rate), value));
}

void TstBills::dueDates_data()
{
    QTest::addColumn<QDate>("first");
    QTest::addColumn<int>("index");
    QTest::addColumn<QDate>("due");
    QTest::newRow("first") << QDate(2024, 11, 15) << 0 << QDate(2024, 11, 15);
    QTest::newRow("next month") << QDate(2024, 11, 15) << 1 << QDate(2024, 12, 15);
    QTest::newRow("December rolls over") << QDate(2024, 11, 15) << 2 << QDate(2025, 1, 15);
    QTest::newRow("fourth") << QDate(2024, 11, 15) << 3 << QDate(2025, 2, 15);
    QTest::newRow("31st in February") << QDate(2025, 1, 31) << 1 << QDate(2025, 2, 28);
    QTest::newRow("31st back in March") << QDate(2025, 1, 31) << 2 << QDate(2025, 3, 31);
    QTest::newRow("30th in a leap February") << QDate(2024, 1, 30) << 1 << QDate(2024, 2, 29);
    QTest::newRow("29 February a year on") << QDate(2024, 2, 29) << 12 << QDate(2025, 2, 28);
}

void TstBills::dueDates()
{
    QFETCH(QDate, first);
    QFETCH(int, index);
    QFETCH(QDate, due);
    QCOMPARE(finance::dueDate(first, index), due);
}

void TstBills::newBillGetsPlanAndDownPayment()
{
    QCOMPARE(m_f->saveNew(), QString());
    QCOMPARE(m_f->bills.state(), TableCache::Browse);
    QCOMPARE(m_f->count("select count(*) from TCONTA"), 1);
    m_f->openInstalmentsOf(1);
    QCOMPARE(m_f->billInstalments.recordCount(), 10);
    m_f->billInstalments.first();
    QCOMPARE(m_f->billInstalments.value("CPACODIGO").toInt(), 1);
    QCOMPARE(m_f->billInstalments.value("CPADESCRICAO").toString(),
             QString("1ª Parcela - Geladeira"));
    QVERIFY(qFuzzyCompare(m_f->billInstalments.value("CPAVALOR").toDouble(), 102.4));
    QCOMPARE(m_f->billInstalments.value("CPADATA").toDate(), QDate(2024, 3, 10));
    QCOMPARE(m_f->billInstalments.value("CPADATAVENC").toDate(), QDate(2024, 4, 15));
    QCOMPARE(m_f->billInstalments.value("CPASITUACAO").toString(), QString("Aberto"));
    QCOMPARE(m_f->billInstalments.value("CPATIPO").toInt(), 3);
    QVERIFY(m_f->billInstalments.value("CPADATAPAG").isNull());
    QVERIFY(m_f->billInstalments.locate("CPACODIGO", {10}));
    QCOMPARE(m_f->billInstalments.value("CPADESCRICAO").toString(),
             QString("10ª Parcela - Geladeira"));
    QCOMPARE(m_f->billInstalments.value("CPADATAVENC").toDate(), QDate(2025, 1, 15));

    // The down payment: one expense on the bill's date and type, and its month recomputed.
    QCOMPARE(m_f->count("select count(*) from TGASTO"), 1);
    QCOMPARE(m_f->db.scalar("select GASDESCRICAO from TGASTO").toString(),
             QString("Entrada - Geladeira"));
    QCOMPARE(m_f->count("select count(*) from TGASTO where GASMES = 3 and GASANO = 2024 and "
                        "GASVALOR = 200 and GASTIPO = 3 and GASDATA = ?",
                        {QDate(2024, 3, 10)}),
             1);
    QCOMPARE(m_f->db
                 .scalar("select CAIVALORGASTO from TCAIXAMES where CAIMES = 3 and "
                         "CAIANO = 2024")
                 .toDouble(),
             200.0);
}

void TstBills::longDescriptionIsCut()
{
    Bill b;
    b.description = QString(80, QLatin1Char('x'));
    b.count = 1;
    QCOMPARE(m_f->saveNew(b), QString());
    const QString instalment = m_f->db.scalar("select CPADESCRICAO from TCONTPAG").toString();
    const QString down = m_f->db.scalar("select GASDESCRICAO from TGASTO").toString();
    QCOMPARE(instalment.size(), 80);
    QVERIFY(instalment.startsWith("1ª Parcela - xxx"));
    QCOMPARE(down.size(), 80);
    QVERIFY(down.startsWith("Entrada - xxx"));
}

void TstBills::badInputDoesNothing_data()
{
    QTest::addColumn<QString>("column");
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<QString>("message");
    QTest::newRow("no count") << "CONVEZES" << QVariant() << "número de vezes";
    QTest::newRow("zero count") << "CONVEZES" << QVariant(0) << "número de vezes";
    QTest::newRow("negative count") << "CONVEZES" << QVariant(-2) << "número de vezes";
    QTest::newRow("no bill date") << "CONDATA" << QVariant() << "data da conta";
    QTest::newRow("no first due date") << "CONVENCIMENTO" << QVariant() << "vencimento";
    QTest::newRow("no total") << "CONVALOR" << QVariant() << "valor total";
    QTest::newRow("negative down payment") << "CONENTRADA" << QVariant(-5.0) << "entrada";
    QTest::newRow("negative rate") << "CONJUROS" << QVariant(-1.0) << "juros";
}

void TstBills::badInputDoesNothing()
{
    QFETCH(QString, column);
    QFETCH(QVariant, value);
    QFETCH(QString, message);
    QCOMPARE(m_f->saveNew(), QString());
    m_f->bills.first();
    m_f->bills.edit();
    m_f->bills.setValue(column, value);
    const QString refusal = m_f->steps.save();
    QVERIFY2(refusal.contains(message), qPrintable(refusal));
    // The old plan, the down payment and the bill are as they were; the bill is still edited.
    QCOMPARE(m_f->bills.state(), TableCache::Edit);
    QCOMPARE(m_f->count("select count(*) from TCONTPAG"), 10);
    QCOMPARE(m_f->count("select count(*) from TGASTO"), 1);
    QCOMPARE(m_f->count("select count(*) from TCONTA where CONVEZES = 10"), 1);
}

void TstBills::changedBillRebuildsPlanWithoutSecondDownPayment_data()
{
    QTest::addColumn<QVariant>("downPayment");
    QTest::addColumn<QDate>("date");
    QTest::addColumn<int>("expenses");
    QTest::addColumn<double>("marchSpent"); // the summary of the first save's month
    QTest::newRow("same down payment") << QVariant(200.0) << QDate(2024, 3, 10) << 1 << 200.0;
    QTest::newRow("down payment changed") << QVariant(350.0) << QDate(2024, 3, 10) << 1 << 350.0;
    QTest::newRow("moved to another month") << QVariant(200.0) << QDate(2024, 5, 2) << 1 << 0.0;
    QTest::newRow("down payment dropped") << QVariant(0.0) << QDate(2024, 3, 10) << 0 << 0.0;
}

void TstBills::changedBillRebuildsPlanWithoutSecondDownPayment()
{
    QFETCH(QVariant, downPayment);
    QFETCH(QDate, date);
    QFETCH(int, expenses);
    QFETCH(double, marchSpent);
    QCOMPARE(m_f->saveNew(), QString());
    m_f->bills.first();
    m_f->bills.edit();
    m_f->bills.setValue("CONENTRADA", downPayment);
    m_f->bills.setValue("CONDATA", date);
    m_f->bills.setValue("CONVEZES", 4);
    QCOMPARE(m_f->steps.save(), QString());
    m_f->openInstalmentsOf(1);
    QCOMPARE(m_f->billInstalments.recordCount(), 4);
    // New rows with codes above every earlier one.
    QCOMPARE(m_f->count("select min(CPACODIGO) from TCONTPAG"), 11);
    QCOMPARE(m_f->count("select max(CPACODIGO) from TCONTPAG"), 14);
    QCOMPARE(m_f->count("select count(*) from TGASTO"), expenses);
    if (expenses)
        QCOMPARE(m_f->db.scalar("select GASVALOR from TGASTO").toDouble(), downPayment.toDouble());
    QCOMPARE(m_f->db
                 .scalar("select CAIVALORGASTO from TCAIXAMES where CAIMES = 3 and "
                         "CAIANO = 2024")
                 .toDouble(),
             marchSpent);
}

void TstBills::changedBillWithPaidInstalmentIsRefused()
{
    QCOMPARE(m_f->saveNew(), QString());
    m_f->openInstalmentsOf(1);
    QCOMPARE(m_f->steps.pay(m_f->billInstalments, 3, "05/03/2025"), QString());
    m_f->bills.first();
    m_f->bills.edit();
    m_f->bills.setValue("CONVEZES", 2);
    QCOMPARE(m_f->steps.save(),
             QString("Não é possível alterar contas que possuam parcelas pagas !"));
    QCOMPARE(m_f->bills.state(), TableCache::Edit);
    QCOMPARE(m_f->count("select count(*) from TCONTPAG where CPACONTA = 1"), 10);
    QCOMPARE(m_f->count("select count(*) from TGASTO"), 2); // the down payment and the payment
}

void TstBills::refusedSummaryLeavesNothing()
{
    m_f->db.exec("CREATE EXCEPTION SUMMARY_REFUSED 'Resumo recusado'");
    m_f->db.exec("CREATE TRIGGER REFUSE_SUMMARY FOR TCAIXAMES BEFORE INSERT OR UPDATE AS "
                 "BEGIN EXCEPTION SUMMARY_REFUSED; END");
    m_f->bills.open();
    m_f->expenses.open();
    m_f->instalments.open();
    m_f->steps.insertNew();
    m_f->fill(Bill());
    QVERIFY_THROWS_EXCEPTION(DbError, m_f->steps.save());
    QCOMPARE(m_f->count("select count(*) from TCONTA"), 0);
    QCOMPARE(m_f->count("select count(*) from TCONTPAG"), 0);
    QCOMPARE(m_f->count("select count(*) from TGASTO"), 0);
    // The caches hold what they held before: the bill being edited, no plan, no expense.
    QVERIFY(m_f->bills.isEditing());
    QCOMPARE(m_f->bills.value("CONDESCRICAO").toString(), QString("Geladeira"));
    QCOMPARE(m_f->instalments.recordCount(), 0);
    QCOMPARE(m_f->instalments.pendingCount(), 0);
    QCOMPARE(m_f->expenses.recordCount(), 0);
    QCOMPARE(m_f->expenses.pendingCount(), 0);

    m_f->db.exec("ALTER TRIGGER REFUSE_SUMMARY INACTIVE");
    QCOMPARE(m_f->steps.save(), QString());
    QCOMPARE(m_f->count("select count(*) from TCONTA"), 1);
    QCOMPARE(m_f->count("select count(*) from TCONTPAG"), 10);
    QCOMPARE(m_f->count("select count(*) from TGASTO"), 1);
}

void TstBills::payRecordsExpenseInPaymentMonth()
{
    Bill b;
    b.downPayment = 0.0; // each instalment: 1200 / 10 + 2% of it = 122.40
    QCOMPARE(m_f->saveNew(b), QString());
    m_f->openInstalmentsOf(1);
    QCOMPARE(m_f->steps.pay(m_f->billInstalments, 2, "05/03/2025"), QString());
    QCOMPARE(m_f->count("select count(*) from TGASTO"), 1);
    QCOMPARE(m_f->count("select count(*) from TGASTO where GASMES = 3 and GASANO = 2025 and "
                        "GASDATA = ? and GASTIPO = 3 and GASDESCRICAO = ?",
                        {QDate(2025, 3, 5), "2ª Parcela - Geladeira"}),
             1);
    QVERIFY(qFuzzyCompare(m_f->db.scalar("select GASVALOR from TGASTO").toDouble(), 122.4));
    QCOMPARE(m_f->db.scalar("select CPASITUACAO from TCONTPAG where CPACODIGO = 2").toString(),
             QString("Pago"));
    QCOMPARE(m_f->db.scalar("select CPADATAPAG from TCONTPAG where CPACODIGO = 2").toDate(),
             QDate(2025, 3, 5));
    // The payment's month, not the due date's (May 2024).
    QVERIFY(qFuzzyCompare(m_f->db
                              .scalar("select CAIVALORGASTO from TCAIXAMES where CAIMES = 3 "
                                      "and CAIANO = 2025")
                              .toDouble(),
                          122.4));
    QCOMPARE(m_f->count("select count(*) from TCAIXAMES where CAIMES = 5"), 0);
}

void TstBills::payRefusals_data()
{
    QTest::addColumn<QString>("date");
    QTest::addColumn<bool>("payFirst");
    QTest::addColumn<QString>("message");
    QTest::newRow("nothing typed")
        << "  /  /    " << false << "Preencha a data de pagamento antes de baixar a conta !";
    QTest::newRow("no such date") << "31/02/2025" << false << "não é uma data de pagamento válida";
    QTest::newRow("half typed") << "05/0 /    " << false << "não é uma data de pagamento válida";
    QTest::newRow("already paid") << "06/03/2025" << true
                                  << "Você já baixou esta conta no sistema !";
}

void TstBills::payRefusals()
{
    QFETCH(QString, date);
    QFETCH(bool, payFirst);
    QFETCH(QString, message);
    QCOMPARE(m_f->saveNew(), QString());
    m_f->openInstalmentsOf(1);
    if (payFirst)
        QCOMPARE(m_f->steps.pay(m_f->billInstalments, 1, "05/03/2025"), QString());
    const int expenses = m_f->count("select count(*) from TGASTO");
    const QString refusal = m_f->steps.pay(m_f->billInstalments, 1, date);
    QVERIFY2(refusal.contains(message), qPrintable(refusal));
    QCOMPARE(m_f->count("select count(*) from TGASTO"), expenses);
    if (payFirst)
        QCOMPARE(Bills::payProblem(m_f->billInstalments), message);
}

void TstBills::removeInstalment()
{
    QCOMPARE(m_f->saveNew(), QString());
    m_f->openInstalmentsOf(1);
    QCOMPARE(m_f->steps.pay(m_f->billInstalments, 1, "05/03/2025"), QString());
    QVERIFY(m_f->billInstalments.locate("CPACODIGO", {1}));
    QCOMPARE(m_f->steps.removeInstalment(m_f->billInstalments),
             QString("Não é possível excluir uma prestação já paga !"));
    QVERIFY(m_f->billInstalments.locate("CPACODIGO", {2}));
    QCOMPARE(m_f->steps.removeInstalment(m_f->billInstalments), QString());
    QCOMPARE(m_f->count("select count(*) from TCONTPAG"), 9);
    QCOMPARE(m_f->count("select count(*) from TCONTPAG where CPACODIGO = 2"), 0);
}

void TstBills::removeBillKeepsExpenses()
{
    QCOMPARE(m_f->saveNew(), QString());
    m_f->openInstalmentsOf(1);
    QCOMPARE(m_f->steps.pay(m_f->billInstalments, 1, "05/03/2025"), QString());
    Bill other;
    other.description = "Sofá";
    QCOMPARE(m_f->saveNew(other), QString());
    QVERIFY(m_f->bills.locate("CONCODIGO", {1}));
    m_f->steps.removeBill();
    QCOMPARE(m_f->count("select count(*) from TCONTA"), 1);
    QCOMPARE(m_f->count("select count(*) from TCONTPAG where CPACONTA = 1"), 0);
    QCOMPARE(m_f->count("select count(*) from TCONTPAG where CPACONTA = 2"), 10);
    QCOMPARE(m_f->count("select count(*) from TGASTO"), 3);
}

void TstBills::searchSurvivesReopen_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("found");
    QTest::newRow("lower case finds upper") << "tv" << QStringList{"TV da sala"};
    QTest::newRow("upper case finds lower") << "GELA" << QStringList{"geladeira"};
    QTest::newRow("quote") << "d'á" << QStringList{"Caixa d'água"};
    QTest::newRow("empty shows all")
        << "" << QStringList{"TV da sala", "geladeira", "Caixa d'água"};
}

void TstBills::searchSurvivesReopen()
{
    QFETCH(QString, text);
    QFETCH(QStringList, found);
    for (const QString &d :
         {QString("TV da sala"), QString("geladeira"), QString("Caixa d'água")}) {
        Bill b;
        b.description = d;
        b.count = 1;
        b.downPayment = 0.0;
        QCOMPARE(m_f->saveNew(b), QString());
    }
    m_f->steps.search(text);
    m_f->bills.close();
    m_f->bills.open();
    QStringList shown;
    for (int r = 0; r < m_f->bills.recordCount(); ++r)
        shown << m_f->bills.value(r, m_f->bills.fieldIndex("CONDESCRICAO")).toString();
    QCOMPARE(shown, found);
    // A new bill's code lies above every bill, shown or not.
    QCOMPARE(m_f->steps.insertNew(), 4);
}

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    TstBills t;
    return test::runTests(t, argc, argv);
}

#include "tst_bills.moc"
