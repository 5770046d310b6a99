#include "agenda/tfmenu.h"

#include "db/connection.h"
#include "db/tablecache.h"
#include "ui/guard.h"

namespace lx::agenda {

TFMenu::TFMenu(const QString &aliasFile, const QString &programFolder, QWidget *parent)
    : QWidget(parent), m_connection(std::make_unique<Connection>(QStringLiteral("AGENDA"))),
      m_contato(new TableCache(m_connection.get(), QStringLiteral("TCONTATO"), this)),
      m_compromisso(new TableCache(m_connection.get(), QStringLiteral("TCOMPROMISSO"), this)),
      m_usuario(new TableCache(m_connection.get(), QStringLiteral("TUSUARIO"), this))
{
    setObjectName(QStringLiteral("FMenu"));
    setWindowTitle(QStringLiteral("Agenda Telefônica QOR"));
    ui::guard(this, [&] { FormCreate(aliasFile, programFolder); });
}

TFMenu::~TFMenu()
{
    // The caches refer to the connection: they go first.
    delete m_usuario;
    delete m_compromisso;
    delete m_contato;
}

void TFMenu::FormCreate(const QString &aliasFile, const QString &programFolder)
{
    m_connection->setUp(aliasFile, programFolder);
}

} // namespace lx::agenda
