#include "agenda/core/appointments.h"
#include "agenda/core/appointmentsreport.h"
#include "db/connection.h"
#include "db/dberror.h"
#include "db/queryresult.h"
#include "db/tablecache.h"
#include "support/agendadb.h"
#include "support/testdb.h"
#include "support/testmain.h"

#include <QtTest>

using namespace lx;
using namespace lx::agenda;

namespace {
struct Row
{
    int code;
    QString title;
    QDate day;
    QTime time;
};

} // namespace

class TstAppointments : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void newCodeFromServer_data();
    void newCodeFromServer();
    void saveKeepsCacheAndWrites();
    void removeAppliesAtOnce();
    void reloadReadsAfreshUnfiltered();
    void titleSearch_data();
    void titleSearch();
    void dateSearch_data();
    void dateSearch();
    void showAllAndLocate();

    void reportQueryText();
    void reportPeriod_data();
    void reportPeriod();
    void reportPeriodBadText_data();
    void reportPeriodBadText();

private:
    void add(const QList<Row> &rows);
    std::unique_ptr<agendatest::CacheFixture> m_f;
};

void TstAppointments::init()
{
    if (test::TestDb::serverUnavailable())
        QSKIP("no test server configured");
    m_f = std::make_unique<agendatest::CacheFixture>("TCOMPROMISSO");
}

void TstAppointments::cleanup()
{
    m_f.reset();
}

void TstAppointments::add(const QList<Row> &rows)
{
    for (const Row &r : rows)
        agendatest::insertAppointment(m_f->db, r.code, r.title, r.day, r.time);
}

void TstAppointments::newCodeFromServer_data()
{
    QTest::addColumn<QList<int>>("before");
    QTest::addColumn<QList<int>>("addedLater");
    QTest::addColumn<int>("expected");
    QTest::newRow("empty table") << QList<int>{} << QList<int>{} << 1;
    QTest::newRow("highest plus one, not count") << QList<int>{3, 41, 7} << QList<int>{} << 42;
    // Another program wrote after the cache was read: the server knows, the cache does not.
    QTest::newRow("row written behind the cache") << QList<int>{2} << QList<int>{9} << 10;
}

void TstAppointments::newCodeFromServer()
{
    QFETCH(QList<int>, before);
    QFETCH(QList<int>, addedLater);
    QFETCH(int, expected);
    for (int code : before)
        add({{code, "A", QDate(2024, 1, 1), QTime(8, 0)}});
    Appointments a(*m_f->cache);
    a.reload();
    for (int code : addedLater)
        add({{code, "B", QDate(2024, 1, 1), QTime(8, 0)}});
    QCOMPARE(a.insertNew(), expected);
    QCOMPARE(m_f->cache->state(), TableCache::Insert);
    QCOMPARE(m_f->cache->value("CODIGO").toInt(), expected);
}

void TstAppointments::saveKeepsCacheAndWrites()
{
    add({{1, "Dentista", QDate(2024, 3, 10), QTime(9, 0)}});
    Appointments a(*m_f->cache);
    a.reload();
    // Written behind the cache: a save that read the table again would show it.
    add({{5, "Outro", QDate(2024, 3, 10), QTime(9, 0)}});
    QCOMPARE(a.insertNew(), 6);
    m_f->cache->setValue("TITULO", "Reunião");
    m_f->cache->setValue("DATA", QDate(2024, 3, 11));
    m_f->cache->setValue("HORA", QTime(14, 30));
    m_f->cache->setValue("DESCRICAO", "Sala 2");
    a.save();
    QCOMPARE(m_f->cache->state(), TableCache::Browse);
    QCOMPARE(m_f->cache->recordCount(), 2);
    QCOMPARE(m_f->cache->value("CODIGO").toInt(), 6);
    QCOMPARE(m_f->db.scalar("select TITULO || '|' || DESCRICAO from TCOMPROMISSO where CODIGO = 6")
                 .toString(),
             QString("Reunião|Sala 2"));
    QCOMPARE(m_f->db.scalar("select HORA from TCOMPROMISSO where CODIGO = 6").toTime(),
             QTime(14, 30));
}

void TstAppointments::removeAppliesAtOnce()
{
    add({{1, "Dentista", QDate(2024, 3, 10), QTime(9, 0)},
         {2, "Feira", QDate(2024, 3, 11), QTime(7, 0)}});
    Appointments a(*m_f->cache);
    a.reload();
    QVERIFY(a.locate(2));
    a.remove();
    QCOMPARE(agendatest::columnTexts(*m_f->cache, "TITULO"), QStringList{"Dentista"});
    QCOMPARE(m_f->db.scalar("select count(*) from TCOMPROMISSO").toInt(), 1);
}

void TstAppointments::reloadReadsAfreshUnfiltered()
{
    add({{1, "Dentista", QDate(2024, 3, 10), QTime(9, 0)}});
    Appointments a(*m_f->cache);
    a.reload();
    a.searchTitle("nada");
    QCOMPARE(m_f->cache->recordCount(), 0);
    add({{2, "Feira", QDate(2024, 3, 11), QTime(7, 0)}});
    a.reload();
    QVERIFY(!m_f->cache->isFiltered());
    QCOMPARE(agendatest::columnTexts(*m_f->cache, "TITULO"), (QStringList{"Dentista", "Feira"}));
}

void TstAppointments::titleSearch_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("any case, anywhere")
        << "REU"
        << "UPPER(TITULO) like UPPER('%REU%')" << QStringList{"Reunião", "Sem reuso"};
    QTest::newRow("empty text lists all")
        << ""
        << "UPPER(TITULO) like UPPER('%%')"
        << QStringList{"Reunião", "Sem reuso", "D'Ávila", "Dentista"};
    QTest::newRow("a quote is text")
        << "d'á"
        << "UPPER(TITULO) like UPPER('%d''á%')" << QStringList{"D'Ávila"};
    QTest::newRow("nothing matches") << "xyz"
                                     << "UPPER(TITULO) like UPPER('%xyz%')" << QStringList{};
}

void TstAppointments::titleSearch()
{
    QFETCH(QString, text);
    QFETCH(QString, filter);
    QFETCH(QStringList, expected);
    add({{1, "Reunião", QDate(2024, 3, 10), QTime(9, 0)},
         {2, "Sem reuso", QDate(2024, 3, 10), QTime(10, 0)},
         {3, "D'Ávila", QDate(2024, 3, 11), QTime(9, 0)},
         {4, "Dentista", QDate(2024, 3, 12), QTime(9, 0)}});
    Appointments a(*m_f->cache);
    a.reload();
    m_f->cache->last();
    a.searchTitle(text);
    QCOMPARE(m_f->cache->filter(), filter);
    QVERIFY(m_f->cache->isFiltered());
    QCOMPARE(agendatest::columnTexts(*m_f->cache, "TITULO"), expected);
    // The first appointment shown becomes current.
    QCOMPARE(m_f->cache->currentRow(), expected.isEmpty() ? -1 : 0);
}

void TstAppointments::dateSearch_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("expected");
    QTest::addColumn<bool>("fails");
    QTest::newRow("that day only") << "10/03/2024" << QStringList{"Reunião", "Dentista"} << false;
    QTest::newRow("a day without any") << "01/01/2024" << QStringList{} << false;
    QTest::newRow("not a date") << "31/02/2024" << QStringList{} << true;
}

void TstAppointments::dateSearch()
{
    QFETCH(QString, text);
    QFETCH(QStringList, expected);
    QFETCH(bool, fails);
    add({{1, "Reunião", QDate(2024, 3, 10), QTime(9, 0)},
         {2, "Feira", QDate(2024, 3, 11), QTime(7, 0)},
         {3, "Dentista", QDate(2024, 3, 10), QTime(15, 0)}});
    Appointments a(*m_f->cache);
    a.reload();
    if (fails) {
        QVERIFY_THROWS_EXCEPTION(DbError, a.searchDate(text));
        return;
    }
    a.searchDate(text);
    QCOMPARE(m_f->cache->filter(), "DATA='" + text + "'");
    QCOMPARE(agendatest::columnTexts(*m_f->cache, "TITULO"), expected);
}

void TstAppointments::showAllAndLocate()
{
    add({{1, "Reunião", QDate(2024, 3, 10), QTime(9, 0)},
         {2, "Feira", QDate(2024, 3, 11), QTime(7, 0)},
         {3, "Revisão", QDate(2024, 3, 12), QTime(15, 0)}});
    Appointments a(*m_f->cache);
    a.reload();
    a.searchTitle("re");
    m_f->cache->next();
    QCOMPARE(a.currentCode(), 3);
    a.showAll();
    QVERIFY(!m_f->cache->isFiltered());
    QCOMPARE(a.currentCode(), 1);
    QVERIFY(a.locate(3));
    QCOMPARE(m_f->cache->currentRow(), 2);
    QVERIFY(!a.locate(99));
    QCOMPARE(a.currentCode(), 3);
}

void TstAppointments::reportQueryText()
{
    QCOMPARE(AppointmentsReportQuery::lines,
             (QStringList{"select titulo, data, hora", "from TCOMPROMISSO",
                          "where data >= :data1 and", "data <= :data1 and", "hora >= :hora1 and",
                          "hora <= :hora2", "order by (data + hora)"}));
    QCOMPARE(AppointmentsReportQuery::sql().count('?'), 4);
    QVERIFY(!AppointmentsReportQuery::sql().contains(':'));
}

void TstAppointments::reportPeriod_data()
{
    QTest::addColumn<QStringList>("period");
    QTest::addColumn<QStringList>("expected");
    // The first two placeholders share a name; each must get its own day.
    QTest::newRow("three days, all three listed")
        << QStringList{"10/03/2024", "12/03/2024", "00:00", "23:59"}
        << QStringList{"Dentista", "Cinema", "Feira", "Missa", "Tarde"};
    QTest::newRow("one day, time order")
        << QStringList{"10/03/2024", "10/03/2024", "00:00", "23:59"}
        << QStringList{"Dentista", "Cinema"};
    QTest::newRow("the last time listed, a minute later not")
        << QStringList{"10/03/2024", "12/03/2024", "00:00", "23:58"}
        << QStringList{"Dentista", "Cinema", "Feira", "Missa"};
    QTest::newRow("time range on each day")
        << QStringList{"10/03/2024", "12/03/2024", "08:00", "12:00"}
        << QStringList{"Dentista", "Missa"};
    QTest::newRow("first day after the last")
        << QStringList{"12/03/2024", "10/03/2024", "00:00", "23:59"} << QStringList{};
    QTest::newRow("short hour as the mask gives it")
        << QStringList{"11/03/2024", "11/03/2024", " 7:00", " 7:00"} << QStringList{"Feira"};
}

void TstAppointments::reportPeriod()
{
    QFETCH(QStringList, period);
    QFETCH(QStringList, expected);
    add({{1, "Cinema", QDate(2024, 3, 10), QTime(14, 0)},
         {2, "Dentista", QDate(2024, 3, 10), QTime(9, 30)},
         {3, "Feira", QDate(2024, 3, 11), QTime(7, 0)},
         {4, "Tarde", QDate(2024, 3, 12), QTime(23, 59)},
         {5, "Missa", QDate(2024, 3, 12), QTime(8, 0)},
         {6, "Fora", QDate(2024, 3, 13), QTime(8, 0)},
         {7, "Antes", QDate(2024, 3, 9), QTime(8, 0)}});
    QueryResult q(m_f->conn.get(), AppointmentsReportQuery::sql());
    AppointmentsReportQuery::open(q, {period[0], period[1], period[2], period[3]});
    QVERIFY(q.isOpen());
    QCOMPARE(agendatest::columnTexts(q, "TITULO"), expected);
    QCOMPARE(q.columnName(1), QString("DATA"));
    QCOMPARE(q.columnType(2), FieldType::Time);
}

void TstAppointments::reportPeriodBadText_data()
{
    QTest::addColumn<QStringList>("period");
    QTest::addColumn<QString>("message");
    QTest::newRow("cleared first day") << QStringList{"  /  /    ", "10/03/2024", "00:00", "23:59"}
                                       << "'  /  /    ' não é uma data válida.";
    QTest::newRow("no such day") << QStringList{"10/03/2024", "31/02/2024", "00:00", "23:59"}
                                 << "'31/02/2024' não é uma data válida.";
    QTest::newRow("no such time") << QStringList{"10/03/2024", "10/03/2024", "25:00", "23:59"}
                                  << "'25:00' não é um horário válido.";
    QTest::newRow("cleared last time") << QStringList{"10/03/2024", "10/03/2024", "00:00", "  :  "}
                                       << "'  :  ' não é um horário válido.";
}

void TstAppointments::reportPeriodBadText()
{
    QFETCH(QStringList, period);
    QFETCH(QString, message);
    QueryResult q(m_f->conn.get(), AppointmentsReportQuery::sql());
    try {
        AppointmentsReportQuery::open(q, {period[0], period[1], period[2], period[3]});
        QFAIL("no error");
    } catch (const DbError &e) {
        QCOMPARE(e.message(), message);
    }
    QVERIFY(!q.isOpen());
}

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    TstAppointments tests;
    return test::runTests(tests, argc, argv);
}

#include "tst_appointments.moc"
