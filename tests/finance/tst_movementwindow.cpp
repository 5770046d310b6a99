#include "db/tablecache.h"
#include "finance/application.h"
#include "finance/forms.h"
#include "finance/tdm.h"
#include "finance/tfgasto.h"
#include "finance/tfmenu.h"
#include "finance/tfrecebimento.h"
#include "finance/tftipoentrada.h"
#include "finance/tftipogasto.h"
#include "support/testdb.h"
#include "ui/datasource.h"
#include "ui/dbedit.h"
#include "ui/dbgrid.h"
#include "ui/dblookupcombobox.h"
#include "ui/dialogs.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QToolButton>
#include <QtTest>

#include <memory>

using namespace lx;
using namespace lx::finance;

class TstTFMovimento : public QObject
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
    void teclasEntramESalvam_data();
    void teclasEntramESalvam();
    void f1EmEdicaoNaoFazNada();
    void fecharEmEdicaoCancela_data();
    void fecharEmEdicaoCancela();
    void dataEmBrancoNaoSalva();
    void excluir_data();
    void excluir();
    void buscaSobreviveAoFechar_data();
    void buscaSobreviveAoFechar();
    void linhaNaoMudaEmEdicao();
    void botaoTipoAbreORegistro_data();
    void botaoTipoAbreORegistro();
    void menuAbreAsJanelas_data();
    void menuAbreAsJanelas();

private:
    void janelas();
    TFMovimento *abrir(const QString &janela);
    void movimento(const QString &janela, int codigo, const QString &descricao, double valor,
                   const QDate &data);
    QString tabela(const QString &janela) const;
    int contar(const QString &tabela) const;

    std::unique_ptr<test::TestDb> m_db;
    std::unique_ptr<TDM> m_dm;
    std::unique_ptr<TFMovimento> m_janela;
};

void TstTFMovimento::initTestCase()
{
    initApplication(*qobject_cast<QApplication *>(QCoreApplication::instance()));
    ui::Dialogs::setScripted(true);
}

void TstTFMovimento::init()
{
    ui::Dialogs::clearShown();
    m_db = std::make_unique<test::TestDb>();
    m_dm = std::make_unique<TDM>(m_db->aliasFile(), QStringLiteral("/nonexistent/"));
    m_db->exec("INSERT INTO TTIPOGASTO (TGACODIGO, TGADESCRICAO) VALUES (1, 'Casa')");
    m_db->exec("INSERT INTO TTIPORECEB (TRECODIGO, TREDESCRICAO) VALUES (1, 'Salário')");
}

void TstTFMovimento::cleanup()
{
    TFMenu::setModalHook({});
    m_janela.reset();
    m_dm.reset();
    m_db.reset();
}

void TstTFMovimento::janelas()
{
    QTest::addColumn<QString>("janela");
    QTest::newRow("TFGasto") << "TFGasto";
    QTest::newRow("TFRecebimento") << "TFRecebimento";
}

TFMovimento *TstTFMovimento::abrir(const QString &janela)
{
    if (janela == "TFGasto")
        m_janela = std::make_unique<TFGasto>();
    else
        m_janela = std::make_unique<TFRecebimento>();
    m_janela->show();
    if (!QTest::qWaitForWindowActive(m_janela.get()))
        return nullptr;
    return m_janela.get();
}

QString TstTFMovimento::tabela(const QString &janela) const
{
    return janela == "TFGasto" ? "TGASTO" : "TRECEBIMENTO";
}

void TstTFMovimento::movimento(const QString &janela, int codigo, const QString &descricao,
                               double valor, const QDate &data)
{
    const QString p = janela == "TFGasto" ? "GAS" : "REC";
    m_db->exec(QString("INSERT INTO %1 (%2CODIGO, %2DESCRICAO, %2VALOR, %2DATA, %2TIPO, %2MES, "
                       "%2ANO) VALUES (?, ?, ?, ?, 1, ?, ?)")
                   .arg(tabela(janela), p),
               {codigo, descricao, valor, data, data.month(), data.year()});
}

int TstTFMovimento::contar(const QString &tabela) const
{
    return m_db->scalar("SELECT COUNT(*) FROM " + tabela).toInt();
}

void TstTFMovimento::aparencia_data()
{
    QTest::addColumn<QString>("janela");
    QTest::addColumn<QString>("titulo");
    QTest::addColumn<QString>("novo");
    QTest::addColumn<QString>("rotulo");
    QTest::addColumn<QString>("dica");
    QTest::newRow("TFGasto") << "TFGasto"
                             << "Gastos"
                             << "Inserir Novo Gasto"
                             << "Localizar Gasto: "
                             << "Cadastro de Tipos de Gastos";
    QTest::newRow("TFRecebimento") << "TFRecebimento"
                                   << "Entrada de Dinheiro"
                                   << "Inserir Nova Entrada"
                                   << "Localizar Entrada: " << QString();
}

void TstTFMovimento::aparencia()
{
    QFETCH(QString, janela);
    QFETCH(QString, titulo);
    QFETCH(QString, novo);
    QFETCH(QString, rotulo);
    QFETCH(QString, dica);
    TFMovimento *w = abrir(janela);
    QVERIFY(w);
    QCOMPARE(w->windowTitle(), titulo);
    QCOMPARE(w->btnNovo->text(), novo);
    QCOMPARE(w->btnSalvar->text(), QString("Salvar"));
    QCOMPARE(w->btnCancelar->text(), QString("Cancelar Inserção"));
    QCOMPARE(w->btnExcluir->text(), QString("Excluir"));
    QCOMPARE(w->btnSair->toolTip(), QString("Sair"));
    QCOMPARE(w->btnTipo->toolTip(), dica);
    QCOMPARE(w->Label5->text(), rotulo);
    QCOMPARE(w->btnBuscar->text(), QString("Buscar"));
    QCOMPARE(w->btnMostrar->text(), QString("Mostrar Todos"));
    QCOMPARE(w->Alterar1->text(), QString("Alterar"));
    QCOMPARE(w->Novo1->shortcut(), QKeySequence(Qt::Key_F1));
    QStringList titulos;
    for (int c = 0; c < w->DBGrid1->model()->columnCount(); ++c)
        titulos << w->DBGrid1->model()->headerData(c, Qt::Horizontal).toString();
    QCOMPARE(titulos, (QStringList{"Descrição", "Tipo", "Valor", "Data"}));
    QCOMPARE(w->DBEdit2->editMask(), QString("!99/99/0000;1;_"));
}

void TstTFMovimento::estados_data()
{
    janelas();
}

void TstTFMovimento::estados()
{
    QFETCH(QString, janela);
    movimento(janela, 1, "Mercado", 10.0, QDate(2024, 3, 1));
    TFMovimento *w = abrir(janela);
    QVERIFY(w);
    auto verificar = [&](bool edicao, bool dataTravada) {
        QCOMPARE(w->editando(), edicao);
        for (QWidget *c : std::initializer_list<QWidget *>{w->DBEdit3, w->DBLookupComboBox1,
                                                           w->DBEdit1, w->btnSalvar, w->btnSalvar2,
                                                           w->btnCancelar, w->btnTipo})
            QVERIFY2(c->isEnabled() == edicao, qPrintable(c->objectName()));
        QCOMPARE(w->DBEdit2->isEnabled(), edicao && !dataTravada);
        for (QWidget *c : std::initializer_list<QWidget *>{
                 w->btnNovo, w->btnExcluir, w->btnSair, w->txtBuscar, w->btnBuscar, w->btnMostrar})
            QVERIFY2(c->isEnabled() == !edicao, qPrintable(c->objectName()));
        QCOMPARE(w->Novo1->isEnabled(), !edicao);
        QVERIFY(w->DBGrid1->isEnabled());
    };
    verificar(false, false);

    w->btnNovo->click();
    verificar(true, false);
    QCOMPARE(QApplication::focusWidget(), w->DBEdit3);
    QCOMPARE(w->DBEdit2->maskedText(), QDate::currentDate().toString("dd/MM/yyyy"));
    QCOMPARE(w->movimento().cache().value(0).toInt(), 2);

    w->btnCancelar->click();
    verificar(false, false);
    QCOMPARE(w->movimento().cache().recordCount(), 1);

    w->Alterar1->trigger();
    verificar(true, true);
    QCOMPARE(w->movimento().cache().state(), TableCache::Edit);
    QCOMPARE(w->DBEdit2->maskedText(), QString("01/03/2024"));
    QVERIFY(ui::Dialogs::shown().isEmpty());
}

void TstTFMovimento::teclasEntramESalvam_data()
{
    janelas();
}

void TstTFMovimento::teclasEntramESalvam()
{
    QFETCH(QString, janela);
    const bool gasto = janela == "TFGasto";
    m_db->exec("INSERT INTO TCAIXAMES (CAICODIGO, CAIMES, CAIANO, CAIVALORGASTO) "
               "VALUES (1, 4, 2024, 77)");
    TFMovimento *w = abrir(janela);
    QVERIFY(w);
    w->btnNovo->click();
    QTest::keyClicks(w->DBEdit3, "Conta de luz");
    QTest::keyClick(w->DBEdit3, Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget(), w->DBLookupComboBox1);
    QVERIFY(w->DBLookupComboBox1->selectKey(1));
    QTest::keyClick(w->DBLookupComboBox1, Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget(), w->DBEdit1);
    QTest::keyClicks(w->DBEdit1, "150,75");
    QTest::keyClick(w->DBEdit1, Qt::Key_Down);
    QCOMPARE(QApplication::focusWidget(), w->DBEdit2);
    QTest::keyClick(w->DBEdit2, Qt::Key_Up);
    QCOMPARE(QApplication::focusWidget(), w->DBEdit1);
    QTest::keyClick(w->DBEdit1, Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget(), w->DBEdit2);
    QCOMPARE(w->movimento().cache().state(), TableCache::Insert);
    w->DBEdit2->selectAll();
    QTest::keyClicks(w->DBEdit2, "15032024");
    QTest::keyClick(w->DBEdit2, Qt::Key_F5);

    QVERIFY2(ui::Dialogs::shown().isEmpty(),
             qPrintable(ui::Dialogs::texts(ui::Dialogs::Error).join('\n')));
    QVERIFY(!w->editando());
    const QString p = gasto ? "GAS" : "REC";
    QCOMPARE(m_db->scalar(QString("SELECT %1DESCRICAO FROM %2").arg(p, tabela(janela))).toString(),
             QString("Conta de luz"));
    QCOMPARE(m_db->scalar(QString("SELECT %1TIPO FROM %2").arg(p, tabela(janela))).toInt(), 1);
    QCOMPARE(m_db->scalar(QString("SELECT %1MES FROM %2").arg(p, tabela(janela))).toInt(), 3);
    QCOMPARE(m_db->scalar(QString("SELECT %1ANO FROM %2").arg(p, tabela(janela))).toInt(), 2024);
    QCOMPARE(m_db->scalar("SELECT CAIVALORDISPONIVEL FROM TCAIXAMES WHERE CAIMES = 3").toDouble(),
             gasto ? -150.75 : 150.75);
    QCOMPARE(m_db->scalar("SELECT CAIVALORGASTO FROM TCAIXAMES WHERE CAIMES = 4").toDouble(), 77.0);
    // The grid keeps the saved row, with the type's name.
    QCOMPARE(w->DBGrid1->model()->index(0, 1).data().toString(),
             QString(gasto ? "Casa" : "Salário"));

    // Esc in an entry box leaves.
    w->Alterar1->trigger();
    QTest::keyClick(w->DBEdit1, Qt::Key_Escape);
    QVERIFY(!w->isVisible());
}

void TstTFMovimento::f1EmEdicaoNaoFazNada()
{
    movimento("TFGasto", 5, "Mercado", 10.0, QDate(2024, 3, 1));
    TFMovimento *w = abrir("TFGasto");
    QVERIFY(w);
    TableCache &c = w->movimento().cache();
    QTest::keyClick(w->DBGrid1, Qt::Key_F1);
    QCOMPARE(c.state(), TableCache::Insert);
    QCOMPARE(c.value("GASCODIGO").toInt(), 6);
    QTest::keyClicks(w->DBEdit3, "Padaria");

    QTest::keyClick(w->DBEdit3, Qt::Key_F1);
    QCOMPARE(c.state(), TableCache::Insert);
    QCOMPARE(c.value("GASCODIGO").toInt(), 6);
    QCOMPARE(c.recordCount(), 2);
    QCOMPARE(c.pendingCount(), 0);
    QCOMPARE(w->DBEdit3->text(), QString("Padaria"));

    w->Alterar1->trigger(); // while inserting: the date stays open
    QVERIFY(w->DBEdit2->isEnabled());
    QCOMPARE(c.state(), TableCache::Insert);
}

void TstTFMovimento::fecharEmEdicaoCancela_data()
{
    QTest::addColumn<QString>("janela");
    QTest::addColumn<QString>("como");
    QTest::addColumn<bool>("novo");
    QTest::newRow("TFGasto, Esc while inserting") << "TFGasto"
                                                  << "esc" << true;
    QTest::newRow("TFGasto, close box while changing") << "TFGasto"
                                                       << "close" << false;
    QTest::newRow("TFRecebimento, close box while inserting") << "TFRecebimento"
                                                              << "close" << true;
    QTest::newRow("TFRecebimento, Esc while changing") << "TFRecebimento"
                                                       << "esc" << false;
}

void TstTFMovimento::fecharEmEdicaoCancela()
{
    QFETCH(QString, janela);
    QFETCH(QString, como);
    QFETCH(bool, novo);
    movimento(janela, 1, "Mercado", 10.0, QDate(2024, 3, 1));
    TFMovimento *w = abrir(janela);
    QVERIFY(w);
    if (novo)
        w->btnNovo->click();
    else
        w->Alterar1->trigger();
    QTest::keyClicks(w->DBEdit3, "Padaria");
    QTest::keyClick(w->DBEdit3, Qt::Key_Return);
    if (como == "esc")
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    else
        w->close();
    QVERIFY(!w->isVisible());
    m_janela.reset();

    TableCache &c =
        *(m_dm.get()->*(janela == "TFGasto" ? tabelaGasto() : tabelaRecebimento()).cache);
    QCOMPARE(c.state(), TableCache::Browse);
    QCOMPARE(c.pendingCount(), 0);
    QCOMPARE(c.recordCount(), 1);
    // Another save on the cache sends nothing of it.
    c.applyUpdates();
    QCOMPARE(contar(tabela(janela)), 1);
    QCOMPARE(m_db->scalar(QString("SELECT %1DESCRICAO FROM %2")
                              .arg(janela == "TFGasto" ? "GAS" : "REC", tabela(janela)))
                 .toString(),
             QString("Mercado"));
    QCOMPARE(contar("TCAIXAMES"), 0);
}

void TstTFMovimento::dataEmBrancoNaoSalva()
{
    TFMovimento *w = abrir("TFGasto");
    QVERIFY(w);
    w->btnNovo->click();
    QTest::keyClicks(w->DBEdit3, "Mercado");
    w->DBEdit2->setFocus();
    w->DBEdit2->clear();
    QTest::keyClick(w->DBEdit2, Qt::Key_F5);

    const QStringList erros = ui::Dialogs::texts(ui::Dialogs::Error);
    QCOMPARE(erros.size(), 1);
    QVERIFY2(erros.first().contains("não é uma data válida"), qPrintable(erros.first()));
    QVERIFY(w->editando());
    QCOMPARE(w->movimento().cache().state(), TableCache::Insert);
    QCOMPARE(w->DBEdit3->text(), QString("Mercado"));
    QCOMPARE(contar("TGASTO"), 0);
    QCOMPARE(contar("TCAIXAMES"), 0);
}

void TstTFMovimento::excluir_data()
{
    QTest::addColumn<QString>("janela");
    QTest::addColumn<bool>("sim");
    QTest::newRow("TFGasto, No") << "TFGasto" << false;
    QTest::newRow("TFGasto, Yes") << "TFGasto" << true;
    QTest::newRow("TFRecebimento, No") << "TFRecebimento" << false;
    QTest::newRow("TFRecebimento, Yes") << "TFRecebimento" << true;
}

void TstTFMovimento::excluir()
{
    QFETCH(QString, janela);
    QFETCH(bool, sim);
    movimento(janela, 1, "Mercado", 10.0, QDate(2024, 3, 1));
    TFMovimento *w = abrir(janela);
    QVERIFY(w);
    ui::Dialogs::queueConfirm(sim);
    w->btnExcluir->click();

    const QList<ui::Dialogs::Shown> shown = ui::Dialogs::shown();
    QCOMPARE(shown.size(), 1);
    QCOMPARE(shown[0].kind, ui::Dialogs::Confirm);
    QCOMPARE(shown[0].caption, QString("Atenção"));
    QCOMPARE(shown[0].text, QString("Você realmente deseja excluir este registro ?"));
    QCOMPARE(shown[0].defaultButton, QMessageBox::No);
    QCOMPARE(contar(tabela(janela)), sim ? 0 : 1);
    QCOMPARE(w->movimento().cache().recordCount(), sim ? 0 : 1);
    QCOMPARE(w->movimento().cache().pendingCount(), 0);
    QCOMPARE(contar("TCAIXAMES"), sim ? 1 : 0);
    if (sim)
        QCOMPARE(m_db->scalar("SELECT CAIVALORDISPONIVEL FROM TCAIXAMES").toDouble(), 0.0);
    QVERIFY(!w->editando());
}

void TstTFMovimento::buscaSobreviveAoFechar_data()
{
    janelas();
}

void TstTFMovimento::buscaSobreviveAoFechar()
{
    QFETCH(QString, janela);
    movimento(janela, 1, "Conta d'agua", 1.0, QDate(2024, 1, 1));
    movimento(janela, 2, "Conta de luz", 1.0, QDate(2024, 1, 1));
    movimento(janela, 3, "Mercado", 1.0, QDate(2024, 1, 1));
    TFMovimento *w = abrir(janela);
    QVERIFY(w);
    QTest::keyClicks(w->txtBuscar, "d'a");
    QCOMPARE(w->DBGrid1->model()->rowCount(), 1);
    QCOMPARE(w->DBGrid1->model()->index(0, 0).data().toString(), QString("Conta d'agua"));
    w->txtBuscar->clear();
    QCOMPARE(w->DBGrid1->model()->rowCount(), 3);
    QVERIFY(w->movimento().cache().isFiltered());
    QVERIFY(w->movimento().cache().filter().endsWith("LIKE UPPER('%%'))"));
    QTest::keyClicks(w->txtBuscar, "LUZ");
    QCOMPARE(w->DBGrid1->model()->rowCount(), 1);
    w->close();

    w = abrir(janela);
    QVERIFY(w);
    QVERIFY(w->txtBuscar->text().isEmpty());
    QCOMPARE(w->DBGrid1->model()->rowCount(), 1);
    QCOMPARE(w->DBGrid1->model()->index(0, 0).data().toString(), QString("Conta de luz"));
    // A new movement saved meanwhile does not lift the search.
    w->btnNovo->click();
    QTest::keyClicks(w->DBEdit3, "Padaria");
    w->btnSalvar->click();
    QVERIFY(ui::Dialogs::shown().isEmpty());
    QCOMPARE(w->DBGrid1->model()->rowCount(), 1);

    w->btnMostrar->click();
    QCOMPARE(w->DBGrid1->model()->rowCount(), 4);
    QVERIFY(!w->movimento().cache().isFiltered());
}

void TstTFMovimento::linhaNaoMudaEmEdicao()
{
    for (int i = 1; i <= 3; ++i)
        movimento("TFGasto", i, QString("Item %1").arg(i), i, QDate(2024, 3, i));
    TFMovimento *w = abrir("TFGasto");
    QVERIFY(w);
    TableCache &c = w->movimento().cache();
    w->Alterar1->trigger();
    w->DBEdit1->selectAll();
    QTest::keyClicks(w->DBEdit1, "7,25");
    ui::DBGrid *g = w->DBGrid1;
    const QPoint linha3 = g->visualRect(g->model()->index(2, 0)).center();
    QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, linha3);
    QTest::mouseDClick(g->viewport(), Qt::LeftButton, {}, linha3);
    g->setFocus();
    QTest::keyClick(g, Qt::Key_Down);
    QCOMPARE(c.currentRow(), 0);
    QCOMPARE(c.state(), TableCache::Edit);
    QCOMPARE(c.pendingCount(), 0);

    w->btnSalvar->click();
    QVERIFY(ui::Dialogs::shown().isEmpty());
    QCOMPARE(m_db->scalar("SELECT GASVALOR FROM TGASTO WHERE GASCODIGO = 1").toDouble(), 7.25);
    QCOMPARE(m_db->scalar("SELECT CAIVALORGASTO FROM TCAIXAMES").toDouble(), 12.25);

    // Browsing, a click moves and a double-click changes the clicked row.
    QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, linha3);
    QTest::mouseDClick(g->viewport(), Qt::LeftButton, {}, linha3);
    QCOMPARE(c.currentRow(), 2);
    QCOMPARE(c.state(), TableCache::Edit);
    QVERIFY(!w->DBEdit2->isEnabled());
}

void TstTFMovimento::botaoTipoAbreORegistro_data()
{
    janelas();
}

void TstTFMovimento::botaoTipoAbreORegistro()
{
    QFETCH(QString, janela);
    TFMovimento *w = abrir(janela);
    QVERIFY(w);
    QPointer<QDialog> registro;
    TFMenu::setModalHook([&](QDialog *d) {
        registro = d;
        auto *r = qobject_cast<RegisterWindow *>(d);
        QVERIFY(r);
        r->btnNovo->click();
        QTest::keyClicks(r->caixas[1], "Novo tipo");
        QTest::keyClick(r->caixas[1], Qt::Key_F5);
        d->close();
    });
    w->btnNovo->click();
    const int antes = w->DBLookupComboBox1->count();
    w->btnTipo->click();

    QVERIFY(ui::Dialogs::shown().isEmpty());
    QTRY_VERIFY(registro.isNull()); // closed and freed
    if (janela == "TFGasto")
        QVERIFY(FTipoGasto.isNull());
    else
        QVERIFY(FTipoEntrada.isNull());
    QCOMPARE(w->DBLookupComboBox1->count(), antes + 1);
    QVERIFY(w->DBLookupComboBox1->selectKey(2));
    QVERIFY(w->editando());
    QCOMPARE(w->movimento().cache().state(), TableCache::Insert);
}

void TstTFMovimento::menuAbreAsJanelas_data()
{
    QTest::addColumn<QString>("origem");
    QTest::addColumn<QString>("classe");
    QTest::newRow("btnGasto") << "btnGasto"
                              << "lx::finance::TFGasto";
    QTest::newRow("InformarGasto1") << "InformarGasto1"
                                    << "lx::finance::TFGasto";
    QTest::newRow("btnRecebimento") << "btnRecebimento"
                                    << "lx::finance::TFRecebimento";
    QTest::newRow("InformarEntrada1") << "InformarEntrada1"
                                      << "lx::finance::TFRecebimento";
    QTest::newRow("CadastrodeTiposdeGastos1") << "CadastrodeTiposdeGastos1"
                                              << "lx::finance::TFTipoGasto";
    QTest::newRow("CadastrodeTiposdeEntradas1") << "CadastrodeTiposdeEntradas1"
                                                << "lx::finance::TFTipoEntrada";
}

void TstTFMovimento::menuAbreAsJanelas()
{
    QFETCH(QString, origem);
    QFETCH(QString, classe);
    m_dm.reset();
    TFMenu menu(m_db->aliasFile(), "/nonexistent/");
    QList<QDialog *> abertas;
    TFMenu::setModalHook([&](QDialog *d) {
        abertas << d;
        QVERIFY(d->isVisible());
        d->close();
    });
    if (auto *b = menu.findChild<QToolButton *>(origem)) {
        QVERIFY(b->isEnabled());
        b->click();
    } else {
        auto *a = menu.findChild<QAction *>(origem);
        QVERIFY(a);
        QVERIFY(a->isEnabled());
        a->trigger();
    }
    QCOMPARE(abertas.size(), 1);
    QCOMPARE(QString(abertas[0]->metaObject()->className()), classe);
    QCOMPARE(abertas[0]->parent(), &menu);
    QVERIFY(ui::Dialogs::shown().isEmpty());
    QList<QDialog *> variaveis{FGasto.data(), FRecebimento.data(), FTipoGasto.data(),
                               FTipoEntrada.data()};
    QVERIFY(variaveis.contains(abertas[0]));
}

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QLocale::setDefault(QLocale(QLocale::Portuguese, QLocale::Brazil));
    TstTFMovimento t;
    return QTest::qExec(&t, argc, argv);
}

#include "tst_tfmovimento.moc"
