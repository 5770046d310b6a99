#include "application.h"
#include "tfmenu.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    lx::finance::initApplication(app);
    lx::finance::TFMenu menu;
    menu.show();
    return app.exec();
}
