#pragma once

class QWidget;
class QDialog;

namespace lx::report {

class Report;

/// Shows the report in a print preview (zoom, page through, print through the printer dialog,
/// save as PDF); returns when the user closes it. The preview is shown through
/// ui::Dialogs::showModal, so tests get it through their modal hook. The report must
/// outlive the call.
void preview(Report &report, QWidget *parent);

/// Prints the report on the default printer without a preview. Throws lx::DbError with a
/// plain Portuguese message when no printer is installed or printing fails.
void print(Report &report);

} // namespace lx::report
