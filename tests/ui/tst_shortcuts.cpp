#include "ui/shortcuts.h"

#include <QAction>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QVBoxLayout>
#include <QtTest>

using namespace lx::ui;

class TstShortcuts : public QObject
{
    Q_OBJECT
private slots:
    void keyClicksOnlyEnabledButton_data();
    void keyClicksOnlyEnabledButton();
};

void TstShortcuts::keyClicksOnlyEnabledButton_data()
{
    QTest::addColumn<QKeySequence>("key");
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<int>("clicks");
    QTest::newRow("F5, button enabled") << QKeySequence(Qt::Key_F5) << true << 1;
    QTest::newRow("F5, button disabled") << QKeySequence(Qt::Key_F5) << false << 0;
    // The dialog would take Esc to close itself if the entry gave the key up.
    QTest::newRow("Esc, button enabled") << QKeySequence(Qt::Key_Escape) << true << 1;
    QTest::newRow("Esc, button disabled") << QKeySequence(Qt::Key_Escape) << false << 0;
}

void TstShortcuts::keyClicksOnlyEnabledButton()
{
    QFETCH(QKeySequence, key);
    QFETCH(bool, enabled);
    QFETCH(int, clicks);

    QDialog window;
    auto *box = new QLineEdit(&window);
    auto *button = new QPushButton(QStringLiteral("Botão"), &window);
    button->setAutoDefault(false);
    auto *layout = new QVBoxLayout(&window);
    layout->addWidget(box);
    layout->addWidget(button);
    QAction *entry = addShortcutEntry(&window, "Entrada1", QStringLiteral("Entrada"), key, button);
    QCOMPARE(window.findChild<QAction *>(QStringLiteral("Entrada1")), entry);

    button->setEnabled(enabled);
    QSignalSpy clicked(button, &QPushButton::clicked);
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    box->setFocus();
    QTest::keyClick(box, key[0].key(), key[0].keyboardModifiers());

    QCOMPARE(clicked.count(), clicks);
    QVERIFY(window.isVisible());
    QVERIFY(entry->isEnabled());
}

QTEST_MAIN(TstShortcuts)
#include "tst_shortcuts.moc"
