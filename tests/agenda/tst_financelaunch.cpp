#include "agenda/agendadata.h"
#include "agenda/core/financelauncher.h"
#include "agenda/tflogin.h"
#include "agenda/tfmenu.h"
#include "agenda/tfprincipal.h"
#include "db/connection.h"
#include "db/tablecache.h"
#include "support/agendafixture.h"

#include <QDir>
#include <QPushButton>
#include <QTableView>
#include <QToolButton>
#include <QtTest>

#include <csignal>
#include <sys/types.h>

using namespace lx;
using namespace lx::agenda;
using Fx = agendatest::Fixture;
using lx::ui::Dialogs;

namespace {
/// Whether process pid has file open.
bool holdsOpen(qint64 pid, const QString &file)
{
    const QString target = QFileInfo(file).canonicalFilePath();
    const QDir fds(QStringLiteral("/proc/%1/fd").arg(pid));
    for (const QFileInfo &fd : fds.entryInfoList(QDir::Files | QDir::System | QDir::NoDotAndDotDot))
        if (fd.symLinkTarget() == target)
            return true;
    return false;
}

bool running(qint64 pid)
{
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return false;
    const QByteArray s = stat.readAll();
    const int close = s.lastIndexOf(')');
    return close > 0 && s.mid(close + 2, 1) != "Z";
}

/// Ends the process the test started, by its id, when the test ends.
struct Started
{
    qint64 pid = 0;
    ~Started()
    {
        if (pid <= 0 || !running(pid))
            return;
        ::kill(pid_t(pid), SIGTERM);
        for (int i = 0; i < 100 && running(pid); ++i)
            QTest::qWait(50);
        if (running(pid))
            ::kill(pid_t(pid), SIGKILL);
    }
};

void writeExecutable(const QString &path)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("#!/bin/sh\nexit 0\n");
    f.close();
    f.setPermissions(f.permissions() | QFile::ExeOwner);
}
} // namespace

class TstFinanceLaunch : public QObject
{
    Q_OBJECT
private slots:
    void programLookedForBesideFirst();
    void startsFinanceWhileAgendaKeepsWorking();
    void missingFinanceProgramIsSilent();
};

void TstFinanceLaunch::programLookedForBesideFirst()
{
    QTemporaryDir beside, onPath;
    const QByteArray oldPath = qgetenv("PATH");
    qputenv("PATH", onPath.path().toLocal8Bit());
    FinanceLauncher l;
    QCOMPARE(l.folder(), QCoreApplication::applicationDirPath());
    l.setFolder(beside.path());
    QVERIFY(l.program().isEmpty());
    QVERIFY(!l.start());
    QCOMPARE(l.lastPid(), 0);
    writeExecutable(onPath.filePath(FinanceLauncher::programName()));
    QCOMPARE(l.program(), onPath.filePath(FinanceLauncher::programName()));
    writeExecutable(beside.filePath(FinanceLauncher::programName()));
    QCOMPARE(l.program(), beside.filePath(FinanceLauncher::programName()));
    qputenv("PATH", oldPath);
}

void TstFinanceLaunch::startsFinanceWhileAgendaKeepsWorking()
{
    if (QFileInfo::exists(defaultAliasFile()))
        QSKIP("an alias file would lead the finance program to another database");
    Fx f;
    // The finance program beside the agenda finds the database in its own folder, the one
    // the agenda reaches through its alias file.
    const QString folder = f.db.folder();
    const QString database = folder + "FINANCEIRO.GDB";
    const QString program = folder + FinanceLauncher::programName();
    QVERIFY(QFile::copy(QStringLiteral(LX_FINANCE_PROGRAM), program));
    QFile::setPermissions(program, QFile::permissions(program) | QFile::ExeOwner);
    qInfo("finance program: %s", LX_FINANCE_REAL ? "PTostara as built" : "test stand-in");

    TFPrincipal *w = f.program->FPrincipal;
    w->launcher().setFolder(folder);
    f.program->FLogin->show();
    f.program->FLogin->btnEntrarClick();
    QVERIFY(w->isVisible());
    Connection *conn = &f.dm().SQLConnection1;
    QVERIFY(conn->isOpen());

    QTest::mouseClick(w->btnFinancas, Qt::LeftButton);
    Started finance{w->launcher().lastPid()};
    QVERIFY(finance.pid > 0);
    QVERIFY(!conn->isOpen());
    QVERIFY(w->isVisible());
    QVERIFY(Dialogs::shown().isEmpty());
    QTRY_VERIFY_WITH_TIMEOUT(holdsOpen(finance.pid, database), 30000);

    // The agenda goes on with the same file: its next access connects again.
    TableCache *appointments = f.dm().TBCOMPROMISSO;
    appointments->insertWithServerCode("select max(codigo) from TCOMPROMISSO", "CODIGO");
    appointments->setValue("TITULO", QString("Depois das finanças"));
    appointments->setValue("DATA", QDate::currentDate());
    appointments->setValue("HORA", QTime(10, 0));
    appointments->applyUpdates();
    QVERIFY(conn->isOpen());
    QTest::mouseClick(w->btnFechar, Qt::LeftButton);
    QTest::mouseClick(w->btnAbrir, Qt::LeftButton);
    QCOMPARE(w->DBGrid1->model()->rowCount(), 1);
    QCOMPARE(w->DBGrid1->model()->index(0, 0).data().toString(), QString("Depois das finanças"));
    QCOMPARE(f.db.scalar("select count(*) from TCOMPROMISSO").toInt(), 1);

    // All the while the finance program kept the file open.
    QVERIFY(running(finance.pid));
    QVERIFY(holdsOpen(finance.pid, database));
    QVERIFY(Dialogs::shown().isEmpty());
}

void TstFinanceLaunch::missingFinanceProgramIsSilent()
{
    QTemporaryDir empty;
    const QByteArray oldPath = qgetenv("PATH");
    qputenv("PATH", empty.path().toLocal8Bit());
    Fx f;
    TFPrincipal *w = f.program->FPrincipal;
    w->launcher().setFolder(empty.path());
    f.program->FLogin->show();
    f.program->FLogin->btnEntrarClick();
    QTest::mouseClick(w->btnFinancas, Qt::LeftButton);
    qputenv("PATH", oldPath);
    QCOMPARE(w->launcher().lastPid(), 0);
    QVERIFY(Dialogs::shown().isEmpty());
    QVERIFY(!f.dm().SQLConnection1.isOpen());
    QVERIFY(w->isVisible());
    QTest::mouseClick(w->btnFechar, Qt::LeftButton);
    QTest::mouseClick(w->btnAbrir, Qt::LeftButton);
    QVERIFY(f.dm().SQLConnection1.isOpen());
    QVERIFY(Dialogs::shown().isEmpty());
}

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    TstFinanceLaunch t;
    return agendatest::run(t, argc, argv);
}

#include "tst_financelaunch.moc"
