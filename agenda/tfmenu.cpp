#include "agenda/tfmenu.h"

#include "agenda/agendadata.h"
#include "ui/dialogs.h"

namespace lx::agenda {

TFMenu::TFMenu(const QString &aliasFile, const QString &programFolder, QWidget *parent)
    : QWidget(parent), m_dm(new AgendaData(this))
{
    setObjectName(QStringLiteral("FMenu"));
    setWindowTitle(QStringLiteral("Agenda Telefônica QOR"));
    FormCreate(aliasFile, programFolder);
}

TFMenu::~TFMenu() = default;

void TFMenu::FormCreate(const QString &aliasFile, const QString &programFolder)
{
    const QString error = m_dm->setUp(aliasFile, programFolder);
    if (!error.isEmpty())
        ui::Dialogs::error(this, error, m_dm->setUpDetails());
}

} // namespace lx::agenda
