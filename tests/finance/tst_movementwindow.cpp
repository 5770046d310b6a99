#include "db/tablecache.h"
#include "finance/application.h"
#include "finance/forms.h"
#include "finance/movementwindow.h"
#include "finance/registerwindow.h"
#include "finance/tdm.h"
#include "finance/tfgasto.h"
#include "finance/tfmenu.h"
#include "finance/tfrecebimento.h"
#include "finance/tftipoentrada.h"
#include "finance/tftipogasto.h"
#include "support/financefixture.h"
#include "support/modal.h"
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

class TestMovementWindow : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void looks_data();
    void looks();
    void states_data();
    void states();
    void keysMoveAndSave_data();
    void keysMoveAndSave();
    void f1WhileEditingDoesNothing();
    void closingWhileEditingCancels_data();
    void closingWhileEditingCancels();
    void blankDateDoesNotSave();
    void refusedSummaryKeepsWhatWasTyped();
    void deleteAsksFirst_data();
    void deleteAsksFirst();
    void changeOrDeleteWithNothingShown_data();
    void changeOrDeleteWithNothingShown();
    void searchSurvivesClosing_data();
    void searchSurvivesClosing();
    void rowStaysWhileEditing();
    void typeButtonOpensRegister_data();
    void typeButtonOpensRegister();
    void menuOpensWindows_data();
    void menuOpensWindows();

private:
    void windows();
    MovementWindow *open(const QString &window);
    void insertMovement(const QString &window, int code, const QString &description, double amount,
                        const QDate &date);
    static QString table(const QString &window);
    static QString prefix(const QString &window);
    TableCache &movementCache(const QString &window) const;
    int count(const QString &table) const;

    std::unique_ptr<test::FinanceFixture> m_f;
};

void TestMovementWindow::initTestCase()
{
    initApplication(*qobject_cast<QApplication *>(QCoreApplication::instance()));
}

void TestMovementWindow::init()
{
    m_f = std::make_unique<test::FinanceFixture>();
    QVERIFY2(m_f->connectError.isEmpty(), qPrintable(m_f->connectError));
    m_f->db.exec("INSERT INTO TTIPOGASTO (TGACODIGO, TGADESCRICAO) VALUES (1, 'Casa')");
    m_f->db.exec("INSERT INTO TTIPORECEB (TRECODIGO, TREDESCRICAO) VALUES (1, 'Salário')");
}

void TestMovementWindow::cleanup()
{
    m_f.reset();
}

void TestMovementWindow::windows()
{
    QTest::addColumn<QString>("window");
    QTest::newRow("TFGasto") << "TFGasto";
    QTest::newRow("TFRecebimento") << "TFRecebimento";
}

MovementWindow *TestMovementWindow::open(const QString &window)
{
    MovementWindow *w = nullptr;
    if (window == "TFGasto")
        w = m_f->open<TFGasto>();
    else
        w = m_f->open<TFRecebimento>();
    if (!QTest::qWaitForWindowActive(w))
        return nullptr;
    return w;
}

QString TestMovementWindow::table(const QString &window)
{
    return window == "TFGasto" ? "TGASTO" : "TRECEBIMENTO";
}

QString TestMovementWindow::prefix(const QString &window)
{
    return window == "TFGasto" ? "GAS" : "REC";
}

TableCache &TestMovementWindow::movementCache(const QString &window) const
{
    return window == "TFGasto" ? *m_f->dm->TBGASTO : *m_f->dm->TBRECEBIMENTO;
}

void TestMovementWindow::insertMovement(const QString &window, int code, const QString &description,
                                        double amount, const QDate &date)
{
    m_f->db.exec(QString("INSERT INTO %1 (%2CODIGO, %2DESCRICAO, %2VALOR, %2DATA, %2TIPO, %2MES, "
                         "%2ANO) VALUES (?, ?, ?, ?, 1, ?, ?)")
                     .arg(table(window), prefix(window)),
                 {code, description, amount, date, date.month(), date.year()});
}

int TestMovementWindow::count(const QString &table) const
{
    return m_f->db.scalar("SELECT COUNT(*) FROM " + table).toInt();
}

void TestMovementWindow::looks_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("newCaption");
    QTest::addColumn<QString>("searchLabel");
    QTest::addColumn<QString>("typeHint");
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

void TestMovementWindow::looks()
{
    QFETCH(QString, window);
    QFETCH(QString, title);
    QFETCH(QString, newCaption);
    QFETCH(QString, searchLabel);
    QFETCH(QString, typeHint);
    MovementWindow *w = open(window);
    QVERIFY(w);
    // The caption alone: the application title is not appended to it.
    QCOMPARE(w->windowTitle(), title);
    QCOMPARE(w->btnNovo->text(), newCaption);
    QCOMPARE(w->btnSalvar->text(), QString("Salvar"));
    QCOMPARE(w->btnCancelar->text(), QString("Cancelar Inserção"));
    QCOMPARE(w->btnExcluir->text(), QString("Excluir"));
    QCOMPARE(w->btnSair->toolTip(), QString("Sair"));
    QCOMPARE(w->btnTipo->toolTip(), typeHint);
    QCOMPARE(w->Label5->text(), searchLabel);
    QCOMPARE(w->btnBuscar->text(), QString("Buscar"));
    QCOMPARE(w->btnMostrar->text(), QString("Mostrar Todos"));
    QCOMPARE(w->Alterar1->text(), QString("Alterar"));
    QCOMPARE(w->Novo1->shortcut(), QKeySequence(Qt::Key_F1));
    QStringList headers;
    for (int c = 0; c < w->DBGrid1->model()->columnCount(); ++c)
        headers << w->DBGrid1->model()->headerData(c, Qt::Horizontal).toString();
    QCOMPARE(headers, (QStringList{"Descrição", "Tipo", "Valor", "Data"}));
    QCOMPARE(w->DBEdit2->editMask(), QString("!99/99/0000;1;_"));
}

void TestMovementWindow::states_data()
{
    windows();
}

void TestMovementWindow::states()
{
    QFETCH(QString, window);
    insertMovement(window, 1, "Mercado", 10.0, QDate(2024, 3, 1));
    MovementWindow *w = open(window);
    QVERIFY(w);
    auto check = [&](bool editing, bool dateLocked) {
        QCOMPARE(w->isEditing(), editing);
        for (QWidget *c : std::initializer_list<QWidget *>{w->DBEdit3, w->DBLookupComboBox1,
                                                           w->DBEdit1, w->btnSalvar, w->btnSalvar2,
                                                           w->btnCancelar, w->btnTipo})
            QVERIFY2(c->isEnabled() == editing, qPrintable(c->objectName()));
        QCOMPARE(w->DBEdit2->isEnabled(), editing && !dateLocked);
        for (QWidget *c : std::initializer_list<QWidget *>{
                 w->btnNovo, w->btnExcluir, w->btnSair, w->txtBuscar, w->btnBuscar, w->btnMostrar})
            QVERIFY2(c->isEnabled() == !editing, qPrintable(c->objectName()));
        QCOMPARE(w->Novo1->isEnabled(), !editing);
        QVERIFY(w->DBGrid1->isEnabled());
    };
    check(false, false);

    w->btnNovo->click();
    check(true, false);
    QCOMPARE(QApplication::focusWidget(), w->DBEdit3);
    QCOMPARE(w->DBEdit2->maskedText(), QDate::currentDate().toString("dd/MM/yyyy"));
    QCOMPARE(w->movements().cache().value(0).toInt(), 2);

    w->btnCancelar->click();
    check(false, false);
    QCOMPARE(w->movements().cache().recordCount(), 1);

    w->Alterar1->trigger();
    check(true, true);
    QCOMPARE(w->movements().cache().state(), TableCache::Edit);
    QCOMPARE(w->DBEdit2->maskedText(), QString("01/03/2024"));
    QVERIFY(ui::Dialogs::shown().isEmpty());
}

void TestMovementWindow::keysMoveAndSave_data()
{
    windows();
}

void TestMovementWindow::keysMoveAndSave()
{
    QFETCH(QString, window);
    const bool expense = window == "TFGasto";
    m_f->db.exec("INSERT INTO TCAIXAMES (CAICODIGO, CAIMES, CAIANO, CAIVALORGASTO) "
                 "VALUES (1, 4, 2024, 77)");
    MovementWindow *w = open(window);
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
    QCOMPARE(w->movements().cache().state(), TableCache::Insert);
    w->DBEdit2->selectAll();
    QTest::keyClicks(w->DBEdit2, "15032024");
    QTest::keyClick(w->DBEdit2, Qt::Key_F5);

    QVERIFY2(ui::Dialogs::shown().isEmpty(),
             qPrintable(ui::Dialogs::texts(ui::Dialogs::Error).join('\n')));
    QVERIFY(!w->isEditing());
    const QString p = prefix(window);
    const QString t = table(window);
    QCOMPARE(m_f->db.scalar(QString("SELECT %1DESCRICAO FROM %2").arg(p, t)).toString(),
             QString("Conta de luz"));
    QCOMPARE(m_f->db.scalar(QString("SELECT %1TIPO FROM %2").arg(p, t)).toInt(), 1);
    QCOMPARE(m_f->db.scalar(QString("SELECT %1MES FROM %2").arg(p, t)).toInt(), 3);
    QCOMPARE(m_f->db.scalar(QString("SELECT %1ANO FROM %2").arg(p, t)).toInt(), 2024);
    QCOMPARE(m_f->db.scalar("SELECT CAIVALORDISPONIVEL FROM TCAIXAMES WHERE CAIMES = 3").toDouble(),
             expense ? -150.75 : 150.75);
    QCOMPARE(m_f->db.scalar("SELECT CAIVALORGASTO FROM TCAIXAMES WHERE CAIMES = 4").toDouble(),
             77.0);
    // The grid keeps the saved row, with the type's name.
    QCOMPARE(w->DBGrid1->model()->index(0, 1).data().toString(),
             QString(expense ? "Casa" : "Salário"));

    // Esc in an entry box leaves.
    w->Alterar1->trigger();
    QTest::keyClick(w->DBEdit1, Qt::Key_Escape);
    QVERIFY(!w->isVisible());
}

void TestMovementWindow::f1WhileEditingDoesNothing()
{
    insertMovement("TFGasto", 5, "Mercado", 10.0, QDate(2024, 3, 1));
    MovementWindow *w = open("TFGasto");
    QVERIFY(w);
    TableCache &c = w->movements().cache();
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

void TestMovementWindow::closingWhileEditingCancels_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("how");
    QTest::addColumn<bool>("inserting");
    QTest::newRow("TFGasto, Esc while inserting") << "TFGasto"
                                                  << "esc" << true;
    QTest::newRow("TFGasto, close box while changing") << "TFGasto"
                                                       << "close" << false;
    QTest::newRow("TFRecebimento, close box while inserting") << "TFRecebimento"
                                                              << "close" << true;
    QTest::newRow("TFRecebimento, Esc while changing") << "TFRecebimento"
                                                       << "esc" << false;
}

void TestMovementWindow::closingWhileEditingCancels()
{
    QFETCH(QString, window);
    QFETCH(QString, how);
    QFETCH(bool, inserting);
    insertMovement(window, 1, "Mercado", 10.0, QDate(2024, 3, 1));
    MovementWindow *w = open(window);
    QVERIFY(w);
    if (inserting)
        w->btnNovo->click();
    else
        w->Alterar1->trigger();
    QTest::keyClicks(w->DBEdit3, "Padaria");
    QTest::keyClick(w->DBEdit3, Qt::Key_Return);
    if (how == "esc")
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    else
        w->close();
    QVERIFY(!w->isVisible());
    m_f->window.reset();

    TableCache &c = movementCache(window);
    QCOMPARE(c.state(), TableCache::Browse);
    QCOMPARE(c.pendingCount(), 0);
    QCOMPARE(c.recordCount(), 1);
    // Another save on the cache sends nothing of it.
    c.applyUpdates();
    QCOMPARE(count(table(window)), 1);
    QCOMPARE(
        m_f->db.scalar(QString("SELECT %1DESCRICAO FROM %2").arg(prefix(window), table(window)))
            .toString(),
        QString("Mercado"));
    QCOMPARE(count("TCAIXAMES"), 0);
}

void TestMovementWindow::blankDateDoesNotSave()
{
    MovementWindow *w = open("TFGasto");
    QVERIFY(w);
    w->btnNovo->click();
    QTest::keyClicks(w->DBEdit3, "Mercado");
    w->DBEdit2->setFocus();
    w->DBEdit2->clear();
    QTest::keyClick(w->DBEdit2, Qt::Key_F5);

    const QStringList errors = ui::Dialogs::texts(ui::Dialogs::Error);
    QCOMPARE(errors.size(), 1);
    QVERIFY2(errors.first().contains("não é uma data válida"), qPrintable(errors.first()));
    QVERIFY(w->isEditing());
    QCOMPARE(w->movements().cache().state(), TableCache::Insert);
    QCOMPARE(w->DBEdit3->text(), QString("Mercado"));
    QCOMPARE(count("TGASTO"), 0);
    QCOMPARE(count("TCAIXAMES"), 0);
}

void TestMovementWindow::refusedSummaryKeepsWhatWasTyped()
{
    // The server refuses every month summary, so no save can finish.
    m_f->db.exec("CREATE EXCEPTION SUMMARY_REFUSED 'Resumo do mês recusado'");
    m_f->db.exec("CREATE TRIGGER TCAIXAMES_REFUSE FOR TCAIXAMES BEFORE INSERT OR UPDATE AS "
                 "BEGIN EXCEPTION SUMMARY_REFUSED; END");
    MovementWindow *w = open("TFGasto");
    QVERIFY(w);
    w->btnNovo->click();
    QTest::keyClicks(w->DBEdit3, "Conta de luz");
    QVERIFY(w->DBLookupComboBox1->selectKey(1));
    w->DBEdit1->setFocus();
    QTest::keyClicks(w->DBEdit1, "150,75");
    w->DBEdit2->setFocus();
    w->DBEdit2->selectAll();
    QTest::keyClicks(w->DBEdit2, "15032024");
    w->btnSalvar->click();

    const QStringList errors = ui::Dialogs::texts(ui::Dialogs::Error);
    QCOMPARE(errors.size(), 1);
    // The database's own message, without the engine's English around it.
    QCOMPARE(errors.first(), QString("O servidor recusou a gravação. Resumo do mês recusado\n"
                                     "Nenhuma alteração foi gravada."));
    QCOMPARE(ui::Dialogs::shown().size(), 1);
    // Still in the edit state, holding what was typed, so that it can be saved later.
    QVERIFY(w->isEditing());
    QVERIFY(w->btnSalvar->isEnabled());
    QVERIFY(w->btnCancelar->isEnabled());
    QVERIFY(!w->btnNovo->isEnabled());
    QVERIFY(!w->Novo1->isEnabled());
    QVERIFY(w->DBEdit2->isEnabled());
    QVERIFY(w->movements().cache().isEditing());
    QCOMPARE(w->DBEdit3->text(), QString("Conta de luz"));
    QCOMPARE(w->DBLookupComboBox1->currentText(), QString("Casa"));
    QCOMPARE(w->DBEdit1->text(), QString("150,75"));
    QCOMPARE(w->DBEdit2->maskedText(), QString("15/03/2024"));
    // Neither the expense nor its month reached the server.
    QCOMPARE(count("TGASTO"), 0);
    QCOMPARE(count("TCAIXAMES"), 0);

    // Once the server takes summaries again, "Salvar" sends the movement that was kept, once.
    m_f->db.exec("ALTER TRIGGER TCAIXAMES_REFUSE INACTIVE");
    w->btnSalvar->click();
    QCOMPARE(ui::Dialogs::shown().size(), 1);
    QVERIFY(!w->isEditing());
    QCOMPARE(count("TGASTO"), 1);
    QCOMPARE(m_f->db.scalar("SELECT GASDESCRICAO FROM TGASTO").toString(), QString("Conta de luz"));
    QCOMPARE(m_f->db.scalar("SELECT GASVALOR FROM TGASTO").toDouble(), 150.75);
    QCOMPARE(m_f->db.scalar("SELECT GASMES FROM TGASTO").toInt(), 3);
    QCOMPARE(
        m_f->db.scalar("SELECT CAIVALORGASTO FROM TCAIXAMES WHERE CAIMES = 3 AND CAIANO = 2024")
            .toDouble(),
        150.75);
}

void TestMovementWindow::deleteAsksFirst_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<bool>("yes");
    QTest::newRow("TFGasto, No") << "TFGasto" << false;
    QTest::newRow("TFGasto, Yes") << "TFGasto" << true;
    QTest::newRow("TFRecebimento, No") << "TFRecebimento" << false;
    QTest::newRow("TFRecebimento, Yes") << "TFRecebimento" << true;
}

void TestMovementWindow::deleteAsksFirst()
{
    QFETCH(QString, window);
    QFETCH(bool, yes);
    insertMovement(window, 1, "Mercado", 10.0, QDate(2024, 3, 1));
    MovementWindow *w = open(window);
    QVERIFY(w);
    ui::Dialogs::queueConfirm(yes);
    w->btnExcluir->click();

    const QList<ui::Dialogs::Shown> shown = ui::Dialogs::shown();
    QCOMPARE(shown.size(), 1);
    QCOMPARE(shown[0].kind, ui::Dialogs::Confirm);
    QCOMPARE(shown[0].caption, QString("Atenção"));
    QCOMPARE(shown[0].text, QString("Você realmente deseja excluir este registro ?"));
    QCOMPARE(shown[0].defaultButton, QMessageBox::No);
    QCOMPARE(count(table(window)), yes ? 0 : 1);
    QCOMPARE(w->movements().cache().recordCount(), yes ? 0 : 1);
    QCOMPARE(w->movements().cache().pendingCount(), 0);
    QCOMPARE(count("TCAIXAMES"), yes ? 1 : 0);
    if (yes)
        QCOMPARE(m_f->db.scalar("SELECT CAIVALORDISPONIVEL FROM TCAIXAMES").toDouble(), 0.0);
    QVERIFY(!w->isEditing());
}

void TestMovementWindow::changeOrDeleteWithNothingShown_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<bool>("searched"); // a search that matches nothing, over one movement
    QTest::addColumn<bool>("change");
    QTest::addColumn<QString>("said");
    for (const char *window : {"TFGasto", "TFRecebimento"})
        for (bool searched : {false, true}) {
            const char *list = searched ? "search matching nothing" : "empty table";
            QTest::addRow("%s, %s, Alterar", window, list)
                << window << searched << true << "Não há registro para alterar.";
            QTest::addRow("%s, %s, Excluir", window, list)
                << window << searched << false << "Não há registro para excluir.";
        }
}

void TestMovementWindow::changeOrDeleteWithNothingShown()
{
    QFETCH(QString, window);
    QFETCH(bool, searched);
    QFETCH(bool, change);
    QFETCH(QString, said);
    if (searched)
        insertMovement(window, 1, "Mercado", 10.0, QDate(2024, 3, 1));
    MovementWindow *w = open(window);
    QVERIFY(w);
    if (searched)
        QTest::keyClicks(w->txtBuscar, "Padaria");
    QCOMPARE(w->DBGrid1->model()->rowCount(), 0);
    ui::Dialogs::clearShown();

    if (change)
        w->Alterar1->trigger();
    else
        w->btnExcluir->click();

    // A plain message instead of a confirmation or a row without a code.
    QCOMPARE(ui::Dialogs::shown().size(), 1);
    QCOMPARE(ui::Dialogs::shown()[0].kind, ui::Dialogs::Message);
    QCOMPARE(ui::Dialogs::shown()[0].text, said);
    QVERIFY(!w->isEditing());
    QVERIFY(w->btnNovo->isEnabled());
    QVERIFY(!w->movements().cache().isEditing());
    QCOMPARE(w->movements().cache().recordCount(), 0);
    QCOMPARE(w->movements().cache().pendingCount(), 0);
    QCOMPARE(count(table(window)), searched ? 1 : 0);
}

void TestMovementWindow::searchSurvivesClosing_data()
{
    windows();
}

void TestMovementWindow::searchSurvivesClosing()
{
    QFETCH(QString, window);
    insertMovement(window, 1, "Conta d'agua", 1.0, QDate(2024, 1, 1));
    insertMovement(window, 2, "Conta de luz", 1.0, QDate(2024, 1, 1));
    insertMovement(window, 3, "Mercado", 1.0, QDate(2024, 1, 1));
    MovementWindow *w = open(window);
    QVERIFY(w);
    QTest::keyClicks(w->txtBuscar, "d'a");
    QCOMPARE(w->DBGrid1->model()->rowCount(), 1);
    QCOMPARE(w->DBGrid1->model()->index(0, 0).data().toString(), QString("Conta d'agua"));
    w->txtBuscar->clear();
    QCOMPARE(w->DBGrid1->model()->rowCount(), 3);
    QVERIFY(w->movements().cache().isFiltered());
    QVERIFY(w->movements().cache().filter().endsWith("LIKE UPPER('%%'))"));
    QTest::keyClicks(w->txtBuscar, "LUZ");
    QCOMPARE(w->DBGrid1->model()->rowCount(), 1);
    w->close();

    w = open(window);
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
    QVERIFY(!w->movements().cache().isFiltered());
}

void TestMovementWindow::rowStaysWhileEditing()
{
    for (int i = 1; i <= 3; ++i)
        insertMovement("TFGasto", i, QString("Item %1").arg(i), i, QDate(2024, 3, i));
    MovementWindow *w = open("TFGasto");
    QVERIFY(w);
    TableCache &c = w->movements().cache();
    w->Alterar1->trigger();
    w->DBEdit1->selectAll();
    QTest::keyClicks(w->DBEdit1, "7,25");
    ui::DBGrid *g = w->DBGrid1;
    const QPoint thirdRow = g->visualRect(g->model()->index(2, 0)).center();
    QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, thirdRow);
    QTest::mouseDClick(g->viewport(), Qt::LeftButton, {}, thirdRow);
    g->setFocus();
    QTest::keyClick(g, Qt::Key_Down);
    QCOMPARE(c.currentRow(), 0);
    QCOMPARE(c.state(), TableCache::Edit);
    QCOMPARE(c.pendingCount(), 0);

    w->btnSalvar->click();
    QVERIFY(ui::Dialogs::shown().isEmpty());
    QCOMPARE(m_f->db.scalar("SELECT GASVALOR FROM TGASTO WHERE GASCODIGO = 1").toDouble(), 7.25);
    QCOMPARE(m_f->db.scalar("SELECT CAIVALORGASTO FROM TCAIXAMES").toDouble(), 12.25);

    // Browsing, a click moves and a double-click changes the clicked row.
    QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, thirdRow);
    QTest::mouseDClick(g->viewport(), Qt::LeftButton, {}, thirdRow);
    QCOMPARE(c.currentRow(), 2);
    QCOMPARE(c.state(), TableCache::Edit);
    QVERIFY(!w->DBEdit2->isEnabled());
}

void TestMovementWindow::typeButtonOpensRegister_data()
{
    windows();
}

void TestMovementWindow::typeButtonOpensRegister()
{
    QFETCH(QString, window);
    MovementWindow *w = open(window);
    QVERIFY(w);
    test::ModalScript modal([](QDialog *d) {
        auto *r = qobject_cast<RegisterWindow *>(d);
        QVERIFY(r);
        r->btnNovo->click();
        QTest::keyClicks(r->boxes[1], "Novo tipo");
        QTest::keyClick(r->boxes[1], Qt::Key_F5);
        d->close();
    });
    w->btnNovo->click();
    const int before = w->DBLookupComboBox1->count();
    w->btnTipo->click();

    QVERIFY(ui::Dialogs::shown().isEmpty());
    QCOMPARE(modal.classNames(), QStringList{window == "TFGasto" ? "lx::finance::TFTipoGasto"
                                                                 : "lx::finance::TFTipoEntrada"});
    QTRY_VERIFY(modal.shown[0].isNull()); // closed and freed
    if (window == "TFGasto")
        QVERIFY(FTipoGasto.isNull());
    else
        QVERIFY(FTipoEntrada.isNull());
    QCOMPARE(w->DBLookupComboBox1->count(), before + 1);
    QVERIFY(w->DBLookupComboBox1->selectKey(2));
    QVERIFY(w->isEditing());
    QCOMPARE(w->movements().cache().state(), TableCache::Insert);
}

void TestMovementWindow::menuOpensWindows_data()
{
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("className");
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

void TestMovementWindow::menuOpensWindows()
{
    QFETCH(QString, source);
    QFETCH(QString, className);
    // The main window makes its own data module.
    m_f->window.reset();
    m_f->dm.reset();
    TFMenu menu(m_f->db.aliasFile(), "/nonexistent/");
    test::ModalScript modal([](QDialog *d) {
        QVERIFY(d->isVisible());
        d->close();
    });
    if (auto *b = menu.findChild<QToolButton *>(source)) {
        QVERIFY(b->isEnabled());
        b->click();
    } else {
        auto *a = menu.findChild<QAction *>(source);
        QVERIFY(a);
        QVERIFY(a->isEnabled());
        a->trigger();
    }
    QCOMPARE(modal.classNames(), QStringList{className});
    QDialog *opened = modal.shown[0];
    QVERIFY(opened);
    QCOMPARE(opened->parent(), &menu);
    QVERIFY(ui::Dialogs::shown().isEmpty());
    const QList<QDialog *> variables{FGasto.data(), FRecebimento.data(), FTipoGasto.data(),
                                     FTipoEntrada.data()};
    QVERIFY(variables.contains(opened));
}

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    TestMovementWindow tests;
    return test::runTests(tests, argc, argv);
}

#include "tst_movementwindow.moc"
