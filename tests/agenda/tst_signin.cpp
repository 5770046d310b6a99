#include "agenda/agendadata.h"
#include "agenda/core/credentials.h"
#include "agenda/tflogin.h"
#include "agenda/tfmenu.h"
#include "agenda/tfprincipal.h"
#include "agenda/tftrocarsenha.h"
#include "db/tablecache.h"
#include "support/agendafixture.h"
#include "ui/datasource.h"

#include <QFrame>
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
const QString kMismatch = QStringLiteral("Usuário ou Senha não Conferem !");
const QString kWrongCurrent = QStringLiteral("Usuário e/ou Senhas Digitados Errados !");
const QString kRepeat =
    QStringLiteral("Nova Senha digitada não confere com o campo de conferimento !");
const QString kDone = QStringLiteral("Alterações Realizadas com Sucesso !");
const QString kTitle = QStringLiteral("Lembrix QOR");

/// The caption of every box shown so far.
QStringList captions()
{
    QStringList out;
    for (const Dialogs::Shown &s : Dialogs::shown())
        out << s.caption;
    return out;
}

QStringList accounts(const lx::test::TestDb &db)
{
    QStringList out;
    const int n = db.scalar("select count(*) from TUSUARIO").toInt();
    for (int code = 1; code <= n; ++code)
        out << db.scalar("select coalesce(USULOGIN, '') || '/' || coalesce(USUSENHA, '') "
                         "from TUSUARIO where USUCODIGO = ?",
                         {code})
                   .toString();
    return out;
}

bool hintVisible(TFLogin *w)
{
    return w->Label4->isVisibleTo(w) && w->Label5->isVisibleTo(w) && w->Bevel1->isVisibleTo(w);
}

TFTrocarSenha *openChangeWindow(TFLogin *login)
{
    QTest::mouseClick(login->Label6, Qt::LeftButton);
    return login->FTrocarSenha;
}

void fill(TFTrocarSenha *w, const QStringList &texts)
{
    QLineEdit *boxes[] = {w->Edit1, w->Edit2, w->Edit3, w->Edit4, w->Edit5};
    for (int i = 0; i < texts.size(); ++i)
        boxes[i]->setText(texts[i]);
}
} // namespace

class TstSignIn : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void upperCredential_data();
    void upperCredential();

    void dataModule();
    void loginWindow();
    void signInAnyCase_data();
    void signInAnyCase();
    void accentedPassword_data();
    void accentedPassword();
    void mismatchEmptiesBoxes();
    void hintHiddenWhenDefaultPasswordChanged();
    void loginKeys_data();
    void loginKeys();
    void unreachableDatabase();

    void changeChecks_data();
    void changeChecks();
    void onlyFirstOfTwoIdenticalAccountsChanged();
    void changeWindowKeys_data();
    void changeWindowKeys();
    void refusedChangeStaysOpen();
    void loginNotRefreshedAfterChange();
};

void TstSignIn::upperCredential_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("stored");
    QTest::newRow("lower") << "velkan"
                           << "VELKAN";
    QTest::newRow("mixed") << "VeLkAn"
                           << "VELKAN";
    QTest::newRow("digits and signs") << "a1-b2_z!"
                                      << "A1-B2_Z!";
    QTest::newRow("accents stay") << "joão sé"
                                  << "JOãO Sé";
    QTest::newRow("capital accents stay") << "ÉÇÃ"
                                          << "ÉÇÃ";
    QTest::newRow("sharp s stays") << "straße"
                                   << "STRAßE";
    QTest::newRow("empty") << ""
                           << "";
}

void TstSignIn::upperCredential()
{
    QFETCH(QString, typed);
    QFETCH(QString, stored);
    QCOMPARE(agenda::upperCredential(typed), stored);
}

void TstSignIn::dataModule()
{
    Fx f;
    AgendaData &dm = f.dm();
    QCOMPARE(dm.parent(), f.program->FMenu);
    QCOMPARE(dm.SQLConnection1.name(), QString("AGENDA"));
    QVERIFY(dm.SQLConnection1.isOpen());
    QCOMPARE(dm.SQLConnection1.databasePath(), f.db.databasePath());
    const struct
    {
        TableCache *cache;
        ui::DataSource *source;
        QString cacheName, sourceName, table;
    } parts[] = {
        {dm.TBUSUARIO, dm.DSUSUARIO, "TBUSUARIO", "DSUSUARIO", "TUSUARIO"},
        {dm.TBCOMPROMISSO, dm.DSCOMPROMISSO, "TBCOMPROMISSO", "DSCOMPROMISSO", "TCOMPROMISSO"},
        {dm.TBCONTATO, dm.DSCONTATO, "TBCONTATO", "DSCONTATO", "TCONTATO"}};
    for (const auto &p : parts) {
        QVERIFY(p.cache);
        QVERIFY(p.source);
        QCOMPARE(p.cache->objectName(), p.cacheName);
        QCOMPARE(dm.findChild<TableCache *>(p.cacheName), p.cache);
        QCOMPARE(p.cache->tableName(), p.table);
        QCOMPARE(p.cache->connection(), &dm.SQLConnection1);
        QCOMPARE(p.source->objectName(), p.sourceName);
        QCOMPARE(dm.findChild<ui::DataSource *>(p.sourceName), p.source);
        QCOMPARE(p.source->cache(), p.cache);
    }
    // The login window reads the accounts through the module's cache.
    QVERIFY(!dm.TBUSUARIO->isOpen());
    f.program->FLogin->show();
    QVERIFY(dm.TBUSUARIO->isOpen());
    QCOMPARE(dm.TBUSUARIO->recordCount(), 1);
}

void TstSignIn::loginWindow()
{
    Fx f;
    TFLogin *w = f.program->FLogin;
    QVERIFY(f.dm().SQLConnection1.isOpen());
    QVERIFY(Dialogs::shown().isEmpty());
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w));
    QCOMPARE(w->windowTitle(), QString("Login"));
    QCOMPARE(agendatest::titleBar(w), QString("Login"));
    QCOMPARE(w->Label1->text(), QString("Usuário"));
    QCOMPARE(w->Label2->text(), QString("Senha"));
    QCOMPARE(w->Label6->text(), QString("Alterar Ususário ou Senha"));
    QCOMPARE(w->Label4->text(), QString("Usuário: velkan"));
    QCOMPARE(w->Label5->text(), QString("  Senha: velkan"));
    QCOMPARE(w->btnEntrar->text(), QString("Entrar"));
    QCOMPARE(w->btnCancelar->text(), QString("Cancelar"));
    QCOMPARE(w->Edit2->echoMode(), QLineEdit::Password);
    QVERIFY(!(w->windowFlags() & Qt::WindowMaximizeButtonHint));
    QVERIFY(hintVisible(w));
    QCOMPARE(w->Edit1->text(), QString("VELKAN"));
    QCOMPARE(w->Edit2->text(), QString("VELKAN"));
    // Only the login window is on screen at start-up.
    QVERIFY(!f.program->FPrincipal->isVisible());
    QVERIFY(!f.program->FMenu->isVisible());
}

void TstSignIn::signInAnyCase_data()
{
    QTest::addColumn<QString>("user");
    QTest::addColumn<QString>("password");
    QTest::newRow("as stored") << "VELKAN"
                               << "VELKAN";
    QTest::newRow("lower") << "velkan"
                           << "velkan";
    QTest::newRow("mixed") << "VeLkAn"
                           << "vElKaN";
}

void TstSignIn::signInAnyCase()
{
    QFETCH(QString, user);
    QFETCH(QString, password);
    Fx f;
    TFLogin *w = f.program->FLogin;
    w->show();
    w->Edit1->setText(user);
    w->Edit2->setText(password);
    QTest::mouseClick(w->btnEntrar, Qt::LeftButton);
    QVERIFY(Dialogs::shown().isEmpty());
    QVERIFY(!w->isVisible());
    QVERIFY(f.program->FPrincipal->isVisible());
    QVERIFY(f.program->FPrincipal->windowState() & Qt::WindowMaximized);
    QCOMPARE(f.ended, 0);
}

void TstSignIn::accentedPassword_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("signsIn");
    QTest::newRow("small e-acute") << "sé" << true;
    QTest::newRow("small e-acute, capital s") << "Sé" << true;
    QTest::newRow("capital E-acute") << "SÉ" << false;
    QTest::newRow("no accent") << "se" << false;
}

void TstSignIn::accentedPassword()
{
    QFETCH(QString, typed);
    QFETCH(bool, signsIn);
    Fx f;
    // Stored as the change window stores a password typed as "sé".
    f.db.exec("update TUSUARIO set USUSENHA = ? where USUCODIGO = 1",
              {agenda::upperCredential("sé")});
    TFLogin *w = f.program->FLogin;
    w->show();
    w->Edit1->setText("velkan");
    w->Edit2->setText(typed);
    w->btnEntrarClick();
    QCOMPARE(f.program->FPrincipal->isVisible(), signsIn);
    QCOMPARE(Dialogs::texts(Dialogs::Message), signsIn ? QStringList() : QStringList{kMismatch});
}

void TstSignIn::mismatchEmptiesBoxes()
{
    Fx f;
    TFLogin *w = f.program->FLogin;
    QVERIFY(agendatest::showActive(w));
    w->Edit1->setText("velkan");
    w->Edit2->setText("errada");
    w->Edit2->setFocus();
    QTest::mouseClick(w->btnEntrar, Qt::LeftButton);
    QCOMPARE(Dialogs::texts(Dialogs::Message), QStringList{kMismatch});
    QCOMPARE(captions(), QStringList{kTitle});
    QVERIFY(w->Edit1->text().isEmpty());
    QVERIFY(w->Edit2->text().isEmpty());
    QCOMPARE(QApplication::focusWidget(), w->Edit1);
    QVERIFY(w->isVisible());
    QVERIFY(!f.program->FPrincipal->isVisible());
    // As many attempts as the user likes.
    w->btnEntrarClick();
    QCOMPARE(Dialogs::texts(Dialogs::Message).size(), 2);
    QCOMPARE(captions(), QStringList(2, kTitle));
}

void TstSignIn::hintHiddenWhenDefaultPasswordChanged()
{
    Fx f;
    f.db.exec("update TUSUARIO set USUSENHA = 'OUTRA' where USUCODIGO = 1");
    TFLogin *w = f.program->FLogin;
    w->show();
    QVERIFY(!hintVisible(w));
    QVERIFY(w->Edit1->text().isEmpty());
    QVERIFY(w->Edit2->text().isEmpty());
    w->Edit1->setText("Velkan");
    w->Edit2->setText("outra");
    w->btnEntrarClick();
    QVERIFY(f.program->FPrincipal->isVisible());
}

void TstSignIn::loginKeys_data()
{
    QTest::addColumn<int>("box"); // 1 user name, 2 password
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("outcome"); // moved, back, signed, ended
    QTest::newRow("Enter in user name") << 1 << int(Qt::Key_Return) << "moved";
    QTest::newRow("keypad Enter in user name") << 1 << int(Qt::Key_Enter) << "moved";
    QTest::newRow("Down in user name") << 1 << int(Qt::Key_Down) << "moved";
    QTest::newRow("Enter in password") << 2 << int(Qt::Key_Return) << "signed";
    QTest::newRow("Down in password") << 2 << int(Qt::Key_Down) << "signed";
    QTest::newRow("Up in password") << 2 << int(Qt::Key_Up) << "back";
    QTest::newRow("Esc in user name") << 1 << int(Qt::Key_Escape) << "ended";
    QTest::newRow("Esc in password") << 2 << int(Qt::Key_Escape) << "ended";
}

void TstSignIn::loginKeys()
{
    QFETCH(int, box);
    QFETCH(int, key);
    QFETCH(QString, outcome);
    Fx f;
    TFLogin *w = f.program->FLogin;
    QVERIFY(agendatest::showActive(w));
    QLineEdit *edit = box == 1 ? w->Edit1 : w->Edit2;
    edit->setFocus();
    QTest::keyClick(edit, Qt::Key(key));

    QCOMPARE(f.program->FPrincipal->isVisible(), outcome == "signed");
    QCOMPARE(f.ended, outcome == "ended" ? 1 : 0);
    QCOMPARE(w->isVisible(), outcome == "moved" || outcome == "back");
    if (outcome == "moved")
        QCOMPARE(QApplication::focusWidget(), w->Edit2);
    if (outcome == "back")
        QCOMPARE(QApplication::focusWidget(), w->Edit1);
    QVERIFY(Dialogs::shown().isEmpty());
}

void TstSignIn::unreachableDatabase()
{
    Fx f;
    QTemporaryDir nowhere;
    const QString alias = nowhere.filePath("alias.txt");
    QFile a(alias);
    QVERIFY(a.open(QIODevice::WriteOnly));
    a.write(nowhere.filePath("missing").toLocal8Bit());
    a.close();
    f.program.reset();
    Dialogs::clearShown();
    f.program = std::make_unique<Program>(alias, "/nonexistent/");
    f.program->setTerminateHandler([&f] { ++f.ended; });
    // The set-up's error, then the login window all the same.
    QCOMPARE(Dialogs::texts(Dialogs::Error).size(), 1);
    QVERIFY(Dialogs::texts(Dialogs::Error)
                .first()
                .startsWith("O arquivo do banco de dados não foi encontrado: " +
                            nowhere.filePath("missing") + "/FINANCEIRO.GDB\n"));
    QVERIFY(Dialogs::shown().first().details.contains("I/O error"));
    TFLogin *w = f.program->FLogin;
    w->show();
    QCOMPARE(Dialogs::texts(Dialogs::Error).size(), 2);
    QVERIFY(hintVisible(w));
    QVERIFY(w->Edit1->text().isEmpty());
    w->Edit1->setText("velkan");
    w->Edit2->setText("velkan");
    QTest::mouseClick(w->btnEntrar, Qt::LeftButton);
    QCOMPARE(Dialogs::texts(Dialogs::Error).size(), 3);
    QVERIFY(Dialogs::texts(Dialogs::Message).isEmpty());
    QCOMPARE(captions(), QStringList(3, kTitle));
    QVERIFY(!f.program->FPrincipal->isVisible());
    QVERIFY(w->isVisible());
}

void TstSignIn::changeChecks_data()
{
    QTest::addColumn<QStringList>("typed");      // Edit1 to Edit5
    QTest::addColumn<QString>("message");        // the one box shown
    QTest::addColumn<QStringList>("boxesAfter"); // Edit1 to Edit5 afterwards (open window)
    QTest::addColumn<QString>("account");        // USULOGIN/USUSENHA afterwards

    QTest::newRow("wrong current password")
        << QStringList{"velkan", "errada", "novo", "nova", "nova"} << kWrongCurrent
        << QStringList{"velkan", "errada", "novo", "nova", "nova"} << "VELKAN/VELKAN";
    QTest::newRow("wrong current user")
        << QStringList{"outro", "velkan", "novo", "nova", "nova"} << kWrongCurrent
        << QStringList{"outro", "velkan", "novo", "nova", "nova"} << "VELKAN/VELKAN";
    QTest::newRow("repetition differs in case")
        << QStringList{"velkan", "velkan", "novo", "nova", "NOVA"} << kRepeat
        << QStringList{"velkan", "velkan", "novo", "", ""} << "VELKAN/VELKAN";
    QTest::newRow("changed, current typed in any case")
        << QStringList{"VeLkAn", "velkaN", "joão", "sé", "sé"} << kDone << QStringList()
        << "JOãO/Sé";
    QTest::newRow("empty new credentials accepted")
        << QStringList{"velkan", "velkan", "", "", ""} << kDone << QStringList() << "/";
    QTest::newRow("cut to 20 characters")
        << QStringList{"velkan", "velkan", "abcdefghijklmnopqrstuvwxyz", "12345678901234567890xx",
                       "12345678901234567890xx"}
        << kDone << QStringList() << "ABCDEFGHIJKLMNOPQRST/12345678901234567890";
}

void TstSignIn::changeChecks()
{
    QFETCH(QStringList, typed);
    QFETCH(QString, message);
    QFETCH(QStringList, boxesAfter);
    QFETCH(QString, account);
    Fx f;
    TFLogin *login = f.program->FLogin;
    QVERIFY(agendatest::showActive(login));
    QPointer<TFTrocarSenha> w = openChangeWindow(login);
    QVERIFY(w);
    QVERIFY(w->isVisible());
    QCOMPARE(w->windowModality(), Qt::WindowModal);
    QCOMPARE(w->windowTitle(), QString("Trocar Usuário e Senha"));
    QCOMPARE(agendatest::titleBar(w), QString("Trocar Usuário e Senha"));
    QCOMPARE(w->btnEntrar->text(), QString("Confirmar Alterações"));
    QVERIFY(agendatest::showActive(w));
    fill(w, typed);

    QTest::mouseClick(w->btnEntrar, Qt::LeftButton);
    QCOMPARE(Dialogs::texts(Dialogs::Message), QStringList{message});
    QCOMPARE(captions(), QStringList{kTitle});
    QCOMPARE(accounts(f.db), QStringList{account});
    if (boxesAfter.isEmpty()) {
        QVERIFY(!w || !w->isVisible());
        // Stored upper-cased, so the next sign-in takes them in any case.
        f.start();
        TFLogin *next = f.program->FLogin;
        next->show();
        QVERIFY(!hintVisible(next));
        next->Edit1->setText(typed[2].toLower());
        next->Edit2->setText(typed[3]);
        next->btnEntrarClick();
        QVERIFY(f.program->FPrincipal->isVisible());
        return;
    }
    QVERIFY(w->isVisible());
    QCOMPARE(QStringList({w->Edit1->text(), w->Edit2->text(), w->Edit3->text(), w->Edit4->text(),
                          w->Edit5->text()}),
             boxesAfter);
    if (message == kRepeat)
        QCOMPARE(w->focusWidget(), w->Edit4);
}

void TstSignIn::onlyFirstOfTwoIdenticalAccountsChanged()
{
    Fx f;
    f.db.exec("insert into TUSUARIO (USUCODIGO, USULOGIN, USUSENHA) values (2, 'VELKAN', "
              "'VELKAN')");
    TFLogin *login = f.program->FLogin;
    login->show();
    TFTrocarSenha *w = openChangeWindow(login);
    fill(w, {"velkan", "velkan", "ana", "x", "x"});
    w->btnEntrarClick();
    QCOMPARE(Dialogs::texts(Dialogs::Message), QStringList{kDone});
    QCOMPARE(accounts(f.db), (QStringList{"ANA/X", "VELKAN/VELKAN"}));
}

void TstSignIn::changeWindowKeys_data()
{
    QTest::addColumn<int>("box"); // 1 to 5
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("focusAfter"); // box with the focus, 0 when the window closed
    QTest::addColumn<bool>("changed");
    QTest::newRow("Enter in 1") << 1 << int(Qt::Key_Return) << 2 << false;
    QTest::newRow("Down in 2") << 2 << int(Qt::Key_Down) << 3 << false;
    QTest::newRow("Enter in 3") << 3 << int(Qt::Key_Enter) << 4 << false;
    QTest::newRow("Enter in 4") << 4 << int(Qt::Key_Return) << 5 << false;
    QTest::newRow("Up in 4") << 4 << int(Qt::Key_Up) << 3 << false;
    QTest::newRow("Up in 5") << 5 << int(Qt::Key_Up) << 4 << false;
    QTest::newRow("Enter in 5 confirms") << 5 << int(Qt::Key_Return) << 0 << true;
    QTest::newRow("Down in 5 confirms") << 5 << int(Qt::Key_Down) << 0 << true;
    QTest::newRow("F5 in 2 confirms") << 2 << int(Qt::Key_F5) << 0 << true;
    QTest::newRow("F5 in 5 confirms") << 5 << int(Qt::Key_F5) << 0 << true;
    QTest::newRow("Esc in 3 cancels") << 3 << int(Qt::Key_Escape) << 0 << false;
    QTest::newRow("Esc in 5 cancels") << 5 << int(Qt::Key_Escape) << 0 << false;
}

void TstSignIn::changeWindowKeys()
{
    QFETCH(int, box);
    QFETCH(int, key);
    QFETCH(int, focusAfter);
    QFETCH(bool, changed);
    Fx f;
    TFLogin *login = f.program->FLogin;
    login->show();
    QPointer<TFTrocarSenha> w = openChangeWindow(login);
    QVERIFY(agendatest::showActive(w));
    fill(w, {"velkan", "velkan", "novo", "nova", "nova"});
    QLineEdit *boxes[] = {w->Edit1, w->Edit2, w->Edit3, w->Edit4, w->Edit5};
    boxes[box - 1]->setFocus();
    QTest::keyClick(boxes[box - 1], Qt::Key(key));
    QCOMPARE(accounts(f.db), QStringList{changed ? "NOVO/NOVA" : "VELKAN/VELKAN"});
    QCOMPARE(Dialogs::texts(Dialogs::Message), changed ? QStringList{kDone} : QStringList());
    if (focusAfter == 0) {
        QVERIFY(!w || !w->isVisible());
        QVERIFY(login->isVisible());
        QCOMPARE(f.ended, 0);
    } else {
        QVERIFY(w->isVisible());
        QCOMPARE(QApplication::focusWidget(), boxes[focusAfter - 1]);
    }
}

void TstSignIn::refusedChangeStaysOpen()
{
    Fx f;
    TFLogin *login = f.program->FLogin;
    login->show(); // the user cache now holds VELKAN/VELKAN
    f.db.exec("update TUSUARIO set USUSENHA = 'OUTRA' where USUCODIGO = 1");
    TFTrocarSenha *w = openChangeWindow(login);
    fill(w, {"velkan", "velkan", "novo", "nova", "nova"});
    QTest::mouseClick(w->btnEntrar, Qt::LeftButton);

    // The server refused the change of a row changed meanwhile: the refusal is shown, not
    // a success.
    QCOMPARE(Dialogs::texts(Dialogs::Error).size(), 1);
    QVERIFY(Dialogs::texts(Dialogs::Error).first().contains("recusou"));
    QCOMPARE(captions(), QStringList{kTitle});
    QVERIFY(Dialogs::texts(Dialogs::Message).isEmpty());
    QVERIFY(w->isVisible());
    QCOMPARE(w->Edit3->text(), QString("novo"));
    QCOMPARE(accounts(f.db), QStringList{"VELKAN/OUTRA"});

    // The refused credentials do not sign in; those the server holds do.
    login->Edit1->setText("novo");
    login->Edit2->setText("nova");
    login->btnEntrarClick();
    QCOMPARE(Dialogs::texts(Dialogs::Message), QStringList{kMismatch});
    login->Edit1->setText("velkan");
    login->Edit2->setText("outra");
    login->btnEntrarClick();
    QVERIFY(f.program->FPrincipal->isVisible());
}

void TstSignIn::loginNotRefreshedAfterChange()
{
    Fx f;
    TFLogin *login = f.program->FLogin;
    login->show();
    TFTrocarSenha *w = openChangeWindow(login);
    fill(w, {"velkan", "velkan", "velkan", "nova", "nova"});
    w->btnEntrarClick();
    QCOMPARE(Dialogs::texts(Dialogs::Message), QStringList{kDone});
    QTest::qWait(0);

    // The hint and the filled-in boxes stay until the next start, and no longer sign in.
    QVERIFY(hintVisible(login));
    QCOMPARE(login->Edit2->text(), QString("VELKAN"));
    login->btnEntrarClick();
    QCOMPARE(Dialogs::texts(Dialogs::Message), (QStringList{kDone, kMismatch}));
    QVERIFY(login->Edit1->text().isEmpty());
    QVERIFY(login->Edit2->text().isEmpty());

    f.start();
    f.program->FLogin->show();
    QVERIFY(!hintVisible(f.program->FLogin));
}

void TstSignIn::initTestCase()
{
    if (lx::test::TestDb::serverUnavailable())
        QSKIP("no Firebird server configured (scripts/test starts one)");
}

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    TstSignIn t;
    return agendatest::run(t, argc, argv);
}

#include "tst_signin.moc"
