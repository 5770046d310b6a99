#include "db/tablecache.h"
#include "finance/application.h"
#include "finance/core/caixa.h"
#include "finance/forms.h"
#include "finance/tfcaixames.h"
#include "support/financefixture.h"
#include "ui/datasource.h"
#include "ui/dbedit.h"
#include "ui/dbgrid.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QTabWidget>
#include <QToolButton>
#include <QtTest>

#include <memory>

using namespace lx;
using namespace lx::finance;

class TstCaixaMes : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void looks();
    void showReloadsAndGoesToLastRow();
    void searchFindsMonthAndYear_data();
    void searchFindsMonthAndYear();
    void yearThatIsNoNumberShowsError();
    void yearPlaceholderClears();
    void doubleClickShowsRowOnFirstTab();
    void boxesDoNotEdit();
    void moveButtons();

private:
    void addSummary(int code, int month, int year, double spent, double received);
    TFCaixaMes *open();
    TableCache &cache() const { return *m_f->dm->TBCAIXAMES; }

    std::unique_ptr<test::FinanceFixture> m_f;
};

void TstCaixaMes::initTestCase()
{
    finance::initApplication(*qApp);
}

void TstCaixaMes::init()
{
    m_f = std::make_unique<test::FinanceFixture>();
    QVERIFY2(m_f->connectError.isEmpty(), qPrintable(m_f->connectError));
    addSummary(1, 3, 2024, 100.0, 250.0);
    addSummary(2, 4, 2024, 300.5, 120.0);
}

void TstCaixaMes::cleanup()
{
    m_f.reset();
}

void TstCaixaMes::addSummary(int code, int month, int year, double spent, double received)
{
    m_f->db.exec(
        "INSERT INTO TCAIXAMES (CAICODIGO, CAIMES, CAINOMEMES, CAIANO, "
        "CAIVALORDISPONIVEL, CAIVALORGASTO, CAIVALORRECEBIDO) VALUES (?, ?, ?, ?, ?, ?, ?)",
        {code, month, monthName(month), year, received - spent, spent, received});
}

TFCaixaMes *TstCaixaMes::open()
{
    auto *w = m_f->open<TFCaixaMes>();
    if (!QTest::qWaitForWindowExposed(w))
        return nullptr;
    return w;
}

void TstCaixaMes::looks()
{
    TFCaixaMes *w = open();
    QVERIFY(w);
    QCOMPARE(w->windowTitle(), QString("Caixa do Mês"));
    QCOMPARE(w->PageControl1->currentWidget(), w->TabSheet1);
    QCOMPARE(w->PageControl1->tabText(0), QString("Consulta do Mês"));
    QCOMPARE(w->PageControl1->tabText(1), QString("Consulta de Todos os Meses"));
    QCOMPARE(w->CBMes->currentIndex(), -1);
    QCOMPARE(w->CBMes->placeholderText(), QString("Selecione o Mês"));
    QStringList months;
    for (int i = 0; i < w->CBMes->count(); ++i)
        months << w->CBMes->itemText(i);
    QCOMPARE(months, monthNames());
    QCOMPARE(months.first(), QString("Janeiro"));
    QCOMPARE(months.last(), QString("Dezembro"));
    QCOMPARE(w->txtAno->text(), QString("Digite o Ano"));
    QCOMPARE(w->btnSair->toolTip(), QString("Sair"));
    QCOMPARE(w->btnSair2->toolTip(), QString("Sair"));
    QStringList titles;
    for (int c = 0; c < w->DBGrid1->model()->columnCount(); ++c)
        titles << w->DBGrid1->model()->headerData(c, Qt::Horizontal).toString();
    QCOMPARE(titles,
             (QStringList{"Mês", "Ano", "Valor Disponivel", "Valor Gasto", "Valor das Entradas"}));
    // A month that spent more than it received shows a negative amount available.
    QCOMPARE(w->DBEdit3->text(), QString("Abril"));
    QVERIFY2(w->DBGrid1->model()->index(1, 2).data().toString().contains("-"),
             qPrintable(w->DBGrid1->model()->index(1, 2).data().toString()));
}

void TstCaixaMes::showReloadsAndGoesToLastRow()
{
    cache().open();
    QCOMPARE(cache().recordCount(), 2);
    // Written after the cache was read, as a movement saved meanwhile would.
    addSummary(3, 5, 2024, 10.0, 20.0);
    TFCaixaMes *w = open();
    QVERIFY(w);
    QCOMPARE(cache().recordCount(), 3);
    QCOMPARE(cache().currentRow(), 2);
    QCOMPARE(w->DBEdit3->text(), QString("Maio"));
    QCOMPARE(w->DBEdit4->text(), QString("2024"));
}

void TstCaixaMes::searchFindsMonthAndYear_data()
{
    QTest::addColumn<int>("monthIndex"); // -1: none chosen
    QTest::addColumn<QString>("year");
    QTest::addColumn<QString>("shownMonth"); // on the first tab afterwards
    QTest::newRow("March 2024") << 2 << "2024"
                                << "Março";
    QTest::newRow("no month chosen") << -1 << "2024"
                                     << "Abril";
    QTest::newRow("no summary for the year") << 2 << "2023"
                                             << "Abril";
}

void TstCaixaMes::searchFindsMonthAndYear()
{
    QFETCH(int, monthIndex);
    QFETCH(QString, year);
    QFETCH(QString, shownMonth);
    TFCaixaMes *w = open();
    QVERIFY(w);
    w->PageControl1->setCurrentWidget(w->TabSheet2);
    w->CBMes->setCurrentIndex(monthIndex);
    w->txtAno->setText(year);
    w->btnBuscar->click();
    QVERIFY(ui::Dialogs::shown().isEmpty());
    QCOMPARE(w->PageControl1->currentWidget(), w->TabSheet2);
    QCOMPARE(w->DBEdit3->text(), shownMonth);
    QCOMPARE(w->DBGrid1->currentIndex().row(), cache().currentRow());
}

void TstCaixaMes::yearThatIsNoNumberShowsError()
{
    TFCaixaMes *w = open();
    QVERIFY(w);
    w->CBMes->setCurrentIndex(2);
    w->btnBuscar->click(); // the placeholder is still in the year box
    QCOMPARE(ui::Dialogs::texts(ui::Dialogs::Error).size(), 1);
    QVERIFY(ui::Dialogs::texts(ui::Dialogs::Error).first().contains("Digite o Ano"));
    QCOMPARE(ui::Dialogs::shown().first().caption, QString("Tostara"));
    QCOMPARE(w->DBEdit3->text(), QString("Abril"));
}

void TstCaixaMes::yearPlaceholderClears()
{
    TFCaixaMes *w = open();
    QVERIFY(w);
    w->PageControl1->setCurrentWidget(w->TabSheet2);
    QTest::mouseClick(w->txtAno, Qt::LeftButton);
    QCOMPARE(w->txtAno->text(), QString());
    QTest::keyClicks(w->txtAno, "2024");
    QTest::mouseClick(w->txtAno, Qt::LeftButton);
    QCOMPARE(w->txtAno->text(), QString("2024"));
    // A change that brings the placeholder back empties the box as well.
    w->txtAno->setText(TFCaixaMes::yearPlaceholder);
    QCOMPARE(w->txtAno->text(), QString());
}

void TstCaixaMes::doubleClickShowsRowOnFirstTab()
{
    TFCaixaMes *w = open();
    QVERIFY(w);
    w->PageControl1->setCurrentWidget(w->TabSheet2);
    QVERIFY(QTest::qWaitForWindowExposed(w->DBGrid1));
    const QRect r = w->DBGrid1->visualRect(w->DBGrid1->model()->index(0, 0));
    QTest::mouseClick(w->DBGrid1->viewport(), Qt::LeftButton, {}, r.center());
    QTest::mouseDClick(w->DBGrid1->viewport(), Qt::LeftButton, {}, r.center());
    QCOMPARE(w->PageControl1->currentWidget(), w->TabSheet1);
    QCOMPARE(w->DBEdit3->text(), QString("Março"));
    QCOMPARE(w->DBEdit6->text(), QString("100,00"));
    QCOMPARE(w->DBEdit7->text(), QString("250,00"));
}

void TstCaixaMes::boxesDoNotEdit()
{
    TFCaixaMes *w = open();
    QVERIFY(w);
    for (ui::DBEdit *box : {w->DBEdit3, w->DBEdit4, w->DBEdit5, w->DBEdit6, w->DBEdit7})
        QVERIFY(box->isReadOnly());
    QTest::keyClicks(w->DBEdit3, "x");
    QCOMPARE(cache().state(), TableCache::Browse);
    QCOMPARE(cache().pendingCount(), 0);
}

void TstCaixaMes::moveButtons()
{
    TFCaixaMes *w = open();
    QVERIFY(w);
    w->btnPrimeiro->click();
    QCOMPARE(cache().currentRow(), 0);
    w->btnProximo->click();
    QCOMPARE(cache().currentRow(), 1);
    w->btnAnterior->click();
    QCOMPARE(cache().currentRow(), 0);
    w->btnUltimo->click();
    QCOMPARE(cache().currentRow(), 1);
}

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    TstCaixaMes t;
    return test::runTests(t, argc, argv);
}

#include "tst_caixames.moc"
