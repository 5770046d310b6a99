#pragma once

#include <QString>

#include <functional>

class QPrinter;

namespace lx::report {

/// Runs paint on the machine's default printer as one print job named jobName. Throws
/// lx::DbError with a plain Portuguese message when no printer is installed, or when the
/// printer cannot be opened or the job fails.
void printOnDefaultPrinter(const QString &jobName, const std::function<void(QPrinter &)> &paint);

/// Test hook: while a path is set, every print job goes to that PDF file instead of a printer
/// (the last job wins); an empty path switches it off.
void divertPrintingToPdf(const QString &path);
/// Test hook: the print jobs started since the last reset (diverted or real).
int printJobCount();
void resetPrintJobCount();

} // namespace lx::report
