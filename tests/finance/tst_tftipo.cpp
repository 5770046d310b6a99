#include "db/tablecache.h"
#include "finance/tdm.h"
#include "finance/tftipoentrada.h"
#include "finance/tftipogasto.h"
#include "support/testdb.h"
#include "ui/datasource.h"
#include "ui/dbedit.h"
#include "ui/dbgrid.h"
#include "ui/dbnavigator.h"
#include "ui/dialogs.h"

#include <QApplication>
#include <QLabel>
#include <QTabWidget>
#include <QToolButton>
#include <QtTest>

#include <memory>

using namespace lx;
using namespace lx::finance;

namespace {
struct Tipo
{
    QString tabela;
    QString codigo;
    QString descricao;
};

const Tipo &tipo(const QString &janela)
{
    static const Tipo gasto{"TTIPOGASTO", "TGACODIGO", "TGADESCRICAO"};
    static const Tipo entrada{"TTIPORECEB", "TRECODIGO", "TREDESCRICAO"};
    return janela == "TFTipoGasto" ? gasto : entrada;
}
} // namespace

class TstTFTipo : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void aparencia_data();
    void aparencia();
    void estados_data();
    void estados();
    void teclas_data();
    void teclas();
    void codigoDoTipoDeGastoSeDigita();
    void salvarSemCodigoFicaEmEdicao();
    void gravacaoRecusadaGuardaODigitado();
    void excluirSemPergunta_data();
    void excluirSemPergunta();
    void excluirRegistroVazio_data();
    void excluirRegistroVazio();
    void fecharEmEdicaoCancela_data();
    void fecharEmEdicaoCancela();
    void linhaNaoMudaEmEdicao_data();
    void linhaNaoMudaEmEdicao();
    void consultarEDuploClique();

private:
    void janelas();
    void tipos(const QString &janela, const QList<int> &codigos);
    RegisterWindow *abrir(const QString &janela);
    QVariant servidor(const QString &janela, int codigo) const;
    int contar(const QString &janela) const;

    std::unique_ptr<test::TestDb> m_db;
    std::unique_ptr<TDM> m_dm;
    std::unique_ptr<RegisterWindow> m_janela;
};

void TstTFTipo::initTestCase()
{
    ui::Dialogs::setScripted(true);
}

void TstTFTipo::init()
{
    ui::Dialogs::clearShown();
    m_db = std::make_unique<test::TestDb>();
    m_dm = std::make_unique<TDM>(m_db->aliasFile(), QStringLiteral("/nonexistent/"));
}

void TstTFTipo::cleanup()
{
    m_janela.reset();
    m_dm.reset();
    m_db.reset();
}

void TstTFTipo::janelas()
{
    QTest::addColumn<QString>("janela");
    QTest::newRow("TFTipoGasto") << "TFTipoGasto";
    QTest::newRow("TFTipoEntrada") << "TFTipoEntrada";
}

void TstTFTipo::tipos(const QString &janela, const QList<int> &codigos)
{
    const Tipo &t = tipo(janela);
    for (int c : codigos)
        m_db->exec(
            QString("INSERT INTO %1 (%2, %3) VALUES (?, ?)").arg(t.tabela, t.codigo, t.descricao),
            {c, QString("Tipo %1").arg(c)});
}

RegisterWindow *TstTFTipo::abrir(const QString &janela)
{
    if (janela == "TFTipoGasto")
        m_janela = std::make_unique<TFTipoGasto>();
    else
        m_janela = std::make_unique<TFTipoEntrada>();
    m_janela->show();
    if (!QTest::qWaitForWindowActive(m_janela.get()))
        return nullptr;
    return m_janela.get();
}

QVariant TstTFTipo::servidor(const QString &janela, int codigo) const
{
    const Tipo &t = tipo(janela);
    return m_db->scalar(
        QString("SELECT %1 FROM %2 WHERE %3 = ?").arg(t.descricao, t.tabela, t.codigo), {codigo});
}

int TstTFTipo::contar(const QString &janela) const
{
    return m_db->scalar("SELECT COUNT(*) FROM " + tipo(janela).tabela).toInt();
}

void TstTFTipo::aparencia_data()
{
    QTest::addColumn<QString>("janela");
    QTest::addColumn<QString>("titulo");
    QTest::newRow("TFTipoGasto") << "TFTipoGasto"
                                 << "Cadastro de Tipos de Gasto";
    QTest::newRow("TFTipoEntrada") << "TFTipoEntrada"
                                   << "Cadastro de Tipos de Entrada";
}

void TstTFTipo::aparencia()
{
    QFETCH(QString, janela);
    QFETCH(QString, titulo);
    RegisterWindow *w = abrir(janela);
    QVERIFY(w);
    QCOMPARE(w->windowTitle(), titulo);
    QVERIFY(!(w->windowFlags() & Qt::WindowMaximizeButtonHint));
    QVERIFY(w->windowFlags() & Qt::WindowMinimizeButtonHint);
    QCOMPARE(w->PageControl1->tabText(0), QString("Cadastro"));
    QCOMPARE(w->PageControl1->tabText(1), QString("Consulta"));
    QCOMPARE(w->PageControl1->currentWidget(), w->TabSheet1);
    QCOMPARE(w->rotulos[0]->text(), QString("CÓDIGO"));
    QCOMPARE(w->rotulos[1]->text(), QString("DESCRIÇÃO"));
    QStringList legendas;
    for (QToolButton *b : {w->btnNovo, w->btnAlterar, w->btnSalvar, w->btnCancelar, w->btnExcluir,
                           w->btnConsultar, w->btnSair})
        legendas << b->text();
    QCOMPARE(legendas, (QStringList{"Novo", "Alterar", "Salvar", "Cancelar", "Excluir", "Consultar",
                                    "Sair"}));
    const CacheModel *m = w->DBGrid1->cacheModel();
    QCOMPARE(m->columnCount(), 2);
    QCOMPARE(m->headerData(0, Qt::Horizontal).toString(), QString("Código"));
    QCOMPARE(m->headerData(1, Qt::Horizontal).toString(), QString("Descrição"));
}

void TstTFTipo::estados_data()
{
    janelas();
}

void TstTFTipo::estados()
{
    QFETCH(QString, janela);
    const bool gasto = janela == "TFTipoGasto";
    tipos(janela, {1, 2, 5});
    RegisterWindow *w = abrir(janela);
    QVERIFY(w);
    auto verificar = [&](bool edicao) {
        QCOMPARE(w->editando(), edicao);
        QCOMPARE(w->caixas[0]->isEnabled(), edicao && gasto);
        QCOMPARE(w->caixas[1]->isEnabled(), edicao);
        for (QToolButton *b : {w->btnNovo, w->btnExcluir, w->btnConsultar, w->btnSair})
            QVERIFY2(b->isEnabled() == !edicao, qPrintable(b->objectName()));
        for (QToolButton *b : {w->btnSalvar, w->btnCancelar})
            QVERIFY2(b->isEnabled() == edicao, qPrintable(b->objectName()));
        QVERIFY(w->btnAlterar->isEnabled());
        QVERIFY(w->DBNavigator1->isEnabled());
        QVERIFY(w->DBGrid1->isEnabled());
    };
    verificar(false);
    QVERIFY(w->cache().isOpen());

    w->btnNovo->click();
    verificar(true);
    QCOMPARE(w->cache().state(), TableCache::Insert);
    QCOMPARE(w->caixas[0]->text(), QString("6"));
    QCOMPARE(QApplication::focusWidget(), w->caixas[1]);

    w->btnCancelar->click();
    verificar(false);
    QCOMPARE(w->cache().recordCount(), 3);

    w->btnAlterar->click();
    verificar(true);
    QCOMPARE(w->cache().state(), TableCache::Edit);
    w->btnAlterar->click(); // again: nothing changes
    QCOMPARE(w->cache().state(), TableCache::Edit);
    QVERIFY(ui::Dialogs::shown().isEmpty());
}

void TstTFTipo::teclas_data()
{
    janelas();
}

void TstTFTipo::teclas()
{
    QFETCH(QString, janela);
    const bool gasto = janela == "TFTipoGasto";
    tipos(janela, {1, 2, 5});
    RegisterWindow *w = abrir(janela);
    QVERIFY(w);
    ui::DBEdit *descricao = w->caixas[1];
    w->btnNovo->click();
    QTest::keyClicks(descricao, "Luz");

    // Enter and Down move on without saving; Up goes back.
    QTest::keyClick(descricao, Qt::Key_Return);
    QVERIFY(!descricao->hasFocus());
    QVERIFY(w->DBNavigator1->isAncestorOf(QApplication::focusWidget()));
    QCOMPARE(w->cache().state(), TableCache::Insert);
    descricao->setFocus();
    QTest::keyClick(descricao, Qt::Key_Down);
    QVERIFY(!descricao->hasFocus());
    descricao->setFocus();
    QTest::keyClick(descricao, Qt::Key_Up);
    if (gasto)
        QCOMPARE(QApplication::focusWidget(), w->caixas[0]);
    else
        QVERIFY(!descricao->hasFocus());
    QCOMPARE(w->cache().state(), TableCache::Insert);
    QCOMPARE(contar(janela), 3);

    // F5 saves and re-reads: the first row becomes current.
    descricao->setFocus();
    QTest::keyClick(descricao, Qt::Key_F5);
    QVERIFY(ui::Dialogs::shown().isEmpty());
    QCOMPARE(servidor(janela, 6).toString(), QString("Luz"));
    QVERIFY(!w->editando());
    QCOMPARE(w->cache().state(), TableCache::Browse);
    QCOMPARE(w->cache().currentRow(), 0);
    QCOMPARE(w->caixas[0]->text(), QString("1"));

    // Esc leaves.
    w->btnAlterar->click();
    QTest::keyClick(descricao, Qt::Key_Escape);
    QVERIFY(!w->isVisible());
}

void TstTFTipo::codigoDoTipoDeGastoSeDigita()
{
    tipos("TFTipoGasto", {1});
    RegisterWindow *w = abrir("TFTipoGasto");
    QVERIFY(w);
    w->btnNovo->click();
    ui::DBEdit *codigo = w->caixas[0];
    codigo->setFocus();
    codigo->selectAll();
    QTest::keyClicks(codigo, "40");
    QTest::keyClicks(w->caixas[1], "Escola");
    w->btnSalvar->click();
    QVERIFY(ui::Dialogs::shown().isEmpty());
    QCOMPARE(servidor("TFTipoGasto", 40).toString(), QString("Escola"));
}

void TstTFTipo::salvarSemCodigoFicaEmEdicao()
{
    RegisterWindow *w = abrir("TFTipoGasto");
    QVERIFY(w);
    w->btnNovo->click();
    w->caixas[0]->setFocus();
    w->caixas[0]->clear();
    QTest::keyClicks(w->caixas[1], "Sem codigo");
    QTest::keyClick(w->caixas[1], Qt::Key_F5);

    QCOMPARE(ui::Dialogs::texts(ui::Dialogs::Error).size(), 1);
    QVERIFY(ui::Dialogs::texts(ui::Dialogs::Error).first().contains("TGACODIGO"));
    QVERIFY(w->editando());
    QCOMPARE(w->cache().state(), TableCache::Insert);
    QCOMPARE(w->caixas[1]->text(), QString("Sem codigo"));
    QCOMPARE(contar("TFTipoGasto"), 0);
}

void TstTFTipo::gravacaoRecusadaGuardaODigitado()
{
    tipos("TFTipoGasto", {1, 2});
    RegisterWindow *w = abrir("TFTipoGasto");
    QVERIFY(w);
    QVERIFY(w->cache().locate("TGACODIGO", {2}));
    w->btnAlterar->click();
    // Code 1 is taken: the server refuses the change.
    w->caixas[0]->selectAll();
    QTest::keyClicks(w->caixas[0], "1");
    w->caixas[1]->selectAll();
    QTest::keyClicks(w->caixas[1], "Renomeado");
    w->btnSalvar->click();

    QCOMPARE(ui::Dialogs::texts(ui::Dialogs::Error).size(), 1);
    QVERIFY(w->editando());
    QVERIFY(w->cache().isEditing());
    QCOMPARE(w->caixas[1]->text(), QString("Renomeado"));
    QCOMPARE(servidor("TFTipoGasto", 2).toString(), QString("Tipo 2"));

    // Typing the code back makes the same row save.
    w->caixas[0]->selectAll();
    QTest::keyClicks(w->caixas[0], "2");
    w->btnSalvar->click();
    QCOMPARE(ui::Dialogs::texts(ui::Dialogs::Error).size(), 1);
    QVERIFY(!w->editando());
    QCOMPARE(servidor("TFTipoGasto", 2).toString(), QString("Renomeado"));
    QCOMPARE(contar("TFTipoGasto"), 2);
}

void TstTFTipo::excluirSemPergunta_data()
{
    janelas();
}

void TstTFTipo::excluirSemPergunta()
{
    QFETCH(QString, janela);
    tipos(janela, {1, 2});
    m_db->exec("INSERT INTO TGASTO (GASCODIGO, GASTIPO) VALUES (1, 1)");
    RegisterWindow *w = abrir(janela);
    QVERIFY(w);
    w->btnExcluir->click();
    QVERIFY(ui::Dialogs::shown().isEmpty());
    QCOMPARE(contar(janela), 1);
    QVERIFY(servidor(janela, 1).isNull());
    QCOMPARE(w->cache().recordCount(), 1);
    QVERIFY(!w->editando());
    // The delete does not look at the movements using the type.
    QCOMPARE(m_db->scalar("SELECT COUNT(*) FROM TGASTO").toInt(), 1);
}

void TstTFTipo::excluirRegistroVazio_data()
{
    janelas();
}

void TstTFTipo::excluirRegistroVazio()
{
    QFETCH(QString, janela);
    RegisterWindow *w = abrir(janela);
    QVERIFY(w);
    w->btnExcluir->click();
    QCOMPARE(ui::Dialogs::texts(ui::Dialogs::Error).size(), 1);
    QVERIFY(!w->editando());
    QCOMPARE(w->cache().state(), TableCache::Browse);
    QCOMPARE(w->cache().pendingCount(), 0);
    QCOMPARE(contar(janela), 0);
}

void TstTFTipo::fecharEmEdicaoCancela_data()
{
    QTest::addColumn<QString>("janela");
    QTest::addColumn<QString>("como");
    QTest::addColumn<bool>("novo");
    QTest::newRow("TFTipoGasto, Esc while changing") << "TFTipoGasto"
                                                     << "esc" << false;
    QTest::newRow("TFTipoGasto, close box while inserting") << "TFTipoGasto"
                                                            << "close" << true;
    QTest::newRow("TFTipoEntrada, Esc while inserting") << "TFTipoEntrada"
                                                        << "esc" << true;
    QTest::newRow("TFTipoEntrada, close box while changing") << "TFTipoEntrada"
                                                             << "close" << false;
}

void TstTFTipo::fecharEmEdicaoCancela()
{
    QFETCH(QString, janela);
    QFETCH(QString, como);
    QFETCH(bool, novo);
    tipos(janela, {1});
    RegisterWindow *w = abrir(janela);
    QVERIFY(w);
    (novo ? w->btnNovo : w->btnAlterar)->click();
    QTest::keyClick(w->caixas[1], Qt::Key_End);
    QTest::keyClicks(w->caixas[1], " mudado");
    if (como == "esc")
        QTest::keyClick(w->caixas[1], Qt::Key_Escape);
    else
        w->close();

    QVERIFY(!w->isVisible());
    TableCache &c = w->cache();
    QCOMPARE(c.state(), TableCache::Browse);
    QCOMPARE(c.pendingCount(), 0);
    QCOMPARE(c.recordCount(), 1);
    QCOMPARE(c.value(tipo(janela).descricao).toString(), QString("Tipo 1"));
    m_janela.reset(); // the boxes would write pending text on the way out
    QCOMPARE(c.state(), TableCache::Browse);
    QCOMPARE(c.pendingCount(), 0);
    QCOMPARE(contar(janela), 1);
}

void TstTFTipo::linhaNaoMudaEmEdicao_data()
{
    QTest::addColumn<QString>("janela");
    QTest::addColumn<QString>("como");
    QTest::newRow("TFTipoGasto, grid click") << "TFTipoGasto"
                                             << "grid";
    QTest::newRow("TFTipoGasto, grid key") << "TFTipoGasto"
                                           << "key";
    QTest::newRow("TFTipoEntrada, navigator") << "TFTipoEntrada"
                                              << "navigator";
}

void TstTFTipo::linhaNaoMudaEmEdicao()
{
    QFETCH(QString, janela);
    QFETCH(QString, como);
    tipos(janela, {1, 2, 3});
    RegisterWindow *w = abrir(janela);
    QVERIFY(w);
    w->btnAlterar->click();
    QTest::keyClick(w->caixas[1], Qt::Key_End);
    QTest::keyClicks(w->caixas[1], "!");
    if (como == "navigator") {
        QTest::mouseClick(w->DBNavigator1->button(ui::DBNavigator::Last), Qt::LeftButton);
    } else {
        w->PageControl1->setCurrentWidget(w->TabSheet2);
        ui::DBGrid *g = w->DBGrid1;
        if (como == "grid") {
            const QRect r = g->visualRect(g->model()->index(2, 1));
            QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, r.center());
        } else {
            g->setFocus();
            QTest::keyClick(g, Qt::Key_Down);
            QTest::keyClick(g, Qt::Key_End);
        }
    }
    QCOMPARE(w->cache().currentRow(), 0);
    QCOMPARE(w->cache().state(), TableCache::Edit);
    QCOMPARE(w->cache().pendingCount(), 0);
    w->PageControl1->setCurrentWidget(w->TabSheet1);
    QTest::keyClick(w->caixas[1], Qt::Key_F5);
    QVERIFY(ui::Dialogs::shown().isEmpty());
    QCOMPARE(servidor(janela, 1).toString(), QString("Tipo 1!"));
    QCOMPARE(servidor(janela, 3).toString(), QString("Tipo 3"));

    // Browsing, the same moves do move.
    QTest::mouseClick(w->DBNavigator1->button(ui::DBNavigator::Last), Qt::LeftButton);
    QCOMPARE(w->cache().currentRow(), 2);
}

void TstTFTipo::consultarEDuploClique()
{
    tipos("TFTipoEntrada", {1, 2, 3});
    RegisterWindow *w = abrir("TFTipoEntrada");
    QVERIFY(w);
    w->btnConsultar->click();
    QCOMPARE(w->PageControl1->currentWidget(), w->TabSheet2);
    ui::DBGrid *g = w->DBGrid1;
    const QRect r = g->visualRect(g->model()->index(1, 1));
    QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, r.center());
    QTest::mouseDClick(g->viewport(), Qt::LeftButton, {}, r.center());
    QCOMPARE(w->PageControl1->currentWidget(), w->TabSheet1);
    QCOMPARE(w->caixas[1]->text(), QString("Tipo 2"));
    QVERIFY(!w->editando());
}

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QLocale::setDefault(QLocale(QLocale::Portuguese, QLocale::Brazil));
    TstTFTipo t;
    return QTest::qExec(&t, argc, argv);
}

#include "tst_tftipo.moc"
