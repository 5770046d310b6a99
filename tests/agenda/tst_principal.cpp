#include "agenda/agendadata.h"
#include "agenda/core/clocktext.h"
#include "agenda/core/todayappointments.h"
#include "agenda/picture.h"
#include "agenda/tfcontato.h"
#include "agenda/tflogin.h"
#include "agenda/tfmenu.h"
#include "agenda/tfprincipal.h"
#include "db/connection.h"
#include "db/queryresult.h"
#include "support/agendafixture.h"
#include "support/modal.h"

#include <QAction>
#include <QCalendarWidget>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTableView>
#include <QTimer>
#include <QToolButton>
#include <QtTest>

using namespace lx;
using namespace lx::agenda;
using Fx = agendatest::Fixture;
using lx::ui::Dialogs;

namespace {
QStringList gridRows(TFPrincipal *w)
{
    QStringList out;
    const QAbstractItemModel *m = w->DBGrid1->model();
    for (int r = 0; r < m->rowCount(); ++r)
        out << m->index(r, 0).data().toString() + " " + m->index(r, 1).data().toString();
    return out;
}

/// The main window shown as sign-in shows it, with the finance program looked for in folder.
TFPrincipal *signIn(Fx &f, const QString &financeFolder = QStringLiteral("/nonexistent"))
{
    TFPrincipal *w = f.program->FPrincipal;
    w->launcher().setFolder(financeFolder);
    f.program->FLogin->show();
    f.program->FLogin->btnEntrarClick();
    return w;
}
} // namespace

class TstPrincipal : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void layout();
    void todayListEarliestFirst();
    void emptyDay();
    void refreshOnlyOnOpen();
    void todayListError();
    void calendarPanel();
    void letterShortcuts_data();
    void letterShortcuts();
    void clock_data();
    void clock();
    void ending_data();
    void ending();
    void contactWindow();
    void contactWindowEndsProgram_data();
    void contactWindowEndsProgram();
};

void TstPrincipal::layout()
{
    Fx f;
    TFPrincipal *w = signIn(f);
    QVERIFY(QTest::qWaitForWindowExposed(w));
    QCOMPARE(w->windowTitle(), QString("Lembrix QOR"));
    QCOMPARE(agendatest::titleBar(w), QString("Lembrix QOR"));
    QVERIFY(w->windowState() & Qt::WindowMaximized);
    const QList<QToolButton *> bar{w->btnAgendaTelefonica, w->btnCompromissos, w->btnFinancas,
                                   w->btnCalendario, w->btnSair};
    const QStringList captions{"Agenda Telefônica", "Compromissos", "Controle Financeiro",
                               "Calendário", "Sair"};
    int lastX = -1;
    for (int i = 0; i < bar.size(); ++i) {
        QCOMPARE(bar[i]->text(), captions[i]);
        QVERIFY(bar[i]->isVisible());
        QVERIFY(bar[i]->mapTo(w, QPoint()).x() > lastX);
        lastX = bar[i]->mapTo(w, QPoint()).x();
    }
    QStringList menu;
    for (QAction *a : w->menuBar()->actions())
        menu << a->text();
    QCOMPARE(menu, (QStringList{"&Agenda Telefônica", "&Compromissos", "Controle &Financeiro",
                                "Confi&gurações", "Sair"}));
    QCOMPARE(w->Configuraes1->actions().size(), 1);
    QCOMPARE(w->Configuraes1->actions().first()->text(), QString("Contato"));
    QCOMPARE(w->Label1->text(), QString("Compromissos para Hoje: "));
    QCOMPARE(w->Label2->text(), QString("Relógio: "));
    QCOMPARE(w->btnFechar->text(), QString("Fechar"));
    QCOMPARE(w->btnAbrir->text(), QString("Abrir"));
    QCOMPARE(w->DBGrid1->model()->headerData(0, Qt::Horizontal).toString(), QString("Título"));
    QCOMPARE(w->DBGrid1->model()->headerData(1, Qt::Horizontal).toString(), QString("Horário"));
    QCOMPARE(w->DBGrid1->editTriggers(), QAbstractItemView::NoEditTriggers);
    QCOMPARE(w->DBGrid1->selectionBehavior(), QAbstractItemView::SelectRows);
    // As shown: today panel open, "Abrir" strip and calendar hidden.
    QVERIFY(w->Panel2->isVisible());
    QVERIFY(!w->Panel4->isVisible());
    QVERIFY(!w->Panel6->isVisible());
    QVERIFY(w->Image1->isVisible());
}

void TstPrincipal::todayListEarliestFirst()
{
    Fx f;
    const QDate today = QDate::currentDate();
    f.addAppointment(1, "Dentista", today, QTime(9, 0));
    f.addAppointment(2, "Reunião", today, QTime(8, 30));
    f.addAppointment(3, "Ontem", today.addDays(-1), QTime(7, 0));
    f.addAppointment(4, "Amanhã", today.addDays(1), QTime(7, 0));
    f.addAppointment(5, "Almoço", today, QTime(12, 15));
    TFPrincipal *w = signIn(f);
    QCOMPARE(gridRows(w), (QStringList{"Reunião 08:30", "Dentista 09:00", "Almoço 12:15"}));
    QVERIFY(Dialogs::shown().isEmpty());
}

void TstPrincipal::emptyDay()
{
    Fx f;
    f.addAppointment(1, "Ontem", QDate::currentDate().addDays(-1), QTime(7, 0));
    TFPrincipal *w = signIn(f);
    QVERIFY(gridRows(w).isEmpty());
    QVERIFY(w->Panel2->isVisible());
    QVERIFY(Dialogs::shown().isEmpty());
}

void TstPrincipal::refreshOnlyOnOpen()
{
    Fx f;
    const QDate today = QDate::currentDate();
    f.addAppointment(1, "Dentista", today, QTime(9, 0));
    TFPrincipal *w = signIn(f);
    QCOMPARE(gridRows(w), QStringList{"Dentista 09:00"});

    f.addAppointment(2, "Café", today, QTime(7, 45));
    QCOMPARE(gridRows(w), QStringList{"Dentista 09:00"});

    QTest::mouseClick(w->btnFechar, Qt::LeftButton);
    QVERIFY(!w->Panel2->isVisible());
    QVERIFY(w->Panel4->isVisible());
    QCOMPARE(gridRows(w), QStringList{"Dentista 09:00"});

    QTest::mouseClick(w->btnAbrir, Qt::LeftButton);
    QVERIFY(w->Panel2->isVisible());
    QVERIFY(!w->Panel4->isVisible());
    QCOMPARE(gridRows(w), (QStringList{"Café 07:45", "Dentista 09:00"}));
}

void TstPrincipal::todayListError()
{
    Fx f;
    TFPrincipal *w = signIn(f);
    QTest::mouseClick(w->btnFechar, Qt::LeftButton);
    f.db.exec("drop table TCOMPROMISSO");
    f.dm().SQLConnection1.close(); // so the reconnect sees the table gone
    QTest::mouseClick(w->btnAbrir, Qt::LeftButton);
    QCOMPARE(Dialogs::texts(Dialogs::Error).size(), 1);
    QCOMPARE(Dialogs::shown().first().caption, QString("Lembrix QOR"));
    QVERIFY(gridRows(w).isEmpty());
    // The panels stay as they were.
    QVERIFY(!w->Panel2->isVisible());
    QVERIFY(w->Panel4->isVisible());
}

void TstPrincipal::calendarPanel()
{
    Fx f;
    TFPrincipal *w = signIn(f);
    QVERIFY(!w->Panel6->isVisible());
    QTest::mouseClick(w->btnCalendario, Qt::LeftButton);
    QVERIFY(w->Panel6->isVisible());
    QVERIFY(w->Calendario->isVisible());
    // Independent of the today panel.
    QTest::mouseClick(w->btnFechar, Qt::LeftButton);
    QVERIFY(w->Panel6->isVisible());
    QTest::mouseClick(w->btnFecharCalendario, Qt::LeftButton);
    QVERIFY(!w->Panel6->isVisible());
    QVERIFY(!w->Panel2->isVisible());
    QCOMPARE(w->btnFecharCalendario->text(), QString("Fechar"));
}

void TstPrincipal::letterShortcuts_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("button"); // index into the button bar, -1 for none
    QTest::newRow("A") << int(Qt::Key_A) << 0;
    QTest::newRow("C") << int(Qt::Key_C) << 1;
    QTest::newRow("F") << int(Qt::Key_F) << 2;
    QTest::newRow("G") << int(Qt::Key_G) << -1;
    QTest::newRow("B") << int(Qt::Key_B) << -1;
}

void TstPrincipal::letterShortcuts()
{
    QFETCH(int, key);
    QFETCH(int, button);
    Fx f;
    TFPrincipal *w = signIn(f);
    QVERIFY(QTest::qWaitForWindowActive(w));
    const QList<QToolButton *> bar{w->btnAgendaTelefonica, w->btnCompromissos, w->btnFinancas,
                                   w->btnCalendario, w->btnSair};
    QList<std::shared_ptr<QSignalSpy>> spies;
    for (QToolButton *b : bar)
        spies << std::make_shared<QSignalSpy>(b, &QToolButton::clicked);
    // The windows the buttons show modally are closed at once.
    lx::test::ModalScript modal([](QDialog *d) { d->close(); });

    for (QWidget *target : {static_cast<QWidget *>(w->DBGrid1), static_cast<QWidget *>(w)}) {
        target->setFocus();
        QTest::keyClick(target, Qt::Key(key));
    }
    for (int i = 0; i < bar.size(); ++i)
        QCOMPARE(spies[i]->count(), i == button ? 2 : 0);
    // "Controle Financeiro" closed the agenda's connection.
    QCOMPARE(f.dm().SQLConnection1.isOpen(), button != 2);
    QCOMPARE(f.ended, 0);
}

void TstPrincipal::clock_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("format");
    QTest::addColumn<QString>("text"); // at 07:05:09
    QTest::newRow("pt_BR") << QLocale(QLocale::Portuguese, QLocale::Brazil) << "HH:mm:ss"
                           << "Relógio: 07:05:09";
    QTest::newRow("en_US") << QLocale(QLocale::English, QLocale::UnitedStates) << "h:mm:ss AP"
                           << "Relógio: 7:05:09 AM";
}

void TstPrincipal::clock()
{
    QFETCH(QLocale, locale);
    QFETCH(QString, format);
    QFETCH(QString, text);
    QCOMPARE(longTimeFormat(locale), format);
    QCOMPARE(clockText(QTime(7, 5, 9), locale), text);

    Fx f;
    TFPrincipal *w = f.program->FPrincipal;
    QCOMPARE(w->Label2->text(), QString("Relógio: "));
    QVERIFY(w->Timer1->isActive());
    QCOMPARE(w->Timer1->interval(), 1000);
    const QTime before = QTime::currentTime();
    w->Timer1Timer();
    const QTime after = QTime::currentTime();
    const QString shown = w->Label2->text();
    QVERIFY2(QRegularExpression("^Relógio: \\d\\d:\\d\\d:\\d\\d$").match(shown).hasMatch(),
             qPrintable(shown));
    const QTime t = QTime::fromString(shown.mid(9), "HH:mm:ss");
    QVERIFY(t.isValid());
    QVERIFY(t >= QTime(before.hour(), before.minute(), before.second()) || after < before);
    QVERIFY(t <= after || after < before);
}

void TstPrincipal::ending_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("close box") << "close";
    QTest::newRow("Sair button") << "button";
    QTest::newRow("Sair menu entry") << "menu";
}

void TstPrincipal::ending()
{
    QFETCH(QString, how);
    Fx f;
    TFPrincipal *w = signIn(f);
    if (how == "close")
        w->close();
    else if (how == "button")
        QTest::mouseClick(w->btnSair, Qt::LeftButton);
    else
        w->Sair1->trigger();
    QCOMPARE(f.ended, 1);
    // The hidden login window does not come back.
    QVERIFY(!f.program->FLogin->isVisible());
}

void TstPrincipal::contactWindow()
{
    Fx f;
    TFPrincipal *w = signIn(f);
    w->Contato1->trigger();
    auto *c = w->findChild<TFContato *>();
    QVERIFY(c);
    QVERIFY(c->isVisible());
    QCOMPARE(c->windowModality(), Qt::WindowModal);
    QCOMPARE(c->windowTitle(), QString("Fale Conosco"));
    QCOMPARE(c->btnEmail->text(), QString("ENVIAR EMAIL"));
    QCOMPARE(c->SpeedButton3->text(), QString("SAIR"));
    const QStringList lines = c->Memo1->toPlainText().split('\n');
    QCOMPARE(lines.size(), 7);
    QCOMPARE(lines[0], "Entre em contato conosco pelo email: " + TFContato::emailAddress);
    QCOMPARE(lines[2], QString("Ou Visite uma de nossas páginas: "));
    QCOMPARE(lines[4], TFContato::homePage);
    QCOMPARE(lines[6], TFContato::secondPage);
    for (const QString &address :
         {TFContato::emailAddress, TFContato::homePage, TFContato::secondPage})
        QVERIFY2(QRegularExpression("(@|//)([a-z0-9-]+\\.)*example\\.org(/|$)")
                     .match(address)
                     .hasMatch(),
                 qPrintable(address));

    QVERIFY(!c->Panel1->isVisible());
    QTest::mouseClick(c->btnEmail, Qt::LeftButton);
    QVERIFY(c->Panel1->isVisible());
    QCOMPARE(c->Label1->text(), QString("Email: "));
    QCOMPARE(c->Edit1->text(), TFContato::emailAddress);
    QTest::mouseClick(c->SpeedButton1, Qt::LeftButton);
    QVERIFY(!c->Panel1->isVisible());
    QVERIFY(c->isVisible());
    QCOMPARE(f.ended, 0);

    // Each opening is a fresh window with the panel hidden.
    w->Contato1->trigger();
    QCOMPARE(w->findChildren<TFContato *>().size(), 2);
}

void TstPrincipal::contactWindowEndsProgram_data()
{
    QTest::addColumn<bool>("byButton");
    QTest::newRow("SAIR") << true;
    QTest::newRow("close box") << false;
}

void TstPrincipal::contactWindowEndsProgram()
{
    QFETCH(bool, byButton);
    Fx f;
    TFPrincipal *w = signIn(f);
    w->Contato1->trigger();
    QPointer<TFContato> c = w->findChild<TFContato *>();
    if (byButton)
        QTest::mouseClick(c->SpeedButton3, Qt::LeftButton);
    else
        c->close();
    QCOMPARE(f.ended, 1);
}

void TstPrincipal::initTestCase()
{
    if (lx::test::TestDb::serverUnavailable())
        QSKIP("no Firebird server configured (scripts/test starts one)");
}

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    TstPrincipal t;
    return agendatest::run(t, argc, argv);
}

#include "tst_principal.moc"
