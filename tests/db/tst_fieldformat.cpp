#include "db/dberror.h"
#include "db/fieldformat.h"
#include "db/tablecache.h"

#include <QDate>
#include <QTime>
#include <QtTest>

using namespace lx;

class TstFieldFormat : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void regionalLocale_data();
    void regionalLocale();
    void texts_data();
    void texts();
    void typedUnderLocales_data();
    void typedUnderLocales();
    void shownUnderLocales_data();
    void shownUnderLocales();
    void cleanup();
};

void TstFieldFormat::cleanup()
{
    QLocale::setDefault(QLocale(QLocale::Portuguese, QLocale::Brazil));
}

// What a user types into a money or date box, with the machine set to no regional setting
// (C, the default of a fresh Debian), to Brazil or to the United States.
void TstFieldFormat::typedUnderLocales_data()
{
    QTest::addColumn<QString>("system");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QVariant>("stored"); // invalid: refused
    const QVariant refused;
    const QVariant v1234(1234.5);
    for (const char *system : {"C", "pt_BR"}) {
        QTest::addRow("%s: 1234,50", system) << system << "GASVALOR"
                                             << "1234,50" << v1234;
        QTest::addRow("%s: 1.234,50", system) << system << "GASVALOR"
                                              << "1.234,50" << v1234;
        QTest::addRow("%s: R$ 1.234,50", system) << system << "GASVALOR"
                                                 << "R$ 1.234,50" << v1234;
        QTest::addRow("%s: R$1234,50", system) << system << "GASVALOR"
                                               << "R$1234,50" << v1234;
        QTest::addRow("%s: as the grid shows it", system)
            << system << "GASVALOR" << QString(QString("R$") + QChar(0xA0) + "1.234,50") << v1234;
        QTest::addRow("%s: negative", system) << system << "GASVALOR"
                                              << "-R$ 180,50" << QVariant(-180.5);
        QTest::addRow("%s: plain point", system) << system << "GASVALOR"
                                                 << "1234.50" << v1234;
        QTest::addRow("%s: dollars", system) << system << "GASVALOR"
                                             << "$ 1,234.50" << refused;
        QTest::addRow("%s: sign alone", system) << system << "GASVALOR"
                                                << "R$" << refused;
        QTest::addRow("%s: letters", system) << system << "GASVALOR"
                                             << "12x" << refused;
        QTest::addRow("%s: date", system) << system << "GASDATA"
                                          << "10/12/2026" << QVariant(QDate(2026, 12, 10));
        QTest::addRow("%s: month first", system) << system << "GASDATA"
                                                 << "12/31/2026" << refused;
    }
    QTest::newRow("en_US: 1,234.50") << "en_US"
                                     << "GASVALOR"
                                     << "1,234.50" << v1234;
    QTest::newRow("en_US: $1,234.50") << "en_US"
                                      << "GASVALOR"
                                      << "$1,234.50" << v1234;
    QTest::newRow("en_US: 1234,50") << "en_US"
                                    << "GASVALOR"
                                    << "1234,50" << refused;
    QTest::newRow("en_US: R$ 1.234,50") << "en_US"
                                        << "GASVALOR"
                                        << "R$ 1.234,50" << refused;
    QTest::newRow("en_US: date stays day first") << "en_US"
                                                 << "GASDATA"
                                                 << "10/12/2026" << QVariant(QDate(2026, 12, 10));
}

void TstFieldFormat::typedUnderLocales()
{
    QFETCH(QString, system);
    QFETCH(QString, field);
    QFETCH(QString, typed);
    QFETCH(QVariant, stored);
    QLocale::setDefault(lx::regionalLocale(QLocale(system)));
    TableCache expenses(nullptr, "TGASTO");
    const int f = expenses.fieldIndex(field);
    try {
        const QVariant v = expenses.convert(f, typed);
        QVERIFY2(stored.isValid(), qPrintable("taken as " + v.toString()));
        QCOMPARE(v, stored);
    } catch (const DbError &e) {
        QVERIFY2(!stored.isValid(), qPrintable(e.message()));
        // The box names the field as the window labels it.
        QCOMPARE(e.message(), QString("'%1' não é um valor válido para o campo '%2'.")
                                  .arg(typed, expenses.fieldDef(f).displayName()));
    }
}

void TstFieldFormat::shownUnderLocales_data()
{
    QTest::addColumn<QString>("system");
    QTest::addColumn<QString>("money");
    QTest::addColumn<QString>("edited");
    QTest::addColumn<QString>("longDate");
    const QString nbsp(QChar(0x00A0));
    QTest::newRow("C") << "C" << QString("R$" + nbsp + "1.234,50") << "1234,50"
                       << "quinta-feira, 10 de dezembro de 2026";
    QTest::newRow("pt_BR") << "pt_BR" << QString("R$" + nbsp + "1.234,50") << "1234,50"
                           << "quinta-feira, 10 de dezembro de 2026";
    QTest::newRow("en_US") << "en_US"
                           << "$1,234.50"
                           << "1234.50"
                           << "Thursday, December 10, 2026";
}

void TstFieldFormat::shownUnderLocales()
{
    QFETCH(QString, system);
    QFETCH(QString, money);
    QFETCH(QString, edited);
    QFETCH(QString, longDate);
    QLocale::setDefault(lx::regionalLocale(QLocale(system)));
    QCOMPARE(displayText(FieldType::Money, 1234.5), money);
    QCOMPARE(editText(FieldType::Money, 1234.5), edited);
    QCOMPARE(displayText(FieldType::Date, QDate(2026, 12, 10)), QString("10/12/2026"));
    QCOMPARE(QLocale().toString(QDate(2026, 12, 10), QLocale::LongFormat), longDate);
    // What the grid shows is taken back as typed.
    double back = 0;
    QVERIFY2(parseNumber(money, &back), qPrintable(money));
    QCOMPARE(back, 1234.5);
}

void TstFieldFormat::initTestCase()
{
    QLocale::setDefault(QLocale(QLocale::Portuguese, QLocale::Brazil));
}

void TstFieldFormat::regionalLocale_data()
{
    QTest::addColumn<QString>("system");
    QTest::addColumn<QString>("shown");
    QTest::newRow("no regional setting") << "C"
                                         << "pt_BR";
    QTest::newRow("Brazil") << "pt_BR"
                            << "pt_BR";
    QTest::newRow("Portugal stays") << "pt_PT"
                                    << "pt_PT";
    QTest::newRow("United States stays") << "en_US"
                                         << "en_US";
}

void TstFieldFormat::regionalLocale()
{
    QFETCH(QString, system);
    QFETCH(QString, shown);
    QCOMPARE(lx::regionalLocale(QLocale(system)).name(), shown);
}

void TstFieldFormat::texts_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<QString>("display");
    QTest::addColumn<QString>("edit");
    const QString nbsp(QChar(0x00A0));
    QTest::newRow("money") << int(FieldType::Money) << QVariant(1234.5)
                           << QString("R$" + nbsp + "1.234,50") << "1234,50";
    QTest::newRow("negative money") << int(FieldType::Money) << QVariant(-180.5)
                                    << QString("R$" + nbsp + "-180,50") << "-180,50";
    QTest::newRow("date") << int(FieldType::Date) << QVariant(QDate(2024, 3, 5)) << "05/03/2024"
                          << "05/03/2024";
    QTest::newRow("time") << int(FieldType::Time) << QVariant(QTime(9, 5)) << "09:05"
                          << "09:05";
    QTest::newRow("null money") << int(FieldType::Money) << QVariant(QMetaType(QMetaType::Double))
                                << ""
                                << "";
}

void TstFieldFormat::texts()
{
    QFETCH(int, type);
    QFETCH(QVariant, value);
    QFETCH(QString, display);
    QFETCH(QString, edit);
    QCOMPARE(displayText(FieldType(type), value), display);
    QCOMPARE(editText(FieldType(type), value), edit);
}

QTEST_GUILESS_MAIN(TstFieldFormat)
#include "tst_fieldformat.moc"
