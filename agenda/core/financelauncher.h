#pragma once

#include <QString>

namespace lx::agenda {

/// Starts the finance program as a process of its own that the agenda neither waits for nor
/// watches: from the agenda's own folder first, then from the search path.
class FinanceLauncher
{
public:
    FinanceLauncher();

    /// The folder looked in first; the agenda program's own folder unless set.
    QString folder() const { return m_folder; }
    void setFolder(const QString &folder) { m_folder = folder; }

    /// The program file that start() would run, empty when there is none.
    QString program() const;
    /// Starts the finance program detached. Returns whether a process was started.
    bool start();
    /// The process id of the last process started, 0 if none.
    qint64 lastPid() const { return m_pid; }

    static QString programName();

private:
    QString m_folder;
    qint64 m_pid = 0;
};

} // namespace lx::agenda
