#include "agenda/core/todayappointments.h"
#include "db/connection.h"
#include "db/dberror.h"
#include "db/queryresult.h"
#include "support/testdb.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QtTest>

using namespace lx;

class TstQueryResult : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void eachPlaceholderItsOwnValue();
    void todayQueryOrderAndTypes();
    void model();
    void failureLeavesItEmpty();
    void reconnectsAfterClose();
    void noTransactionLeftOpen();

private:
    std::unique_ptr<test::TestDb> m_db;
    std::unique_ptr<Connection> m_conn;
};

void TstQueryResult::init()
{
    if (test::TestDb::serverUnavailable())
        QSKIP("no test server configured");
    m_conn.reset();
    m_db = std::make_unique<test::TestDb>();
    m_conn = m_db->connect("AGENDA");
    const QDate d(2024, 3, 10);
    const QList<QVariantList> rows{{1, "Dentista", d, QTime(9, 0)},
                                   {2, "Reunião", d, QTime(8, 30)},
                                   {3, "Feira", d.addDays(1), QTime(7, 0)},
                                   {4, "Sem hora", d, QVariant()}};
    for (const QVariantList &r : rows)
        m_db->exec("insert into TCOMPROMISSO (CODIGO, TITULO, DATA, HORA) values (?, ?, ?, ?)", r);
}

void TstQueryResult::eachPlaceholderItsOwnValue()
{
    QueryResult q(m_conn.get(), "select codigo from TCOMPROMISSO where data = :a and hora >= :b "
                                "order by codigo");
    q.open({QDate(2024, 3, 10), QTime(8, 45)});
    QCOMPARE(q.rowCount(), 1);
    QCOMPARE(q.value(0, 0).toInt(), 1);
    q.open({QDate(2024, 3, 11), QTime(0, 0)});
    QCOMPARE(q.rowCount(), 1);
    QCOMPARE(q.value(0, "CODIGO").toInt(), 3);
}

void TstQueryResult::todayQueryOrderAndTypes()
{
    agenda::TodayAppointments today(m_conn.get());
    QCOMPARE(today.sql(), QString("select titulo, hora\nfrom TCOMPROMISSO\nwhere data = :data\n"
                                  "order by hora"));
    today.reload(QDate(2024, 3, 10));
    QVERIFY(today.isOpen());
    QCOMPARE(today.columnCount(), 2);
    QCOMPARE(today.columnName(0), QString("TITULO"));
    QCOMPARE(today.columnType(1), FieldType::Time);
    QStringList titles;
    for (int r = 0; r < today.rowCount(); ++r)
        titles << today.value(r, "TITULO").toString();
    // Firebird puts nulls first in ascending order.
    QCOMPARE(titles, (QStringList{"Sem hora", "Reunião", "Dentista"}));
    QVERIFY(today.value(0, "HORA").isNull());
    QCOMPARE(today.value(1, "HORA").toTime(), QTime(8, 30));
    QVERIFY_THROWS_EXCEPTION(DbError, today.value(0, "DATA"));

    today.reload(QDate(2024, 3, 12));
    QCOMPARE(today.rowCount(), 0);
    QVERIFY(today.isOpen());
}

void TstQueryResult::model()
{
    agenda::TodayAppointments today(m_conn.get());
    QueryModel m(&today, {{"TITULO", "Título"}, {"HORA", "Horário", Qt::AlignCenter}});
    QAbstractItemModelTester tester(&m, QAbstractItemModelTester::FailureReportingMode::QtTest);
    QSignalSpy resets(&m, &QAbstractItemModel::modelReset);
    QCOMPARE(m.rowCount(), 0);
    today.reload(QDate(2024, 3, 10));
    QVERIFY(resets.count() >= 1);
    QCOMPARE(m.rowCount(), 3);
    QCOMPARE(m.headerData(1, Qt::Horizontal).toString(), QString("Horário"));
    QCOMPARE(m.index(1, 0).data().toString(), QString("Reunião"));
    QCOMPARE(m.index(1, 1).data().toString(), QString("08:30"));
    QCOMPARE(m.index(1, 1).data(QueryModel::ValueRole).toTime(), QTime(8, 30));
    QCOMPARE(m.index(0, 1).data().toString(), QString());
    QCOMPARE(m.index(0, 1).data(Qt::TextAlignmentRole).value<Qt::Alignment>(),
             Qt::Alignment(Qt::AlignCenter));
    today.close();
    QCOMPARE(m.rowCount(), 0);
}

void TstQueryResult::failureLeavesItEmpty()
{
    QueryResult q(m_conn.get(), "select titulo from TCOMPROMISSO where data = ?");
    q.open({QDate(2024, 3, 10)});
    QCOMPARE(q.rowCount(), 3);
    QueryResult bad(m_conn.get(), "select titulo from TNAOEXISTE");
    QVERIFY_THROWS_EXCEPTION(DbError, bad.open());
    QVERIFY(!bad.isOpen());
    QCOMPARE(bad.rowCount(), 0);
    // A connection still fine for the next query.
    q.open({QDate(2024, 3, 11)});
    QCOMPARE(q.rowCount(), 1);
}

void TstQueryResult::reconnectsAfterClose()
{
    QueryResult q(m_conn.get(), "select count(*) from TCOMPROMISSO");
    q.open();
    m_conn->close();
    QVERIFY(!m_conn->isOpen());
    q.open();
    QVERIFY(m_conn->isOpen());
    QCOMPARE(q.value(0, 0).toInt(), 4);
}

void TstQueryResult::noTransactionLeftOpen()
{
    const QString others = "select count(*) from MON$TRANSACTIONS t where t.MON$ATTACHMENT_ID "
                           "<> CURRENT_CONNECTION";
    const int before = m_db->scalar(others).toInt();
    agenda::TodayAppointments today(m_conn.get());
    today.reload(QDate(2024, 3, 10));
    QCOMPARE(today.rowCount(), 3);
    QCOMPARE(m_db->scalar(others).toInt(), before);
}

QTEST_GUILESS_MAIN(TstQueryResult)
#include "tst_queryresult.moc"
