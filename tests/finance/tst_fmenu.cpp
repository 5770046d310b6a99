#include "db/tablecache.h"
#include "finance/application.h"
#include "finance/forms.h"
#include "finance/tdm.h"
#include "finance/tfcaixames.h"
#include "finance/tfcontasapagar.h"
#include "finance/tffiltrorelatorio.h"
#include "finance/tfgasto.h"
#include "finance/tfgraficos.h"
#include "finance/tfmenu.h"
#include "finance/tfrecebimento.h"
#include "support/financefixture.h"
#include "support/modal.h"
#include "support/testdb.h"
#include "ui/dialogs.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QImageReader>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QSignalSpy>
#include <QStyle>
#include <QTimer>
#include <QToolButton>
#include <QtTest>

#include <memory>

using namespace lx;
using namespace lx::finance;

namespace {
/// A window opened through TFMenu::open, as the program's own windows are: made on the
/// data module, owned by the main window. Each one is numbered as it is made (a freed
/// window's address may be reused), and it notes whether the data module outlived it.
class TestWindow : public QDialog
{
public:
    TestWindow(TDM &dm, QWidget *parent) : QDialog(parent), dataModule(&dm), serial(++made) {}
    ~TestWindow() override { dataModuleAtEnd = DM != nullptr; }

    TDM *dataModule;
    const int serial;
    static inline int made = 0;
    static inline bool dataModuleAtEnd = false;
};

/// Runs the application's own event loop, as the program does, and does action in it;
/// true when the application ends by itself.
bool endsTheApplication(const std::function<void()> &action, int ms = 3000)
{
    QTimer::singleShot(0, action);
    QTimer timeout;
    timeout.setSingleShot(true);
    QObject::connect(&timeout, &QTimer::timeout, [] { QCoreApplication::exit(1); });
    timeout.start(ms);
    return QCoreApplication::exec() == 0;
}
} // namespace

class TstFMenu : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void startsConnectedWithNoCacheOpen();
    void unreachableDatabaseShowsErrorThenWindow();
    void buttons();
    void windowTitlesAreExactlyTheCaptions();
    void pictureAndFixedCentredWindow();
    void menus_data();
    void menus();
    void menuBarShowsPictureAndCaption();
    void closing_data();
    void closing();
    void informarEntradaMenuClicksTheButton();
    void controlsOpenTheirWindows_data();
    void controlsOpenTheirWindows();
    void openingGivesFreshOwnedModalInstance();
    void windowsGoBeforeTheDataModule();
    void openingBlocksUntilClosed();

private:
    std::unique_ptr<test::TestDb> m_db;
    std::unique_ptr<TFMenu> m_menu;
};

void TstFMenu::initTestCase()
{
    initApplication(*qobject_cast<QApplication *>(QCoreApplication::instance()));
    m_db = std::make_unique<test::TestDb>();
}

void TstFMenu::init()
{
    ui::Dialogs::clearShown();
    m_menu = std::make_unique<TFMenu>(m_db->aliasFile(), "/nonexistent/");
}

void TstFMenu::cleanup()
{
    m_menu.reset();
}

void TstFMenu::startsConnectedWithNoCacheOpen()
{
    QVERIFY(ui::Dialogs::shown().isEmpty());
    QCOMPARE(FMenu, m_menu.get());
    QVERIFY(DM);
    QCOMPARE(DM, m_menu->dm());
    QCOMPARE(DM->parent(), m_menu.get());
    QVERIFY(DM->SQLConnection1.isOpen());
    for (TableCache *c : DM->findChildren<TableCache *>())
        QVERIFY2(!c->isOpen(), qPrintable(c->objectName()));
}

void TstFMenu::unreachableDatabaseShowsErrorThenWindow()
{
    m_menu.reset();
    QTemporaryDir nowhere;
    const QString alias = nowhere.filePath("alias.txt");
    QFile f(alias);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(nowhere.filePath("missing").toLocal8Bit());
    f.close();

    m_menu = std::make_unique<TFMenu>(alias, "/nonexistent/");
    QCOMPARE(ui::Dialogs::texts(ui::Dialogs::Error).size(), 1);
    QCOMPARE(ui::Dialogs::shown().first().caption, QString("Tostara"));
    // In Portuguese, naming the file tried; the engine's own words under the details.
    const QString tried = nowhere.filePath("missing") + "/FINANCEIRO.GDB";
    QCOMPARE(ui::Dialogs::shown().first().text,
             "O arquivo do banco de dados não foi encontrado: " + tried +
                 "\nPara criar um banco novo, execute scripts/run ou build/tools/criabanco " +
                 tried);
    QVERIFY(ui::Dialogs::shown().first().details.contains("I/O error"));
    QVERIFY(!m_menu->isVisible());
    QVERIFY(!DM->SQLConnection1.isOpen());

    m_menu->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_menu.get()));
    QCOMPARE(ui::Dialogs::shown().size(), 1);
}

void TstFMenu::buttons()
{
    QCOMPARE(m_menu->windowTitle(), QString("Tostara"));
    QCOMPARE(ui::Dialogs::applicationTitle(), QString("Tostara"));
    m_menu->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_menu.get()));

    const QList<QPair<QToolButton *, QString>> expected{
        {m_menu->btnGasto, "Informar Gasto"},
        {m_menu->btnRecebimento, "Informar Entrada"},
        {m_menu->btnCaixa, "Consultar Caixa"},
        {m_menu->btnGraficos, "Ver Gráficos"},
        {m_menu->btnSair, "Sair"}};
    int lastX = -1;
    for (const auto &[button, caption] : expected) {
        QCOMPARE(button->text(), caption);
        QVERIFY(button->isVisible());
        QVERIFY(!button->icon().isNull());
        QCOMPARE(button->toolButtonStyle(), Qt::ToolButtonTextUnderIcon);
        QVERIFY(button->autoRaise());
        QCOMPARE(button->palette().color(QPalette::Active, QPalette::ButtonText), QColor(Qt::blue));
        QVERIFY(button->palette().color(QPalette::Disabled, QPalette::ButtonText) !=
                QColor(Qt::blue));
        QCOMPARE(button->y(), m_menu->btnGasto->y());
        QVERIFY(button->x() > lastX);
        lastX = button->x() + button->width() - 1;
    }
    QVERIFY(m_menu->btnSair->isEnabled());
}

void TstFMenu::windowTitlesAreExactlyTheCaptions()
{
    // With no display name of its own, the window system appends nothing to the captions.
    QCOMPARE(QGuiApplication::applicationDisplayName(), QCoreApplication::applicationName());
    m_menu->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_menu.get()));
    QCOMPARE(m_menu->windowTitle(), QString("Tostara"));

    test::ModalScript modal([](QDialog *d) { d->close(); });
    m_menu->btnGasto->click();
    QCOMPARE(modal.classNames(), QStringList{"lx::finance::TFGasto"});
    QDialog *expenses = modal.shown[0];
    QVERIFY(expenses);
    QCOMPARE(expenses->windowTitle(), QString("Gastos"));
    QVERIFY(ui::Dialogs::shown().isEmpty());
}

void TstFMenu::pictureAndFixedCentredWindow()
{
    QImageReader reader(":/finance/images/fundo.jpg");
    QCOMPARE(reader.format(), QByteArray("jpeg"));
    const QImage image = reader.read();
    QVERIFY2(!image.isNull(), qPrintable(reader.errorString()));

    m_menu->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_menu.get()));
    QLabel *picture = m_menu->Image1;
    QCOMPARE(picture->pixmap().size(), image.size());
    QVERIFY(picture->hasScaledContents());
    QVERIFY(picture->y() > m_menu->btnGasto->geometry().bottom());
    QCOMPARE(picture->width(), m_menu->centralWidget()->width());
    QCOMPARE(picture->geometry().bottom(), m_menu->centralWidget()->height() - 1);

    QCOMPARE(m_menu->minimumSize(), m_menu->maximumSize());
    const QPoint centre = m_menu->screen()->availableGeometry().center();
    const QPoint mine = m_menu->frameGeometry().center();
    QVERIFY2((centre - mine).manhattanLength() <= 2,
             qPrintable(QString("%1,%2").arg(mine.x()).arg(mine.y())));
}

void TstFMenu::menus_data()
{
    QTest::addColumn<int>("menu");
    QTest::addColumn<QString>("menuTitle");
    QTest::addColumn<int>("position");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    QTest::newRow("InformarGasto1") << 0 << "Saídas" << 0 << "InformarGasto1"
                                    << "Informar Gasto";
    QTest::newRow("CadastrodeTiposdeGastos1") << 0 << "Saídas" << 1 << "CadastrodeTiposdeGastos1"
                                              << "Cadastro de Tipos de Gastos";
    QTest::newRow("ContasPagar1") << 0 << "Saídas" << 2 << "ContasPagar1"
                                  << "Contas à Pagar";
    QTest::newRow("InformarEntrada1") << 1 << "Entradas" << 0 << "InformarEntrada1"
                                      << "Informar Entrada";
    QTest::newRow("CadastrodeTiposdeEntradas1")
        << 1 << "Entradas" << 1 << "CadastrodeTiposdeEntradas1"
        << "Cadastro de Tipos de Entradas";
    QTest::newRow("Grficos1") << 2 << "Relatórios" << 0 << "Grficos1"
                              << "Gráficos";
    QTest::newRow("Listagens1") << 2 << "Relatórios" << 1 << "Listagens1"
                                << "Listagens";
}

void TstFMenu::menus()
{
    QFETCH(int, menu);
    QFETCH(QString, menuTitle);
    QFETCH(int, position);
    QFETCH(QString, name);
    QFETCH(QString, caption);
    const QList<QAction *> top = m_menu->menuBar()->actions();
    QCOMPARE(top.size(), 3);
    QMenu *m = top[menu]->menu();
    QVERIFY(m);
    QCOMPARE(m->title(), menuTitle);
    QVERIFY(!m->icon().isNull());

    const QList<QAction *> entries = m->actions();
    QVERIFY(position < entries.size());
    QAction *a = entries[position];
    QCOMPARE(a->objectName(), name);
    QCOMPARE(a->text(), caption);
    QVERIFY(!a->icon().isNull());
    QVERIFY(a->shortcut().isEmpty());
    QCOMPARE(m_menu->findChild<QAction *>(name), a);
}

void TstFMenu::menuBarShowsPictureAndCaption()
{
    m_menu->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_menu.get()));
    QMenuBar *bar = m_menu->menuBar();
    const int icon = bar->style()->pixelMetric(QStyle::PM_SmallIconSize, nullptr, bar);
    for (QAction *a : bar->actions()) {
        const int text = bar->fontMetrics().horizontalAdvance(a->text());
        QVERIFY2(bar->actionGeometry(a).width() >= icon + text, qPrintable(a->text()));
    }
}

void TstFMenu::closing_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("Sair1 (Shift+F4)") << "Sair1";
    QTest::newRow("Shift+F4 key") << "key";
    QTest::newRow("Sair button") << "btnSair";
    QTest::newRow("close box") << "close";
}

void TstFMenu::closing()
{
    QFETCH(QString, how);
    TFMenu *w = m_menu.get();
    QAction *quitAction = w->Sair1;
    QCOMPARE(quitAction->shortcut(), QKeySequence(Qt::SHIFT | Qt::Key_F4));
    QCOMPARE(quitAction->shortcutContext(), Qt::WindowShortcut);
    QVERIFY(w->actions().contains(quitAction));
    for (QAction *top : w->menuBar()->actions())
        QVERIFY(!top->menu()->actions().contains(quitAction));

    w->show();
    QVERIFY(QTest::qWaitForWindowActive(w));
    // Only the main window's own close handler may end the program here.
    QGuiApplication::setQuitOnLastWindowClosed(false);
    const bool quit = endsTheApplication([&] {
        if (how == "Sair1")
            quitAction->trigger();
        else if (how == "key")
            QTest::keyClick(w, Qt::Key_F4, Qt::ShiftModifier);
        else if (how == "btnSair")
            w->btnSair->click();
        else
            w->close();
    });
    QVERIFY(quit);
    QVERIFY(!w->isVisible());
}

void TstFMenu::informarEntradaMenuClicksTheButton()
{
    QCOMPARE(m_menu->InformarEntrada1->isEnabled(), m_menu->btnRecebimento->isEnabled());
    QCOMPARE(m_menu->InformarGasto1->isEnabled(), m_menu->btnGasto->isEnabled());
    QCOMPARE(m_menu->Grficos1->isEnabled(), m_menu->btnGraficos->isEnabled());

    test::ModalScript modal([](QDialog *d) { d->close(); });
    m_menu->InformarEntrada1->setEnabled(true);
    m_menu->btnRecebimento->setEnabled(true);
    QSignalSpy clicked(m_menu->btnRecebimento, &QToolButton::clicked);
    m_menu->InformarEntrada1->trigger();
    QCOMPARE(clicked.size(), 1);
    QVERIFY(ui::Dialogs::texts(ui::Dialogs::Error).isEmpty());
    // The click opened the receipt window, once.
    QCOMPARE(modal.classNames(), QStringList{"lx::finance::TFRecebimento"});
    QVERIFY(modal.shown[0]);
    QCOMPARE(modal.shown[0].data(), FRecebimento.data());
    QVERIFY(!modal.shown[0]->isVisible());
}

void TstFMenu::controlsOpenTheirWindows_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("windowClass");
    QTest::newRow("Consultar Caixa") << "btnCaixa"
                                     << "lx::finance::TFCaixaMes";
    QTest::newRow("Contas à Pagar") << "ContasPagar1"
                                    << "lx::finance::TFContasAPagar";
    QTest::newRow("Listagens") << "Listagens1"
                               << "lx::finance::TFFiltroRelatorio";
    QTest::newRow("Ver Gráficos") << "btnGraficos"
                                  << "lx::finance::TFGraficos";
    QTest::newRow("Gráficos") << "Grficos1"
                              << "lx::finance::TFGraficos";
}

void TstFMenu::controlsOpenTheirWindows()
{
    QFETCH(QString, control);
    QFETCH(QString, windowClass);
    test::ModalScript modal([](QDialog *d) { d->close(); });
    if (auto *button = m_menu->findChild<QToolButton *>(control)) {
        QVERIFY(button->isEnabled());
        button->click();
    } else {
        auto *action = m_menu->findChild<QAction *>(control);
        QVERIFY(action);
        QVERIFY(action->isEnabled());
        action->trigger();
    }
    QCOMPARE(modal.classNames(), QStringList{windowClass});
    QVERIFY(modal.shown.first()->parent() == m_menu.get());
    // The window is kept in its program-wide variable.
    const QHash<QString, QObject *> stored{{"btnCaixa", FCaixaMes.data()},
                                           {"ContasPagar1", FContasAPagar.data()},
                                           {"Listagens1", FFiltroRelatorio.data()},
                                           {"btnGraficos", FGraficos.data()},
                                           {"Grficos1", FGraficos.data()}};
    QCOMPARE(stored.value(control), static_cast<QObject *>(modal.shown.first().data()));
    QVERIFY(ui::Dialogs::texts(ui::Dialogs::Error).isEmpty());
}

void TstFMenu::openingGivesFreshOwnedModalInstance()
{
    test::ModalScript modal([](QDialog *d) {
        QVERIFY(d->isVisible());
        QCOMPARE(d->windowModality(), Qt::ApplicationModal);
        d->close();
    });
    QPointer<TestWindow> variable;
    TestWindow *first = m_menu->open(variable);
    QCOMPARE(variable.data(), first);
    QCOMPARE(first->parent(), m_menu.get());
    QCOMPARE(first->dataModule, m_menu->dm());
    QCOMPARE(modal.shown.size(), 1);
    QCOMPARE(modal.shown[0].data(), first);
    QPointer<TestWindow> firstGuard(first);
    const int firstSerial = first->serial;

    TestWindow *second = m_menu->open(variable);
    QCOMPARE(second->serial, firstSerial + 1);
    QCOMPARE(variable.data(), second);
    QVERIFY(firstGuard.isNull());
    QCOMPARE(modal.shown.size(), 2);
    QVERIFY(modal.shown[0].isNull()); // the first one, freed
    QCOMPARE(modal.shown[1].data(), second);
}

void TstFMenu::windowsGoBeforeTheDataModule()
{
    test::ModalScript modal([](QDialog *d) { d->close(); });
    QPointer<TestWindow> variable;
    m_menu->open(variable);
    TestWindow::dataModuleAtEnd = false;
    m_menu.reset();
    QVERIFY(variable.isNull());
    QVERIFY(TestWindow::dataModuleAtEnd);
    QCOMPARE(DM, nullptr);
    QCOMPARE(FMenu, nullptr);
}

void TstFMenu::openingBlocksUntilClosed()
{
    m_menu->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_menu.get()));
    QPointer<TestWindow> variable;
    QWidget *modal = nullptr;
    test::actOnNextModal([&](QWidget *w) {
        modal = w;
        if (auto *d = qobject_cast<QDialog *>(w))
            d->reject();
    });
    TestWindow *w = m_menu->open(variable);
    QCOMPARE(modal, w);
    QVERIFY(!w->isVisible());
}

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    TstFMenu t;
    return test::runTests(t, argc, argv);
}

#include "tst_fmenu.moc"
