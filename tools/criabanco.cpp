// Creates a fresh FINANCEIRO.GDB: every table, its keys and indexes, and the default account.
#include "db/connection.h"
#include "db/dberror.h"
#include "db/schema.h"

#include <QCoreApplication>
#include <QTextStream>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    lx::useOwnFirebirdRoot(lx::programFolder());
    QTextStream err(stderr);
    const QStringList args = app.arguments();
    if (args.size() != 2) {
        err << "uso: criabanco CAMINHO/FINANCEIRO.GDB\n";
        return 2;
    }
    try {
        lx::schema::createDatabase(args[1]);
    } catch (const lx::DbError &e) {
        err << "criabanco: " << e.message() << "\n";
        return 1;
    }
    QTextStream(stdout) << "Banco criado: " << args[1] << "\n";
    return 0;
}
