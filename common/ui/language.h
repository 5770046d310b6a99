#pragma once

class QCoreApplication;

namespace lx::ui {

/// Loads Qt's own texts in Brazilian Portuguese (standard buttons "Sim"/"Não", the line edits'
/// context menu, the print and file dialogs), whatever the machine's language. Returns false
/// when the translations are not installed (the qt6-translations-l10n package); Qt's texts
/// then stay English.
bool installQtTranslations(QCoreApplication &app);

} // namespace lx::ui
