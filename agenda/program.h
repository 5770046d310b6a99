#pragma once

#include <QPointer>
#include <QString>

#include <functional>

class QWidget;

namespace lx::agenda {

class TFLogin;
class TFMenu;
class TFPrincipal;
class TFFiltroRelatorioCompromissos;
class TFRelatorioCompromissos;

/// The agenda program's windows, created at start-up in the order the program needs them:
/// the login window first, then the data holder FMenu (which connects), then the main window
/// and the appointments report pair. Only the login window is shown.
class Program
{
public:
    /// The application's title and ending rules; called once before the windows are made.
    static void initApplication();

    /// aliasFile and programFolder lead FMenu's connection to the database.
    Program(const QString &aliasFile, const QString &programFolder);
    ~Program();
    Program(const Program &) = delete;
    Program &operator=(const Program &) = delete;

    TFLogin *FLogin = nullptr;
    TFMenu *FMenu = nullptr;
    TFPrincipal *FPrincipal = nullptr;
    /// The appointments report pair: made here, then replaced by the filter window that each
    /// use of the appointments window's print button makes, and by each report that builds.
    QPointer<TFFiltroRelatorioCompromissos> FFiltroRelatorioCompromissos;
    QPointer<TFRelatorioCompromissos> FRelatorioCompromissos;

    /// Ends the program: closing the login, main or contact window comes here.
    void terminate();
    /// Replaces what terminate() does (tests count the calls instead of quitting).
    void setTerminateHandler(std::function<void()> handler) { m_terminate = std::move(handler); }

private:
    std::function<void()> m_terminate;
    QPointer<TFFiltroRelatorioCompromissos> m_firstFilter;
    QPointer<TFRelatorioCompromissos> m_firstReport;
};

} // namespace lx::agenda
