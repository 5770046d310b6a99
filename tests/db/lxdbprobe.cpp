// Test helper: a second program on the same embedded database. It starts as the programs do,
// pointing the engine at the suite's own Firebird root itself.
//
//   lxdbprobe add DB CODE      adds an expense type with code CODE and prints how many
//                              expense types the table then holds
//   lxdbprobe insert DB N TAG  reads the expense types, prints "ready", waits for a line on
//                              standard input, then saves N new types ("TAG 1" ...) one by
//                              one with codes from its own cache, never read again, and prints
//                              each code it stored
//
// DB is the database file; the exit code is 1 with the error on standard error when a save
// failed.
#include "db/connection.h"
#include "db/dberror.h"
#include "db/rowactions.h"
#include "db/tablecache.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTextStream>

#include <cstdio>

namespace {

void addOne(lx::TableCache &types, int code)
{
    types.open();
    types.insert();
    types.setValue("TGACODIGO", code);
    types.setValue("TGADESCRICAO", QStringLiteral("do outro processo"));
    types.applyUpdates();
    types.refresh();
    QTextStream(stdout) << types.recordCount() << "\n";
}

void insertMany(lx::TableCache &types, int count, const QString &tag)
{
    QTextStream out(stdout);
    types.open();
    out << "ready" << Qt::endl;
    char line[16];
    if (!std::fgets(line, sizeof line, stdin))
        throw lx::DbError(QStringLiteral("no start signal"));
    for (int i = 1; i <= count; ++i) {
        types.insertWithNextCode("TGACODIGO");
        types.setValue("TGADESCRICAO", QStringLiteral("%1 %2").arg(tag).arg(i));
        lx::saveRow(types, lx::OnRefusal::Reedit);
        out << types.value("TGACODIGO").toInt() << Qt::endl;
    }
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    lx::useOwnFirebirdRoot(lx::programFolder());
    const QStringList args = app.arguments();
    if (args.size() < 4)
        return 2;
    QTemporaryDir dir;
    const QString alias = dir.filePath("alias.txt");
    QFile f(alias);
    f.open(QIODevice::WriteOnly);
    f.write(QFileInfo(args[2]).absolutePath().toLocal8Bit());
    f.close();
    try {
        lx::Connection conn("AGENDA");
        conn.setUp(alias, "/nonexistent/");
        lx::TableCache types(&conn, "TTIPOGASTO");
        if (args[1] == "add")
            addOne(types, args[3].toInt());
        else if (args[1] == "insert" && args.size() == 5)
            insertMany(types, args[3].toInt(), args[4]);
        else
            return 2;
    } catch (const lx::DbError &e) {
        QTextStream(stderr) << e.message() << "\n";
        return 1;
    }
    return 0;
}
