#include "agenda/tffiltrorelatorio.h"
#include "agenda/tfmenu.h"
#include "agenda/tfrelatoriocontatos.h"
#include "report/previewwindow.h"
#include "report/printing.h"
#include "support/agendafixture.h"
#include "support/modal.h"
#include "support/pdfcheck.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

using namespace lx;
using namespace lx::agenda;
using Fx = agendatest::Fixture;
using lx::ui::Dialogs;

namespace {
constexpr int kDpi = 72;
constexpr double kFirstRowMm = 10 + 27; // top margin and title band
constexpr double kRowMm = 5;
const QColor cream(255, 251, 240);

/// The names of the detail rows of a contacts report as pdftotext lays it out: the first
/// column of every line under the column headings.
QStringList detailNames(const QString &text)
{
    QStringList names;
    bool detail = false;
    for (const QString &line : text.split('\n')) {
        if (!detail) {
            detail = line.contains(QRegularExpression("Nome\\s+Telefone 1\\s+Telefone 2\\s+"
                                                      "Endereço\\s+Email"));
            continue;
        }
        const QString name =
            line.trimmed().split(QRegularExpression("\\s{2,}")).first().remove('\f');
        if (!name.isEmpty())
            names << name;
    }
    return names;
}
} // namespace

class TstContactsReport : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void filterWindowLooks();
    void range_data();
    void range();
    void rangeLineShowsBoundsAsTyped_data();
    void rangeLineShowsBoundsAsTyped();
    void detailRowsUnderTheirHeadings();
    void emptyTableGivesTitleBandOnly();
    void everyRunStartsWhite();
    void printGoesStraightToPrinter();
    void queryErrorPrintsNothing();

private:
    void addContact(int code, const QString &name, const QString &phone = "(011)1111-2222");
    /// Clicks "Visualizar" and saves what the preview shows to a PDF; empty on failure.
    QString preview(const QString &nome1, const QString &nome2, const QString &fileName);

    std::unique_ptr<Fx> m_f;
    std::unique_ptr<TFFiltroRelatorio> m_filter;
    std::unique_ptr<QTemporaryDir> m_dir;
};

void TstContactsReport::initTestCase()
{
    if (lx::test::TestDb::serverUnavailable())
        QSKIP("no Firebird server configured (scripts/test starts one)");
}

void TstContactsReport::init()
{
    m_f = std::make_unique<Fx>();
    m_filter = std::make_unique<TFFiltroRelatorio>(*m_f->program->FMenu);
    m_dir = std::make_unique<QTemporaryDir>();
    report::resetPrintJobCount();
}

void TstContactsReport::cleanup()
{
    report::divertPrintingToPdf({});
    m_filter.reset();
    m_f.reset();
}

void TstContactsReport::addContact(int code, const QString &name, const QString &phone)
{
    agendatest::insertContact(m_f->db, code, name, phone);
}

QString TstContactsReport::preview(const QString &nome1, const QString &nome2,
                                   const QString &fileName)
{
    m_filter->txtNome1->setText(nome1);
    m_filter->txtNome2->setText(nome2);
    const QString file = m_dir->filePath(fileName);
    test::ModalScript modal([&](QDialog *d) {
        auto *window = qobject_cast<report::PreviewWindow *>(d);
        if (!window)
            return;
        Dialogs::queueSaveFileName(file);
        window->saveAction()->trigger();
        d->close();
    });
    m_filter->btnVisualizar->click();
    if (modal.classNames() != QStringList{"lx::report::PreviewWindow"} || !QFile::exists(file))
        return {};
    return file;
}

void TstContactsReport::filterWindowLooks()
{
    TFFiltroRelatorio *w = m_filter.get();
    QCOMPARE(w->windowTitle(), QString("Filtro de Relatório de Contatos"));
    QCOMPARE(w->Label1->text(), QString("Selecionar de: "));
    QCOMPARE(w->Label2->text(), QString(" a "));
    QCOMPARE(w->txtNome1->text(), QString("AAA"));
    QCOMPARE(w->txtNome2->text(), QString("ZZZ"));
    QCOMPARE(w->btnImprimir->text(), QString("Imprimir"));
    QCOMPARE(w->btnVisualizar->text(), QString("Visualizar"));
    QCOMPARE(w->btnSair->text(), QString("Sair"));
    QVERIFY(!(w->windowFlags() & Qt::WindowMaximizeButtonHint));
    QVERIFY(!(w->windowFlags() & Qt::WindowMinimizeButtonHint));
    w->show();
    w->btnSair->click();
    QVERIFY(!w->isVisible());
}

void TstContactsReport::range_data()
{
    QTest::addColumn<QString>("nome1");
    QTest::addColumn<QString>("nome2");
    QTest::addColumn<QStringList>("expected");
    // Stored order: capitals before small letters, whatever the upper-cased test says.
    QTest::newRow("initial range: A before AAA, ZZZA after ZZZ")
        << "AAA"
        << "ZZZ" << QStringList{"Bia", "MARIA", "ZZZ", "ana", "maria"};
    QTest::newRow("a bound equal to a name, in any case")
        << "ana"
        << "maria" << QStringList{"Bia", "MARIA", "ana", "maria"};
    QTest::newRow("lower bound above the upper") << "ZZZ"
                                                 << "AAA" << QStringList{};
}

void TstContactsReport::range()
{
    QFETCH(QString, nome1);
    QFETCH(QString, nome2);
    QFETCH(QStringList, expected);
    int code = 0;
    for (const QString &n : agendatest::rangeNames)
        addContact(++code, n);
    const QString file = preview(nome1, nome2, "range.pdf");
    QVERIFY(!file.isEmpty());
    const QString text = test::pdfText(file);
    QVERIFY(text.contains("Relatório de Contatos da Agenda Telefônica"));
    QCOMPARE(detailNames(text), expected);
    QCOMPARE(test::pdfInfo(file, "Pages").toInt(), 1);
    QVERIFY(Dialogs::texts(Dialogs::Error).isEmpty());
}

void TstContactsReport::rangeLineShowsBoundsAsTyped_data()
{
    QTest::addColumn<QString>("nome1");
    QTest::addColumn<QString>("nome2");
    QTest::addColumn<QString>("line");
    QTest::newRow("initial") << "AAA"
                             << "ZZZ"
                             << "Este relatório diz respeito aos contatos de AAA a ZZZ";
    QTest::newRow("not upper-cased") << "ana"
                                     << "maria"
                                     << "Este relatório diz respeito aos contatos de ana a maria";
}

void TstContactsReport::rangeLineShowsBoundsAsTyped()
{
    QFETCH(QString, nome1);
    QFETCH(QString, nome2);
    QFETCH(QString, line);
    const QString file = preview(nome1, nome2, "line.pdf");
    QVERIFY(!file.isEmpty());
    QVERIFY2(test::pdfText(file).simplified().contains(line), qPrintable(test::pdfText(file)));
}

void TstContactsReport::detailRowsUnderTheirHeadings()
{
    m_f->db.exec("insert into TCONTATO (CODIGO, NOME, TELEFONE1, TELEFONE2, ENDERECO, EMAIL) "
                 "values (1, 'Maria', '(011)3333-4444', '(021)5555-6666', 'Rua A, 10', "
                 "'maria@example.org')");
    const QString file = preview("AAA", "ZZZ", "row.pdf");
    QVERIFY(!file.isEmpty());
    const QStringList lines = test::pdfText(file).split('\n');
    const auto heading = std::find_if(lines.begin(), lines.end(),
                                      [](const QString &l) { return l.contains("Telefone 1"); });
    QVERIFY(heading != lines.end());
    const auto row = std::find_if(lines.begin(), lines.end(),
                                  [](const QString &l) { return l.contains("Maria"); });
    QVERIFY(row != lines.end());
    // Each value starts where its heading starts.
    const QList<QPair<QString, QString>> columns{{"Nome", "Maria"},
                                                 {"Telefone 1", "(011)3333-4444"},
                                                 {"Telefone 2", "(021)5555-6666"},
                                                 {"Endereço", "Rua A, 10"},
                                                 {"Email", "maria@example.org"}};
    for (const auto &[title, value] : columns) {
        QVERIFY2(row->contains(value), qPrintable(*row));
        QVERIFY(qAbs(heading->indexOf(title) - row->indexOf(value)) <= 2);
    }
}

void TstContactsReport::emptyTableGivesTitleBandOnly()
{
    const QString file = preview("AAA", "ZZZ", "empty.pdf");
    QVERIFY(!file.isEmpty());
    const QString text = test::pdfText(file);
    QVERIFY(text.contains("Relatório de Contatos da Agenda Telefônica"));
    QVERIFY(
        text.contains(QRegularExpression("Nome\\s+Telefone 1\\s+Telefone 2\\s+Endereço\\s+Email")));
    QCOMPARE(detailNames(text), QStringList{});
    QCOMPARE(test::pdfInfo(file, "Pages").toInt(), 1);
    const QImage page = m_filter->FRelatorioContatos->QuickRep1.pageImages(kDpi).first();
    QCOMPARE(test::pixelAtMm(page, 150, kFirstRowMm + kRowMm / 2, kDpi), QColor(Qt::white));
}

void TstContactsReport::everyRunStartsWhite()
{
    for (int i = 1; i <= 3; ++i)
        addContact(i, QString("Contato %1").arg(i));
    const QColor white(Qt::white);
    auto rowColour = [](const QImage &page, int index) {
        // Inside the address column, which these contacts leave empty.
        return test::pixelAtMm(page, 150, kFirstRowMm + index * kRowMm + kRowMm / 2, kDpi);
    };
    for (int build = 0; build < 2; ++build) {
        QVERIFY(!preview("AAA", "ZZZ", QString("run%1.pdf").arg(build)).isEmpty());
        // An odd number of rows leaves the flag on cream; the next rendering still starts white.
        for (int run = 0; run < 2; ++run) {
            const QImage page = m_filter->FRelatorioContatos->QuickRep1.pageImages(kDpi).first();
            QCOMPARE(rowColour(page, 0), white);
            QCOMPARE(rowColour(page, 1), cream);
            QCOMPARE(rowColour(page, 2), white);
            QCOMPARE(rowColour(page, 3), white); // below the last row
        }
    }
}

void TstContactsReport::printGoesStraightToPrinter()
{
    addContact(1, "Maria");
    const QString file = m_dir->filePath("printed.pdf");
    report::divertPrintingToPdf(file);
    test::ModalScript modal([](QDialog *d) { d->close(); });
    for (int i = 0; i < 2; ++i)
        m_filter->btnImprimir->click();
    QVERIFY(modal.shown.isEmpty());
    QCOMPARE(report::printJobCount(), 2);
    QCOMPARE(detailNames(test::pdfText(file)), QStringList{"Maria"});
    QVERIFY(Dialogs::texts(Dialogs::Error).isEmpty());
}

void TstContactsReport::queryErrorPrintsNothing()
{
    m_f->dm().SQLConnection1.close();
    m_f->db.exec("drop table TCONTATO");
    report::divertPrintingToPdf(m_dir->filePath("none.pdf"));
    test::ModalScript modal([](QDialog *d) { d->close(); });
    m_filter->btnImprimir->click();
    m_filter->btnVisualizar->click();
    QCOMPARE(Dialogs::texts(Dialogs::Error).size(), 2);
    QCOMPARE(report::printJobCount(), 0);
    QVERIFY(modal.shown.isEmpty());
}

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    TstContactsReport t;
    return agendatest::run(t, argc, argv);
}

#include "tst_contactsreport.moc"
