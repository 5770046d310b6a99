#pragma once

class QCoreApplication;
class QObject;

namespace lx::ui {

/// Makes SIGTERM and SIGINT end the program through its event loop, as closing its main
/// window would. The embedded database engine catches both signals for itself and leaves the
/// program running, and a signal that lands in one of its threads can leave it unable to
/// detach; so the signals are blocked in every thread and read from the event loop instead.
/// Call blockTerminationSignals() first thing in main(), before any thread starts, and
/// quitOnTerminationSignals() once the application object exists.
void blockTerminationSignals();
void quitOnTerminationSignals(QObject *parent);
/// Runs the application's event loop, unless a termination signal came while a start-up box
/// was open (that signal ended the box's own loop; the program then ends here).
int runApplication(QCoreApplication &app);

} // namespace lx::ui
