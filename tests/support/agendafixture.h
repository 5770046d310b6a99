#pragma once

#include "agenda/program.h"
#include "support/testdb.h"
#include "ui/dialogs.h"

#include <QApplication>
#include <QDate>
#include <QLocale>
#include <QTest>
#include <QTime>

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

    void addAppointment(int code, const QString &title, const QDate &day, const QTime &time)
    {
        db.exec("insert into TCOMPROMISSO (CODIGO, TITULO, DATA, HORA) values (?, ?, ?, ?)",
                {code, title, day, time});
    }
};

/// Shows a window and waits until it has the keyboard focus.
inline bool showActive(QWidget *w)
{
    w->show();
    w->activateWindow();
    return QTest::qWaitForWindowActive(w);
}

inline int run(QObject &tests, int argc, char **argv)
{
    QLocale::setDefault(QLocale(QLocale::Portuguese, QLocale::Brazil));
    lx::agenda::Program::initApplication();
    lx::ui::Dialogs::setScripted(true);
    return QTest::qExec(&tests, argc, argv);
}

} // namespace agendatest
