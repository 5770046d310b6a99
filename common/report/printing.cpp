#include "report/printing.h"

// Placeholder bodies; the engine replaces them.
namespace lx::report {
void printOnDefaultPrinter(const QString &, const std::function<void(QPrinter &)> &) {}
void divertPrintingToPdf(const QString &) {}
int printJobCount() { return 0; }
void resetPrintJobCount() {}
} // namespace lx::report
