#include "db/connection.h"
#include "db/dberror.h"
#include "db/filterexpr.h"
#include "db/queryresult.h"
#include "db/tablecache.h"
#include "support/testdb.h"

#include <QtTest>

using namespace lx;

class TstFilter : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void like_data();
    void like();
    void expressions_data();
    void expressions();
    void malformed_data();
    void malformed();
    void quotedLiteralMatchesExactly_data();
    void quotedLiteralMatchesExactly();
    void placeholdersByPosition_data();
    void placeholdersByPosition();

private:
    QStringList codesShown(const QString &filter);
    std::unique_ptr<test::TestDb> m_db;
    std::unique_ptr<Connection> m_conn;
    std::unique_ptr<TableCache> m_cache;
};

void TstFilter::initTestCase()
{
    m_db = std::make_unique<test::TestDb>();
    const char *rows[][3] = {
        {"1", "Conta de luz", "2024-03-15"},         {"2", "D'Ávila & filhos", "2024-03-16"},
        {"3", "Desconto 50% à vista", "2024-04-01"}, {"4", "AÇÚCAR refinado", "2024-03-15"},
        {"5", "açúcar mascavo", "2023-03-15"},       {"6", "x') OR (1=1", "2024-01-01"},
    };
    for (auto &r : rows)
        m_db->exec(
            "INSERT INTO TGASTO (GASCODIGO, GASDESCRICAO, GASDATA, GASVALOR) "
            "VALUES (?, ?, ?, 10)",
            {QString(r[0]).toInt(), QString::fromUtf8(r[1]), QDate::fromString(r[2], Qt::ISODate)});
    m_db->exec("INSERT INTO TGASTO (GASCODIGO) VALUES (7)"); // null description
    m_conn = m_db->connect();
    m_cache = std::make_unique<TableCache>(m_conn.get(), "TGASTO");
    m_cache->open();
}

void TstFilter::cleanupTestCase()
{
    m_cache.reset();
    m_conn.reset();
    m_db.reset();
}

QStringList TstFilter::codesShown(const QString &filter)
{
    m_cache->setFilter(filter);
    m_cache->setFiltered(true);
    QStringList out;
    for (int r = 0; r < m_cache->recordCount(); ++r)
        out << m_cache->value(r, m_cache->fieldIndex("GASCODIGO")).toString();
    m_cache->setFiltered(false);
    return out;
}

void TstFilter::like_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<bool>("caseInsensitive");
    QTest::addColumn<bool>("expected");
    QTest::newRow("contains") << "Conta de luz"
                              << "%de%" << false << true;
    QTest::newRow("underscore") << "abc"
                                << "a_c" << false << true;
    QTest::newRow("underscore needs one") << "ac"
                                          << "a_c" << false << false;
    QTest::newRow("backtracking") << "aXbXc"
                                  << "a%b%c" << false << true;
    QTest::newRow("trailing text") << "abcd"
                                   << "a%c" << false << false;
    QTest::newRow("empty pattern") << ""
                                   << "" << false << true;
    QTest::newRow("only percent") << ""
                                  << "%%" << false << true;
    QTest::newRow("accent folded") << "AÇÚCAR"
                                   << "%açú%" << true << true;
    QTest::newRow("accent kept") << "AÇÚCAR"
                                 << "%açú%" << false << false;
}

void TstFilter::like()
{
    QFETCH(QString, text);
    QFETCH(QString, pattern);
    QFETCH(bool, caseInsensitive);
    QFETCH(bool, expected);
    QCOMPARE(likeMatch(text, pattern, caseInsensitive ? Qt::CaseInsensitive : Qt::CaseSensitive),
             expected);
}

void TstFilter::expressions_data()
{
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QStringList>("codes");
    QTest::newRow("search box, parenthesised")
        << "(UPPER(GASDESCRICAO) LIKE UPPER('%luz%'))" << QStringList{"1"};
    QTest::newRow("search box, bare")
        << "UPPER(GASDESCRICAO) like UPPER('%LUZ%')" << QStringList{"1"};
    QTest::newRow("quote doubled")
        << "(UPPER(GASDESCRICAO) LIKE UPPER('%d''ávila%'))" << QStringList{"2"};
    QTest::newRow("percent is a wildcard")
        << "(UPPER(GASDESCRICAO) LIKE UPPER('%50%%'))" << QStringList{"3"};
    QTest::newRow("accented letters in any case")
        << "(UPPER(GASDESCRICAO) LIKE UPPER('%açúcar%'))" << QStringList{"4", "5"};
    QTest::newRow("everything") << "(UPPER(GASDESCRICAO) LIKE UPPER('%%'))"
                                << QStringList{"1", "2", "3", "4", "5", "6", "7"};
    QTest::newRow("literal cannot escape")
        << "(UPPER(GASDESCRICAO) LIKE UPPER('%x'') OR (1=1%'))" << QStringList{"6"};
    QTest::newRow("equal converts to integer") << "(GASCODIGO = '3')" << QStringList{"3"};
    QTest::newRow("date literal") << "GASDATA='15/03/2024'" << QStringList{"1", "4"};
    QTest::newRow("and or not") << "GASDATA = '15/03/2024' AND NOT (GASCODIGO = 4) OR GASCODIGO = 6"
                                << QStringList{"1", "6"};
    QTest::newRow("is null") << "GASDESCRICAO IS NULL" << QStringList{"7"};
    QTest::newRow("lower on both sides")
        << "LOWER(GASDESCRICAO) LIKE LOWER('CONTA%')" << QStringList{"1"};
    QTest::newRow("comparison") << "GASCODIGO >= 6" << QStringList{"6", "7"};
    QTest::newRow("keywords any case") << "gascodigo = 2 or gascodigo = 3" << QStringList{"2", "3"};
}

void TstFilter::expressions()
{
    QFETCH(QString, filter);
    QFETCH(QStringList, codes);
    QCOMPARE(codesShown(filter), codes);
}

void TstFilter::malformed_data()
{
    QTest::addColumn<QString>("filter");
    QTest::newRow("unclosed quote") << "(UPPER(GASDESCRICAO) LIKE UPPER('%abc))";
    QTest::newRow("unbalanced") << "((GASCODIGO = 1)";
    QTest::newRow("unknown field") << "NADA = 1";
    QTest::newRow("dangling operator") << "GASCODIGO =";
    QTest::newRow("bad date") << "GASDATA = '31/02/2024'";
    QTest::newRow("text into integer") << "GASCODIGO = 'abc'";
    QTest::newRow("stray character") << "GASCODIGO = 1; DROP TABLE TGASTO";
    QTest::newRow("two conditions without a join") << "GASCODIGO = 1 GASCODIGO = 2";
}

void TstFilter::malformed()
{
    QFETCH(QString, filter);
    const QString before = m_cache->filter();
    QVERIFY_THROWS_EXCEPTION(DbError, m_cache->setFilter(filter));
    QCOMPARE(m_cache->filter(), before);
    QCOMPARE(m_cache->recordCount(), 7);
}

void TstFilter::quotedLiteralMatchesExactly_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("codes");
    QTest::newRow("plain") << "Conta de luz" << QStringList{"1"};
    QTest::newRow("quote inside") << "D'Ávila & filhos" << QStringList{"2"};
    QTest::newRow("injection stays text") << "x') OR (1=1" << QStringList{"6"};
    QTest::newRow("quote alone") << "'" << QStringList{};
    QTest::newRow("empty") << "" << QStringList{};
}

void TstFilter::quotedLiteralMatchesExactly()
{
    QFETCH(QString, text);
    QFETCH(QStringList, codes);
    QCOMPARE(codesShown("GASDESCRICAO = " + quotedLiteral(text)), codes);
}

void TstFilter::placeholdersByPosition_data()
{
    QTest::addColumn<QString>("sql");
    QTest::addColumn<QString>("expected");
    QTest::newRow("same name twice") << "where a >= :d1 and a <= :d1"
                                     << "where a >= ? and a <= ?";
    QTest::newRow("at the very end") << "x=:h2"
                                     << "x=?";
    QTest::newRow("quoted text kept") << "a = ':x' and b = :y and c = '12:30'"
                                      << "a = ':x' and b = ? and c = '12:30'";
    QTest::newRow("quoted name kept") << "select \"A:B\" from T where c = :c"
                                      << "select \"A:B\" from T where c = ?";
    QTest::newRow("no placeholders") << "select 1 from rdb$database"
                                     << "select 1 from rdb$database";
}

void TstFilter::placeholdersByPosition()
{
    QFETCH(QString, sql);
    QFETCH(QString, expected);
    QCOMPARE(positionalPlaceholders(sql), expected);
}

QTEST_GUILESS_MAIN(TstFilter)
#include "tst_filter.moc"
