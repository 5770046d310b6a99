#include "ui/language.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace lx::ui {

bool installQtTranslations(QCoreApplication &app)
{
    const QLocale brazil(QLocale::Portuguese, QLocale::Brazil);
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    // qtbase holds the widgets' and dialogs' texts; qt_pt_BR gathers it with the other modules.
    for (const char *catalogue : {"qtbase", "qt"}) {
        auto *translator = new QTranslator(&app);
        if (translator->load(brazil, QString::fromLatin1(catalogue), QStringLiteral("_"), folder) &&
            app.installTranslator(translator))
            return true;
        delete translator;
    }
    return false;
}

} // namespace lx::ui
