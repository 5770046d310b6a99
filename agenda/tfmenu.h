#pragma once

#include <QWidget>

#include <memory>

namespace lx {
class Connection;
class TableCache;
} // namespace lx

namespace lx::agenda {

/// The phone book window. The instance made at start-up is also the agenda program's data
/// holder: its connection "AGENDA" and its caches of contacts, appointments and accounts
/// serve every agenda window for the whole run.
class TFMenu : public QWidget
{
    Q_OBJECT
public:
    /// Sets up the connection through the path rule (aliasFile, then programFolder). A
    /// failure goes to the error box and the window is made all the same; later opens try
    /// to connect again.
    TFMenu(const QString &aliasFile, const QString &programFolder, QWidget *parent = nullptr);
    ~TFMenu() override;

    Connection *SQLConnection1() const { return m_connection.get(); }
    TableCache *TBCONTATO() const { return m_contato; }
    TableCache *TBCOMPROMISSO() const { return m_compromisso; }
    TableCache *TBUSUARIO() const { return m_usuario; }

private:
    void FormCreate(const QString &aliasFile, const QString &programFolder);

    std::unique_ptr<Connection> m_connection;
    TableCache *m_contato;
    TableCache *m_compromisso;
    TableCache *m_usuario;
};

} // namespace lx::agenda
