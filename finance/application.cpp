#include "finance/application.h"

#include "db/fieldformat.h"
#include "ui/dialogs.h"
#include "ui/language.h"

#include <QApplication>

static void initFinanceResources()
{
    Q_INIT_RESOURCE(finance);
}

namespace lx::finance {

void initApplication(QApplication &app)
{
    // Resources of a static library are not registered until asked for.
    initFinanceResources();
    app.setApplicationName(QStringLiteral("PTostara"));
    applyRegionalSettings();
    ui::installQtTranslations(app);
    // The title captions the boxes; window titles stay exactly as each window sets them.
    ui::Dialogs::setApplicationTitle(QStringLiteral("Tostara"));
}

} // namespace lx::finance
