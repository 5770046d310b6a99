#pragma once

#include <QList>
#include <QString>

namespace lx {

/// Client types of the columns.
enum class FieldType { Integer, Money, Float, Date, Time, Text };

/// One stored column of a table.
struct ColumnDef
{
    QString name;
    FieldType type = FieldType::Text;
    int size = 0; ///< characters, text only
    bool required = false;
    QString label; ///< what the windows call it ("Valor", "Descrição")
};

/// One table of the shared database, with its columns in declaration order.
struct TableDef
{
    QString name;
    QList<ColumnDef> columns;
};

namespace schema {

/// Every table of FINANCEIRO.GDB.
const QList<TableDef> &tables();
/// The table called name; throws DbError when there is none.
const TableDef &table(const QString &name);

/// The DDL that builds the schema on an empty database, one statement per entry.
QStringList ddl();

/// Creates a fresh database file at path with the whole schema and the default account.
/// Refuses (DbError) to touch an existing file. user/password are those of the engine or
/// server that creates it.
void createDatabase(const QString &path, const QString &user = QStringLiteral("SYSDBA"),
                    const QString &password = QStringLiteral("vorpaldex"));

} // namespace schema
} // namespace lx
