#pragma once

#include "ui/dialogs.h"

#include <QLocale>
#include <QObject>
#include <QTest>

namespace lx::test {

/// Runs a test object of a finance or agenda suite: Brazilian locale, scripted dialogs.
inline int runTests(QObject &tests, int argc, char **argv)
{
    QLocale::setDefault(QLocale(QLocale::Portuguese, QLocale::Brazil));
    ui::Dialogs::setScripted(true);
    return QTest::qExec(&tests, argc, argv);
}

} // namespace lx::test
