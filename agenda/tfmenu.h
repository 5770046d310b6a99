#pragma once

#include <QWidget>

namespace lx::agenda {

class AgendaData;

/// The phone book window. The instance made at start-up is also the agenda program's data
/// holder: its data module, with the connection "AGENDA" and the caches of contacts,
/// appointments and accounts, serves every agenda window for the whole run.
class TFMenu : public QWidget
{
    Q_OBJECT
public:
    /// Sets up the connection through the path rule (aliasFile, then programFolder). A
    /// failure goes to the error box and the window is made all the same; later opens try
    /// to connect again.
    TFMenu(const QString &aliasFile, const QString &programFolder, QWidget *parent = nullptr);
    ~TFMenu() override;

    AgendaData &dm() const { return *m_dm; }

private:
    void FormCreate(const QString &aliasFile, const QString &programFolder);

    AgendaData *m_dm;
};

} // namespace lx::agenda
