// Stands in for the finance program where it is not built: opens the database beside it
// embedded, as the finance program does at start-up, and keeps it open until ended (at most
// a minute).
#include "db/connection.h"
#include "db/dberror.h"

#include <QCoreApplication>
#include <QSqlQuery>
#include <QTimer>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    lx::Connection conn(QStringLiteral("TOSTARA"));
    try {
        conn.setUp(lx::defaultAliasFile(), lx::programFolder());
    } catch (const lx::DbError &) {
        return 1;
    }
    {
        QSqlQuery q(conn.database());
        q.exec(QStringLiteral("select count(*) from TTIPOGASTO"));
        q.finish();
    }
    QTimer::singleShot(60000, &app, &QCoreApplication::quit);
    return app.exec();
}
