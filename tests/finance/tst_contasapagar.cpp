#include "db/tablecache.h"
#include "finance/application.h"
#include "finance/forms.h"
#include "finance/tdm.h"
#include "finance/tfcontasapagar.h"
#include "support/financefixture.h"
#include "ui/datasource.h"
#include "ui/dbedit.h"
#include "ui/dbgrid.h"
#include "ui/dblookupcombobox.h"
#include "ui/dbradiogroup.h"
#include "ui/maskedit.h"

#include <QAction>
#include <QApplication>
#include <QFrame>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QToolButton>
#include <QtTest>

#include <memory>

using namespace lx;
using namespace lx::finance;

class TstContasAPagar : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void looksAndStates();
    void newBillThroughTheBoxes();
    void inputRefusalKeepsEditing();
    void payThroughThePanel();
    void payingPaidInstalmentIsRefusedBeforePanel();
    void changeAndDeleteOneInstalment();
    void deleteBillAsksFirst_data();
    void deleteBillAsksFirst();
    void searchSurvivesReopen();
    void changeOrDeleteWithNothingShown_data();
    void changeOrDeleteWithNothingShown();

private:
    TFContasAPagar *open();
    /// Types a whole bill into the boxes of a window in edit state.
    void typeBill(TFContasAPagar *w, const QString &count = "4");
    int count(const QString &sql) const { return m_f->db.scalar(sql).toInt(); }

    std::unique_ptr<test::FinanceFixture> m_f;
};

void TstContasAPagar::initTestCase()
{
    finance::initApplication(*qApp);
}

void TstContasAPagar::init()
{
    m_f = std::make_unique<test::FinanceFixture>();
    QVERIFY2(m_f->connectError.isEmpty(), qPrintable(m_f->connectError));
    m_f->db.exec("insert into TTIPOGASTO (TGACODIGO, TGADESCRICAO) values (3, 'Casa')");
}

void TstContasAPagar::cleanup()
{
    m_f.reset();
}

TFContasAPagar *TstContasAPagar::open()
{
    auto *w = m_f->open<TFContasAPagar>();
    w->activateWindow();
    if (!QTest::qWaitForWindowActive(w))
        return nullptr;
    return w;
}

void TstContasAPagar::typeBill(TFContasAPagar *w, const QString &count)
{
    auto type = [](QLineEdit *box, const QString &text) {
        box->setFocus();
        box->selectAll();
        QTest::keyClicks(box, text);
    };
    type(w->DBEdit6, "Geladeira");
    QVERIFY(w->DBLookupComboBox2->selectKey(3));
    type(w->DBEdit10, "200");
    type(w->DBEdit7, "1200");
    type(w->DBEdit8, "10032024");
    type(w->DBEdit9, "15042024");
    type(w->DBEdit11, count);
    w->DBRadioGroup1->button(1)->click();
    type(w->DBEdit12, "2");
}

void TstContasAPagar::looksAndStates()
{
    TFContasAPagar *w = open();
    QVERIFY(w);
    QCOMPARE(w->windowTitle(), QString("Contas à Pagar"));
    QCOMPARE(w->btnNovo->text(), QString("Inserir Novo Conta à Pagar"));
    QCOMPARE(w->btnConsultar->text(), QString("Consultar a Conta à Pagar"));
    QCOMPARE(w->btnSair->toolTip(), QString("Sair"));
    QCOMPARE(w->btnTipo->toolTip(), QString("Cadastro de Tipos de Gastos"));
    QCOMPARE(w->PageControl1->tabText(0), QString("Cadastro"));
    QCOMPARE(w->PageControl1->tabText(1), QString("Consulta"));
    QCOMPARE(w->Pagar1->text(), QString("Informar Pagamento (Baixar)"));
    QVERIFY(w->PanelEditar->isHidden());
    QVERIFY(w->Panel2->isHidden());
    const QList<QWidget *> browsing{w->btnNovo, w->btnAlterar, w->btnExcluir, w->btnConsultar,
                                    w->btnSair};
    const QList<QWidget *> editing{w->btnSalvar,    w->btnSalvar2, w->btnCancelar,
                                   w->btnCancelar2, w->DBEdit6,    w->DBEdit7,
                                   w->DBEdit12,     w->btnTipo,    w->DBRadioGroup1};
    for (bool edit : {false, true}) {
        if (edit)
            w->btnNovo->click();
        for (QWidget *c : browsing)
            QVERIFY2(c->isEnabled() == !edit, qPrintable(c->objectName()));
        for (QWidget *c : editing)
            QVERIFY2(c->isEnabled() == edit, qPrintable(c->objectName()));
    }
    QCOMPARE(QApplication::focusWidget(), w->DBEdit6);
    w->btnCancelar->click();
    QVERIFY(!w->isEditing());
    QCOMPARE(m_f->dm->TBCONTA->recordCount(), 0);
}

void TstContasAPagar::newBillThroughTheBoxes()
{
    TFContasAPagar *w = open();
    QVERIFY(w);
    w->btnNovo->click();
    typeBill(w);
    QTest::keyClick(w->DBEdit12, Qt::Key_F5);
    QVERIFY(ui::Dialogs::shown().isEmpty());
    QVERIFY(!w->isEditing());
    QCOMPARE(count("select count(*) from TCONTA"), 1);
    QCOMPARE(count("select count(*) from TCONTPAG where CPACONTA = 1"), 4);
    QCOMPARE(count("select count(*) from TGASTO"), 1);
    // The grid shows the new plan.
    QCOMPARE(w->DBGrid1->model()->rowCount(), 4);
    QCOMPARE(w->DBGrid1->model()->index(0, 1).data().toString(), QString("Casa"));
    QStringList descriptions;
    for (int r = 0; r < 4; ++r)
        descriptions << w->DBGrid1->model()->index(r, 0).data().toString();
    QVERIFY2(descriptions.contains("1ª Parcela - Geladeira"), qPrintable(descriptions.join('|')));
    // 1000 / 4 + 2% of 1200 / 4.
    QCOMPARE(m_f->db.scalar("select max(CPAVALOR) from TCONTPAG").toDouble(), 256.0);
}

void TstContasAPagar::inputRefusalKeepsEditing()
{
    TFContasAPagar *w = open();
    QVERIFY(w);
    w->btnNovo->click();
    typeBill(w, "0");
    w->btnSalvar->click();
    QCOMPARE(ui::Dialogs::texts(ui::Dialogs::Message).size(), 1);
    QVERIFY(ui::Dialogs::texts(ui::Dialogs::Message).first().contains("número de vezes"));
    QVERIFY(w->isEditing());
    QVERIFY(m_f->dm->TBCONTA->isEditing());
    QCOMPARE(count("select count(*) from TCONTA"), 0);
    QCOMPARE(count("select count(*) from TGASTO"), 0);
}

void TstContasAPagar::payThroughThePanel()
{
    TFContasAPagar *w = open();
    QVERIFY(w);
    w->btnNovo->click();
    typeBill(w);
    w->btnSalvar->click();
    QVERIFY(w->DBGrid1->model()->rowCount() == 4);
    w->TBCONTPAG->first();
    w->Pagar1->trigger();
    QVERIFY(w->Panel2->isVisible());
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(w->DBEdit2));
    QTest::keyClick(w->DBEdit2, Qt::Key_Return); // nothing typed
    QCOMPARE(ui::Dialogs::texts(ui::Dialogs::Message),
             QStringList{"Preencha a data de pagamento antes de baixar a conta !"});
    QVERIFY(w->Panel2->isVisible());
    QTest::keyClicks(w->DBEdit2, "05032025");
    QTest::keyClick(w->DBEdit2, Qt::Key_F5);
    QVERIFY(w->Panel2->isHidden());
    QCOMPARE(count("select count(*) from TGASTO where GASMES = 3 and GASANO = 2025"), 1);
    QCOMPARE(count("select count(*) from TCONTPAG where CPASITUACAO = 'Pago'"), 1);
    QCOMPARE(w->TBCONTPAG->value("CPASITUACAO").toString(), QString("Pago"));
}

void TstContasAPagar::payingPaidInstalmentIsRefusedBeforePanel()
{
    TFContasAPagar *w = open();
    QVERIFY(w);
    w->btnNovo->click();
    typeBill(w);
    w->btnSalvar->click();
    w->TBCONTPAG->first();
    QCOMPARE(w->bills().pay(*w->TBCONTPAG, w->TBCONTPAG->value("CPACODIGO").toInt(), "05/03/2025"),
             QString());
    w->Pagar1->trigger();
    QCOMPARE(ui::Dialogs::texts(ui::Dialogs::Message),
             QStringList{"Você já baixou esta conta no sistema !"});
    QVERIFY(w->Panel2->isHidden());
    // Changing the bill is refused now, and its plan stays.
    w->btnAlterar->click();
    w->btnSalvar->click();
    QCOMPARE(ui::Dialogs::texts(ui::Dialogs::Message).last(),
             QString("Não é possível alterar contas que possuam parcelas pagas !"));
    QVERIFY(w->isEditing());
    QCOMPARE(count("select count(*) from TCONTPAG"), 4);
}

void TstContasAPagar::changeAndDeleteOneInstalment()
{
    TFContasAPagar *w = open();
    QVERIFY(w);
    w->btnNovo->click();
    typeBill(w);
    w->btnSalvar->click();
    QVERIFY(w->TBCONTPAG->locate("CPADESCRICAO", {"2ª Parcela - Geladeira"}));
    const int code = w->TBCONTPAG->value("CPACODIGO").toInt();
    w->Alterar1->trigger();
    QVERIFY(w->PanelEditar->isVisible());
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(w->DBEdit1));
    w->DBEdit3->selectAll();
    QTest::keyClicks(w->DBEdit3, "300");
    w->btnSalvar3->click();
    QVERIFY(w->PanelEditar->isHidden());
    QCOMPARE(m_f->db.scalar("select CPAVALOR from TCONTPAG where CPACODIGO = ?", {code}).toDouble(),
             300.0);
    QCOMPARE(count("select count(*) from TCONTPAG where CPAVALOR = 256"), 3);
    QCOMPARE(count("select count(*) from TGASTO"), 1); // no expense, no summary touched

    // Deleting it asks first and removes that row only.
    QVERIFY(w->TBCONTPAG->locate("CPACODIGO", {code}));
    ui::Dialogs::queueConfirm(true);
    w->Excluir1->trigger();
    QCOMPARE(ui::Dialogs::texts(ui::Dialogs::Confirm).size(), 1);
    QCOMPARE(count("select count(*) from TCONTPAG"), 3);
    QCOMPARE(w->DBGrid1->model()->rowCount(), 3);
}

void TstContasAPagar::deleteBillAsksFirst_data()
{
    QTest::addColumn<bool>("yes");
    QTest::newRow("No keeps it") << false;
    QTest::newRow("Yes deletes bill and plan") << true;
}

void TstContasAPagar::deleteBillAsksFirst()
{
    QFETCH(bool, yes);
    TFContasAPagar *w = open();
    QVERIFY(w);
    w->btnNovo->click();
    typeBill(w);
    w->btnSalvar->click();
    ui::Dialogs::clearShown();
    ui::Dialogs::queueConfirm(yes);
    w->btnExcluir->click();
    QCOMPARE(ui::Dialogs::shown().size(), 1);
    QCOMPARE(ui::Dialogs::shown().first().caption, QString("Atenção"));
    QCOMPARE(ui::Dialogs::shown().first().text,
             QString("Você realmente deseja excluir este registro ?"));
    QCOMPARE(ui::Dialogs::shown().first().defaultButton, QMessageBox::No);
    QCOMPARE(count("select count(*) from TCONTA"), yes ? 0 : 1);
    QCOMPARE(count("select count(*) from TCONTPAG"), yes ? 0 : 4);
    QCOMPARE(count("select count(*) from TGASTO"), 1); // the down payment stays
    QCOMPARE(w->DBGrid1->model()->rowCount(), yes ? 0 : 4);
}

void TstContasAPagar::searchSurvivesReopen()
{
    m_f->db.exec("insert into TCONTA (CONCODIGO, CONDESCRICAO) values (1, 'TV da sala')");
    m_f->db.exec("insert into TCONTA (CONCODIGO, CONDESCRICAO) values (2, 'Caixa d''água')");
    TFContasAPagar *w = open();
    QVERIFY(w);
    w->btnConsultar->click();
    QCOMPARE(w->PageControl1->currentWidget(), w->TabSheet2);
    QTest::keyClicks(w->txtConta, "D'Á");
    QVERIFY(ui::Dialogs::shown().isEmpty());
    QCOMPARE(w->DBGrid2->model()->rowCount(), 1);
    QCOMPARE(w->DBGrid2->model()->index(0, 0).data().toString(), QString("Caixa d'água"));
    w = open();
    QVERIFY(w);
    QCOMPARE(w->DBGrid2->model()->rowCount(), 1);
}

void TstContasAPagar::changeOrDeleteWithNothingShown_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<bool>("searched"); // a bill search that matches nothing, over one bill
    QTest::addColumn<QString>("said");
    for (bool searched : {false, true}) {
        const char *list = searched ? "search matching nothing" : "no bills";
        QTest::addRow("bill Alterar, %s", list)
            << "btnAlterar" << searched << "Não há registro para alterar.";
        QTest::addRow("bill Excluir, %s", list)
            << "btnExcluir" << searched << "Não há registro para excluir.";
        QTest::addRow("instalment Alterar, %s", list)
            << "Alterar1" << searched << "Não há registro para alterar.";
        QTest::addRow("instalment Excluir, %s", list)
            << "Excluir1" << searched << "Não há registro para excluir.";
    }
}

void TstContasAPagar::changeOrDeleteWithNothingShown()
{
    QFETCH(QString, action);
    QFETCH(bool, searched);
    QFETCH(QString, said);
    if (searched) {
        m_f->db.exec("insert into TCONTA (CONCODIGO, CONDESCRICAO) values (1, 'Geladeira')");
        m_f->db.exec("insert into TCONTPAG (CPACODIGO, CPACONTA, CPADESCRICAO, CPASITUACAO) "
                     "values (1, 1, '1ª Parcela - Geladeira', 'Aberto')");
    }
    TFContasAPagar *w = open();
    QVERIFY(w);
    if (searched) {
        QTest::keyClicks(w->txtConta, "Fogao");
        QCOMPARE(w->DBGrid2->model()->rowCount(), 0);
    }
    QCOMPARE(w->DBGrid1->model()->rowCount(), 0);
    ui::Dialogs::clearShown();

    if (action == "btnAlterar")
        w->btnAlterar->click();
    else if (action == "btnExcluir")
        w->btnExcluir->click();
    else if (action == "Alterar1")
        w->Alterar1->trigger();
    else
        w->Excluir1->trigger();

    // A plain message; no confirmation, no row started, nothing deleted.
    QCOMPARE(ui::Dialogs::shown().size(), 1);
    QCOMPARE(ui::Dialogs::shown()[0].kind, ui::Dialogs::Message);
    QCOMPARE(ui::Dialogs::shown()[0].text, said);
    QVERIFY(!w->isEditing());
    QVERIFY(w->btnNovo->isEnabled());
    QVERIFY(w->PanelEditar->isHidden());
    QVERIFY(!m_f->dm->TBCONTA->isEditing());
    QVERIFY(!w->TBCONTPAG->isEditing());
    QCOMPARE(m_f->dm->TBCONTA->pendingCount(), 0);
    QCOMPARE(count("select count(*) from TCONTA"), searched ? 1 : 0);
    QCOMPARE(count("select count(*) from TCONTPAG"), searched ? 1 : 0);
}

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    TstContasAPagar t;
    return test::runTests(t, argc, argv);
}

#include "tst_contasapagar.moc"
