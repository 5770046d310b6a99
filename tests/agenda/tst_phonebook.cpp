#include "agenda/core/contactsreport.h"
#include "agenda/core/phonebook.h"
#include "db/connection.h"
#include "db/dberror.h"
#include "db/queryresult.h"
#include "db/tablecache.h"
#include "support/agendadb.h"
#include "support/testdb.h"

#include <QtTest>

using namespace lx;
using namespace lx::agenda;

class TstPhoneBook : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void search_data();
    void search();
    void searchFilterText_data();
    void searchFilterText();
    void searchSurvivesSaveAndReload();
    void newCodeFromServer_data();
    void newCodeFromServer();
    void saveStoresEveryBox();
    void refusedSaveKeepsTheRowBeingEdited();
    void codeTakenMeanwhileMovesOn();
    void editReadsTheCurrentContact();
    void removeAndRefusedRemove();

    void reportQueryText();
    void reportRange_data();
    void reportRange();

private:
    void addContact(int code, const QString &name);
    std::unique_ptr<agendatest::CacheFixture> m_f;
};

void TstPhoneBook::init()
{
    if (test::TestDb::serverUnavailable())
        QSKIP("no test server configured");
    m_f = std::make_unique<agendatest::CacheFixture>("TCONTATO");
}

void TstPhoneBook::cleanup()
{
    m_f.reset();
}

void TstPhoneBook::addContact(int code, const QString &name)
{
    agendatest::insertContact(m_f->db, code, name);
}

void TstPhoneBook::search_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("expected");
    const QStringList all{"João", "JOSÉ", "O'Brien", "Mariana", "", "50% off", "Ana_Lu"};
    QTest::newRow("any case, anywhere") << "jo" << QStringList{"João", "JOSÉ"};
    QTest::newRow("inside the name") << "ANA" << QStringList{"Mariana", "Ana_Lu"};
    QTest::newRow("accented letters") << "josé" << QStringList{"JOSÉ"};
    QTest::newRow("a quote is doubled") << "o'b" << QStringList{"O'Brien"};
    QTest::newRow("cleared box matches all, an empty name too") << "" << all;
    QTest::newRow("nothing matches") << "xyz" << QStringList{};
    QTest::newRow("percent stays a wildcard") << "50%" << QStringList{"50% off"};
}

void TstPhoneBook::search()
{
    QFETCH(QString, text);
    QFETCH(QStringList, expected);
    int code = 0;
    for (const char *n : {"João", "JOSÉ", "O'Brien", "Mariana", "", "50% off", "Ana_Lu"})
        addContact(++code, *n ? QString::fromUtf8(n) : QString());
    PhoneBook book(*m_f->cache);
    book.reload();
    book.search("zzz"); // a previous search is replaced, not narrowed
    book.search(text);
    QCOMPARE(agendatest::columnTexts(*m_f->cache, "NOME"), expected);
    QCOMPARE(m_f->cache->currentRow(), expected.isEmpty() ? -1 : 0);
}

void TstPhoneBook::searchFilterText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("filter");
    QTest::newRow("plain") << "ana"
                           << "(UPPER(NOME) LIKE UPPER('%ana%'))";
    QTest::newRow("quote") << "o'b"
                           << "(UPPER(NOME) LIKE UPPER('%o''b%'))";
    QTest::newRow("empty") << ""
                           << "(UPPER(NOME) LIKE UPPER('%%'))";
}

void TstPhoneBook::searchFilterText()
{
    QFETCH(QString, text);
    QFETCH(QString, filter);
    QCOMPARE(PhoneBook::searchFilter(text), filter);
    PhoneBook book(*m_f->cache);
    book.reload();
    book.search(text);
    QCOMPARE(m_f->cache->filter(), filter);
    QVERIFY(m_f->cache->isFiltered());
}

void TstPhoneBook::searchSurvivesSaveAndReload()
{
    addContact(1, "Maria");
    addContact(2, "Pedro");
    PhoneBook book(*m_f->cache);
    book.reload();
    book.search("mar");
    book.insertNew();
    book.save({"Marta", "", "", "", ""});
    QStringList shown = agendatest::columnTexts(*m_f->cache, "NOME");
    shown.sort();
    QCOMPARE(shown, (QStringList{"Maria", "Marta"}));
    book.reload();
    QCOMPARE(agendatest::columnTexts(*m_f->cache, "NOME"), (QStringList{"Maria", "Marta"}));
    QCOMPARE(m_f->db.scalar("select count(*) from TCONTATO").toInt(), 3);
}

void TstPhoneBook::newCodeFromServer_data()
{
    QTest::addColumn<QList<int>>("codes");
    QTest::addColumn<int>("insertedLater"); // by another program after the cache was read
    QTest::addColumn<int>("expected");
    QTest::newRow("empty table") << QList<int>{} << 0 << 1;
    QTest::newRow("highest plus one") << QList<int>{3, 1, 7} << 0 << 8;
    QTest::newRow("a row the cache has not read") << QList<int>{3} << 9 << 10;
}

void TstPhoneBook::newCodeFromServer()
{
    QFETCH(QList<int>, codes);
    QFETCH(int, insertedLater);
    QFETCH(int, expected);
    for (int c : codes)
        addContact(c, QString("C%1").arg(c));
    PhoneBook book(*m_f->cache);
    book.reload();
    // A search hiding every row does not change the code either.
    book.search("no such name");
    if (insertedLater)
        addContact(insertedLater, "Later");
    QCOMPARE(book.insertNew(), expected);
    QCOMPARE(m_f->cache->value("CODIGO").toInt(), expected);
    QVERIFY(m_f->cache->isEditing());
}

void TstPhoneBook::saveStoresEveryBox()
{
    PhoneBook book(*m_f->cache);
    book.reload();
    book.insertNew();
    book.save({"Ana", "(011)3333-4444", "(   )    -    ", "Rua A, 1", "ana@example.org"});
    QVERIFY(!m_f->cache->isEditing());
    QCOMPARE(m_f->cache->pendingCount(), 0);
    const QString sql = "select %1 from TCONTATO where CODIGO = 1";
    QCOMPARE(m_f->db.scalar(sql.arg("NOME")).toString(), QString("Ana"));
    QCOMPARE(m_f->db.scalar(sql.arg("TELEFONE1")).toString(), QString("(011)3333-4444"));
    QCOMPARE(m_f->db.scalar(sql.arg("TELEFONE2")).toString(), QString("(   )    -    "));
    QCOMPARE(m_f->db.scalar(sql.arg("ENDERECO")).toString(), QString("Rua A, 1"));
    QCOMPARE(m_f->db.scalar(sql.arg("EMAIL")).toString(), QString("ana@example.org"));
    for (const char *unused : {"CELULAR", "BAIRRO", "CIDADE", "FAX"})
        QVERIFY(m_f->db.scalar(sql.arg(unused)).isNull());
}

void TstPhoneBook::refusedSaveKeepsTheRowBeingEdited()
{
    PhoneBook book(*m_f->cache);
    book.reload();
    QCOMPARE(book.insertNew(), 1);
    m_f->db.exec("CREATE EXCEPTION CONTACT_REFUSED 'refused'");
    m_f->db.exec("CREATE TRIGGER TCONTATO_REFUSE FOR TCONTATO BEFORE INSERT AS "
                 "BEGIN EXCEPTION CONTACT_REFUSED; END");
    QVERIFY_THROWS_EXCEPTION(DbError, book.save({"Ana", "", "", "Rua B", ""}));
    QVERIFY(m_f->cache->isEditing());
    QCOMPARE(book.current().nome, QString("Ana"));
    QCOMPARE(book.current().endereco, QString("Rua B"));
    QCOMPARE(m_f->db.scalar("select count(*) from TCONTATO").toInt(), 0);
}

void TstPhoneBook::codeTakenMeanwhileMovesOn()
{
    PhoneBook book(*m_f->cache);
    book.reload();
    QCOMPARE(book.insertNew(), 1);
    addContact(1, "Someone else"); // the same code, taken by another program meanwhile
    book.save({"Ana", "", "", "Rua B", ""});
    QVERIFY(!m_f->cache->isEditing());
    const QString sql = "select NOME from TCONTATO where CODIGO = %1";
    QCOMPARE(m_f->db.scalar(sql.arg(1)).toString(), QString("Someone else"));
    QCOMPARE(m_f->db.scalar(sql.arg(2)).toString(), QString("Ana"));
}

void TstPhoneBook::editReadsTheCurrentContact()
{
    m_f->db.exec("insert into TCONTATO (CODIGO, NOME, TELEFONE1, TELEFONE2, ENDERECO, EMAIL) "
                 "values (5, 'Bia', '(021)1111-2222', NULL, 'Av. C', 'bia@example.org')");
    PhoneBook book(*m_f->cache);
    book.reload();
    const Contact c = book.edit();
    QVERIFY(m_f->cache->isEditing());
    QCOMPARE(c.nome, QString("Bia"));
    QCOMPARE(c.telefone1, QString("(021)1111-2222"));
    QCOMPARE(c.telefone2, QString());
    QCOMPARE(c.endereco, QString("Av. C"));
    QCOMPARE(c.email, QString("bia@example.org"));
    book.save({"Beatriz", c.telefone1, "(   )    -    ", c.endereco, c.email});
    QCOMPARE(m_f->db.scalar("select NOME from TCONTATO where CODIGO = 5").toString(),
             QString("Beatriz"));
    QCOMPARE(m_f->db.scalar("select count(*) from TCONTATO").toInt(), 1);
}

void TstPhoneBook::removeAndRefusedRemove()
{
    addContact(1, "Ana");
    addContact(2, "Bia");
    PhoneBook book(*m_f->cache);
    book.reload();
    book.remove();
    QCOMPARE(agendatest::columnTexts(*m_f->cache, "NOME"), QStringList{"Bia"});
    QCOMPARE(m_f->db.scalar("select count(*) from TCONTATO").toInt(), 1);

    // Changed by another program since it was read: the deletion is refused.
    m_f->db.exec("update TCONTATO set NOME = 'Bianca' where CODIGO = 2");
    QVERIFY_THROWS_EXCEPTION(DbError, book.remove());
    QCOMPARE(agendatest::columnTexts(*m_f->cache, "NOME"), QStringList{"Bianca"});
    QCOMPARE(m_f->db.scalar("select count(*) from TCONTATO").toInt(), 1);
}

void TstPhoneBook::reportQueryText()
{
    QCOMPARE(ContactsReportQuery::lines,
             (QStringList{"select TCONTATO.NOME, TCONTATO.TELEFONE1, TCONTATO.TELEFONE2, "
                          "TCONTATO.EMAIL, TCONTATO.ENDERECO",
                          "from TCONTATO",
                          "where UPPER(TCONTATO.NOME) >= UPPER(:nome1) and "
                          "UPPER(TCONTATO.NOME) <= UPPER(:nome2)",
                          "order by TCONTATO.NOME"}));
    QCOMPARE(ContactsReportQuery::sql().count('?'), 2);
    QVERIFY(!ContactsReportQuery::sql().contains(':'));
}

void TstPhoneBook::reportRange_data()
{
    QTest::addColumn<QString>("nome1");
    QTest::addColumn<QString>("nome2");
    QTest::addColumn<QStringList>("expected");
    // Stored order: upper-case letters sort before lower-case ones.
    QTest::newRow("initial range") << "AAA"
                                   << "ZZZ" << QStringList{"Bia", "MARIA", "ZZZ", "ana", "maria"};
    QTest::newRow("each bound its own value") << "ana"
                                              << "bia" << QStringList{"Bia", "ana"};
    QTest::newRow("bounds in any case") << "MARIA"
                                        << "maria" << QStringList{"MARIA", "maria"};
    QTest::newRow("lower above upper") << "ZZZ"
                                       << "AAA" << QStringList{};
}

void TstPhoneBook::reportRange()
{
    QFETCH(QString, nome1);
    QFETCH(QString, nome2);
    QFETCH(QStringList, expected);
    int code = 0;
    for (const QString &n : agendatest::rangeNames)
        addContact(++code, n);
    QueryResult q(m_f->conn.get(), ContactsReportQuery::sql());
    ContactsReportQuery::open(q, nome1, nome2);
    QCOMPARE(agendatest::columnTexts(q, "NOME"), expected);
    QCOMPARE(q.columnCount(), 5);
    QCOMPARE(q.columnName(4), QString("ENDERECO"));
}

QTEST_GUILESS_MAIN(TstPhoneBook)
#include "tst_phonebook.moc"
