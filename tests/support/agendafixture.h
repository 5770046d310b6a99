#pragma once

#include "agenda/agendadata.h"
#include "agenda/program.h"
#include "agenda/tfcompromissos.h"
#include "agenda/tfmenu.h"
#include "agenda/tfprincipal.h"
#include "support/agendadb.h"
#include "support/modal.h"
#include "support/testdb.h"
#include "support/testmain.h"
#include "ui/dialogs.h"

#include <QApplication>
#include <QDate>
#include <QTest>
#include <QTime>
#include <QToolButton>

#include <memory>

namespace agendatest {

/// A fresh database and an agenda program started on it, whose ending is counted instead of
/// quitting the test.
struct Fixture
{
    using Program = lx::agenda::Program;
    lx::test::TestDb db;
    std::unique_ptr<Program> program;
    int ended = 0;

    Fixture()
    {
        lx::ui::Dialogs::clearShown();
        start();
    }
    ~Fixture() { program.reset(); }

    /// A new run of the program on the same database.
    void start()
    {
        program.reset();
        program = std::make_unique<Program>(db.aliasFile(), QStringLiteral("/nonexistent/"));
        program->setTerminateHandler([this] { ++ended; });
    }

    /// The data module of the running program.
    lx::agenda::AgendaData &dm() const { return program->FMenu->dm(); }

    void addAppointment(int code, const QString &title, const QDate &day, const QTime &time)
    {
        insertAppointment(db, code, title, day, time);
    }
    /// An empty phone is stored as null.
    void addContact(int code, const QString &name, const QString &phone = {})
    {
        insertContact(db, code, name, phone);
    }
};

/// The appointments window as the main window's button opens it (modally, so modal records it
/// and every window opened from it); null when none opened.
inline lx::agenda::TFCompromissos *openAppointments(Fixture &f, lx::test::ModalScript &modal)
{
    f.program->FPrincipal->btnCompromissos->click();
    return qobject_cast<lx::agenda::TFCompromissos *>(modal.shown.value(0));
}

/// Shows a window and waits until it has the keyboard focus.
inline bool showActive(QWidget *w)
{
    w->show();
    w->activateWindow();
    return QTest::qWaitForWindowActive(w);
}

/// The title the window system puts on w's title bar: Qt appends the application's display
/// name, when one is set, to every window title that does not already end with it.
inline QString titleBar(const QWidget *w)
{
    const QString title = w->windowTitle();
    const QString name = QGuiApplication::applicationDisplayName();
    if (name == QCoreApplication::applicationName() || title.endsWith(name))
        return title;
    return title + QStringLiteral(" \u2014 ") + name;
}

/// Runs an agenda suite with the program's application settings.
inline int run(QObject &tests, int argc, char **argv)
{
    lx::agenda::Program::initApplication();
    return lx::test::runTests(tests, argc, argv);
}

} // namespace agendatest
