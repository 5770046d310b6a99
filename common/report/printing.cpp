#include "report/printing.h"

#include "db/dberror.h"

#include <QPrinter>
#include <QPrinterInfo>

namespace lx::report {

namespace {
QString &divertedPath()
{
    static QString path;
    return path;
}
int &jobCount()
{
    static int count = 0;
    return count;
}
} // namespace

void printOnDefaultPrinter(const QString &jobName, const std::function<void(QPrinter &)> &paint)
{
    if (!divertedPath().isEmpty()) {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(divertedPath());
        printer.setDocName(jobName);
        ++jobCount();
        paint(printer);
        if (printer.printerState() == QPrinter::Error ||
            printer.printerState() == QPrinter::Aborted)
            throw DbError(QStringLiteral("A impressão de \"%1\" falhou.").arg(jobName));
        return;
    }

    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull()) {
        if (QPrinterInfo::availablePrinters().isEmpty())
            throw DbError(QStringLiteral("Nenhuma impressora está instalada neste computador. "
                                         "Instale uma impressora para imprimir."));
        throw DbError(QStringLiteral("Nenhuma impressora padrão está definida neste computador. "
                                     "Escolha uma impressora padrão para imprimir."));
    }
    QPrinter printer(info, QPrinter::HighResolution);
    if (!printer.isValid())
        throw DbError(
            QStringLiteral("Não foi possível abrir a impressora \"%1\".").arg(info.printerName()));
    printer.setDocName(jobName);
    ++jobCount();
    paint(printer);
    if (printer.printerState() == QPrinter::Error || printer.printerState() == QPrinter::Aborted)
        throw DbError(
            QStringLiteral("A impressão na impressora \"%1\" falhou.").arg(info.printerName()));
}

void divertPrintingToPdf(const QString &path)
{
    divertedPath() = path;
}

int printJobCount()
{
    return jobCount();
}

void resetPrintJobCount()
{
    jobCount() = 0;
}

} // namespace lx::report
