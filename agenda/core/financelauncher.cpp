#include "agenda/core/financelauncher.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

namespace lx::agenda {

FinanceLauncher::FinanceLauncher() : m_folder(QCoreApplication::applicationDirPath()) {}

QString FinanceLauncher::programName()
{
#ifdef Q_OS_WIN
    return QStringLiteral("PTostara.exe");
#else
    return QStringLiteral("PTostara");
#endif
}

QString FinanceLauncher::program() const
{
    const QFileInfo beside(QDir(m_folder), programName());
    if (beside.isFile() && beside.isExecutable())
        return beside.absoluteFilePath();
    return QStandardPaths::findExecutable(programName());
}

bool FinanceLauncher::start()
{
    m_pid = 0;
    const QString file = program();
    if (file.isEmpty())
        return false;
    return QProcess::startDetached(file, {}, QString(), &m_pid);
}

} // namespace lx::agenda
