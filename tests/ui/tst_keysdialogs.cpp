#include "db/dberror.h"
#include "ui/buttons.h"
#include "ui/dialogs.h"
#include "ui/guard.h"
#include "ui/keymap.h"
#include "ui/language.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>
#include <QtTest>

using namespace lx;
using namespace lx::ui;

class TstKeysDialogs : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void movesFocus_data();
    void movesFocus();
    void handlersRunAndConsumeKey();
    void enterOnlyLeavesArrowsToList();
    void errorInHandlerReachesErrorBox();
    void guardedSignal();
    void buttonTable();

    void confirmAnswers_data();
    void confirmAnswers();
    void boxesAreRecorded();
    void boxesSpeakPortuguese();

private:
    QWidget *m_window = nullptr;
    QList<QLineEdit *> m_boxes;
};

void TstKeysDialogs::init()
{
    Dialogs::setScripted(true);
    Dialogs::clearShown();
    m_window = new QWidget;
    auto *layout = new QVBoxLayout(m_window);
    m_boxes.clear();
    for (int i = 0; i < 4; ++i) {
        auto *b = new QLineEdit(m_window);
        layout->addWidget(b);
        m_boxes << b;
    }
    m_boxes[2]->setEnabled(false); // skipped, like a box of the other state
    m_window->show();
    QApplication::setActiveWindow(m_window);
    QVERIFY(QTest::qWaitForWindowActive(m_window));
}

void TstKeysDialogs::cleanup()
{
    delete m_window;
    m_window = nullptr;
}

void TstKeysDialogs::movesFocus_data()
{
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("to");
    QTest::newRow("Enter") << 0 << int(Qt::Key_Return) << 1;
    QTest::newRow("keypad Enter") << 0 << int(Qt::Key_Enter) << 1;
    QTest::newRow("Down skips a disabled box") << 1 << int(Qt::Key_Down) << 3;
    QTest::newRow("Up") << 1 << int(Qt::Key_Up) << 0;
    QTest::newRow("Up skips a disabled box") << 3 << int(Qt::Key_Up) << 1;
}

void TstKeysDialogs::movesFocus()
{
    QFETCH(int, from);
    QFETCH(int, key);
    QFETCH(int, to);
    for (QLineEdit *b : std::as_const(m_boxes))
        keys(b).next().prev();
    m_boxes[from]->setFocus();
    QTRY_VERIFY(m_boxes[from]->hasFocus());
    QTest::keyClick(m_boxes[from], Qt::Key(key));
    QTRY_VERIFY(m_boxes[to]->hasFocus());
}

void TstKeysDialogs::handlersRunAndConsumeKey()
{
    int saved = 0, left = 0;
    keys(m_boxes[0]).next().on(Qt::Key_F5, [&] { ++saved; }).on(Qt::Key_Escape, [&] { ++left; });
    QCOMPARE(&keys(m_boxes[0]), &keys(m_boxes[0])); // one map per control
    QTest::keyClick(m_boxes[0], Qt::Key_F5);
    QTest::keyClick(m_boxes[0], Qt::Key_Escape);
    QCOMPARE(saved, 1);
    QCOMPARE(left, 1);
    QTest::keyClicks(m_boxes[0], "abc"); // other keys type as usual
    QCOMPARE(m_boxes[0]->text(), "abc");
    QTest::keyClick(m_boxes[0], Qt::Key_F5, Qt::ControlModifier); // not the mapped key
    QCOMPARE(saved, 1);
}

void TstKeysDialogs::enterOnlyLeavesArrowsToList()
{
    auto *list = new QComboBox(m_window);
    list->addItems({"Alimentação", "Lazer", "Saúde"});
    m_window->layout()->addWidget(list);
    auto *after = new QLineEdit(m_window);
    m_window->layout()->addWidget(after);
    keys(list).enterNext();
    list->setFocus();
    QTRY_VERIFY(list->hasFocus());
    QTest::keyClick(list, Qt::Key_Down);
    QCOMPARE(list->currentIndex(), 1);
    QVERIFY(list->hasFocus());
    QTest::keyClick(list, Qt::Key_Return);
    QTRY_VERIFY(after->hasFocus());
}

void TstKeysDialogs::errorInHandlerReachesErrorBox()
{
    int after = 0;
    keys(m_boxes[0]).on(Qt::Key_F5, [&] {
        throw DbError("O campo 'Código' precisa ter um valor.", "TTIPOGASTO.TGACODIGO");
        ++after;
    });
    QTest::keyClick(m_boxes[0], Qt::Key_F5);
    QCOMPARE(after, 0);
    QCOMPARE(Dialogs::texts(Dialogs::Error), {"O campo 'Código' precisa ter um valor."});
    QCOMPARE(Dialogs::shown().last().details, "TTIPOGASTO.TGACODIGO");
    QCOMPARE(Dialogs::shown().last().caption, "Tostara");
    QTest::keyClicks(m_boxes[0], "x"); // the program goes on
    QCOMPARE(m_boxes[0]->text(), "x");
}

void TstKeysDialogs::guardedSignal()
{
    auto *btn = new QPushButton(m_window);
    on(btn, &QPushButton::clicked, m_window, [] { throw std::runtime_error("falhou"); });
    btn->click();
    QCOMPARE(Dialogs::texts(Dialogs::Error), {"falhou"});
}

void TstKeysDialogs::buttonTable()
{
    QToolButton *save = nullptr, *search = nullptr, *leave = nullptr;
    int saved = 0;
    const QList<QToolButton *> made = makeButtons(
        m_window, m_window, {},
        {{save, "btnSalvar", "Salvar", QStyle::SP_DialogSaveButton, [&] { ++saved; }},
         {search, "btnConsultar", "Buscar Endereço", QStyle::SP_FileDialogContentsView, {}},
         {leave, "btnSair", "Sair", QStyle::SP_DialogCloseButton,
          [] { throw DbError("Não foi possível sair."); }}});
    QCOMPARE(made, (QList<QToolButton *>{save, search, leave}));
    QCOMPARE(m_window->findChild<QToolButton *>("btnConsultar"), search);
    QCOMPARE(search->text(), QString("Buscar Endereço"));

    save->click();
    search->click(); // no handler: nothing happens
    QCOMPARE(saved, 1);
    leave->click();
    QCOMPARE(Dialogs::texts(Dialogs::Error), {"Não foi possível sair."});
}

void TstKeysDialogs::confirmAnswers_data()
{
    QTest::addColumn<int>("defaultButton");
    QTest::addColumn<QList<bool>>("queued");
    QTest::addColumn<QList<bool>>("answers");
    QTest::newRow("No by default")
        << int(QMessageBox::No) << QList<bool>{} << QList<bool>{false, false};
    QTest::newRow("Yes by default")
        << int(QMessageBox::Yes) << QList<bool>{} << QList<bool>{true, true};
    QTest::newRow("queue first, then default")
        << int(QMessageBox::No) << QList<bool>{true} << QList<bool>{true, false};
}

void TstKeysDialogs::confirmAnswers()
{
    QFETCH(int, defaultButton);
    QFETCH(QList<bool>, queued);
    QFETCH(QList<bool>, answers);
    for (bool a : queued)
        Dialogs::queueConfirm(a);
    for (bool expected : answers)
        QCOMPARE(Dialogs::confirm(m_window, "Você realmente deseja excluir este registro ?",
                                  QMessageBox::StandardButton(defaultButton)),
                 expected);
    const Dialogs::Shown &s = Dialogs::shown().last();
    QCOMPARE(s.kind, Dialogs::Confirm);
    QCOMPARE(s.caption, "Atenção");
    QCOMPARE(s.text, "Você realmente deseja excluir este registro ?");
    QCOMPARE(int(s.defaultButton), defaultButton);
}

void TstKeysDialogs::boxesAreRecorded()
{
    Dialogs::message(m_window, "Registro Excluído !");
    Dialogs::queueSaveFileName("/tmp/grafico.bmp");
    QCOMPARE(Dialogs::saveFileName(m_window, "Salvar", "/tmp", "*.bmp"), "/tmp/grafico.bmp");
    QCOMPARE(Dialogs::saveFileName(m_window, "Salvar", "/tmp", "*.bmp"), QString()); // cancelled
    QCOMPARE(Dialogs::texts(Dialogs::Message), {"Registro Excluído !"});
    QCOMPARE(Dialogs::shown().first().caption, "Tostara");
    Dialogs::setScripted(true); // a new script forgets what was queued
    QCOMPARE(Dialogs::saveFileName(m_window, "Salvar", "/tmp", "*.bmp"), QString());
}

namespace {
/// Runs show, which opens a box modally, and hands the box to answer once it is up.
void withBox(const std::function<void()> &show, const std::function<void(QMessageBox *)> &answer)
{
    QTimer poll;
    poll.setInterval(10);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
            poll.stop();
            answer(box);
        }
    });
    poll.start();
    show();
}

QStringList buttonTexts(QMessageBox *box)
{
    QStringList out;
    for (QAbstractButton *b : box->buttons())
        out << b->text().remove('&');
    out.sort();
    return out;
}
} // namespace

void TstKeysDialogs::boxesSpeakPortuguese()
{
    QVERIFY2(installQtTranslations(*qApp), "qt6-translations-l10n is not installed");
    Dialogs::setScripted(false);
    auto scriptedAgain = qScopeGuard([] { Dialogs::setScripted(true); });

    QStringList confirmButtons;
    QString defaultText;
    bool answer = true;
    withBox(
        [&] {
            answer = Dialogs::confirm(m_window, "Você realmente deseja excluir este registro ?");
        },
        [&](QMessageBox *box) {
            confirmButtons = buttonTexts(box);
            defaultText = box->defaultButton()->text().remove('&');
            box->defaultButton()->click();
        });
    QCOMPARE(confirmButtons, (QStringList{"Não", "Sim"}));
    QCOMPARE(defaultText, "Não");
    QVERIFY(!answer);

    // The error box keeps the server's words under its details button.
    QString detailed;
    QStringList errorButtons;
    withBox([&] { Dialogs::error(m_window, "Já existe um registro com o código 1.", "PK_TGASTO"); },
            [&](QMessageBox *box) {
                detailed = box->detailedText();
                errorButtons = buttonTexts(box);
                box->button(QMessageBox::Ok)->click();
            });
    QCOMPARE(detailed, "PK_TGASTO");
    QVERIFY2(errorButtons.contains("Mostrar detalhes..."), qPrintable(errorButtons.join('|')));
}

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    Dialogs::setApplicationTitle(QStringLiteral("Tostara"));
    QLocale::setDefault(QLocale(QLocale::Portuguese, QLocale::Brazil));
    TstKeysDialogs t;
    return QTest::qExec(&t, argc, argv);
}

#include "tst_keysdialogs.moc"
