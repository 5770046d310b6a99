#include "db/dberror.h"
#include "db/tablecache.h"
#include "finance/core/caixa.h"
#include "finance/core/movements.h"
#include "finance/tdm.h"
#include "support/testdb.h"
#include "ui/dialogs.h"

#include <QApplication>
#include <QtTest>

#include <memory>

using namespace lx;
using namespace lx::finance;

class TstMovimento : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void lerData_data();
    void lerData();
    void filtroBusca_data();
    void filtroBusca();

    void novoESalvar_data();
    void novoESalvar();
    void dataInvalidaNaoGrava_data();
    void dataInvalidaNaoGrava();
    void alterarRecalculaOMesDaLinha_data();
    void alterarRecalculaOMesDaLinha();
    void excluirRecalculaOMesLidoAntes_data();
    void excluirRecalculaOMesLidoAntes();
    void excluirTabelaVazia();
    void busca_data();
    void busca();
    void buscaFicaNaCacheAteMostrarTodos();
    void novoCodigoComBuscaAtiva_data();
    void novoCodigoComBuscaAtiva();
    void gravacaoRecusadaGuardaODigitado_data();
    void gravacaoRecusadaGuardaODigitado();
    void exclusaoRecusadaNaoRecalcula();
    void abrirDescartaLinhaDeixadaEmEdicao();

private:
    const TabelaMovimento &tabela(const QString &nome) const;
    void movimento(const TabelaMovimento &t, int codigo, const QString &descricao, double valor,
                   const QDate &data);
    void caixa(int codigo, int mes, int ano, double gasto);
    QVariant caixaServidor(const QString &coluna, int mes, int ano) const;
    QVariant doServidor(const TabelaMovimento &t, const QString &coluna, int codigo) const;
    int contar(const QString &tabela) const;

    std::unique_ptr<test::TestDb> m_db;
    std::unique_ptr<TDM> m_dm;
};

void TstMovimento::initTestCase()
{
    if (test::TestDb::serverUnavailable())
        QSKIP("no Firebird server configured (scripts/test starts one)");
    ui::Dialogs::setScripted(true);
}

void TstMovimento::init()
{
    ui::Dialogs::clearShown();
    m_db = std::make_unique<test::TestDb>();
    m_dm = std::make_unique<TDM>(m_db->aliasFile(), QStringLiteral("/nonexistent/"));
    QVERIFY(m_dm->SQLConnection1.isOpen());
}

void TstMovimento::cleanup()
{
    m_dm.reset();
    m_db.reset();
}

const TabelaMovimento &TstMovimento::tabela(const QString &nome) const
{
    return nome == "gasto" ? tabelaGasto() : tabelaRecebimento();
}

void TstMovimento::movimento(const TabelaMovimento &t, int codigo, const QString &descricao,
                             double valor, const QDate &data)
{
    const QString tabela = (m_dm.get()->*t.cache)->tableName();
    m_db->exec(QString("INSERT INTO %1 (%2, %3, %4, %5, %6, %7) VALUES (?, ?, ?, ?, ?, ?)")
                   .arg(tabela, t.codigo, t.descricao, t.valor, t.data, t.mes, t.ano),
               {codigo, descricao, valor, data, data.month(), data.year()});
}

void TstMovimento::caixa(int codigo, int mes, int ano, double gasto)
{
    m_db->exec("INSERT INTO TCAIXAMES (CAICODIGO, CAIMES, CAINOMEMES, CAIANO, CAIVALORGASTO, "
               "CAIVALORRECEBIDO, CAIVALORDISPONIVEL) VALUES (?, ?, ?, ?, ?, 0, ?)",
               {codigo, mes, nomeMes(mes), ano, gasto, -gasto});
}

QVariant TstMovimento::caixaServidor(const QString &coluna, int mes, int ano) const
{
    return m_db->scalar(
        QString("SELECT %1 FROM TCAIXAMES WHERE CAIMES = ? AND CAIANO = ?").arg(coluna),
        {mes, ano});
}

QVariant TstMovimento::doServidor(const TabelaMovimento &t, const QString &coluna, int codigo) const
{
    const QString tabela = (m_dm.get()->*t.cache)->tableName();
    return m_db->scalar(QString("SELECT %1 FROM %2 WHERE %3 = ?").arg(coluna, tabela, t.codigo),
                        {codigo});
}

int TstMovimento::contar(const QString &tabela) const
{
    return m_db->scalar(QString("SELECT COUNT(*) FROM %1").arg(tabela)).toInt();
}

void TstMovimento::lerData_data()
{
    QTest::addColumn<QString>("texto");
    QTest::addColumn<QDate>("data");
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

void TstMovimento::lerData()
{
    QFETCH(QString, texto);
    QFETCH(QDate, data);
    if (data.isValid()) {
        QCOMPARE(Movimento::lerData(texto), data);
        return;
    }
    try {
        Movimento::lerData(texto);
        QFAIL("no conversion error");
    } catch (const DbError &e) {
        QVERIFY2(e.message().contains("'" + texto + "'"), qPrintable(e.message()));
        QVERIFY2(e.message().contains("data válida"), qPrintable(e.message()));
    }
}

void TstMovimento::filtroBusca_data()
{
    QTest::addColumn<QString>("coluna");
    QTest::addColumn<QString>("texto");
    QTest::addColumn<QString>("filtro");
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

void TstMovimento::filtroBusca()
{
    QFETCH(QString, coluna);
    QFETCH(QString, texto);
    QFETCH(QString, filtro);
    QCOMPARE(Movimento::filtroBusca(coluna, texto), filtro);
}

void TstMovimento::novoESalvar_data()
{
    QTest::addColumn<QString>("nome");
    QTest::newRow("expense") << "gasto";
    QTest::newRow("receipt") << "recebimento";
}

void TstMovimento::novoESalvar()
{
    QFETCH(QString, nome);
    const TabelaMovimento &t = tabela(nome);
    const bool gasto = nome == "gasto";
    // Other months' summaries, stale on purpose: only March 2024 may be recomputed.
    caixa(4, 2, 2024, 11.0);
    caixa(2, 3, 2023, 22.0);
    caixa(3, 4, 2024, 33.0);

    Movimento mov(*m_dm, t);
    mov.abrir();
    TableCache &c = mov.cache();
    QCOMPARE(mov.novo(), 1);
    QCOMPARE(c.state(), TableCache::Insert);
    QCOMPARE(c.value(t.data).toDate(), QDate::currentDate());
    c.setValue(t.descricao, "Conta de luz");
    c.setValue(t.valor, 150.75);
    mov.salvar("15/03/2024");

    QCOMPARE(c.state(), TableCache::Browse);
    QCOMPARE(c.pendingCount(), 0);
    QCOMPARE(doServidor(t, t.mes, 1).toInt(), 3);
    QCOMPARE(doServidor(t, t.ano, 1).toInt(), 2024);
    QCOMPARE(doServidor(t, t.data, 1).toDate(), QDate(2024, 3, 15));
    QCOMPARE(doServidor(t, t.descricao, 1).toString(), QString("Conta de luz"));

    // The month's first movement creates its row with the next code and the month's name.
    QCOMPARE(caixaServidor("CAICODIGO", 3, 2024).toInt(), 5);
    QCOMPARE(caixaServidor("CAINOMEMES", 3, 2024).toString(), QString("Março"));
    QCOMPARE(caixaServidor("CAIVALORGASTO", 3, 2024).toDouble(), gasto ? 150.75 : 0.0);
    QCOMPARE(caixaServidor("CAIVALORRECEBIDO", 3, 2024).toDouble(), gasto ? 0.0 : 150.75);
    QCOMPARE(caixaServidor("CAIVALORDISPONIVEL", 3, 2024).toDouble(), gasto ? -150.75 : 150.75);
    QCOMPARE(contar("TCAIXAMES"), 4);
    QCOMPARE(caixaServidor("CAIVALORGASTO", 2, 2024).toDouble(), 11.0);
    QCOMPARE(caixaServidor("CAIVALORGASTO", 3, 2023).toDouble(), 22.0);
    QCOMPARE(caixaServidor("CAIVALORGASTO", 4, 2024).toDouble(), 33.0);
}

void TstMovimento::dataInvalidaNaoGrava_data()
{
    QTest::addColumn<QString>("nome");
    QTest::addColumn<QString>("texto");
    QTest::newRow("expense, blank box") << "gasto"
                                        << "  /  /    ";
    QTest::newRow("receipt, blank box") << "recebimento"
                                        << "  /  /    ";
    QTest::newRow("expense, 31/02") << "gasto"
                                    << "31/02/2024";
}

void TstMovimento::dataInvalidaNaoGrava()
{
    QFETCH(QString, nome);
    QFETCH(QString, texto);
    const TabelaMovimento &t = tabela(nome);
    Movimento mov(*m_dm, t);
    mov.abrir();
    mov.novo();
    mov.cache().setValue(t.descricao, "Mercado");
    QVERIFY_THROWS_EXCEPTION(DbError, mov.salvar(texto));

    TableCache &c = mov.cache();
    QCOMPARE(c.state(), TableCache::Insert);
    QCOMPARE(c.pendingCount(), 0);
    QCOMPARE(c.value(t.descricao).toString(), QString("Mercado"));
    QVERIFY(c.value(t.mes).isNull());
    QCOMPARE(contar(c.tableName()), 0);
    QCOMPARE(contar("TCAIXAMES"), 0);
}

void TstMovimento::alterarRecalculaOMesDaLinha_data()
{
    novoESalvar_data();
}

void TstMovimento::alterarRecalculaOMesDaLinha()
{
    QFETCH(QString, nome);
    const TabelaMovimento &t = tabela(nome);
    const QString coluna = nome == "gasto" ? "CAIVALORGASTO" : "CAIVALORRECEBIDO";
    movimento(t, 1, "Mercado", 10.0, QDate(2024, 3, 15));
    movimento(t, 2, "Padaria", 4.0, QDate(2024, 3, 20));
    caixa(1, 3, 2024, 0.0);

    Movimento mov(*m_dm, t);
    mov.abrir();
    QVERIFY(mov.cache().locate(t.codigo, {1}));
    QVERIFY(mov.alterar());
    QVERIFY(!mov.alterar()); // already being changed
    mov.cache().setValue(t.valor, 25.0);
    mov.salvar("15/03/2024");

    QCOMPARE(doServidor(t, t.valor, 1).toDouble(), 25.0);
    QCOMPARE(doServidor(t, t.mes, 1).toInt(), 3);
    QCOMPARE(caixaServidor(coluna, 3, 2024).toDouble(), 29.0);
    QCOMPARE(contar("TCAIXAMES"), 1);
}

void TstMovimento::excluirRecalculaOMesLidoAntes_data()
{
    novoESalvar_data();
}

void TstMovimento::excluirRecalculaOMesLidoAntes()
{
    QFETCH(QString, nome);
    const TabelaMovimento &t = tabela(nome);
    const QString coluna = nome == "gasto" ? "CAIVALORGASTO" : "CAIVALORRECEBIDO";
    movimento(t, 1, "Mercado", 80.0, QDate(2024, 7, 10));
    Movimento mov(*m_dm, t);
    mov.abrir();
    mov.alterar();
    mov.salvar("10/07/2024");
    QCOMPARE(caixaServidor(coluna, 7, 2024).toDouble(), 80.0);

    mov.excluir();

    QCOMPARE(contar(mov.cache().tableName()), 0);
    QCOMPARE(mov.cache().recordCount(), 0);
    QCOMPARE(contar("TCAIXAMES"), 1);
    QCOMPARE(caixaServidor("CAIVALORGASTO", 7, 2024).toDouble(), 0.0);
    QCOMPARE(caixaServidor("CAIVALORRECEBIDO", 7, 2024).toDouble(), 0.0);
    QCOMPARE(caixaServidor("CAIVALORDISPONIVEL", 7, 2024).toDouble(), 0.0);
}

void TstMovimento::excluirTabelaVazia()
{
    Movimento mov(*m_dm, tabelaGasto());
    mov.abrir();
    QVERIFY_THROWS_EXCEPTION(DbError, mov.excluir());
    QCOMPARE(contar("TCAIXAMES"), 0);
}

void TstMovimento::busca_data()
{
    QTest::addColumn<QString>("texto");
    QTest::addColumn<QStringList>("vistos");
    QTest::newRow("any case, anywhere") << "LUZ" << QStringList{"Conta de luz", "Luzes de Natal"};
    QTest::newRow("quote matched literally") << "d'agua" << QStringList{"Conta d'agua"};
    QTest::newRow("percent is a wildcard")
        << "c%a" << QStringList{"Conta d'agua", "Conta de luz", "Mercado"};
    QTest::newRow("cleared box shows all")
        << ""
        << QStringList{"Conta d'agua", "Conta de luz", "Luzes de Natal", "100% algodão", "Mercado"};
    QTest::newRow("no match") << "xyz" << QStringList{};
}

void TstMovimento::busca()
{
    QFETCH(QString, texto);
    QFETCH(QStringList, vistos);
    const TabelaMovimento &t = tabelaGasto();
    const QStringList todos{"Conta d'agua", "Conta de luz", "Luzes de Natal", "100% algodão",
                            "Mercado"};
    for (int i = 0; i < todos.size(); ++i)
        movimento(t, i + 1, todos[i], 1.0, QDate(2024, 1, 1));
    Movimento mov(*m_dm, t);
    mov.abrir();
    mov.buscar(texto);

    TableCache &c = mov.cache();
    QVERIFY(c.isFiltered());
    QCOMPARE(c.filter(), Movimento::filtroBusca(t.descricao, texto));
    QStringList shown;
    for (int r = 0; r < c.recordCount(); ++r)
        shown << c.value(r, c.fieldIndex(t.descricao)).toString();
    QCOMPARE(shown, vistos);
}

void TstMovimento::buscaFicaNaCacheAteMostrarTodos()
{
    const TabelaMovimento &t = tabelaGasto();
    movimento(t, 1, "Conta de luz", 1.0, QDate(2024, 1, 1));
    movimento(t, 2, "Mercado", 2.0, QDate(2024, 1, 1));
    {
        Movimento mov(*m_dm, t);
        mov.abrir();
        mov.buscar("luz");
        mov.novo();
        mov.cache().setValue(t.descricao, "Padaria");
        mov.salvar("02/01/2024");
        // The saved row does not match: the grid keeps showing the search's rows only.
        QCOMPARE(mov.cache().recordCount(), 1);
        QCOMPARE(contar("TGASTO"), 3);
    }
    // Another window on the same cache still sees the filter.
    Movimento outra(*m_dm, t);
    outra.abrir();
    QVERIFY(outra.cache().isFiltered());
    QCOMPARE(outra.cache().recordCount(), 1);
    outra.mostrarTodos();
    QVERIFY(!outra.cache().isFiltered());
    QCOMPARE(outra.cache().recordCount(), 3);
}

void TstMovimento::novoCodigoComBuscaAtiva_data()
{
    QTest::addColumn<QList<int>>("codigos");
    QTest::addColumn<int>("novo");
    QTest::newRow("highest code filtered out") << QList<int>{3, 41} << 42;
    QTest::newRow("codes out of order") << QList<int>{41, 3, 17} << 42;
}

void TstMovimento::novoCodigoComBuscaAtiva()
{
    QFETCH(QList<int>, codigos);
    QFETCH(int, novo);
    const TabelaMovimento &t = tabelaGasto();
    // Only the first row matches the search.
    movimento(t, codigos[0], "Conta de luz", 1.0, QDate(2024, 1, 1));
    for (int i = 1; i < codigos.size(); ++i)
        movimento(t, codigos[i], "Mercado", 1.0, QDate(2024, 1, 1));
    Movimento mov(*m_dm, t);
    mov.abrir();
    mov.buscar("luz");
    QCOMPARE(mov.cache().recordCount(), 1);
    QCOMPARE(mov.novo(), novo);
}

void TstMovimento::gravacaoRecusadaGuardaODigitado_data()
{
    QTest::addColumn<QString>("nome");
    QTest::addColumn<QString>("busca");
    QTest::newRow("expense") << "gasto" << QString();
    QTest::newRow("receipt") << "recebimento" << QString();
    QTest::newRow("expense hidden by the search") << "gasto"
                                                  << "luz";
}

void TstMovimento::gravacaoRecusadaGuardaODigitado()
{
    QFETCH(QString, nome);
    QFETCH(QString, busca);
    const TabelaMovimento &t = tabela(nome);
    movimento(t, 1, "Conta de luz", 1.0, QDate(2024, 3, 1));
    Movimento mov(*m_dm, t);
    mov.abrir();
    if (!busca.isEmpty())
        mov.buscar(busca);
    TableCache &c = mov.cache();
    QCOMPARE(mov.novo(), 2);
    // Another program takes code 2 meanwhile: the insert is refused.
    movimento(t, 2, "de outro programa", 9.0, QDate(2024, 3, 2));
    c.setValue(t.descricao, "Mercado");
    c.setValue(t.valor, 42.5);

    QVERIFY_THROWS_EXCEPTION(DbError, mov.salvar("15/03/2024"));
    QVERIFY(c.isEditing());
    QCOMPARE(c.value(t.codigo).toInt(), 2);
    QCOMPARE(c.value(t.descricao).toString(), QString("Mercado"));
    QCOMPARE(c.value(t.valor).toDouble(), 42.5);
    QCOMPARE(c.value(t.data).toDate(), QDate(2024, 3, 15));
    QCOMPARE(contar("TCAIXAMES"), 0);
    QCOMPARE(doServidor(t, t.descricao, 2).toString(), QString("de outro programa"));

    // Cancelling drops it for good: the cache shows what the server holds.
    mov.cancelar();
    QCOMPARE(c.state(), TableCache::Browse);
    QCOMPARE(c.pendingCount(), 0);
    mov.mostrarTodos();
    QCOMPARE(c.recordCount(), 2);
    QCOMPARE(contar(c.tableName()), 2);
}

void TstMovimento::exclusaoRecusadaNaoRecalcula()
{
    const TabelaMovimento &t = tabelaGasto();
    movimento(t, 1, "Mercado", 10.0, QDate(2024, 3, 1));
    caixa(1, 3, 2024, 99.0);
    Movimento mov(*m_dm, t);
    mov.abrir();
    // Changed by another program since it was read: the delete is refused.
    m_db->exec("UPDATE TGASTO SET GASVALOR = 12 WHERE GASCODIGO = 1");

    QVERIFY_THROWS_EXCEPTION(DbError, mov.excluir());
    QCOMPARE(contar("TGASTO"), 1);
    QCOMPARE(caixaServidor("CAIVALORGASTO", 3, 2024).toDouble(), 99.0);
    // The row is back, as the server holds it, and nothing is left pending.
    QCOMPARE(mov.cache().recordCount(), 1);
    QCOMPARE(mov.cache().pendingCount(), 0);
    QCOMPARE(mov.cache().value(t.valor).toDouble(), 12.0);
}

void TstMovimento::abrirDescartaLinhaDeixadaEmEdicao()
{
    const TabelaMovimento &t = tabelaRecebimento();
    Movimento antes(*m_dm, t);
    antes.abrir();
    antes.novo();
    antes.cache().setValue(t.descricao, "esquecido");

    Movimento mov(*m_dm, t);
    mov.abrir();
    QCOMPARE(mov.cache().state(), TableCache::Browse);
    QCOMPARE(mov.cache().recordCount(), 0);
    QCOMPARE(mov.cache().pendingCount(), 0);
}

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QLocale::setDefault(QLocale(QLocale::Portuguese, QLocale::Brazil));
    TstMovimento t;
    return QTest::qExec(&t, argc, argv);
}

#include "tst_movimento.moc"
