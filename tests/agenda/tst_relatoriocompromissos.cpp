#include "agenda/tfcompromissos.h"
#include "agenda/tffiltrorelatoriocompromissos.h"
#include "agenda/tfprincipal.h"
#include "agenda/tfrelatoriocompromissos.h"
#include "db/queryresult.h"
#include "report/printing.h"
#include "report/report.h"
#include "support/agendafixture.h"
#include "support/modal.h"
#include "ui/maskedit.h"

#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>

using namespace lx;
using namespace lx::agenda;
using Fx = agendatest::Fixture;
using lx::ui::Dialogs;

namespace {
/// The filter window as the appointments window's print button opens it.
TFFiltroRelatorioCompromissos *openFilter(Fx &f)
{
    test::ModalScript modal;
    TFCompromissos *appointments = agendatest::openAppointments(f, modal);
    if (!appointments)
        return nullptr;
    appointments->btnImprimir->click();
    return qobject_cast<TFFiltroRelatorioCompromissos *>(modal.shown.value(1));
}

void setPeriod(TFFiltroRelatorioCompromissos *filter, const QStringList &p)
{
    filter->txtDataInicial->setMaskedText(p[0]);
    filter->txtDataFinal->setMaskedText(p[1]);
    filter->txtHoraInicial->setMaskedText(p[2]);
    filter->txtHoraFinal->setMaskedText(p[3]);
}

/// The text of a PDF as pdftotext lays it out, each line with its runs of blanks made one.
QStringList pdfLines(const QString &pdf)
{
    QProcess p;
    p.start("pdftotext", {"-layout", pdf, "-"});
    if (!p.waitForFinished(30000) || p.exitCode() != 0)
        return {"pdftotext failed"};
    QStringList out;
    for (const QString &line : QString::fromUtf8(p.readAllStandardOutput()).split('\n'))
        if (!line.trimmed().isEmpty())
            out << line.simplified();
    return out;
}

/// The report just built, rendered to PDF and read back.
QStringList reportLines(Fx &f)
{
    QTemporaryDir dir;
    const QString pdf = dir.filePath("compromissos.pdf");
    f.program->FRelatorioCompromissos->QuickRep1.writePdf(pdf);
    return pdfLines(pdf);
}

/// The lines after the column headings.
QStringList detailLines(const QStringList &lines)
{
    const int headings = lines.indexOf("Título Data Horário");
    return headings < 0 ? QStringList{"no headings"} : lines.mid(headings + 1);
}

void addWeek(Fx &f)
{
    f.addAppointment(1, "Cinema", QDate(2010, 3, 26), QTime(14, 0));
    f.addAppointment(2, "Dentista", QDate(2010, 3, 26), QTime(9, 30));
    f.addAppointment(3, "Feira", QDate(2010, 3, 27), QTime(7, 0));
    f.addAppointment(4, "Missa", QDate(2010, 3, 28), QTime(8, 0));
    f.addAppointment(5, "Jantar", QDate(2010, 3, 28), QTime(23, 59));
    f.addAppointment(6, "Fora", QDate(2010, 3, 29), QTime(8, 0));
    f.addAppointment(7, "Antes", QDate(2010, 3, 25), QTime(23, 59));
}
} // namespace

class TstRelatorioCompromissos : public QObject
{
    Q_OBJECT
private slots:
    void defaultsListTodayWithPeriodLine();
    void rows_data();
    void rows();
    void rowsAlternateStartingWhite();
    void buttons_data();
    void buttons();
    void startUpPair();
};

void TstRelatorioCompromissos::defaultsListTodayWithPeriodLine()
{
    Fx f;
    const QDate today = QDate::currentDate();
    f.addAppointment(1, "Hoje", today, QTime(10, 0));
    f.addAppointment(2, "Ontem", today.addDays(-1), QTime(10, 0));
    f.addAppointment(3, "Amanhã", today.addDays(1), QTime(0, 0));
    TFFiltroRelatorioCompromissos *filter = openFilter(f);
    QVERIFY(filter);
    filter->montar_relatorio();
    const QStringList lines = reportLines(f);
    const QString day = today.toString("dd/MM/yyyy");
    QCOMPARE(lines.value(0), QString("Relatório de Compromissos"));
    QCOMPARE(lines.value(1), "Este relatório diz respeito ao período do dia " + day + " ao dia " +
                                 day + ", do horário 00:00 ao horário 23:59");
    QCOMPARE(detailLines(lines), QStringList{"Hoje " + day + " 10:00"});
    // The label itself keeps the two spaces after "dia".
    report::Report &r = f.program->FRelatorioCompromissos->QuickRep1;
    QCOMPARE(r.titleBand().item("QRLabel3")->text.right(6), QString(" dia  "));
    QCOMPARE(r.titleBand().item("QRLabel2")->text,
             day + " ao dia " + day + ", do horário 00:00 ao horário 23:59");
}

void TstRelatorioCompromissos::rows_data()
{
    QTest::addColumn<QStringList>("period");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("three days, all three")
        << QStringList{"26/03/2010", "28/03/2010", "00:00", "23:59"}
        << QStringList{"Dentista 26/03/2010 09:30", "Cinema 26/03/2010 14:00",
                       "Feira 27/03/2010 07:00", "Missa 28/03/2010 08:00",
                       "Jantar 28/03/2010 23:59"};
    QTest::newRow("the last time listed, a minute later not")
        << QStringList{"25/03/2010", "28/03/2010", "07:00", "23:58"}
        << QStringList{"Dentista 26/03/2010 09:30", "Cinema 26/03/2010 14:00",
                       "Feira 27/03/2010 07:00", "Missa 28/03/2010 08:00"};
    QTest::newRow("mornings of each day")
        << QStringList{"26/03/2010", "28/03/2010", "08:00", "12:00"}
        << QStringList{"Dentista 26/03/2010 09:30", "Missa 28/03/2010 08:00"};
    QTest::newRow("first day after the last: title band alone")
        << QStringList{"28/03/2010", "26/03/2010", "00:00", "23:59"} << QStringList{};
    QTest::newRow("the whole month")
        << QStringList{"01/03/2010", "31/03/2010", "00:00", "23:59"}
        << QStringList{"Antes 25/03/2010 23:59",  "Dentista 26/03/2010 09:30",
                       "Cinema 26/03/2010 14:00", "Feira 27/03/2010 07:00",
                       "Missa 28/03/2010 08:00",  "Jantar 28/03/2010 23:59",
                       "Fora 29/03/2010 08:00"};
}

void TstRelatorioCompromissos::rows()
{
    QFETCH(QStringList, period);
    QFETCH(QStringList, expected);
    Fx f;
    addWeek(f);
    TFFiltroRelatorioCompromissos *filter = openFilter(f);
    QVERIFY(filter);
    setPeriod(filter, period);
    filter->montar_relatorio();
    const QStringList lines = reportLines(f);
    QCOMPARE(lines.value(0), QString("Relatório de Compromissos"));
    QCOMPARE(lines.value(1), "Este relatório diz respeito ao período do dia " + period[0] +
                                 " ao dia " + period[1] + ", do horário " + period[2] +
                                 " ao horário " + period[3]);
    QCOMPARE(detailLines(lines), expected);
}

void TstRelatorioCompromissos::rowsAlternateStartingWhite()
{
    Fx f;
    addWeek(f);
    TFFiltroRelatorioCompromissos *filter = openFilter(f);
    QVERIFY(filter);
    setPeriod(filter, {"26/03/2010", "27/03/2010", "00:00", "23:59"}); // three rows
    filter->montar_relatorio();
    report::Report &r = f.program->FRelatorioCompromissos->QuickRep1;
    const double top = r.margins().top() + r.titleBand().height();
    const double rowH = r.detailBand().height();
    const int dpi = 96;
    auto px = [dpi](double mm) { return int(mm * dpi / 25.4 + 0.5); };
    const QColor white(255, 255, 255), cream(255, 251, 240);
    // Each run begins white again, though the last run ended on a white row.
    for (int run = 0; run < 2; ++run) {
        const QList<QImage> pages = r.pageImages(dpi);
        QCOMPARE(pages.size(), 1);
        QList<QColor> fills;
        for (int row = 0; row < 3; ++row) // right of the short titles, inside their boxes
            fills << pages[0].pixelColor(px(r.margins().left() + 100),
                                         px(top + row * rowH + rowH / 2));
        QCOMPARE(fills, (QList<QColor>{white, cream, white}));
    }
}

void TstRelatorioCompromissos::buttons_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("firstDay");
    QTest::addColumn<int>("previews");
    QTest::addColumn<int>("printJobs");
    QTest::addColumn<QString>("error");
    QTest::newRow("Visualizar previews") << "btnVisualizar"
                                         << "26/03/2010" << 1 << 0 << "";
    QTest::newRow("Imprimir prints") << "btnImprimir"
                                     << "26/03/2010" << 0 << 1 << "";
    QTest::newRow("cleared day, no preview")
        << "btnVisualizar"
        << "" << 0 << 0 << "'  /  /    ' não é uma data válida.";
    QTest::newRow("cleared day, no print") << "btnImprimir"
                                           << "" << 0 << 0 << "'  /  /    ' não é uma data válida.";
}

void TstRelatorioCompromissos::buttons()
{
    QFETCH(QString, button);
    QFETCH(QString, firstDay);
    QFETCH(int, previews);
    QFETCH(int, printJobs);
    QFETCH(QString, error);
    Fx f;
    addWeek(f);
    TFFiltroRelatorioCompromissos *filter = openFilter(f);
    QVERIFY(filter);
    setPeriod(filter, {firstDay, "26/03/2010", "00:00", "23:59"});
    QTemporaryDir dir;
    const QString printed = dir.filePath("impresso.pdf");
    report::divertPrintingToPdf(printed);
    report::resetPrintJobCount();
    int seen = 0;
    {
        test::ModalScript modal([&](QDialog *d) {
            ++seen;
            d->close();
        });
        filter->findChild<QToolButton *>(button)->click();
    }
    report::divertPrintingToPdf({});
    QCOMPARE(seen, previews);
    QCOMPARE(report::printJobCount(), printJobs);
    QCOMPARE(Dialogs::texts(Dialogs::Error), error.isEmpty() ? QStringList{} : QStringList{error});
    if (printJobs)
        QCOMPARE(detailLines(pdfLines(printed)),
                 (QStringList{"Dentista 26/03/2010 09:30", "Cinema 26/03/2010 14:00"}));
    QVERIFY(filter->isVisible());
}

void TstRelatorioCompromissos::startUpPair()
{
    Fx f;
    QVERIFY(f.program->FFiltroRelatorioCompromissos);
    QVERIFY(f.program->FRelatorioCompromissos);
    TFFiltroRelatorioCompromissos *filter = openFilter(f);
    QVERIFY(filter);
    filter->montar_relatorio();
    QPointer<TFRelatorioCompromissos> first = f.program->FRelatorioCompromissos;
    QCOMPARE(first->parent(), filter);
    filter->montar_relatorio();
    QVERIFY(!first); // replaced, not piled up
    QVERIFY(f.program->FRelatorioCompromissos);
    QCOMPARE(filter->findChildren<TFRelatorioCompromissos *>().size(), 1);
    // The program ends cleanly whichever pair it holds.
    f.program.reset();
}

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    TstRelatorioCompromissos t;
    return agendatest::run(t, argc, argv);
}

#include "tst_relatoriocompromissos.moc"
