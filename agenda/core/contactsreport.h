#pragma once

#include <QString>
#include <QStringList>

namespace lx {
class QueryResult;
}

namespace lx::agenda {

/// The contacts report's query: the contacts whose upper-cased name lies between the two
/// upper-cased bounds, in the order of the names as stored.
class ContactsReportQuery
{
public:
    /// The query's lines as the report keeps them, with the placeholders :nome1 and :nome2.
    static const QStringList lines;
    /// The text sent to the server: the lines with the placeholders made positional, in the
    /// order they stand (nome1, then nome2).
    static QString sql();

    /// Runs the query (made over sql()) with the two bounds exactly as typed; throws DbError.
    static void open(QueryResult &result, const QString &nome1, const QString &nome2);
};

} // namespace lx::agenda
