#pragma once

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

} // namespace lx::ui
