#include "db/fieldformat.h"

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
};

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
