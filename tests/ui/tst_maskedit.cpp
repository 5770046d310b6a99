#include "ui/dialogs.h"
#include "ui/maskedit.h"

#include <QApplication>
#include <QSignalSpy>
#include <QVBoxLayout>
#include <QtTest>

using namespace lx::ui;

class TstMaskEdit : public QObject
{
    Q_OBJECT
private slots:
    void init();

    void emptyText_data();
    void emptyText();
    void typing_data();
    void typing();
    void qtInputMask_data();
    void qtInputMask();
    void leavingPartlyFilledKeepsFocus_data();
    void leavingPartlyFilledKeepsFocus();
    void leavingFillsOptionalDigitsFromTheLeft();
    void switchingWindowsIsNotLeaving();
    void escBringsBackEntryText();
};

void TstMaskEdit::init()
{
    Dialogs::setScripted(true);
    Dialogs::clearShown();
}

void TstMaskEdit::emptyText_data()
{
    QTest::addColumn<QString>("mask");
    QTest::addColumn<QString>("empty");
    QTest::newRow("date") << masks::date << "  /  /    ";
    QTest::newRow("time") << masks::time << "  :  ";
    QTest::newRow("phone") << masks::phone << "(   )    -    ";
}

void TstMaskEdit::emptyText()
{
    QFETCH(QString, mask);
    QFETCH(QString, empty);
    MaskEdit e(mask);
    QCOMPARE(e.emptyText(), empty);
    QCOMPARE(e.maskedText(), empty);
    QVERIFY(e.isBlank());
    QVERIFY(!e.isComplete());
    e.setMaskedText("12");
    e.clear();
    QCOMPARE(e.maskedText(), empty);
}

void TstMaskEdit::typing_data()
{
    QTest::addColumn<QString>("mask");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("complete");
    QTest::newRow("date") << masks::date << "15032024"
                          << "15/03/2024" << true;
    QTest::newRow("date, letters refused") << masks::date << "1a5b0c3"
                                           << "15/03/    " << false;
    QTest::newRow("date without year") << masks::date << "1503"
                                       << "15/03/    " << false;
    QTest::newRow("time") << masks::time << "0930"
                          << "09:30" << true;
    QTest::newRow("time, one hour digit") << masks::time << "9:30"
                                          << " 9:30" << true;
    QTest::newRow("time without minutes") << masks::time << "09"
                                          << "09:  " << false;
    QTest::newRow("phone with area") << masks::phone << "01112345678"
                                     << "(011)1234-5678" << true;
    QTest::newRow("phone without area") << masks::phone << ")12345678"
                                        << "(   )1234-5678" << true;
    QTest::newRow("phone short") << masks::phone << "1112345678"
                                 << "(111)2345-678 " << false;
}

void TstMaskEdit::typing()
{
    QFETCH(QString, mask);
    QFETCH(QString, keys);
    QFETCH(QString, text);
    QFETCH(bool, complete);
    MaskEdit e(mask);
    e.setCursorPosition(0);
    QTest::keyClicks(&e, keys);
    QCOMPARE(e.maskedText(), text);
    QCOMPARE(e.isComplete(), complete);
    QVERIFY(!e.isBlank());
    // What is stored comes back as it was typed, literals included.
    MaskEdit again(mask);
    again.setMaskedText(e.maskedText());
    QCOMPARE(again.maskedText(), text);
}

void TstMaskEdit::qtInputMask_data()
{
    QTest::addColumn<QString>("mask");
    QTest::addColumn<QString>("inputMask");
    QTest::newRow("date") << masks::date << "00/00/9999;_";
    QTest::newRow("time") << masks::time << "09:99;_";
    QTest::newRow("phone") << masks::phone << "\\(000\\)9999-9999;_";
    QTest::newRow("letters") << "LLl-AAa;0; "
                             << "AAa-NNn; ";
    QTest::newRow("literal that Qt reads as mask") << "NX-00"
                                                   << "\\N\\X-99;_";
}

void TstMaskEdit::qtInputMask()
{
    QFETCH(QString, mask);
    QFETCH(QString, inputMask);
    QCOMPARE(MaskEdit::toInputMask(mask), inputMask);
}

void TstMaskEdit::leavingPartlyFilledKeepsFocus_data()
{
    QTest::addColumn<QString>("mask");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<bool>("refused");
    QTest::newRow("date partly filled") << masks::date << "1503" << true;
    QTest::newRow("date complete") << masks::date << "15032024" << false;
    QTest::newRow("date blank") << masks::date << "" << false;
    QTest::newRow("phone partly filled") << masks::phone << "011" << true;
    QTest::newRow("time, first hour digit left out") << masks::time << "9:30" << false;
}

void TstMaskEdit::leavingPartlyFilledKeepsFocus()
{
    QFETCH(QString, mask);
    QFETCH(QString, keys);
    QFETCH(bool, refused);
    QWidget w;
    auto *box = new MaskEdit(mask, &w);
    auto *other = new QLineEdit(&w);
    auto *layout = new QVBoxLayout(&w);
    layout->addWidget(box);
    layout->addWidget(other);
    w.show();
    QApplication::setActiveWindow(&w);
    QVERIFY(QTest::qWaitForWindowActive(&w));
    QSignalSpy done(box, &MaskEdit::editingDone);

    box->setFocus();
    box->setCursorPosition(0);
    QTest::keyClicks(box, keys);
    other->setFocus();
    QTRY_VERIFY(!refused || box->hasFocus());
    QTest::qWait(20);

    QCOMPARE(box->hasFocus(), refused);
    QCOMPARE(Dialogs::texts(Dialogs::Error),
             refused ? QStringList{MaskEdit::invalidInputMessage()} : QStringList());
    QCOMPARE(done.size(), refused ? 0 : 1);
}

void TstMaskEdit::leavingFillsOptionalDigitsFromTheLeft()
{
    QWidget w;
    auto *box = new MaskEdit(masks::time, &w);
    auto *other = new QLineEdit(&w);
    auto *layout = new QVBoxLayout(&w);
    layout->addWidget(box);
    layout->addWidget(other);
    w.show();
    QApplication::setActiveWindow(&w);
    QVERIFY(QTest::qWaitForWindowActive(&w));
    box->setFocus();
    box->setCursorPosition(0);
    QTest::keyClicks(box, "9");
    box->setCursorPosition(3); // the user clicks into the minutes
    QTest::keyClicks(box, "30");
    QCOMPARE(box->maskedText(), "9 :30");
    other->setFocus();
    QTRY_VERIFY(other->hasFocus());
    QCOMPARE(box->maskedText(), " 9:30");
    QVERIFY(Dialogs::texts(Dialogs::Error).isEmpty());
}

void TstMaskEdit::switchingWindowsIsNotLeaving()
{
    QWidget w;
    auto *box = new MaskEdit(masks::date, &w);
    new QVBoxLayout(&w);
    w.layout()->addWidget(box);
    w.show();
    QApplication::setActiveWindow(&w);
    QVERIFY(QTest::qWaitForWindowActive(&w));
    box->setFocus();
    box->setCursorPosition(0);
    QTest::keyClicks(box, "15");
    QFocusEvent out(QEvent::FocusOut, Qt::ActiveWindowFocusReason);
    QApplication::sendEvent(box, &out);
    QVERIFY(Dialogs::texts(Dialogs::Error).isEmpty());
}

void TstMaskEdit::escBringsBackEntryText()
{
    QWidget w;
    auto *box = new MaskEdit(masks::date, &w);
    new QVBoxLayout(&w);
    w.layout()->addWidget(box);
    box->setMaskedText("01/02/2024");
    w.show();
    QApplication::setActiveWindow(&w);
    QVERIFY(QTest::qWaitForWindowActive(&w));
    box->setFocus();
    QTRY_VERIFY(box->hasFocus());
    box->setCursorPosition(6);
    QTest::keyClicks(box, "19");
    QCOMPARE(box->maskedText(), "01/02/1924");
    QTest::keyClick(box, Qt::Key_Escape);
    QCOMPARE(box->maskedText(), "01/02/2024");
}

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    lx::ui::Dialogs::setApplicationTitle(QStringLiteral("Tostara"));
    QLocale::setDefault(QLocale(QLocale::Portuguese, QLocale::Brazil));
    TstMaskEdit t;
    return QTest::qExec(&t, argc, argv);
}

#include "tst_maskedit.moc"
