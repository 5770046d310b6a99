#pragma once

#include <QPrintPreviewDialog>

class QAction;

namespace lx::report {

class Report;

/// Qt's print preview (zoom, page through, print through the printer dialog) with a
/// "Salvar PDF" button beside print. It paints the report each time the preview or a printer
/// asks, so the report must outlive the window.
class PreviewWindow : public QPrintPreviewDialog
{
    Q_OBJECT
public:
    explicit PreviewWindow(Report &report, QWidget *parent = nullptr);

    QAction *saveAction() const { return m_save; }
    /// Asks for a file name (".pdf" added when missing) and writes the report there; a
    /// failure goes to the error box.
    void savePdf();

private:
    void paintOn(QPrinter *printer);

    Report &m_report;
    QAction *m_save = nullptr;
};

/// Sets a printer up for a report: A4 portrait, no margins of its own (the report applies
/// its margins), the report's title as the job name.
void preparePrinter(QPrinter &printer, const Report &report);

} // namespace lx::report
