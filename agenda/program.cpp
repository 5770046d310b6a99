#include "agenda/program.h"

#include "agenda/tffiltrorelatoriocompromissos.h"
#include "agenda/tflogin.h"
#include "agenda/tfmenu.h"
#include "agenda/tfprincipal.h"
#include "agenda/tfrelatoriocompromissos.h"

#include "db/fieldformat.h"
#include "ui/dialogs.h"
#include "ui/language.h"

#include <QApplication>

namespace lx::agenda {

void Program::initApplication()
{
    QApplication::setApplicationName(QStringLiteral("PCaderlo"));
    applyRegionalSettings();
    ui::installQtTranslations(*QApplication::instance());
    // The title captions the boxes; window titles stay exactly as each window sets them.
    ui::Dialogs::setApplicationTitle(QStringLiteral("Lembrix QOR"));
    // The hidden login window stays the main window; only the program's own rules end it.
    QApplication::setQuitOnLastWindowClosed(false);
}

Program::Program(const QString &aliasFile, const QString &programFolder)
{
    FLogin = new TFLogin(*this);
    FMenu = new TFMenu(aliasFile, programFolder);
    FPrincipal = new TFPrincipal(*this);
    FFiltroRelatorioCompromissos = m_firstFilter = new TFFiltroRelatorioCompromissos(*this);
    FRelatorioCompromissos = m_firstReport = new TFRelatorioCompromissos(*this);
}

Program::~Program()
{
    // Windows that use FMenu's caches go before it.
    delete FRelatorioCompromissos.data();
    delete m_firstReport.data();
    delete FFiltroRelatorioCompromissos.data();
    delete m_firstFilter.data();
    delete FPrincipal;
    delete FLogin;
    delete FMenu;
}

void Program::terminate()
{
    if (m_terminate) {
        m_terminate();
        return;
    }
    // The windows and the connection go when main() destroys the program after the loop.
    QApplication::quit();
}

} // namespace lx::agenda
