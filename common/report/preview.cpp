#include "report/preview.h"

#include "db/dberror.h"
#include "report/previewwindow.h"
#include "report/printing.h"
#include "report/report.h"
#include "ui/dialogs.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QPrinter>
#include <QScopeGuard>
#include <QToolBar>

namespace lx::report {

void preparePrinter(QPrinter &printer, const Report &report)
{
    printer.setDocName(report.title());
    printer.setPageSize(report.pageSize());
    printer.setPageOrientation(QPageLayout::Portrait);
    printer.setFullPage(true);
    printer.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
}

PreviewWindow::PreviewWindow(Report &report, QWidget *parent)
    : QPrintPreviewDialog(parent), m_report(report)
{
    setObjectName(QStringLiteral("PreviewWindow"));
    setWindowTitle(report.title().isEmpty()
                       ? QStringLiteral("Visualizar Impressão")
                       : QStringLiteral("Visualizar Impressão - %1").arg(report.title()));
    preparePrinter(*printer(), report);
    connect(this, &QPrintPreviewDialog::paintRequested, this, &PreviewWindow::paintOn);

    m_save = new QAction(QStringLiteral("Salvar PDF"), this);
    m_save->setObjectName(QStringLiteral("btnSalvarPdf"));
    m_save->setToolTip(QStringLiteral("Salvar o relatório como arquivo PDF"));
    connect(m_save, &QAction::triggered, this, &PreviewWindow::savePdf);
    // The toolbar ends with the print button; the save button goes beside it.
    if (auto *bar = findChild<QToolBar *>())
        bar->addAction(m_save);
    else
        addAction(m_save);
    resize(900, 1000);
}

void PreviewWindow::paintOn(QPrinter *printer)
{
    // A long report takes a few seconds to lay out.
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const auto restore = qScopeGuard([] { QApplication::restoreOverrideCursor(); });
    try {
        preparePrinter(*printer, m_report);
        m_report.render(*printer);
    } catch (const DbError &e) {
        ui::Dialogs::error(this, e.message());
    }
}

void PreviewWindow::savePdf()
{
    QString name = ui::Dialogs::saveFileName(this, QStringLiteral("Salvar PDF"), QDir::homePath(),
                                             QStringLiteral("Arquivos PDF (*.pdf)"));
    if (name.isEmpty())
        return;
    if (!name.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive))
        name += QStringLiteral(".pdf");
    try {
        m_report.writePdf(name);
    } catch (const DbError &e) {
        ui::Dialogs::error(this, e.message());
    }
}

void preview(Report &report, QWidget *parent)
{
    auto *window = new PreviewWindow(report, parent);
    window->setAttribute(Qt::WA_DeleteOnClose);
    ui::Dialogs::showModal(window);
}

void print(Report &report)
{
    printOnDefaultPrinter(report.title(), [&report](QPrinter &printer) {
        preparePrinter(printer, report);
        report.render(printer);
    });
}

} // namespace lx::report
