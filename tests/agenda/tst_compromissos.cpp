#include "agenda/agendadata.h"
#include "agenda/tfcompromissos.h"
#include "agenda/tffiltrorelatoriocompromissos.h"
#include "agenda/tflogin.h"
#include "agenda/tfprincipal.h"
#include "db/tablecache.h"
#include "support/agendafixture.h"
#include "support/modal.h"
#include "ui/datasource.h"
#include "ui/dbedit.h"
#include "ui/dbgrid.h"
#include "ui/dbmemo.h"
#include "ui/dbnavigator.h"
#include "ui/maskedit.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QToolButton>
#include <QtTest>

using namespace lx;
using namespace lx::agenda;
using Fx = agendatest::Fixture;
using lx::ui::Dialogs;

namespace {
/// The appointments window as the main window's button opens it, shown and active.
TFCompromissos *open(Fx &f)
{
    test::ModalScript modal;
    TFCompromissos *w = agendatest::openAppointments(f, modal);
    if (w)
        agendatest::showActive(w);
    return w;
}

TableCache &cacheOf(Fx &f)
{
    return *f.dm().TBCOMPROMISSO;
}

QStringList shownTitles(Fx &f)
{
    return agendatest::columnTexts(cacheOf(f), "TITULO");
}

void addThree(Fx &f)
{
    f.addAppointment(1, "Reunião", QDate(2024, 3, 10), QTime(9, 0));
    f.addAppointment(2, "Dentista", QDate(2024, 3, 11), QTime(14, 0));
    f.addAppointment(3, "Revisão do carro", QDate(2024, 3, 10), QTime(16, 30));
}

int count(Fx &f)
{
    return f.db.scalar("select count(*) from TCOMPROMISSO").toInt();
}
} // namespace

class TstCompromissos : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void layout();
    void states_data();
    void states();
    void showReadsAfreshUnfiltered();
    void newOnEmptyTableAndSave();
    void saveRefusedStaysEditing();
    void deleteAsksWithNoAsDefault_data();
    void deleteAsksWithNoAsDefault();
    void emptyListChangeOrDelete_data();
    void emptyListChangeOrDelete();
    void titleSearchLagsOneKey();
    void dateSearchOnEnterOrDown_data();
    void dateSearchOnEnterOrDown();
    void dateSearchBadDate();
    void doubleClickReturnsToChosen();
    void shortcuts_data();
    void shortcuts();
    void searchTabClosedWhileEditing();
    void keysFromSearchTab_data();
    void keysFromSearchTab();
    void closingWhileEditingCancels();
    void printOpensFilter();
    void todayListAfterReopen();
};

void TstCompromissos::initTestCase()
{
    if (lx::test::TestDb::serverUnavailable())
        QSKIP("no Firebird server configured (scripts/test starts one)");
}

void TstCompromissos::layout()
{
    Fx f;
    TFCompromissos *w = open(f);
    QVERIFY(w);
    QCOMPARE(w->windowTitle(), QString("Compromissos"));
    QCOMPARE(w->parent(), f.program->FPrincipal);
    QCOMPARE(w->PageControl1->count(), 2);
    QCOMPARE(w->PageControl1->tabText(0), QString("Cadastro"));
    QCOMPARE(w->PageControl1->tabText(1), QString("Consulta"));
    QCOMPARE(w->PageControl1->currentWidget(), w->TabSheet2);
    QCOMPARE(w->DBEdit4->editMask(), masks::date);
    QCOMPARE(w->DBEdit5->editMask(), masks::time);
    QCOMPARE(w->txtData->editMask(), masks::date);
    QCOMPARE(w->txtData->maskedText(), QString("  /  /    "));
    QCOMPARE(w->DBMemo1->dataField(), QString("DESCRICAO"));
    QCOMPARE(w->btnImprimir->text(), QString("Imprimir Compromissos"));
    QStringList headers;
    for (int c = 0; c < w->DBGrid1->model()->columnCount(); ++c)
        headers << w->DBGrid1->model()->headerData(c, Qt::Horizontal).toString();
    QCOMPARE(headers, (QStringList{"Título", "Descrição", "Data", "Horário"}));
    // The shortcuts are hidden: the window has no menu bar, only actions.
    const QList<QAction *> actions = w->actions();
    QStringList keys;
    for (QAction *a : actions)
        keys << a->text() + "=" + a->shortcut().toString();
    QCOMPARE(keys, (QStringList{"Novo=F1", "Alterar=F2", "Salvar=F5", "Cancelar=Esc",
                                "Excluir=Shift+Del", "Consultar=F8", "Sair=F4"}));
}

void TstCompromissos::states_data()
{
    QTest::addColumn<QString>("start");
    QTest::newRow("browse") << "";
    QTest::newRow("new") << "Novo";
    QTest::newRow("change") << "Alterar";
}

void TstCompromissos::states()
{
    QFETCH(QString, start);
    Fx f;
    addThree(f);
    TFCompromissos *w = open(f);
    QVERIFY(w);
    if (start == "Novo")
        w->btnNovo->click();
    else if (start == "Alterar")
        w->btnAlterar->click();
    const bool editing = !start.isEmpty();
    QCOMPARE(cacheOf(f).isEditing(), editing);
    for (QWidget *c : QList<QWidget *>{w->DBEdit2, w->DBEdit4, w->DBEdit5, w->DBMemo1, w->btnSalvar,
                                       w->btnCancelar})
        QVERIFY2(c->isEnabled() == editing, qPrintable(c->objectName()));
    for (QWidget *c : QList<QWidget *>{w->btnNovo, w->btnAlterar, w->btnExcluir, w->btnConsultar,
                                       w->btnImprimir, w->btnSair, w->DBNavigator1})
        QVERIFY2(c->isEnabled() != editing, qPrintable(c->objectName()));
    QVERIFY(!w->DBEdit1->isEnabled());
    QCOMPARE(w->PageControl1->isTabEnabled(1), !editing);
    if (editing)
        QCOMPARE(QApplication::focusWidget(), w->DBEdit2);
}

void TstCompromissos::showReadsAfreshUnfiltered()
{
    Fx f;
    addThree(f);
    TFCompromissos *w = open(f);
    QVERIFY(w);
    w->btnConsultar->click();
    QTest::keyClicks(w->txtTitulo, "dent");
    QTest::keyClick(w->txtTitulo, Qt::Key_Enter);
    QCOMPARE(shownTitles(f), QStringList{"Dentista"});
    // Closed on the search tab with its filter on.
    w->close();

    f.addAppointment(4, "Feira", QDate(2024, 3, 12), QTime(7, 0));
    w = open(f);
    QVERIFY(w);
    QVERIFY(!cacheOf(f).isFiltered());
    QCOMPARE(shownTitles(f), (QStringList{"Reunião", "Dentista", "Revisão do carro", "Feira"}));
    QCOMPARE(w->DBEdit2->text(), QString("Reunião"));
    QVERIFY(!w->isEditing());
}

void TstCompromissos::newOnEmptyTableAndSave()
{
    Fx f;
    TFCompromissos *w = open(f);
    QVERIFY(w);
    w->btnNovo->click();
    QCOMPARE(w->DBEdit1->text(), QString("1"));
    QCOMPARE(QApplication::focusWidget(), w->DBEdit2);

    QTest::keyClicks(w->DBEdit2, "Dentista");
    QTest::keyClick(w->DBEdit2, Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget(), w->DBEdit4);
    QTest::keyClicks(w->DBEdit4, "10032024");
    QTest::keyClick(w->DBEdit4, Qt::Key_Down);
    QCOMPARE(QApplication::focusWidget(), w->DBEdit5);
    QTest::keyClicks(w->DBEdit5, "0930");
    QTest::keyClick(w->DBEdit5, Qt::Key_Up);
    QCOMPARE(QApplication::focusWidget(), w->DBEdit4);
    w->DBMemo1->setFocus();
    QTest::keyClicks(w->DBMemo1, "Levar exames");
    QTest::keyClick(w->DBMemo1, Qt::Key_Return); // a new line, not the next box
    QTest::keyClicks(w->DBMemo1, "antigos");
    QCOMPARE(QApplication::focusWidget(), w->DBMemo1);

    QTest::keyClick(w->DBMemo1, Qt::Key_F5);
    QVERIFY(!w->isEditing());
    QCOMPARE(cacheOf(f).state(), TableCache::Browse);
    QCOMPARE(Dialogs::shown().size(), 0);
    QCOMPARE(f.db.scalar("select TITULO || '|' || DESCRICAO from TCOMPROMISSO where CODIGO = 1")
                 .toString(),
             QString("Dentista|Levar exames\nantigos"));
    QCOMPARE(f.db.scalar("select DATA from TCOMPROMISSO").toDate(), QDate(2024, 3, 10));
    QCOMPARE(f.db.scalar("select HORA from TCOMPROMISSO").toTime(), QTime(9, 30));

    // The next code follows the server's highest.
    f.addAppointment(7, "Outro", QDate(2024, 3, 10), QTime(8, 0));
    w->btnNovo->click();
    QCOMPARE(w->DBEdit1->text(), QString("8"));
    w->btnCancelar->click();
    QCOMPARE(shownTitles(f), QStringList{"Dentista"}); // not read again by the save
}

void TstCompromissos::saveRefusedStaysEditing()
{
    Fx f;
    TFCompromissos *w = open(f);
    QVERIFY(w);
    w->btnNovo->click();
    QTest::keyClicks(w->DBEdit2, "Dentista");
    // The server refuses the row.
    f.db.exec("CREATE EXCEPTION APPOINTMENT_REFUSED 'refused'");
    f.db.exec("CREATE TRIGGER TCOMPROMISSO_REFUSE FOR TCOMPROMISSO BEFORE INSERT AS "
              "BEGIN EXCEPTION APPOINTMENT_REFUSED; END");
    w->btnSalvar->click();
    QCOMPARE(Dialogs::texts(Dialogs::Error).size(), 1);
    QVERIFY(w->isEditing());
    QVERIFY(w->btnSalvar->isEnabled());
    QVERIFY(cacheOf(f).isEditing());
    QCOMPARE(w->DBEdit2->text(), QString("Dentista"));
    w->btnCancelar->click();
    QVERIFY(!w->isEditing());
    QCOMPARE(count(f), 0);
}

void TstCompromissos::deleteAsksWithNoAsDefault_data()
{
    QTest::addColumn<int>("answer"); // -1: Enter, the default button
    QTest::addColumn<QStringList>("left");
    QTest::newRow("Enter keeps it") << -1 << QStringList{"Reunião", "Dentista", "Revisão do carro"};
    QTest::newRow("No keeps it") << 0 << QStringList{"Reunião", "Dentista", "Revisão do carro"};
    QTest::newRow("Yes deletes it") << 1 << QStringList{"Reunião", "Revisão do carro"};
}

void TstCompromissos::deleteAsksWithNoAsDefault()
{
    QFETCH(int, answer);
    QFETCH(QStringList, left);
    Fx f;
    addThree(f);
    TFCompromissos *w = open(f);
    QVERIFY(w);
    w->DBNavigator1->click(ui::DBNavigator::Next);
    if (answer >= 0)
        Dialogs::queueConfirm(answer == 1);
    w->btnExcluir->click();
    QCOMPARE(Dialogs::shown().size(), 1);
    const Dialogs::Shown asked = Dialogs::shown().first();
    QCOMPARE(asked.kind, Dialogs::Confirm);
    QCOMPARE(asked.caption, QString("Atenção"));
    QCOMPARE(asked.text, QString("Você realmente deseja excluir este registro ?"));
    QCOMPARE(asked.defaultButton, QMessageBox::No);
    QCOMPARE(shownTitles(f), left);
    QCOMPARE(count(f), left.size());
    QCOMPARE(cacheOf(f).pendingCount(), 0);
}

void TstCompromissos::emptyListChangeOrDelete_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<bool>("filtered");
    QTest::addColumn<QString>("message");
    QTest::newRow("change, empty table")
        << "btnAlterar" << false << "Não há registro para alterar.";
    QTest::newRow("delete, empty table")
        << "btnExcluir" << false << "Não há registro para excluir.";
    QTest::newRow("delete, search matches nothing")
        << "btnExcluir" << true << "Não há registro para excluir.";
}

void TstCompromissos::emptyListChangeOrDelete()
{
    QFETCH(QString, button);
    QFETCH(bool, filtered);
    QFETCH(QString, message);
    Fx f;
    if (filtered)
        addThree(f);
    TFCompromissos *w = open(f);
    QVERIFY(w);
    if (filtered) {
        w->btnConsultar->click();
        QTest::keyClicks(w->txtTitulo, "xyz");
        QTest::keyClick(w->txtTitulo, Qt::Key_Enter);
        QCOMPARE(cacheOf(f).recordCount(), 0);
    }
    w->findChild<QToolButton *>(button)->click();
    QCOMPARE(Dialogs::texts(Dialogs::Message), QStringList{message});
    QCOMPARE(Dialogs::texts(Dialogs::Confirm), QStringList{});
    QVERIFY(!w->isEditing());
    QCOMPARE(cacheOf(f).state(), TableCache::Browse);
    QCOMPARE(count(f), filtered ? 3 : 0);
}

void TstCompromissos::titleSearchLagsOneKey()
{
    Fx f;
    addThree(f);
    TFCompromissos *w = open(f);
    QVERIFY(w);
    w->btnConsultar->click();
    QCOMPARE(QApplication::focusWidget(), w->txtTitulo);
    QTest::keyClicks(w->txtTitulo, "reu");
    QCOMPARE(w->txtTitulo->text(), QString("reu"));
    // The key being pressed is not yet part of the text searched for.
    QCOMPARE(cacheOf(f).filter(), QString("UPPER(TITULO) like UPPER('%re%')"));
    QCOMPARE(shownTitles(f), (QStringList{"Reunião", "Revisão do carro"}));
    QCOMPARE(w->DBGrid1->model()->rowCount(), 2);
    QTest::keyClick(w->txtTitulo, Qt::Key_Enter);
    QCOMPARE(shownTitles(f), QStringList{"Reunião"});
    QCOMPARE(w->DBGrid1->model()->rowCount(), 1);

    // Showing "Cadastro" switches the search off.
    w->PageControl1->setCurrentIndex(0);
    QVERIFY(!cacheOf(f).isFiltered());
    QCOMPARE(cacheOf(f).recordCount(), 3);
}

void TstCompromissos::dateSearchOnEnterOrDown_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<QStringList>("expected");
    const QStringList all{"Reunião", "Dentista", "Revisão do carro"};
    const QStringList day{"Reunião", "Revisão do carro"};
    QTest::newRow("Enter") << int(Qt::Key_Return) << day;
    QTest::newRow("keypad Enter") << int(Qt::Key_Enter) << day;
    QTest::newRow("Down") << int(Qt::Key_Down) << day;
    QTest::newRow("Up does nothing") << int(Qt::Key_Up) << all;
    QTest::newRow("Left does nothing") << int(Qt::Key_Left) << all;
}

void TstCompromissos::dateSearchOnEnterOrDown()
{
    QFETCH(int, key);
    QFETCH(QStringList, expected);
    Fx f;
    addThree(f);
    TFCompromissos *w = open(f);
    QVERIFY(w);
    w->btnConsultar->click();
    w->txtData->setFocus();
    QTest::keyClicks(w->txtData, "10032024");
    QCOMPARE(w->txtData->maskedText(), QString("10/03/2024"));
    QVERIFY(!cacheOf(f).isFiltered());
    QTest::keyClick(w->txtData, Qt::Key(key));
    QCOMPARE(shownTitles(f), expected);
    QCOMPARE(Dialogs::shown().size(), 0);
}

void TstCompromissos::dateSearchBadDate()
{
    Fx f;
    addThree(f);
    TFCompromissos *w = open(f);
    QVERIFY(w);
    w->btnConsultar->click();
    w->txtData->setFocus();
    QTest::keyClicks(w->txtData, "31022024");
    QTest::keyClick(w->txtData, Qt::Key_Return);
    QCOMPARE(Dialogs::texts(Dialogs::Error).size(), 1);
    QVERIFY(Dialogs::texts(Dialogs::Error).first().contains("31/02/2024"));
    QCOMPARE(cacheOf(f).recordCount(), 3);
    QVERIFY(w->isVisible());
}

void TstCompromissos::doubleClickReturnsToChosen()
{
    Fx f;
    addThree(f);
    f.addAppointment(4, "Feira", QDate(2024, 3, 12), QTime(7, 0));
    TFCompromissos *w = open(f);
    QVERIFY(w);
    w->btnConsultar->click();
    QTest::keyClicks(w->txtTitulo, "re");
    QTest::keyClick(w->txtTitulo, Qt::Key_End);
    QCOMPARE(w->DBGrid1->model()->rowCount(), 2);
    // The second row of the filtered list: not the first appointment of either list.
    const QRect second = w->DBGrid1->visualRect(w->DBGrid1->model()->index(1, 0));
    QTest::mouseClick(w->DBGrid1->viewport(), Qt::LeftButton, {}, second.center());
    QTest::mouseDClick(w->DBGrid1->viewport(), Qt::LeftButton, {}, second.center());

    QCOMPARE(w->PageControl1->currentWidget(), w->TabSheet2);
    QCOMPARE(w->DBEdit2->text(), QString("Revisão do carro"));
    QCOMPARE(w->DBEdit1->text(), QString("3"));
    QVERIFY(!cacheOf(f).isFiltered());

    // The navigator walks through all appointments again.
    w->DBNavigator1->click(ui::DBNavigator::First);
    QStringList walked{w->DBEdit2->text()};
    while (w->DBNavigator1->button(ui::DBNavigator::Next)->isEnabled()) {
        w->DBNavigator1->click(ui::DBNavigator::Next);
        walked << w->DBEdit2->text();
    }
    QCOMPARE(walked, (QStringList{"Reunião", "Dentista", "Revisão do carro", "Feira"}));
}

void TstCompromissos::shortcuts_data()
{
    QTest::addColumn<bool>("editing");
    QTest::addColumn<QKeySequence>("key");
    QTest::addColumn<QString>("outcome");
    // outcome: state, tab, rows in the cache, window open, boxes asked
    QTest::newRow("F1 in browse: new")
        << false << QKeySequence(Qt::Key_F1) << "Insert Cadastro 4 open 0";
    QTest::newRow("F1 in edit: nothing")
        << true << QKeySequence(Qt::Key_F1) << "Insert Cadastro 4 open 0";
    QTest::newRow("F2 in browse: change")
        << false << QKeySequence(Qt::Key_F2) << "Edit Cadastro 3 open 0";
    QTest::newRow("F5 in browse: nothing")
        << false << QKeySequence(Qt::Key_F5) << "Browse Cadastro 3 open 0";
    QTest::newRow("F5 in edit: save")
        << true << QKeySequence(Qt::Key_F5) << "Browse Cadastro 4 open 0";
    QTest::newRow("Esc in edit: cancel")
        << true << QKeySequence(Qt::Key_Escape) << "Browse Cadastro 3 open 0";
    QTest::newRow("Esc in browse: nothing")
        << false << QKeySequence(Qt::Key_Escape) << "Browse Cadastro 3 open 0";
    QTest::newRow("Shift+Del in browse: asks")
        << false << QKeySequence(Qt::SHIFT | Qt::Key_Delete) << "Browse Cadastro 3 open 1";
    QTest::newRow("Shift+Del in edit: nothing")
        << true << QKeySequence(Qt::SHIFT | Qt::Key_Delete) << "Insert Cadastro 4 open 0";
    QTest::newRow("F8 in browse: search tab")
        << false << QKeySequence(Qt::Key_F8) << "Browse Consulta 3 open 0";
    QTest::newRow("F8 in edit: nothing")
        << true << QKeySequence(Qt::Key_F8) << "Insert Cadastro 4 open 0";
    QTest::newRow("F4 in browse: closes")
        << false << QKeySequence(Qt::Key_F4) << "Browse Cadastro 3 closed 0";
    QTest::newRow("F4 in edit: nothing")
        << true << QKeySequence(Qt::Key_F4) << "Insert Cadastro 4 open 0";
}

void TstCompromissos::shortcuts()
{
    QFETCH(bool, editing);
    QFETCH(QKeySequence, key);
    QFETCH(QString, outcome);
    Fx f;
    addThree(f);
    TFCompromissos *w = open(f);
    QVERIFY(w);
    QPointer<TFCompromissos> alive(w);
    QWidget *target = w->btnNovo;
    if (editing) {
        w->btnNovo->click();
        QTest::keyClicks(w->DBEdit2, "Feira");
        target = w->DBEdit2;
    }
    QTest::keySequence(target, key);
    TableCache &c = cacheOf(f);
    const QString got =
        QStringList{
            QString::fromLatin1(QMetaEnum::fromType<TableCache::State>().valueToKey(c.state())),
            alive ? w->PageControl1->tabText(w->PageControl1->currentIndex()) : "Cadastro",
            QString::number(c.recordCount()), alive && w->isVisible() ? "open" : "closed",
            QString::number(Dialogs::shown().size())}
            .join(' ');
    QCOMPARE(got, outcome);
}

void TstCompromissos::searchTabClosedWhileEditing()
{
    Fx f;
    addThree(f);
    TFCompromissos *w = open(f);
    QVERIFY(w);
    w->btnAlterar->click();
    QTest::keyClick(w->DBEdit2, Qt::Key_End);
    QTest::keyClicks(w->DBEdit2, " (adiada)");
    QTabBar *bar = w->PageControl1->tabBar();
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(1).center());
    QCOMPARE(w->PageControl1->currentWidget(), w->TabSheet2);
    QCOMPARE(cacheOf(f).state(), TableCache::Edit);
    QCOMPARE(cacheOf(f).pendingCount(), 0);
    w->btnSalvar->click();
    QCOMPARE(f.db.scalar("select TITULO from TCOMPROMISSO where CODIGO = 1").toString(),
             QString("Reunião (adiada)"));
    QVERIFY(w->PageControl1->isTabEnabled(1));
}

void TstCompromissos::keysFromSearchTab_data()
{
    QTest::addColumn<QKeySequence>("key");
    QTest::addColumn<QString>("state");
    QTest::addColumn<QString>("shown");
    // Editing needs "Cadastro": F2 changes the appointment chosen in the filtered list, F1
    // starts a new one on the whole list.
    QTest::newRow("F2 changes the chosen row") << QKeySequence(Qt::Key_F2) << "Edit"
                                               << "3 Revisão do carro 3";
    QTest::newRow("F1 starts a new row") << QKeySequence(Qt::Key_F1) << "Insert"
                                         << "4  4";
}

void TstCompromissos::keysFromSearchTab()
{
    QFETCH(QKeySequence, key);
    QFETCH(QString, state);
    QFETCH(QString, shown);
    Fx f;
    addThree(f);
    TFCompromissos *w = open(f);
    QVERIFY(w);
    w->btnConsultar->click();
    QTest::keyClicks(w->txtTitulo, "re");
    QTest::keyClick(w->txtTitulo, Qt::Key_End);
    w->DBGrid1->setCurrentIndex(w->DBGrid1->model()->index(1, 0));
    QCOMPARE(cacheOf(f).value("CODIGO").toInt(), 3);
    QTest::keySequence(w->txtTitulo, key);
    QCOMPARE(w->PageControl1->currentWidget(), w->TabSheet2);
    QVERIFY(!cacheOf(f).isFiltered());
    QCOMPARE(QString::fromLatin1(
                 QMetaEnum::fromType<TableCache::State>().valueToKey(cacheOf(f).state())),
             state);
    QCOMPARE(QStringList({w->DBEdit1->text(), w->DBEdit2->text(),
                          QString::number(cacheOf(f).recordCount())})
                 .join(' '),
             shown);
    w->btnSalvar->click();
    QCOMPARE(count(f), state == "Insert" ? 4 : 3);
    QVERIFY(!w->isEditing());
}

void TstCompromissos::closingWhileEditingCancels()
{
    Fx f;
    addThree(f);
    TFCompromissos *w = open(f);
    QVERIFY(w);
    w->btnNovo->click();
    QTest::keyClicks(w->DBEdit2, "Feira");
    w->close();
    QVERIFY(!cacheOf(f).isEditing());
    QCOMPARE(cacheOf(f).pendingCount(), 0);
    QCOMPARE(cacheOf(f).recordCount(), 3);
    QCOMPARE(count(f), 3);
}

void TstCompromissos::printOpensFilter()
{
    Fx f;
    TFCompromissos *w = open(f);
    QVERIFY(w);
    TFFiltroRelatorioCompromissos *startUp = f.program->FFiltroRelatorioCompromissos;
    test::ModalScript modal;
    w->btnImprimir->click();
    QCOMPARE(modal.classNames(), QStringList{"lx::agenda::TFFiltroRelatorioCompromissos"});
    auto *filter = qobject_cast<TFFiltroRelatorioCompromissos *>(modal.shown.value(0));
    QVERIFY(filter);
    QVERIFY(filter != startUp);
    QCOMPARE(f.program->FFiltroRelatorioCompromissos.data(), filter);
    QCOMPARE(filter->parent(), w);
    QCOMPARE(filter->windowTitle(), QString("Filtro de Impressão"));
    const QString today = QDate::currentDate().toString("dd/MM/yyyy");
    QCOMPARE(filter->txtDataInicial->maskedText(), today);
    QCOMPARE(filter->txtDataFinal->maskedText(), today);
    QCOMPARE(filter->txtHoraInicial->maskedText(), QString("00:00"));
    QCOMPARE(filter->txtHoraFinal->maskedText(), QString("23:59"));
    filter->SpeedButton1->click();
    QVERIFY(!filter->isVisible());
}

void TstCompromissos::todayListAfterReopen()
{
    Fx f;
    const QDate today = QDate::currentDate();
    f.addAppointment(1, "Dentista", today, QTime(9, 0));
    TFPrincipal *main = f.program->FPrincipal;
    f.program->FLogin->show();
    f.program->FLogin->btnEntrarClick();
    QTableView *grid = main->DBGrid1;
    QCOMPARE(grid->model()->rowCount(), 1);

    TFCompromissos *w = open(f);
    QVERIFY(w);
    w->btnNovo->click();
    QTest::keyClicks(w->DBEdit2, "Lanche");
    QTest::keyClick(w->DBEdit2, Qt::Key_Return);
    QTest::keyClicks(w->DBEdit4, today.toString("ddMMyyyy"));
    QTest::keyClick(w->DBEdit4, Qt::Key_Return);
    QTest::keyClicks(w->DBEdit5, "0745");
    w->btnSalvar->click();
    QPointer<TFCompromissos> alive(w);
    w->btnSair->click();
    QVERIFY(!alive || !alive->isVisible());
    QCOMPARE(grid->model()->rowCount(), 1);

    QTest::mouseClick(main->btnFechar, Qt::LeftButton);
    QTest::mouseClick(main->btnAbrir, Qt::LeftButton);
    QCOMPARE(grid->model()->rowCount(), 2);
    QCOMPARE(grid->model()->index(0, 0).data().toString(), QString("Lanche"));
    QCOMPARE(grid->model()->index(0, 1).data().toString(), QString("07:45"));
}

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    TstCompromissos t;
    return agendatest::run(t, argc, argv);
}

#include "tst_compromissos.moc"
