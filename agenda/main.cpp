#include "connection.h"
#include "program.h"
#include "tflogin.h"

#include <QApplication>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    lx::agenda::Program::initApplication();
    lx::agenda::Program program(lx::defaultAliasFile(), lx::programFolder());
    program.FLogin->show();
    return app.exec();
}
