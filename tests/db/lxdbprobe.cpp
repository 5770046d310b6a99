// Test helper: opens the database at argv[1] embedded, adds an expense type with code argv[2]
// and prints how many expense types the table then holds.
#include "db/connection.h"
#include "db/dberror.h"
#include "db/tablecache.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QTextStream>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 3)
        return 2;
    QTemporaryDir dir;
    const QString alias = dir.filePath("alias.txt");
    QFile f(alias);
    f.open(QIODevice::WriteOnly);
    f.write(QFileInfo(QString::fromLocal8Bit(argv[1])).absolutePath().toLocal8Bit());
    f.close();
    try {
        lx::Connection conn("AGENDA");
        conn.setUp(alias, "/nonexistent/");
        lx::TableCache types(&conn, "TTIPOGASTO");
        types.open();
        types.insert();
        types.setValue("TGACODIGO", QString::fromLocal8Bit(argv[2]).toInt());
        types.setValue("TGADESCRICAO", QStringLiteral("do outro processo"));
        types.applyUpdates();
        types.refresh();
        QTextStream(stdout) << types.recordCount() << "\n";
    } catch (const lx::DbError &e) {
        QTextStream(stderr) << e.message() << "\n";
        return 1;
    }
    return 0;
}
