#include "agenda/program.h"
#include "agenda/tflogin.h"
#include "db/connection.h"
#include "ui/termination.h"

#include <QApplication>

int main(int argc, char **argv)
{
    lx::ui::blockTerminationSignals();
    QApplication app(argc, argv);
    lx::useOwnFirebirdRoot(lx::programFolder());
    lx::ui::quitOnTerminationSignals(&app);
    lx::agenda::Program::initApplication();
    lx::agenda::Program program(lx::defaultAliasFile(), lx::programFolder());
    program.FLogin->show();
    return lx::ui::runApplication(app);
}
