#include "db/connection.h"
#include "finance/application.h"
#include "finance/tfmenu.h"
#include "ui/termination.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    lx::ui::blockTerminationSignals();
    QApplication app(argc, argv);
    lx::useOwnFirebirdRoot(lx::programFolder());
    lx::ui::quitOnTerminationSignals(&app);
    lx::finance::initApplication(app);
    lx::finance::TFMenu menu;
    menu.show();
    return lx::ui::runApplication(app);
}
