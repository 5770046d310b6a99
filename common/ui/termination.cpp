#include "ui/termination.h"

#include <QCoreApplication>
#include <QObject>

#ifdef Q_OS_LINUX
#include <QSocketNotifier>

#include <csignal>
#include <sys/signalfd.h>
#include <unistd.h>
#endif

namespace lx::ui {

namespace {
bool g_terminationRequested = false;
bool g_inMainLoop = false;
} // namespace

int runApplication(QCoreApplication &app)
{
    if (g_terminationRequested)
        return 0;
    g_inMainLoop = true;
    return app.exec();
}

#ifdef Q_OS_LINUX
namespace {
sigset_t terminationSignals()
{
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, SIGTERM);
    sigaddset(&set, SIGINT);
    return set;
}
} // namespace

void blockTerminationSignals()
{
    const sigset_t set = terminationSignals();
    // Threads started afterwards, the engine's among them, inherit the mask.
    pthread_sigmask(SIG_BLOCK, &set, nullptr);
}

void quitOnTerminationSignals(QObject *parent)
{
    const sigset_t set = terminationSignals();
    const int fd = signalfd(-1, &set, SFD_NONBLOCK | SFD_CLOEXEC);
    if (fd < 0)
        return;
    auto *notifier = new QSocketNotifier(fd, QSocketNotifier::Read, parent);
    QObject::connect(notifier, &QSocketNotifier::activated, parent, [fd] {
        signalfd_siginfo info;
        while (::read(fd, &info, sizeof info) == ssize_t(sizeof info)) {
        }
        g_terminationRequested = true;
        // quit() closes the windows as closing the main window would, but only once the
        // application's loop runs; before that (a start-up box) every open loop is ended.
        if (g_inMainLoop)
            QCoreApplication::quit();
        else
            QCoreApplication::exit(0);
    });
    QObject::connect(notifier, &QObject::destroyed, [fd] { ::close(fd); });
}
#else
void blockTerminationSignals() {}
void quitOnTerminationSignals(QObject *) {}
#endif

} // namespace lx::ui
