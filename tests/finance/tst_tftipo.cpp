#include "db/tablecache.h"
#include "finance/registerwindow.h"
#include "finance/tdm.h"
#include "finance/tftipoentrada.h"
#include "finance/tftipogasto.h"
#include "support/financefixture.h"
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
/// The table a register window edits, and its two columns.
struct TypeTable
{
    QString table;
    QString code;
    QString description;
};

const TypeTable &typeTable(const QString &window)
{
    static const TypeTable expense{"TTIPOGASTO", "TGACODIGO", "TGADESCRICAO"};
    static const TypeTable receipt{"TTIPORECEB", "TRECODIGO", "TREDESCRICAO"};
    return window == "TFTipoGasto" ? expense : receipt;
}
} // namespace

class TstTFTipo : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void looks_data();
    void looks();
    void states_data();
    void states();
    void keys_data();
    void keys();
    void expenseTypeCodeIsTyped();
    void savingWithoutCodeStaysEditing();
    void refusedSaveKeepsWhatWasTyped();
    void deleteWithoutAsking_data();
    void deleteWithoutAsking();
    void changeOrDeleteOnEmptyTable_data();
    void changeOrDeleteOnEmptyTable();
    void closingWhileEditingCancels_data();
    void closingWhileEditingCancels();
    void rowStaysWhileEditing_data();
    void rowStaysWhileEditing();
    void consultarAndDoubleClick();

private:
    void windows();
    void addTypes(const QString &window, const QList<int> &codes);
    RegisterWindow *open(const QString &window);
    QVariant onServer(const QString &window, int code) const;
    int count(const QString &window) const;

    std::unique_ptr<test::FinanceFixture> m_fx;
};

void TstTFTipo::init()
{
    m_fx = std::make_unique<test::FinanceFixture>();
    QVERIFY2(m_fx->connectError.isEmpty(), qPrintable(m_fx->connectError));
}

void TstTFTipo::cleanup()
{
    m_fx.reset();
}

void TstTFTipo::windows()
{
    QTest::addColumn<QString>("window");
    QTest::newRow("TFTipoGasto") << "TFTipoGasto";
    QTest::newRow("TFTipoEntrada") << "TFTipoEntrada";
}

void TstTFTipo::addTypes(const QString &window, const QList<int> &codes)
{
    const TypeTable &t = typeTable(window);
    for (int c : codes)
        m_fx->db.exec(
            QString("INSERT INTO %1 (%2, %3) VALUES (?, ?)").arg(t.table, t.code, t.description),
            {c, QString("Tipo %1").arg(c)});
}

RegisterWindow *TstTFTipo::open(const QString &window)
{
    RegisterWindow *w = nullptr;
    if (window == "TFTipoGasto")
        w = m_fx->open<TFTipoGasto>();
    else
        w = m_fx->open<TFTipoEntrada>();
    if (!QTest::qWaitForWindowActive(w))
        return nullptr;
    return w;
}

QVariant TstTFTipo::onServer(const QString &window, int code) const
{
    const TypeTable &t = typeTable(window);
    return m_fx->db.scalar(
        QString("SELECT %1 FROM %2 WHERE %3 = ?").arg(t.description, t.table, t.code), {code});
}

int TstTFTipo::count(const QString &window) const
{
    return m_fx->db.scalar("SELECT COUNT(*) FROM " + typeTable(window).table).toInt();
}

void TstTFTipo::looks_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("caption");
    QTest::newRow("TFTipoGasto") << "TFTipoGasto"
                                 << "Cadastro de Tipos de Gasto";
    QTest::newRow("TFTipoEntrada") << "TFTipoEntrada"
                                   << "Cadastro de Tipos de Entrada";
}

void TstTFTipo::looks()
{
    QFETCH(QString, window);
    QFETCH(QString, caption);
    RegisterWindow *w = open(window);
    QVERIFY(w);
    QCOMPARE(w->windowTitle(), caption);
    QVERIFY(!(w->windowFlags() & Qt::WindowMaximizeButtonHint));
    QVERIFY(w->windowFlags() & Qt::WindowMinimizeButtonHint);
    QCOMPARE(w->PageControl1->tabText(0), QString("Cadastro"));
    QCOMPARE(w->PageControl1->tabText(1), QString("Consulta"));
    QCOMPARE(w->PageControl1->currentWidget(), w->TabSheet1);
    QCOMPARE(w->labels[0]->text(), QString("CÓDIGO"));
    QCOMPARE(w->labels[1]->text(), QString("DESCRIÇÃO"));
    QStringList captions;
    for (QToolButton *b : {w->btnNovo, w->btnAlterar, w->btnSalvar, w->btnCancelar, w->btnExcluir,
                           w->btnConsultar, w->btnSair})
        captions << b->text();
    QCOMPARE(captions, (QStringList{"Novo", "Alterar", "Salvar", "Cancelar", "Excluir", "Consultar",
                                    "Sair"}));
    const CacheModel *m = w->DBGrid1->cacheModel();
    QCOMPARE(m->columnCount(), 2);
    QCOMPARE(m->headerData(0, Qt::Horizontal).toString(), QString("Código"));
    QCOMPARE(m->headerData(1, Qt::Horizontal).toString(), QString("Descrição"));
}

void TstTFTipo::states_data()
{
    windows();
}

void TstTFTipo::states()
{
    QFETCH(QString, window);
    const bool expense = window == "TFTipoGasto";
    addTypes(window, {1, 2, 5});
    RegisterWindow *w = open(window);
    QVERIFY(w);
    auto check = [&](bool editing) {
        QCOMPARE(w->isEditing(), editing);
        QCOMPARE(w->boxes[0]->isEnabled(), editing && expense);
        QCOMPARE(w->boxes[1]->isEnabled(), editing);
        for (QToolButton *b : {w->btnNovo, w->btnExcluir, w->btnConsultar, w->btnSair})
            QVERIFY2(b->isEnabled() == !editing, qPrintable(b->objectName()));
        for (QToolButton *b : {w->btnSalvar, w->btnCancelar})
            QVERIFY2(b->isEnabled() == editing, qPrintable(b->objectName()));
        QVERIFY(w->btnAlterar->isEnabled());
        QVERIFY(w->DBNavigator1->isEnabled());
        QVERIFY(w->DBGrid1->isEnabled());
    };
    check(false);
    QVERIFY(w->cache().isOpen());

    w->btnNovo->click();
    check(true);
    QCOMPARE(w->cache().state(), TableCache::Insert);
    QCOMPARE(w->boxes[0]->text(), QString("6"));
    QCOMPARE(QApplication::focusWidget(), w->boxes[1]);

    w->btnCancelar->click();
    check(false);
    QCOMPARE(w->cache().recordCount(), 3);

    w->btnAlterar->click();
    check(true);
    QCOMPARE(w->cache().state(), TableCache::Edit);
    w->btnAlterar->click(); // again: nothing changes
    QCOMPARE(w->cache().state(), TableCache::Edit);
    QVERIFY(ui::Dialogs::shown().isEmpty());
}

void TstTFTipo::keys_data()
{
    windows();
}

void TstTFTipo::keys()
{
    QFETCH(QString, window);
    const bool expense = window == "TFTipoGasto";
    addTypes(window, {1, 2, 5});
    RegisterWindow *w = open(window);
    QVERIFY(w);
    ui::DBEdit *description = w->boxes[1];
    w->btnNovo->click();
    QTest::keyClicks(description, "Luz");

    // Enter and Down move on without saving; Up goes back.
    QTest::keyClick(description, Qt::Key_Return);
    QVERIFY(!description->hasFocus());
    QVERIFY(w->DBNavigator1->isAncestorOf(QApplication::focusWidget()));
    QCOMPARE(w->cache().state(), TableCache::Insert);
    description->setFocus();
    QTest::keyClick(description, Qt::Key_Down);
    QVERIFY(!description->hasFocus());
    description->setFocus();
    QTest::keyClick(description, Qt::Key_Up);
    if (expense)
        QCOMPARE(QApplication::focusWidget(), w->boxes[0]);
    else
        QVERIFY(!description->hasFocus());
    QCOMPARE(w->cache().state(), TableCache::Insert);
    QCOMPARE(count(window), 3);

    // F5 saves and re-reads: the first row becomes current.
    description->setFocus();
    QTest::keyClick(description, Qt::Key_F5);
    QVERIFY(ui::Dialogs::shown().isEmpty());
    QCOMPARE(onServer(window, 6).toString(), QString("Luz"));
    QVERIFY(!w->isEditing());
    QCOMPARE(w->cache().state(), TableCache::Browse);
    QCOMPARE(w->cache().currentRow(), 0);
    QCOMPARE(w->boxes[0]->text(), QString("1"));

    // Esc leaves.
    w->btnAlterar->click();
    QTest::keyClick(description, Qt::Key_Escape);
    QVERIFY(!w->isVisible());
}

void TstTFTipo::expenseTypeCodeIsTyped()
{
    addTypes("TFTipoGasto", {1});
    RegisterWindow *w = open("TFTipoGasto");
    QVERIFY(w);
    w->btnNovo->click();
    ui::DBEdit *code = w->boxes[0];
    code->setFocus();
    code->selectAll();
    QTest::keyClicks(code, "40");
    QTest::keyClicks(w->boxes[1], "Escola");
    w->btnSalvar->click();
    QVERIFY(ui::Dialogs::shown().isEmpty());
    QCOMPARE(onServer("TFTipoGasto", 40).toString(), QString("Escola"));
}

void TstTFTipo::savingWithoutCodeStaysEditing()
{
    RegisterWindow *w = open("TFTipoGasto");
    QVERIFY(w);
    w->btnNovo->click();
    w->boxes[0]->setFocus();
    w->boxes[0]->clear();
    QTest::keyClicks(w->boxes[1], "Sem codigo");
    QTest::keyClick(w->boxes[1], Qt::Key_F5);

    // The box names the field as the window labels it.
    QCOMPARE(ui::Dialogs::texts(ui::Dialogs::Error),
             QStringList{"O campo 'Código' precisa ter um valor."});
    QVERIFY(w->isEditing());
    QCOMPARE(w->cache().state(), TableCache::Insert);
    QCOMPARE(w->boxes[1]->text(), QString("Sem codigo"));
    QCOMPARE(count("TFTipoGasto"), 0);
}

void TstTFTipo::refusedSaveKeepsWhatWasTyped()
{
    addTypes("TFTipoGasto", {1, 2});
    RegisterWindow *w = open("TFTipoGasto");
    QVERIFY(w);
    QVERIFY(w->cache().locate("TGACODIGO", {2}));
    w->btnAlterar->click();
    // Code 1 is taken: the server refuses the change.
    w->boxes[0]->selectAll();
    QTest::keyClicks(w->boxes[0], "1");
    w->boxes[1]->selectAll();
    QTest::keyClicks(w->boxes[1], "Renomeado");
    w->btnSalvar->click();

    // Said in Portuguese; the server's own words go under the box's details.
    QCOMPARE(ui::Dialogs::texts(ui::Dialogs::Error),
             QStringList{"O servidor recusou a gravação. Já existe um registro com o código 1.\n"
                         "Nenhuma alteração foi gravada."});
    QVERIFY(ui::Dialogs::shown().last().details.contains("PK_TTIPOGASTO"));
    QVERIFY(w->isEditing());
    QVERIFY(w->cache().isEditing());
    QCOMPARE(w->boxes[1]->text(), QString("Renomeado"));
    QCOMPARE(onServer("TFTipoGasto", 2).toString(), QString("Tipo 2"));

    // Typing the code back makes the same row save.
    w->boxes[0]->selectAll();
    QTest::keyClicks(w->boxes[0], "2");
    w->btnSalvar->click();
    QCOMPARE(ui::Dialogs::texts(ui::Dialogs::Error).size(), 1);
    QVERIFY(!w->isEditing());
    QCOMPARE(onServer("TFTipoGasto", 2).toString(), QString("Renomeado"));
    QCOMPARE(count("TFTipoGasto"), 2);
}

void TstTFTipo::deleteWithoutAsking_data()
{
    windows();
}

void TstTFTipo::deleteWithoutAsking()
{
    QFETCH(QString, window);
    addTypes(window, {1, 2});
    m_fx->db.exec("INSERT INTO TGASTO (GASCODIGO, GASTIPO) VALUES (1, 1)");
    RegisterWindow *w = open(window);
    QVERIFY(w);
    w->btnExcluir->click();
    QVERIFY(ui::Dialogs::shown().isEmpty());
    QCOMPARE(count(window), 1);
    QVERIFY(onServer(window, 1).isNull());
    QCOMPARE(w->cache().recordCount(), 1);
    QVERIFY(!w->isEditing());
    // The delete does not look at the movements using the type.
    QCOMPARE(m_fx->db.scalar("SELECT COUNT(*) FROM TGASTO").toInt(), 1);
}

void TstTFTipo::changeOrDeleteOnEmptyTable_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<bool>("change");
    QTest::addColumn<QString>("said");
    for (const char *window : {"TFTipoGasto", "TFTipoEntrada"}) {
        QTest::addRow("%s Alterar", window) << window << true << "Não há registro para alterar.";
        QTest::addRow("%s Excluir", window) << window << false << "Não há registro para excluir.";
    }
}

void TstTFTipo::changeOrDeleteOnEmptyTable()
{
    QFETCH(QString, window);
    QFETCH(bool, change);
    QFETCH(QString, said);
    RegisterWindow *w = open(window);
    QVERIFY(w);
    (change ? w->btnAlterar : w->btnExcluir)->click();
    // A plain message, and no row started: a row without a code could never be saved.
    QCOMPARE(ui::Dialogs::texts(ui::Dialogs::Message), QStringList{said});
    QVERIFY(ui::Dialogs::texts(ui::Dialogs::Error).isEmpty());
    QVERIFY(!w->isEditing());
    QCOMPARE(w->cache().recordCount(), 0);
    QCOMPARE(w->cache().state(), TableCache::Browse);
    QCOMPARE(w->cache().pendingCount(), 0);
    QCOMPARE(count(window), 0);
}

void TstTFTipo::closingWhileEditingCancels_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("how");
    QTest::addColumn<bool>("inserting");
    QTest::newRow("TFTipoGasto, Esc while changing") << "TFTipoGasto"
                                                     << "esc" << false;
    QTest::newRow("TFTipoGasto, close box while inserting") << "TFTipoGasto"
                                                            << "close" << true;
    QTest::newRow("TFTipoEntrada, Esc while inserting") << "TFTipoEntrada"
                                                        << "esc" << true;
    QTest::newRow("TFTipoEntrada, close box while changing") << "TFTipoEntrada"
                                                             << "close" << false;
}

void TstTFTipo::closingWhileEditingCancels()
{
    QFETCH(QString, window);
    QFETCH(QString, how);
    QFETCH(bool, inserting);
    addTypes(window, {1});
    RegisterWindow *w = open(window);
    QVERIFY(w);
    (inserting ? w->btnNovo : w->btnAlterar)->click();
    QTest::keyClick(w->boxes[1], Qt::Key_End);
    QTest::keyClicks(w->boxes[1], " mudado");
    if (how == "esc")
        QTest::keyClick(w->boxes[1], Qt::Key_Escape);
    else
        w->close();

    QVERIFY(!w->isVisible());
    TableCache &c = w->cache();
    QCOMPARE(c.state(), TableCache::Browse);
    QCOMPARE(c.pendingCount(), 0);
    QCOMPARE(c.recordCount(), 1);
    QCOMPARE(c.value(typeTable(window).description).toString(), QString("Tipo 1"));
    m_fx->window.reset(); // the boxes would write pending text on the way out
    QCOMPARE(c.state(), TableCache::Browse);
    QCOMPARE(c.pendingCount(), 0);
    QCOMPARE(count(window), 1);
}

void TstTFTipo::rowStaysWhileEditing_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("how");
    QTest::newRow("TFTipoGasto, grid click") << "TFTipoGasto"
                                             << "grid";
    QTest::newRow("TFTipoGasto, grid key") << "TFTipoGasto"
                                           << "key";
    QTest::newRow("TFTipoEntrada, navigator") << "TFTipoEntrada"
                                              << "navigator";
}

void TstTFTipo::rowStaysWhileEditing()
{
    QFETCH(QString, window);
    QFETCH(QString, how);
    addTypes(window, {1, 2, 3});
    RegisterWindow *w = open(window);
    QVERIFY(w);
    w->btnAlterar->click();
    QTest::keyClick(w->boxes[1], Qt::Key_End);
    QTest::keyClicks(w->boxes[1], "!");
    if (how == "navigator") {
        QTest::mouseClick(w->DBNavigator1->button(ui::DBNavigator::Last), Qt::LeftButton);
    } else {
        w->PageControl1->setCurrentWidget(w->TabSheet2);
        ui::DBGrid *g = w->DBGrid1;
        if (how == "grid") {
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
    QTest::keyClick(w->boxes[1], Qt::Key_F5);
    QVERIFY(ui::Dialogs::shown().isEmpty());
    QCOMPARE(onServer(window, 1).toString(), QString("Tipo 1!"));
    QCOMPARE(onServer(window, 3).toString(), QString("Tipo 3"));

    // Browsing, the same moves do move.
    QTest::mouseClick(w->DBNavigator1->button(ui::DBNavigator::Last), Qt::LeftButton);
    QCOMPARE(w->cache().currentRow(), 2);
}

void TstTFTipo::consultarAndDoubleClick()
{
    addTypes("TFTipoEntrada", {1, 2, 3});
    RegisterWindow *w = open("TFTipoEntrada");
    QVERIFY(w);
    w->btnConsultar->click();
    QCOMPARE(w->PageControl1->currentWidget(), w->TabSheet2);
    ui::DBGrid *g = w->DBGrid1;
    const QRect r = g->visualRect(g->model()->index(1, 1));
    QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, r.center());
    QTest::mouseDClick(g->viewport(), Qt::LeftButton, {}, r.center());
    QCOMPARE(w->PageControl1->currentWidget(), w->TabSheet1);
    QCOMPARE(w->boxes[1]->text(), QString("Tipo 2"));
    QVERIFY(!w->isEditing());
}

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    TstTFTipo t;
    return test::runTests(t, argc, argv);
}

#include "tst_tftipo.moc"
