#pragma once

#include "finance/tdm.h"
#include "support/testdb.h"
#include "support/testmain.h"
#include "ui/dialogs.h"

#include <QApplication>
#include <QLocale>
#include <QTest>

#include <memory>

namespace lx::test {

/// A fresh database and the finance program's data module connected to it. Build it in a
/// test's init() and drop it in cleanup(); a test can then open any finance window on it.
struct FinanceFixture
{
    TestDb db;
    std::unique_ptr<finance::TDM> dm;

    FinanceFixture() : dm(std::make_unique<finance::TDM>())
    {
        ui::Dialogs::clearShown();
        connectError = dm->DataModuleCreate(db.aliasFile(), QStringLiteral("/nonexistent/"));
    }
    ~FinanceFixture()
    {
        window.reset();
        dm.reset();
    }

    /// The error the data module met connecting; empty when it connected.
    QString connectError;
    /// The window opened last; it goes before the data module.
    std::unique_ptr<QWidget> window;

    /// Makes a window of class W on the data module and shows it (its FormShow runs).
    template <typename W> W *open()
    {
        window.reset();
        auto *w = new W(*dm);
        window.reset(w);
        w->show();
        return w;
    }
};

} // namespace lx::test
