#include "finance/application.h"

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
    app.setApplicationDisplayName(QStringLiteral("Tostara"));
}

} // namespace lx::finance
