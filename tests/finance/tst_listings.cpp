#include "db/connection.h"
#include "db/queryresult.h"
#include "finance/core/listings.h"
#include "support/testdb.h"
#include "support/testmain.h"

#include <QtTest>

#include <memory>

using namespace lx;
using namespace lx::finance;
using listings::Kind;

Q_DECLARE_METATYPE(listings::Kind)

class TstListings : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void queryText_data();
    void queryText();
    void periodSelection_data();
    void periodSelection();
    void defaultPeriod_data();
    void defaultPeriod();
    void periodLabel();

private:
    /// The descriptions a listing of the period shows, in order.
    QStringList listed(Kind kind, const QDate &start, const QDate &end);

    std::unique_ptr<test::TestDb> m_db;
    std::unique_ptr<Connection> m_conn;
};

void TstListings::init()
{
    if (test::TestDb::serverUnavailable())
        QSKIP("no test server configured");
    m_conn.reset();
    m_db = std::make_unique<test::TestDb>();
    m_conn = m_db->connect();
    m_db->exec("insert into TTIPOGASTO (TGACODIGO, TGADESCRICAO) values (1, 'Mercado')");
    m_db->exec("insert into TTIPORECEB (TRECODIGO, TREDESCRICAO) values (1, 'Salário')");
    // Per table: the day before, the first day, a middle day inserted before the first one,
    // the last day, the day after, and a row whose type has no type row.
    const struct
    {
        int code;
        const char *description;
        QDate date;
        int type;
    } rows[] = {
        {1, "antes", QDate(2025, 2, 28), 1}, {2, "meio", QDate(2025, 3, 15), 1},
        {3, "inicio", QDate(2025, 3, 1), 1}, {4, "fim", QDate(2025, 3, 31), 1},
        {5, "depois", QDate(2025, 4, 1), 1}, {6, "sem tipo", QDate(2025, 3, 10), 9},
    };
    for (const auto &r : rows) {
        m_db->exec("insert into TGASTO (GASCODIGO, GASVALOR, GASDATA, GASDESCRICAO, GASTIPO, "
                   "GASMES, GASANO) values (?, 10, ?, ?, ?, ?, ?)",
                   {r.code, r.date, QString("gasto %1").arg(r.description), r.type, r.date.month(),
                    r.date.year()});
        m_db->exec("insert into TRECEBIMENTO (RECCODIGO, RECVALOR, RECDATA, RECDESCRICAO, "
                   "RECTIPO, RECMES, RECANO) values (?, 10, ?, ?, ?, ?, ?)",
                   {r.code, r.date, QString("entrada %1").arg(r.description), r.type,
                    r.date.month(), r.date.year()});
    }
}

void TstListings::cleanup()
{
    m_conn.reset();
    m_db.reset();
}

QStringList TstListings::listed(Kind kind, const QDate &start, const QDate &end)
{
    std::unique_ptr<QueryResult> q(listings::newQuery(m_conn.get(), kind, nullptr));
    listings::open(*q, start, end);
    const QString column = kind == Kind::Expenses ? "GASDESCRICAO" : "RECDESCRICAO";
    QStringList out;
    for (int r = 0; r < q->rowCount(); ++r)
        out << q->value(r, column).toString();
    return out;
}

void TstListings::queryText_data()
{
    QTest::addColumn<Kind>("kind");
    QTest::addColumn<QString>("text");
    QTest::newRow("expenses") << Kind::Expenses
                              << "SELECT TGASTO.*, TTIPOGASTO.TGADESCRICAO\n"
                                 "FROM TGASTO, TTIPOGASTO\n"
                                 "WHERE TGASTO.GASTIPO = TTIPOGASTO.TGACODIGO\n"
                                 "AND TGASTO.GASDATA >= :DATAINI\n"
                                 "AND TGASTO.GASDATA <= :DATAFIN\n"
                                 "ORDER BY TGASTO.GASDATA";
    QTest::newRow("receipts") << Kind::Receipts
                              << "SELECT TRECEBIMENTO.*, TTIPORECEB.TREDESCRICAO\n"
                                 "FROM TRECEBIMENTO, TTIPORECEB\n"
                                 "WHERE TRECEBIMENTO.RECTIPO = TTIPORECEB.TRECODIGO\n"
                                 "AND TRECEBIMENTO.RECDATA >= :DATAIN\n"
                                 "AND TRECEBIMENTO.RECDATA <= :DATAFI\n"
                                 "ORDER BY TRECEBIMENTO.RECDATA";
}

void TstListings::queryText()
{
    QFETCH(Kind, kind);
    QFETCH(QString, text);
    QCOMPARE(listings::queryText(kind), text);
    QCOMPARE(listings::queryLines(kind).size(), 6);

    // The fields of the report, in order, with the type's description last.
    std::unique_ptr<QueryResult> q(listings::newQuery(m_conn.get(), kind, nullptr));
    listings::open(*q, QDate(2025, 3, 1), QDate(2025, 3, 31));
    const QString p = kind == Kind::Expenses ? "GAS" : "REC";
    QStringList names;
    for (int c = 0; c < q->columnCount(); ++c)
        names << q->columnName(c);
    QCOMPARE(names, (QStringList{p + "CODIGO", p + "VALOR", p + "DATA", p + "DESCRICAO", p + "TIPO",
                                 p + "USUARIO", p + "MES", p + "ANO",
                                 kind == Kind::Expenses ? "TGADESCRICAO" : "TREDESCRICAO"}));
    QCOMPARE(q->columnType(2), FieldType::Date);
}

void TstListings::periodSelection_data()
{
    QTest::addColumn<Kind>("kind");
    QTest::addColumn<QDate>("start");
    QTest::addColumn<QDate>("end");
    QTest::addColumn<QStringList>("expected");
    for (Kind kind : {Kind::Expenses, Kind::Receipts}) {
        const QString p = kind == Kind::Expenses ? "gasto " : "entrada ";
        const QByteArray k = kind == Kind::Expenses ? "expenses: " : "receipts: ";
        QTest::newRow(k + "month, both ends included, by date, no row without its type")
            << kind << QDate(2025, 3, 1) << QDate(2025, 3, 31)
            << QStringList{p + "inicio", p + "meio", p + "fim"};
        QTest::newRow(k + "one day")
            << kind << QDate(2025, 3, 31) << QDate(2025, 3, 31) << QStringList{p + "fim"};
        QTest::newRow(k + "start after end")
            << kind << QDate(2025, 3, 31) << QDate(2025, 3, 1) << QStringList{};
    }
}

void TstListings::periodSelection()
{
    QFETCH(Kind, kind);
    QFETCH(QDate, start);
    QFETCH(QDate, end);
    QFETCH(QStringList, expected);
    QCOMPARE(listed(kind, start, end), expected);
}

void TstListings::defaultPeriod_data()
{
    QTest::addColumn<QDate>("today");
    QTest::addColumn<QDate>("start");
    QTest::addColumn<QDate>("end");
    QTest::newRow("March 2025") << QDate(2025, 3, 17) << QDate(2025, 3, 1) << QDate(2025, 3, 31);
    QTest::newRow("April") << QDate(2025, 4, 30) << QDate(2025, 4, 1) << QDate(2025, 4, 30);
    QTest::newRow("February of a leap year ends on the 29th")
        << QDate(2024, 2, 10) << QDate(2024, 2, 1) << QDate(2024, 2, 29);
    QTest::newRow("February of a common year")
        << QDate(2023, 2, 1) << QDate(2023, 2, 1) << QDate(2023, 2, 28);
    QTest::newRow("December") << QDate(2024, 12, 31) << QDate(2024, 12, 1) << QDate(2024, 12, 31);
}

void TstListings::defaultPeriod()
{
    QFETCH(QDate, today);
    QFETCH(QDate, start);
    QFETCH(QDate, end);
    const listings::Period p = listings::defaultPeriod(today);
    QCOMPARE(p.start, start);
    QCOMPARE(p.end, end);
}

void TstListings::periodLabel()
{
    QCOMPARE(listings::periodLabel(QDate(2025, 3, 1), QDate(2025, 3, 31)),
             QString("Período de : 01/03/2025 à 31/03/2025"));
}

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    TstListings t;
    return test::runTests(t, argc, argv);
}

#include "tst_listings.moc"
