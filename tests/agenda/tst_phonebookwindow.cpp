#include "agenda/agendadata.h"
#include "agenda/tffiltrorelatorio.h"
#include "agenda/tfmenu.h"
#include "agenda/tfprincipal.h"
#include "db/tablecache.h"
#include "support/agendafixture.h"
#include "support/modal.h"
#include "ui/dbgrid.h"
#include "ui/maskedit.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QtTest>

using namespace lx;
using namespace lx::agenda;
using Fx = agendatest::Fixture;
using lx::ui::Dialogs;

namespace {
QStringList gridNames(const TFMenu *w)
{
    QStringList out;
    const QAbstractItemModel *m = w->DBGrid1->model();
    for (int r = 0; r < m->rowCount(); ++r)
        out << m->index(r, 0).data().toString();
    return out;
}

QList<int> columnWidths(const TFMenu *w)
{
    QList<int> out;
    for (int c = 0; c < 5; ++c)
        out << w->DBGrid1->columnWidth(c);
    return out;
}

/// The phone book shown as the main window shows it, active so that its keys work.
TFMenu *open(Fx &f)
{
    TFMenu *w = f.program->FMenu;
    agendatest::showActive(w);
    return w;
}

QVariant stored(Fx &f, int code, const char *column)
{
    return f.db.scalar(QString("select %1 from TCONTATO where CODIGO = ?").arg(column), {code});
}

/// True in browse state as the window shows it: only the name box, no save.
bool browsing(const TFMenu *w)
{
    return w->btnNovo->isEnabled() && !w->btnSalvar->isEnabled() && w->txtNome->isVisible() &&
           !w->txtEmail->isVisible() && !w->btnSalvar1->isVisible() &&
           !w->dm().TBCONTATO->isEditing();
}
} // namespace

class TstPhoneBookWindow : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init() { Dialogs::clearShown(); }
    void layoutAndStates();
    void liveSearch_data();
    void liveSearch();
    void newContactKeepsSearchText();
    void emptyTableGivesCodeOne();
    void changeCopiesRowWithoutSearching();
    void filterSurvivesSaveAndCancel_data();
    void filterSurvivesSaveAndCancel();
    void nothingToChangeOrDelete_data();
    void nothingToChangeOrDelete();
    void entryKeys_data();
    void entryKeys();
    void deleteAsksFirst_data();
    void deleteAsksFirst();
    void refusedDeleteSaysNoDeletion();
    void refusedSaveKeepsTyping();
    void partPhoneIsRefused();
    void shortcutsFollowTheirButtons_data();
    void shortcutsFollowTheirButtons();
    void closingWhileEditingDropsTheRow();
    void maximizeAndRestore();
    void openedFromMainWindow();
    void printOpensFilterWindow();
};

void TstPhoneBookWindow::initTestCase()
{
    if (lx::test::TestDb::serverUnavailable())
        QSKIP("no Firebird server configured (scripts/test starts one)");
}

void TstPhoneBookWindow::layoutAndStates()
{
    Fx f;
    f.addContact(1, "Ana");
    TFMenu *w = open(f);
    QCOMPARE(w->windowTitle(), QString("Agenda Telefônica QOR"));
    QVERIFY(w->windowFlags() & Qt::WindowMaximizeButtonHint);
    const QList<QToolButton *> bar{w->btnNovo,    w->btnAlterar,   w->btnSalvar,    w->btnCancelar,
                                   w->btnExcluir, w->btnConsultar, w->btnRelatorio, w->btnSair};
    const QStringList captions{"Incluir Contato", "Alterar Contato", "Salvar",   "Cancelar",
                               "Excluir Contato", "Buscar Contato",  "Imprimir", "Sair"};
    int lastX = -1;
    for (int i = 0; i < bar.size(); ++i) {
        QCOMPARE(bar[i]->text(), captions[i]);
        QVERIFY(bar[i]->mapTo(w, QPoint()).x() > lastX);
        lastX = bar[i]->mapTo(w, QPoint()).x();
    }
    QCOMPARE(w->btnSalvar1->toolTip(), QString("Fechar Busca"));
    const QStringList titles{"Nome", "Telefone 1", "Telefone 2", "Endereço", "Email"};
    const QList<QLabel *> labels{w->Label1, w->Label2, w->Label3, w->Label4, w->Label5};
    for (int c = 0; c < 5; ++c) {
        QCOMPARE(w->DBGrid1->model()->headerData(c, Qt::Horizontal).toString(), titles[c]);
        QCOMPARE(labels[c]->text(), titles[c]);
    }
    QCOMPARE(columnWidths(w), (QList<int>{100, 98, 98, 100, 100}));
    QCOMPARE(w->DBGrid1->editTriggers(), QAbstractItemView::NoEditTriggers);
    QCOMPARE(w->DBGrid1->selectionBehavior(), QAbstractItemView::SelectRows);

    // Browse state: the name box is the wide search box and has the focus.
    QVERIFY(browsing(w));
    for (QWidget *b :
         {w->btnNovo, w->btnAlterar, w->btnExcluir, w->btnConsultar, w->btnRelatorio, w->btnSair})
        QVERIFY(b->isEnabled());
    QVERIFY(!w->btnCancelar->isEnabled());
    QVERIFY(!w->btnSalvar1->isEnabled());
    for (QWidget *hidden :
         {static_cast<QWidget *>(w->Label2), static_cast<QWidget *>(w->Label5),
          static_cast<QWidget *>(w->txtTelefone1), static_cast<QWidget *>(w->txtTelefone2),
          static_cast<QWidget *>(w->txtEndereco)})
        QVERIFY(!hidden->isVisible());
    QCOMPARE(QApplication::focusWidget(), w->txtNome);
    const int searchWidth = w->txtNome->width();
    const int windowWidth = w->width();

    // Edit state: every box, the name box 500 pixels narrower, the small save button.
    w->btnNovo->click();
    for (QWidget *b :
         {w->btnNovo, w->btnAlterar, w->btnExcluir, w->btnConsultar, w->btnRelatorio, w->btnSair})
        QVERIFY(!b->isEnabled());
    QVERIFY(w->btnSalvar->isEnabled() && w->btnCancelar->isEnabled());
    for (QWidget *shown :
         {static_cast<QWidget *>(w->txtTelefone1), static_cast<QWidget *>(w->txtTelefone2),
          static_cast<QWidget *>(w->txtEndereco), static_cast<QWidget *>(w->txtEmail),
          static_cast<QWidget *>(w->Label5)})
        QVERIFY(shown->isVisible());
    QVERIFY(w->btnSalvar1->isVisible() && w->btnSalvar1->isEnabled());
    QCOMPARE(w->txtNome->width(), searchWidth - TFMenu::searchWidening);
    QCOMPARE(w->width(), windowWidth); // the boxes fit without widening the window
    QCOMPARE(w->txtTelefone1->maskedText(), QString("(   )    -    "));
    QCOMPARE(QApplication::focusWidget(), w->txtNome);

    w->btnCancelar->click();
    QVERIFY(browsing(w));
    QCOMPARE(w->txtNome->width(), searchWidth);
    QVERIFY(Dialogs::shown().isEmpty());
}

void TstPhoneBookWindow::liveSearch_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("any case, anywhere") << "jo" << QStringList{"João", "JOSÉ"};
    QTest::newRow("a quote") << "o'b" << QStringList{"O'Brien"};
    QTest::newRow("no match") << "xyz" << QStringList{};
}

void TstPhoneBookWindow::liveSearch()
{
    QFETCH(QString, typed);
    QFETCH(QStringList, expected);
    Fx f;
    f.addContact(1, "João");
    f.addContact(2, "Pedro");
    f.addContact(3, "JOSÉ");
    f.addContact(4, "O'Brien");
    TFMenu *w = open(f);
    QCOMPARE(gridNames(w).size(), 4);
    QTest::keyClicks(w->txtNome, typed);
    QCOMPARE(gridNames(w), expected);
    QCOMPARE(w->dm().TBCONTATO->filter(), lx::agenda::PhoneBook::searchFilter(typed));

    // The cleared box matches every name again.
    w->txtNome->selectAll();
    QTest::keyClick(w->txtNome, Qt::Key_Backspace);
    QCOMPARE(w->dm().TBCONTATO->filter(), QString("(UPPER(NOME) LIKE UPPER('%%'))"));
    QCOMPARE(gridNames(w).size(), 4);
    QVERIFY(Dialogs::shown().isEmpty());
}

void TstPhoneBookWindow::newContactKeepsSearchText()
{
    Fx f;
    f.addContact(4, "Maria");
    f.addContact(9, "Pedro");
    TFMenu *w = open(f);
    QTest::keyClicks(w->txtNome, "Mar");
    QCOMPARE(gridNames(w), QStringList{"Maria"});
    w->btnNovo->click();
    QCOMPARE(w->txtNome->text(), QString("Mar"));
    QCOMPARE(w->dm().TBCONTATO->value("CODIGO").toInt(), 10);
    QTest::keyClicks(w->txtNome, "ta");
    QTest::keyClicks(w->txtTelefone1, "0113333444");
    QTest::keyClicks(w->txtTelefone1, "4");
    w->btnSalvar->click();
    QVERIFY(browsing(w));
    QCOMPARE(stored(f, 10, "NOME").toString(), QString("Marta"));
    QCOMPARE(stored(f, 10, "TELEFONE1").toString(), QString("(011)3333-4444"));
    QCOMPARE(stored(f, 10, "TELEFONE2").toString(), QString("(   )    -    "));
    QVERIFY(stored(f, 10, "ENDERECO").isNull());
    // The boxes are empty, the list still shows the search's selection.
    QCOMPARE(w->txtNome->text(), QString());
    QCOMPARE(gridNames(w), (QStringList{"Maria", "Marta"}));
    QVERIFY(Dialogs::shown().isEmpty());
}

void TstPhoneBookWindow::emptyTableGivesCodeOne()
{
    Fx f;
    TFMenu *w = open(f);
    w->btnNovo->click();
    QCOMPARE(w->dm().TBCONTATO->value("CODIGO").toInt(), 1);
    QTest::keyClicks(w->txtNome, "Ana");
    w->btnSalvar1->click();
    QVERIFY(browsing(w));
    QCOMPARE(stored(f, 1, "NOME").toString(), QString("Ana"));
    QCOMPARE(gridNames(w), QStringList{"Ana"});
}

void TstPhoneBookWindow::changeCopiesRowWithoutSearching()
{
    Fx f;
    f.db.exec("insert into TCONTATO (CODIGO, NOME, TELEFONE1, ENDERECO, EMAIL, CIDADE) "
              "values (1, 'Bia', '(021)1111-2222', 'Av. C', 'bia@example.org', 'Rio')");
    f.addContact(2, "Carla");
    TFMenu *w = open(f);
    QTest::keyClicks(w->txtNome, "b");
    const QString filter = w->dm().TBCONTATO->filter();
    w->btnAlterar->click();
    QCOMPARE(w->txtNome->text(), QString("Bia"));
    QCOMPARE(w->txtTelefone1->maskedText(), QString("(021)1111-2222"));
    QCOMPARE(w->txtTelefone2->maskedText(), QString("(   )    -    "));
    QCOMPARE(w->txtEndereco->text(), QString("Av. C"));
    QCOMPARE(w->txtEmail->text(), QString("bia@example.org"));
    QCOMPARE(w->dm().TBCONTATO->filter(), filter);
    QCOMPARE(w->dm().TBCONTATO->state(), TableCache::Edit);

    w->txtEndereco->setText("Rua Nova, 2");
    w->btnSalvar->click();
    QVERIFY(browsing(w));
    QCOMPARE(stored(f, 1, "ENDERECO").toString(), QString("Rua Nova, 2"));
    QCOMPARE(stored(f, 1, "NOME").toString(), QString("Bia"));
    QCOMPARE(stored(f, 1, "CIDADE").toString(), QString("Rio"));
    QCOMPARE(f.db.scalar("select count(*) from TCONTATO").toInt(), 2);
}

void TstPhoneBookWindow::filterSurvivesSaveAndCancel_data()
{
    QTest::addColumn<bool>("save");
    QTest::newRow("save") << true;
    QTest::newRow("cancel") << false;
}

void TstPhoneBookWindow::filterSurvivesSaveAndCancel()
{
    QFETCH(bool, save);
    Fx f;
    f.addContact(1, "Ana");
    f.addContact(2, "Bruno");
    f.addContact(3, "Mariana");
    TFMenu *w = open(f);
    QTest::keyClicks(w->txtNome, "ana");
    w->btnAlterar->click();
    w->txtEmail->setText("x@example.org");
    (save ? w->btnSalvar : w->btnCancelar)->click();
    QVERIFY(browsing(w));
    QCOMPARE(w->txtNome->text(), QString());
    QCOMPARE(w->txtEmail->text(), QString());
    QCOMPARE(gridNames(w), (QStringList{"Ana", "Mariana"}));
    QCOMPARE(stored(f, 1, "EMAIL").toString(), save ? QString("x@example.org") : QString());
}

void TstPhoneBookWindow::nothingToChangeOrDelete_data()
{
    QTest::addColumn<bool>("emptyTable");
    QTest::addColumn<bool>("change");
    QTest::addColumn<QString>("message");
    QTest::newRow("change, empty table") << true << true << "Não há registro para alterar.";
    QTest::newRow("change, no match") << false << true << "Não há registro para alterar.";
    QTest::newRow("delete, empty table") << true << false << "Não há registro para excluir.";
    QTest::newRow("delete, no match") << false << false << "Não há registro para excluir.";
}

void TstPhoneBookWindow::nothingToChangeOrDelete()
{
    QFETCH(bool, emptyTable);
    QFETCH(bool, change);
    QFETCH(QString, message);
    Fx f;
    if (!emptyTable)
        f.addContact(1, "Ana");
    TFMenu *w = open(f);
    if (!emptyTable)
        QTest::keyClicks(w->txtNome, "zz");
    (change ? w->btnAlterar : w->btnExcluir)->click();
    QCOMPARE(Dialogs::texts(Dialogs::Message), QStringList{message});
    QCOMPARE(Dialogs::texts(Dialogs::Confirm), QStringList{});
    QVERIFY(browsing(w));
    QCOMPARE(w->dm().TBCONTATO->pendingCount(), 0);
    QCOMPARE(f.db.scalar("select count(*) from TCONTATO").toInt(), emptyTable ? 0 : 1);
}

void TstPhoneBookWindow::entryKeys_data()
{
    QTest::addColumn<int>("key");
    QTest::newRow("Enter") << int(Qt::Key_Return);
    QTest::newRow("Down") << int(Qt::Key_Down);
}

void TstPhoneBookWindow::entryKeys()
{
    QFETCH(int, key);
    Fx f;
    TFMenu *w = open(f);
    w->btnNovo->click();
    QTest::keyClicks(w->txtNome, "Ana");
    const QList<QWidget *> order{w->txtNome, w->txtTelefone1, w->txtTelefone2, w->txtEndereco,
                                 w->txtEmail};
    for (int i = 0; i + 1 < order.size(); ++i) {
        QTest::keyClick(order[i], Qt::Key(key));
        QCOMPARE(QApplication::focusWidget(), order[i + 1]);
    }
    QTest::keyClick(w->txtEmail, Qt::Key_Up);
    QCOMPARE(QApplication::focusWidget(), w->txtEndereco);
    QTest::keyClick(w->txtEndereco, Qt::Key(key));
    QVERIFY(w->dm().TBCONTATO->isEditing());
    QCOMPARE(f.db.scalar("select count(*) from TCONTATO").toInt(), 0);
    // In the e-mail box the key saves.
    QTest::keyClicks(w->txtEmail, "ana@example.org");
    QTest::keyClick(w->txtEmail, Qt::Key(key));
    QVERIFY(browsing(w));
    QCOMPARE(stored(f, 1, "EMAIL").toString(), QString("ana@example.org"));
    QVERIFY(Dialogs::shown().isEmpty());
}

void TstPhoneBookWindow::deleteAsksFirst_data()
{
    QTest::addColumn<bool>("yes");
    QTest::newRow("Yes") << true;
    QTest::newRow("No") << false;
}

void TstPhoneBookWindow::deleteAsksFirst()
{
    QFETCH(bool, yes);
    Fx f;
    f.addContact(1, "Ana");
    f.addContact(2, "Bruno");
    TFMenu *w = open(f);
    QTest::keyClicks(w->txtNome, "bru");
    Dialogs::queueConfirm(yes);
    w->btnExcluir->click();
    const QList<Dialogs::Shown> shown = Dialogs::shown();
    QVERIFY(!shown.isEmpty());
    QCOMPARE(shown[0].kind, Dialogs::Confirm);
    QCOMPARE(shown[0].text, QString("Você realmente deseja excluir o registro?"));
    QCOMPARE(shown[0].defaultButton, QMessageBox::Yes);
    QCOMPARE(Dialogs::texts(Dialogs::Message),
             yes ? QStringList{"Registro Excluído !"} : QStringList{});
    QCOMPARE(gridNames(w), yes ? QStringList{} : QStringList{"Bruno"});
    QCOMPARE(stored(f, 2, "NOME").toString(), yes ? QString() : QString("Bruno"));
    QCOMPARE(stored(f, 1, "NOME").toString(), QString("Ana"));
    QVERIFY(browsing(w));
}

void TstPhoneBookWindow::refusedDeleteSaysNoDeletion()
{
    Fx f;
    f.addContact(1, "Ana");
    TFMenu *w = open(f);
    f.db.exec("update TCONTATO set NOME = 'Ana Maria' where CODIGO = 1");
    Dialogs::queueConfirm(true);
    w->btnExcluir->click();
    QCOMPARE(Dialogs::texts(Dialogs::Message), QStringList{});
    QCOMPARE(Dialogs::texts(Dialogs::Error).size(), 1);
    QCOMPARE(gridNames(w), QStringList{"Ana Maria"});
    QCOMPARE(f.db.scalar("select count(*) from TCONTATO").toInt(), 1);
    QVERIFY(browsing(w));
}

void TstPhoneBookWindow::refusedSaveKeepsTyping()
{
    Fx f;
    TFMenu *w = open(f);
    w->btnNovo->click();
    f.db.exec("CREATE EXCEPTION CONTACT_REFUSED 'refused'");
    f.db.exec("CREATE TRIGGER TCONTATO_REFUSE FOR TCONTATO BEFORE INSERT AS "
              "BEGIN EXCEPTION CONTACT_REFUSED; END");
    QTest::keyClicks(w->txtNome, "Ana");
    w->txtEndereco->setText("Rua A");
    w->btnSalvar->click();
    QCOMPARE(Dialogs::texts(Dialogs::Error).size(), 1);
    // Still editing, with what was typed back in the boxes.
    QVERIFY(w->btnSalvar->isEnabled());
    QVERIFY(w->dm().TBCONTATO->isEditing());
    QCOMPARE(w->txtNome->text(), QString("Ana"));
    QCOMPARE(w->txtEndereco->text(), QString("Rua A"));
    QCOMPARE(f.db.scalar("select count(*) from TCONTATO").toInt(), 0);
}

void TstPhoneBookWindow::partPhoneIsRefused()
{
    Fx f;
    TFMenu *w = open(f);
    w->btnNovo->click();
    QTest::keyClicks(w->txtNome, "Ana");
    w->txtTelefone2->setFocus();
    QTest::keyClicks(w->txtTelefone2, "12345");
    QTest::keyClick(w->txtTelefone2, Qt::Key_F5);
    QCOMPARE(Dialogs::texts(Dialogs::Error), QStringList{ui::MaskEdit::invalidInputMessage()});
    QVERIFY(w->dm().TBCONTATO->isEditing());
    QCOMPARE(w->txtNome->text(), QString("Ana"));
    QCOMPARE(f.db.scalar("select count(*) from TCONTATO").toInt(), 0);
}

void TstPhoneBookWindow::shortcutsFollowTheirButtons_data()
{
    QTest::addColumn<bool>("editing"); // the state the key is pressed in
    QTest::addColumn<QKeySequence>("key");
    QTest::addColumn<bool>("editingAfter");
    QTest::addColumn<bool>("visibleAfter");
    QTest::addColumn<int>("rowsAfter"); // contacts on the server
    QTest::newRow("F1 starts a contact") << false << QKeySequence(Qt::Key_F1) << true << true << 1;
    QTest::newRow("F1 while editing") << true << QKeySequence(Qt::Key_F1) << true << true << 1;
    QTest::newRow("F2 changes") << false << QKeySequence(Qt::Key_F2) << true << true << 1;
    QTest::newRow("F5 saves") << true << QKeySequence(Qt::Key_F5) << false << true << 2;
    QTest::newRow("F5 while browsing") << false << QKeySequence(Qt::Key_F5) << false << true << 1;
    QTest::newRow("Esc cancels") << true << QKeySequence(Qt::Key_Escape) << false << true << 1;
    QTest::newRow("Esc while browsing")
        << false << QKeySequence(Qt::Key_Escape) << false << true << 1;
    QTest::newRow("F4 closes") << false << QKeySequence(Qt::Key_F4) << false << false << 1;
    QTest::newRow("F4 while editing") << true << QKeySequence(Qt::Key_F4) << true << true << 1;
    QTest::newRow("Shift+Del deletes")
        << false << QKeySequence(Qt::SHIFT | Qt::Key_Delete) << false << true << 0;
    QTest::newRow("Shift+Del while editing")
        << true << QKeySequence(Qt::SHIFT | Qt::Key_Delete) << true << true << 1;
    QTest::newRow("F8 does nothing") << false << QKeySequence(Qt::Key_F8) << false << true << 1;
}

void TstPhoneBookWindow::shortcutsFollowTheirButtons()
{
    QFETCH(bool, editing);
    QFETCH(QKeySequence, key);
    QFETCH(bool, editingAfter);
    QFETCH(bool, visibleAfter);
    QFETCH(int, rowsAfter);
    Fx f;
    f.addContact(1, "Ana");
    TFMenu *w = open(f);
    QTest::keyClicks(w->txtNome, "an");
    if (editing) {
        w->btnNovo->click();
        QTest::keyClicks(w->txtNome, "a Lu");
    }
    Dialogs::queueConfirm(true);
    QTest::keySequence(w->txtNome, key);
    QCOMPARE(w->dm().TBCONTATO->isEditing(), editingAfter);
    QCOMPARE(w->btnSalvar->isEnabled(), editingAfter);
    QCOMPARE(w->isVisible(), visibleAfter);
    QCOMPARE(f.db.scalar("select count(*) from TCONTATO").toInt(), rowsAfter);
    QCOMPARE(Dialogs::texts(Dialogs::Error), QStringList{});
    if (!editing && !editingAfter && visibleAfter && rowsAfter == 1)
        QCOMPARE(w->txtNome->text(), QString("an")); // nothing happened to the search
}

void TstPhoneBookWindow::closingWhileEditingDropsTheRow()
{
    Fx f;
    f.addContact(1, "Ana");
    TFMenu *w = open(f);
    w->btnNovo->click();
    QTest::keyClicks(w->txtNome, "Bia");
    w->close();
    QVERIFY(!w->isVisible());
    QCOMPARE(f.db.scalar("select count(*) from TCONTATO").toInt(), 1);
    open(f);
    QVERIFY(browsing(w));
    QCOMPARE(w->txtNome->text(), QString());
    QCOMPARE(gridNames(w), QStringList{"Ana"});
    QCOMPARE(w->dm().TBCONTATO->pendingCount(), 0);
}

void TstPhoneBookWindow::maximizeAndRestore()
{
    Fx f;
    f.addContact(1, "Ana");
    TFMenu *w = open(f);
    const QList<int> normal{100, 98, 98, 100, 100};
    QCOMPARE(columnWidths(w), normal);
    for (int round = 0; round < 2; ++round) {
        w->showMaximized();
        QTRY_VERIFY(w->windowState() & Qt::WindowMaximized);
        QCOMPARE(columnWidths(w), (QList<int>{159, 98, 98, 220, 160}));
        w->showNormal();
        QTRY_VERIFY(!(w->windowState() & Qt::WindowMaximized));
        QCOMPARE(columnWidths(w), normal);
    }
    // Minimizing a maximized window and bringing it back keeps the maximized widths.
    w->showMaximized();
    w->setWindowState(w->windowState() | Qt::WindowMinimized);
    w->setWindowState(w->windowState() & ~Qt::WindowMinimized);
    QCOMPARE(columnWidths(w), (QList<int>{159, 98, 98, 220, 160}));
    w->showNormal();
    QCOMPARE(columnWidths(w), normal);
}

void TstPhoneBookWindow::openedFromMainWindow()
{
    Fx f;
    f.addContact(1, "Ana");
    TFPrincipal *main = f.program->FPrincipal;
    main->launcher().setFolder("/nonexistent");
    QStringList seen;
    lx::test::ModalScript modal([&](QDialog *d) {
        seen << gridNames(static_cast<TFMenu *>(d)).join(",");
        d->close();
    });
    main->btnAgendaTelefonica->click();
    f.addContact(2, "Bia");
    main->AgendaTelefnica1->trigger();
    QCOMPARE(modal.shown.size(), 2);
    for (const QPointer<QDialog> &d : modal.shown)
        QCOMPARE(d.data(), static_cast<QDialog *>(f.program->FMenu));
    // Each showing reads the contacts afresh.
    QCOMPARE(seen, (QStringList{"Ana", "Ana,Bia"}));
    QVERIFY(Dialogs::shown().isEmpty());
}

void TstPhoneBookWindow::printOpensFilterWindow()
{
    Fx f;
    TFMenu *w = open(f);
    QString caption;
    QStringList texts;
    lx::test::ModalScript modal([&](QDialog *d) {
        auto *filter = qobject_cast<TFFiltroRelatorio *>(d);
        QVERIFY(filter);
        caption = filter->windowTitle();
        texts << filter->txtNome1->text() << filter->txtNome2->text();
        filter->btnSair->click();
    });
    QTest::keySequence(w->txtNome, QKeySequence(Qt::CTRL | Qt::Key_P));
    QCOMPARE(modal.classNames(), QStringList{"lx::agenda::TFFiltroRelatorio"});
    QCOMPARE(caption, QString("Filtro de Relatório de Contatos"));
    QCOMPARE(texts, (QStringList{"AAA", "ZZZ"}));
    QTRY_VERIFY(w->FFiltroRelatorio.isNull()); // closed windows go
}

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    TstPhoneBookWindow t;
    return agendatest::run(t, argc, argv);
}

#include "tst_phonebookwindow.moc"
