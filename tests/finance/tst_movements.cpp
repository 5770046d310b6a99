#include "db/connection.h"
#include "db/dberror.h"
#include "db/tablecache.h"
#include "finance/core/caixa.h"
#include "finance/core/movements.h"
#include "support/testdb.h"
#include "support/testmain.h"

#include <QtTest>

#include <memory>

using namespace lx;
using namespace lx::finance;

namespace {

/// What makes the server refuse a month's summary.
enum class Obstacle {
    Trigger,       ///< a trigger on TCAIXAMES raises an exception on every insert and update
    ChangedBehind, ///< another program changed the summary row since the cache read it
};

/// A fresh database and the caches the expense and receipt windows share, set up as the data
/// module sets them up.
struct Fixture
{
    test::TestDb db;
    std::unique_ptr<Connection> conn = db.connect();
    TableCache expenses{conn.get(), QStringLiteral("TGASTO")};
    TableCache receipts{conn.get(), QStringLiteral("TRECEBIMENTO")};
    TableCache summaries{conn.get(), QStringLiteral("TCAIXAMES")};
    TableCache expenseTypes{conn.get(), QStringLiteral("TTIPOGASTO")};
    TableCache receiptTypes{conn.get(), QStringLiteral("TTIPORECEB")};

    Fixture()
    {
        expenses.addLookup("tipo", "GASTIPO", &expenseTypes, "TGACODIGO", "TGADESCRICAO");
        receipts.addLookup("tiporec", "RECTIPO", &receiptTypes, "TRECODIGO", "TREDESCRICAO");
    }

    static bool isExpense(const MovementTable &t) { return &t == &MovementTable::expenses(); }
    TableCache &movementsOf(const MovementTable &t) { return isExpense(t) ? expenses : receipts; }
    TableCache &typesOf(const MovementTable &t)
    {
        return isExpense(t) ? expenseTypes : receiptTypes;
    }
    Movements movements(const MovementTable &t)
    {
        return Movements(*conn, movementsOf(t), typesOf(t), summaries, t);
    }

    void refuseSummaries()
    {
        db.exec("CREATE EXCEPTION SUMMARY_REFUSED 'refused'");
        db.exec("CREATE TRIGGER TCAIXAMES_REFUSE FOR TCAIXAMES BEFORE INSERT OR UPDATE AS "
                "BEGIN EXCEPTION SUMMARY_REFUSED; END");
    }
    void allowSummaries() { db.exec("DROP TRIGGER TCAIXAMES_REFUSE"); }
};

} // namespace
Q_DECLARE_METATYPE(Obstacle)

class TstMovements : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void parseDate_data();
    void parseDate();
    void searchFilter_data();
    void searchFilter();

    void insertAndSave_data();
    void insertAndSave();
    void invalidDateStoresNothing_data();
    void invalidDateStoresNothing();
    void changeRecomputesTheRowsMonth_data();
    void changeRecomputesTheRowsMonth();
    void removeRecomputesTheMonthReadBefore_data();
    void removeRecomputesTheMonthReadBefore();
    void removeOnEmptyTable();
    void search_data();
    void search();
    void searchStaysOnTheCacheUntilShowAll();
    void newCodeWithSearchActive_data();
    void newCodeWithSearchActive();
    void codeTakenMeanwhileIsStoredUnderNextCode_data();
    void codeTakenMeanwhileIsStoredUnderNextCode();
    void refusedRemoveDoesNotRecompute();
    void refusedSummaryUndoesSave_data();
    void refusedSummaryUndoesSave();
    void refusedSummaryUndoesRemove_data();
    void refusedSummaryUndoesRemove();
    void openDropsRowLeftBeingEdited();

private:
    static void kinds();
    static const MovementTable &table(const QString &kind);
    void addMovement(const MovementTable &t, int code, const QString &description, double amount,
                     const QDate &date);
    void addType(const MovementTable &t, int code, const QString &description);
    void addSummary(int code, int month, int year, double spent, double received = 0.0);
    void putObstacle(Obstacle obstacle);
    void removeObstacle(Obstacle obstacle);
    QVariant summaryOnServer(const QString &column, int month, int year) const;
    QVariant onServer(const MovementTable &t, const QString &column, int code) const;
    int count(const QString &table) const;
    int countCode(const MovementTable &t, int code) const;

    std::unique_ptr<Fixture> m_f;
};

void TstMovements::initTestCase()
{
    if (test::TestDb::serverUnavailable())
        QSKIP("no Firebird server configured (scripts/test starts one)");
}

void TstMovements::init()
{
    m_f = std::make_unique<Fixture>();
    QVERIFY(m_f->conn->isOpen());
}

void TstMovements::cleanup()
{
    m_f.reset();
}

void TstMovements::kinds()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("expense") << "expense";
    QTest::newRow("receipt") << "receipt";
}

const MovementTable &TstMovements::table(const QString &kind)
{
    return kind == "expense" ? MovementTable::expenses() : MovementTable::receipts();
}

void TstMovements::addMovement(const MovementTable &t, int code, const QString &description,
                               double amount, const QDate &date)
{
    m_f->db.exec(QString("INSERT INTO %1 (%2, %3, %4, %5, %6, %7) VALUES (?, ?, ?, ?, ?, ?)")
                     .arg(m_f->movementsOf(t).tableName(), t.code, t.description, t.amount, t.date,
                          t.month, t.year),
                 {code, description, amount, date, date.month(), date.year()});
}

void TstMovements::addType(const MovementTable &t, int code, const QString &description)
{
    m_f->db.exec(QString("INSERT INTO %1 (%2, %3) VALUES (?, ?)")
                     .arg(m_f->typesOf(t).tableName(), t.typeKey, t.typeDescription),
                 {code, description});
}

void TstMovements::addSummary(int code, int month, int year, double spent, double received)
{
    m_f->db.exec("INSERT INTO TCAIXAMES (CAICODIGO, CAIMES, CAINOMEMES, CAIANO, CAIVALORGASTO, "
                 "CAIVALORRECEBIDO, CAIVALORDISPONIVEL) VALUES (?, ?, ?, ?, ?, ?, ?)",
                 {code, month, monthName(month), year, spent, received, received - spent});
}

void TstMovements::putObstacle(Obstacle obstacle)
{
    if (obstacle == Obstacle::Trigger)
        m_f->refuseSummaries();
    else
        m_f->db.exec("UPDATE TCAIXAMES SET CAIUSUARIO = 3");
}

void TstMovements::removeObstacle(Obstacle obstacle)
{
    // A summary changed behind the cache's back needs nothing: the refusal dropped the
    // summary cache, so the next save reads the server's rows.
    if (obstacle == Obstacle::Trigger)
        m_f->allowSummaries();
}

QVariant TstMovements::summaryOnServer(const QString &column, int month, int year) const
{
    return m_f->db.scalar(
        QString("SELECT %1 FROM TCAIXAMES WHERE CAIMES = ? AND CAIANO = ?").arg(column),
        {month, year});
}

QVariant TstMovements::onServer(const MovementTable &t, const QString &column, int code) const
{
    return m_f->db.scalar(QString("SELECT %1 FROM %2 WHERE %3 = ?")
                              .arg(column, m_f->movementsOf(t).tableName(), t.code),
                          {code});
}

int TstMovements::count(const QString &table) const
{
    return m_f->db.scalar(QString("SELECT COUNT(*) FROM %1").arg(table)).toInt();
}

int TstMovements::countCode(const MovementTable &t, int code) const
{
    return onServer(t, "COUNT(*)", code).toInt();
}

void TstMovements::parseDate_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QDate>("date");
    QTest::newRow("complete") << "15/03/2024" << QDate(2024, 3, 15);
    QTest::newRow("leading blank of the mask") << " 1/03/2024" << QDate(2024, 3, 1);
    QTest::newRow("29 February of a leap year") << "29/02/2024" << QDate(2024, 2, 29);
    QTest::newRow("untouched box") << "  /  /    " << QDate();
    QTest::newRow("empty") << "" << QDate();
    QTest::newRow("31 February") << "31/02/2024" << QDate();
    QTest::newRow("month 13") << "15/13/2024" << QDate();
    QTest::newRow("year left blank") << "15/03/    " << QDate();
    QTest::newRow("two-digit year") << "15/03/24  " << QDate();
}

void TstMovements::parseDate()
{
    QFETCH(QString, text);
    QFETCH(QDate, date);
    if (date.isValid()) {
        QCOMPARE(Movements::parseDate(text), date);
        return;
    }
    try {
        Movements::parseDate(text);
        QFAIL("no conversion error");
    } catch (const DbError &e) {
        QVERIFY2(e.message().contains("'" + text + "'"), qPrintable(e.message()));
        QVERIFY2(e.message().contains("data válida"), qPrintable(e.message()));
    }
}

void TstMovements::searchFilter_data()
{
    QTest::addColumn<QString>("column");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("filter");
    QTest::newRow("luz") << "GASDESCRICAO"
                         << "luz"
                         << "(UPPER(GASDESCRICAO) LIKE UPPER('%luz%'))";
    QTest::newRow("quote doubled") << "RECDESCRICAO"
                                   << "d'agua"
                                   << "(UPPER(RECDESCRICAO) LIKE UPPER('%d''agua%'))";
    QTest::newRow("cleared") << "GASDESCRICAO"
                             << ""
                             << "(UPPER(GASDESCRICAO) LIKE UPPER('%%'))";
    QTest::newRow("percent kept") << "GASDESCRICAO"
                                  << "%1"
                                  << "(UPPER(GASDESCRICAO) LIKE UPPER('%%1%'))";
}

void TstMovements::searchFilter()
{
    QFETCH(QString, column);
    QFETCH(QString, text);
    QFETCH(QString, filter);
    QCOMPARE(Movements::searchFilter(column, text), filter);
}

void TstMovements::insertAndSave_data()
{
    kinds();
}

void TstMovements::insertAndSave()
{
    QFETCH(QString, kind);
    const MovementTable &t = table(kind);
    const bool expense = kind == "expense";
    // Other months' summaries, stale on purpose: only March 2024 may be recomputed.
    addSummary(4, 2, 2024, 11.0);
    addSummary(2, 3, 2023, 22.0);
    addSummary(3, 4, 2024, 33.0);

    Movements mov = m_f->movements(t);
    mov.open();
    TableCache &c = mov.cache();
    QCOMPARE(mov.insertNew(), 1);
    QCOMPARE(c.state(), TableCache::Insert);
    QCOMPARE(c.value(t.date).toDate(), QDate::currentDate());
    c.setValue(t.description, "Conta de luz");
    c.setValue(t.amount, 150.75);
    mov.save("15/03/2024");

    QCOMPARE(c.state(), TableCache::Browse);
    QCOMPARE(c.pendingCount(), 0);
    QCOMPARE(onServer(t, t.month, 1).toInt(), 3);
    QCOMPARE(onServer(t, t.year, 1).toInt(), 2024);
    QCOMPARE(onServer(t, t.date, 1).toDate(), QDate(2024, 3, 15));
    QCOMPARE(onServer(t, t.description, 1).toString(), QString("Conta de luz"));

    // The month's first movement creates its row with the next code and the month's name.
    QCOMPARE(summaryOnServer("CAICODIGO", 3, 2024).toInt(), 5);
    QCOMPARE(summaryOnServer("CAINOMEMES", 3, 2024).toString(), QString("Março"));
    QCOMPARE(summaryOnServer("CAIVALORGASTO", 3, 2024).toDouble(), expense ? 150.75 : 0.0);
    QCOMPARE(summaryOnServer("CAIVALORRECEBIDO", 3, 2024).toDouble(), expense ? 0.0 : 150.75);
    QCOMPARE(summaryOnServer("CAIVALORDISPONIVEL", 3, 2024).toDouble(), expense ? -150.75 : 150.75);
    QCOMPARE(count("TCAIXAMES"), 4);
    QCOMPARE(summaryOnServer("CAIVALORGASTO", 2, 2024).toDouble(), 11.0);
    QCOMPARE(summaryOnServer("CAIVALORGASTO", 3, 2023).toDouble(), 22.0);
    QCOMPARE(summaryOnServer("CAIVALORGASTO", 4, 2024).toDouble(), 33.0);
}

void TstMovements::invalidDateStoresNothing_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("text");
    QTest::newRow("expense, blank box") << "expense"
                                        << "  /  /    ";
    QTest::newRow("receipt, blank box") << "receipt"
                                        << "  /  /    ";
    QTest::newRow("expense, 31/02") << "expense"
                                    << "31/02/2024";
}

void TstMovements::invalidDateStoresNothing()
{
    QFETCH(QString, kind);
    QFETCH(QString, text);
    const MovementTable &t = table(kind);
    Movements mov = m_f->movements(t);
    mov.open();
    mov.insertNew();
    mov.cache().setValue(t.description, "Mercado");
    QVERIFY_THROWS_EXCEPTION(DbError, mov.save(text));

    TableCache &c = mov.cache();
    QCOMPARE(c.state(), TableCache::Insert);
    QCOMPARE(c.pendingCount(), 0);
    QCOMPARE(c.value(t.description).toString(), QString("Mercado"));
    QVERIFY(c.value(t.month).isNull());
    QCOMPARE(count(c.tableName()), 0);
    QCOMPARE(count("TCAIXAMES"), 0);
}

void TstMovements::changeRecomputesTheRowsMonth_data()
{
    kinds();
}

void TstMovements::changeRecomputesTheRowsMonth()
{
    QFETCH(QString, kind);
    const MovementTable &t = table(kind);
    const QString column = kind == "expense" ? "CAIVALORGASTO" : "CAIVALORRECEBIDO";
    addMovement(t, 1, "Mercado", 10.0, QDate(2024, 3, 15));
    addMovement(t, 2, "Padaria", 4.0, QDate(2024, 3, 20));
    addSummary(1, 3, 2024, 0.0);

    Movements mov = m_f->movements(t);
    mov.open();
    QVERIFY(mov.cache().locate(t.code, {1}));
    QVERIFY(mov.edit());
    QVERIFY(!mov.edit()); // already being changed
    mov.cache().setValue(t.amount, 25.0);
    mov.save("15/03/2024");

    QCOMPARE(onServer(t, t.amount, 1).toDouble(), 25.0);
    QCOMPARE(onServer(t, t.month, 1).toInt(), 3);
    QCOMPARE(summaryOnServer(column, 3, 2024).toDouble(), 29.0);
    QCOMPARE(count("TCAIXAMES"), 1);
}

void TstMovements::removeRecomputesTheMonthReadBefore_data()
{
    kinds();
}

void TstMovements::removeRecomputesTheMonthReadBefore()
{
    QFETCH(QString, kind);
    const MovementTable &t = table(kind);
    const QString column = kind == "expense" ? "CAIVALORGASTO" : "CAIVALORRECEBIDO";
    addMovement(t, 1, "Mercado", 80.0, QDate(2024, 7, 10));
    Movements mov = m_f->movements(t);
    mov.open();
    mov.edit();
    mov.save("10/07/2024");
    QCOMPARE(summaryOnServer(column, 7, 2024).toDouble(), 80.0);

    mov.remove();

    QCOMPARE(count(mov.cache().tableName()), 0);
    QCOMPARE(mov.cache().recordCount(), 0);
    QCOMPARE(count("TCAIXAMES"), 1);
    QCOMPARE(summaryOnServer("CAIVALORGASTO", 7, 2024).toDouble(), 0.0);
    QCOMPARE(summaryOnServer("CAIVALORRECEBIDO", 7, 2024).toDouble(), 0.0);
    QCOMPARE(summaryOnServer("CAIVALORDISPONIVEL", 7, 2024).toDouble(), 0.0);
}

void TstMovements::removeOnEmptyTable()
{
    Movements mov = m_f->movements(MovementTable::expenses());
    mov.open();
    QVERIFY_THROWS_EXCEPTION(DbError, mov.remove());
    QCOMPARE(count("TCAIXAMES"), 0);
}

void TstMovements::search_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("shown");
    QTest::newRow("any case, anywhere") << "LUZ" << QStringList{"Conta de luz", "Luzes de Natal"};
    QTest::newRow("quote matched literally") << "d'agua" << QStringList{"Conta d'agua"};
    QTest::newRow("percent is a wildcard")
        << "c%a" << QStringList{"Conta d'agua", "Conta de luz", "Mercado"};
    QTest::newRow("cleared box shows all")
        << ""
        << QStringList{"Conta d'agua", "Conta de luz", "Luzes de Natal", "100% algodão", "Mercado"};
    QTest::newRow("no match") << "xyz" << QStringList{};
}

void TstMovements::search()
{
    QFETCH(QString, text);
    QFETCH(QStringList, shown);
    const MovementTable &t = MovementTable::expenses();
    const QStringList all{"Conta d'agua", "Conta de luz", "Luzes de Natal", "100% algodão",
                          "Mercado"};
    for (int i = 0; i < all.size(); ++i)
        addMovement(t, i + 1, all[i], 1.0, QDate(2024, 1, 1));
    Movements mov = m_f->movements(t);
    mov.open();
    mov.search(text);

    TableCache &c = mov.cache();
    QVERIFY(c.isFiltered());
    QCOMPARE(c.filter(), Movements::searchFilter(t.description, text));
    QStringList descriptions;
    for (int r = 0; r < c.recordCount(); ++r)
        descriptions << c.value(r, c.fieldIndex(t.description)).toString();
    QCOMPARE(descriptions, shown);
}

void TstMovements::searchStaysOnTheCacheUntilShowAll()
{
    const MovementTable &t = MovementTable::expenses();
    addMovement(t, 1, "Conta de luz", 1.0, QDate(2024, 1, 1));
    addMovement(t, 2, "Mercado", 2.0, QDate(2024, 1, 1));
    {
        Movements mov = m_f->movements(t);
        mov.open();
        mov.search("luz");
        mov.insertNew();
        mov.cache().setValue(t.description, "Padaria");
        mov.save("02/01/2024");
        // The saved row does not match: the grid keeps showing the search's rows only.
        QCOMPARE(mov.cache().recordCount(), 1);
        QCOMPARE(count("TGASTO"), 3);
    }
    // Another window's steps on the same cache still see the filter.
    Movements other = m_f->movements(t);
    other.open();
    QVERIFY(other.cache().isFiltered());
    QCOMPARE(other.cache().recordCount(), 1);
    other.showAll();
    QVERIFY(!other.cache().isFiltered());
    QCOMPARE(other.cache().recordCount(), 3);
}

void TstMovements::newCodeWithSearchActive_data()
{
    QTest::addColumn<QList<int>>("codes");
    QTest::addColumn<int>("newCode");
    QTest::newRow("highest code filtered out") << QList<int>{3, 41} << 42;
    QTest::newRow("codes out of order") << QList<int>{41, 3, 17} << 42;
}

void TstMovements::newCodeWithSearchActive()
{
    QFETCH(QList<int>, codes);
    QFETCH(int, newCode);
    const MovementTable &t = MovementTable::expenses();
    // Only the first row matches the search.
    addMovement(t, codes[0], "Conta de luz", 1.0, QDate(2024, 1, 1));
    for (int i = 1; i < codes.size(); ++i)
        addMovement(t, codes[i], "Mercado", 1.0, QDate(2024, 1, 1));
    Movements mov = m_f->movements(t);
    mov.open();
    mov.search("luz");
    QCOMPARE(mov.cache().recordCount(), 1);
    QCOMPARE(mov.insertNew(), newCode);
}

void TstMovements::codeTakenMeanwhileIsStoredUnderNextCode_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("search");
    QTest::newRow("expense") << "expense" << QString();
    QTest::newRow("receipt") << "receipt" << QString();
    QTest::newRow("expense hidden by the search") << "expense"
                                                  << "luz";
}

void TstMovements::codeTakenMeanwhileIsStoredUnderNextCode()
{
    QFETCH(QString, kind);
    QFETCH(QString, search);
    const MovementTable &t = table(kind);
    addMovement(t, 1, "Conta de luz", 1.0, QDate(2024, 3, 1));
    Movements mov = m_f->movements(t);
    mov.open();
    if (!search.isEmpty())
        mov.search(search);
    TableCache &c = mov.cache();
    QCOMPARE(mov.insertNew(), 2);
    // Another program takes code 2 meanwhile: the new row is stored under the next free code
    // with what was typed, and the other program's row stays as it was.
    addMovement(t, 2, "de outro programa", 9.0, QDate(2024, 3, 2));
    c.setValue(t.description, "Mercado");
    c.setValue(t.amount, 42.5);

    mov.save("15/03/2024");

    QCOMPARE(c.state(), TableCache::Browse);
    QCOMPARE(c.pendingCount(), 0);
    QCOMPARE(count(c.tableName()), 3);
    QCOMPARE(onServer(t, t.description, 2).toString(), QString("de outro programa"));
    QCOMPARE(onServer(t, t.description, 3).toString(), QString("Mercado"));
    QCOMPARE(onServer(t, t.amount, 3).toDouble(), 42.5);
    QCOMPARE(onServer(t, t.date, 3).toDate(), QDate(2024, 3, 15));
    QCOMPARE(count("TCAIXAMES"), 1);
    const double total =
        summaryOnServer(Fixture::isExpense(t) ? "CAIVALORGASTO" : "CAIVALORRECEBIDO", 3, 2024)
            .toDouble();
    QCOMPARE(total, 52.5);
    mov.showAll();
    QVERIFY(c.locate(t.code, {3}));
    QCOMPARE(c.value(t.description).toString(), QString("Mercado"));
}

void TstMovements::refusedRemoveDoesNotRecompute()
{
    const MovementTable &t = MovementTable::expenses();
    addMovement(t, 1, "Mercado", 10.0, QDate(2024, 3, 1));
    addSummary(1, 3, 2024, 99.0);
    Movements mov = m_f->movements(t);
    mov.open();
    // Changed by another program since it was read: the delete is refused.
    m_f->db.exec("UPDATE TGASTO SET GASVALOR = 12 WHERE GASCODIGO = 1");

    QVERIFY_THROWS_EXCEPTION(DbError, mov.remove());
    QCOMPARE(count("TGASTO"), 1);
    QCOMPARE(summaryOnServer("CAIVALORGASTO", 3, 2024).toDouble(), 99.0);
    // The row is back, as the server holds it, and nothing is left pending.
    QCOMPARE(mov.cache().recordCount(), 1);
    QCOMPARE(mov.cache().pendingCount(), 0);
    QCOMPARE(mov.cache().value(t.amount).toDouble(), 12.0);
}

void TstMovements::refusedSummaryUndoesSave_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<bool>("isNew");
    QTest::addColumn<Obstacle>("obstacle");
    QTest::addColumn<bool>("summaryStored");
    QTest::addColumn<QString>("search");

    const auto trigger = Obstacle::Trigger;
    const auto behind = Obstacle::ChangedBehind;
    QTest::newRow("new expense, summary insert refused")
        << "expense" << true << trigger << false << QString();
    QTest::newRow("new receipt, summary insert refused")
        << "receipt" << true << trigger << false << QString();
    QTest::newRow("new expense, summary update refused")
        << "expense" << true << trigger << true << QString();
    QTest::newRow("changed expense, summary update refused")
        << "expense" << false << trigger << true << QString();
    QTest::newRow("changed receipt, summary update refused")
        << "receipt" << false << trigger << true << QString();
    QTest::newRow("new expense, summary changed by another program")
        << "expense" << true << behind << true << QString();
    QTest::newRow("changed receipt, summary changed by another program")
        << "receipt" << false << behind << true << QString();
    QTest::newRow("new expense hidden by the search, summary refused")
        << "expense" << true << trigger << true << QString("luz");
}

void TstMovements::refusedSummaryUndoesSave()
{
    QFETCH(QString, kind);
    QFETCH(bool, isNew);
    QFETCH(Obstacle, obstacle);
    QFETCH(bool, summaryStored);
    QFETCH(QString, search);
    const MovementTable &t = table(kind);
    const bool expense = kind == "expense";
    const QString column = expense ? "CAIVALORGASTO" : "CAIVALORRECEBIDO";
    addType(t, 1, "Casa");
    addMovement(t, 1, "Conta de luz", 10.0, QDate(2024, 3, 15));
    if (summaryStored)
        addSummary(1, 3, 2024, expense ? 10.0 : 0.0, expense ? 0.0 : 10.0);
    m_f->summaries.open();
    Movements mov = m_f->movements(t);
    mov.open();
    if (!search.isEmpty())
        mov.search(search);
    TableCache &c = mov.cache();

    const int code = isNew ? 2 : 1;
    const double amount = isNew ? 4.5 : 25.0;
    const QString description = isNew ? "Padaria" : "Conta de luz paga";
    const QString dateText = isNew ? "20/03/2024" : "16/03/2024";
    if (isNew) {
        QCOMPARE(mov.insertNew(), code);
    } else {
        QVERIFY(c.locate(t.code, {code}));
        QVERIFY(mov.edit());
    }
    c.setValue(t.description, description);
    c.setValue(t.amount, amount);
    c.setValue(t.type, 1);
    putObstacle(obstacle);

    try {
        mov.save(dateText);
        QFAIL("the refused summary was not reported");
    } catch (const DbError &e) {
        QVERIFY2(e.details().contains("TCAIXAMES"), qPrintable(e.details()));
    }

    // Neither the movement nor its month's summary reached the server.
    QCOMPARE(countCode(t, 2), 0);
    QCOMPARE(onServer(t, t.amount, 1).toDouble(), 10.0);
    QCOMPARE(onServer(t, t.description, 1).toString(), QString("Conta de luz"));
    QCOMPARE(onServer(t, t.date, 1).toDate(), QDate(2024, 3, 15));
    QCOMPARE(count("TCAIXAMES"), summaryStored ? 1 : 0);
    if (summaryStored)
        QCOMPARE(summaryOnServer(column, 3, 2024).toDouble(), 10.0);

    // The movement is being edited again with what was typed. A visible row keeps its change
    // pending; one the search hides is read again and typed anew, and the second save must
    // still store it only once.
    QVERIFY(c.isEditing());
    if (search.isEmpty())
        QCOMPARE(c.pendingCount(), 1);
    QCOMPARE(c.value(t.code).toInt(), code);
    QCOMPARE(c.value(t.description).toString(), description);
    QCOMPARE(c.value(t.amount).toDouble(), amount);
    QCOMPARE(c.value(t.type).toInt(), 1);
    QCOMPARE(c.value(t.typeName).toString(), QString("Casa"));
    QCOMPARE(c.value(t.date).toDate(), Movements::parseDate(dateText));

    removeObstacle(obstacle);
    mov.save(dateText);

    QCOMPARE(c.state(), TableCache::Browse);
    QCOMPARE(c.pendingCount(), 0);
    QCOMPARE(count(c.tableName()), isNew ? 2 : 1);
    QCOMPARE(onServer(t, t.amount, code).toDouble(), amount);
    QCOMPARE(onServer(t, t.description, code).toString(), description);
    QCOMPARE(onServer(t, t.type, code).toInt(), 1);
    QCOMPARE(onServer(t, t.date, code).toDate(), Movements::parseDate(dateText));
    QCOMPARE(onServer(t, t.month, code).toInt(), 3);
    const double total = isNew ? 14.5 : 25.0;
    QCOMPARE(count("TCAIXAMES"), 1);
    QCOMPARE(summaryOnServer("CAICODIGO", 3, 2024).toInt(), 1);
    QCOMPARE(summaryOnServer("CAIVALORGASTO", 3, 2024).toDouble(), expense ? total : 0.0);
    QCOMPARE(summaryOnServer("CAIVALORRECEBIDO", 3, 2024).toDouble(), expense ? 0.0 : total);
    QCOMPARE(summaryOnServer("CAIVALORDISPONIVEL", 3, 2024).toDouble(), expense ? -total : total);
}

void TstMovements::refusedSummaryUndoesRemove_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<Obstacle>("obstacle");
    QTest::newRow("expense, summary update refused") << "expense" << Obstacle::Trigger;
    QTest::newRow("receipt, summary update refused") << "receipt" << Obstacle::Trigger;
    QTest::newRow("expense, summary changed by another program")
        << "expense" << Obstacle::ChangedBehind;
}

void TstMovements::refusedSummaryUndoesRemove()
{
    QFETCH(QString, kind);
    QFETCH(Obstacle, obstacle);
    const MovementTable &t = table(kind);
    const bool expense = kind == "expense";
    const QString column = expense ? "CAIVALORGASTO" : "CAIVALORRECEBIDO";
    addMovement(t, 1, "Mercado", 10.0, QDate(2024, 3, 15));
    addMovement(t, 2, "Padaria", 4.0, QDate(2024, 3, 20));
    addSummary(1, 3, 2024, expense ? 14.0 : 0.0, expense ? 0.0 : 14.0);
    m_f->summaries.open();
    Movements mov = m_f->movements(t);
    mov.open();
    TableCache &c = mov.cache();
    QVERIFY(c.locate(t.code, {1}));
    putObstacle(obstacle);

    try {
        mov.remove();
        QFAIL("the refused summary was not reported");
    } catch (const DbError &e) {
        QVERIFY2(e.details().contains("TCAIXAMES"), qPrintable(e.details()));
    }

    // The movement stays on the server, and the cache holds it again as read from there.
    QCOMPARE(countCode(t, 1), 1);
    QCOMPARE(summaryOnServer(column, 3, 2024).toDouble(), 14.0);
    QCOMPARE(c.state(), TableCache::Browse);
    QCOMPARE(c.pendingCount(), 0);
    QCOMPARE(c.recordCount(), 2);
    QVERIFY(c.locate(t.code, {1}));
    QCOMPARE(c.value(t.amount).toDouble(), 10.0);

    removeObstacle(obstacle);
    mov.remove();

    QCOMPARE(countCode(t, 1), 0);
    QCOMPARE(count(c.tableName()), 1);
    QCOMPARE(c.recordCount(), 1);
    QCOMPARE(c.pendingCount(), 0);
    QCOMPARE(count("TCAIXAMES"), 1);
    QCOMPARE(summaryOnServer("CAIVALORGASTO", 3, 2024).toDouble(), expense ? 4.0 : 0.0);
    QCOMPARE(summaryOnServer("CAIVALORRECEBIDO", 3, 2024).toDouble(), expense ? 0.0 : 4.0);
    QCOMPARE(summaryOnServer("CAIVALORDISPONIVEL", 3, 2024).toDouble(), expense ? -4.0 : 4.0);
}

void TstMovements::openDropsRowLeftBeingEdited()
{
    const MovementTable &t = MovementTable::receipts();
    Movements before = m_f->movements(t);
    before.open();
    before.insertNew();
    before.cache().setValue(t.description, "esquecido");

    Movements mov = m_f->movements(t);
    mov.open();
    QCOMPARE(mov.cache().state(), TableCache::Browse);
    QCOMPARE(mov.cache().recordCount(), 0);
    QCOMPARE(mov.cache().pendingCount(), 0);
}

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    TstMovements t;
    return test::runTests(t, argc, argv);
}

#include "tst_movements.moc"
