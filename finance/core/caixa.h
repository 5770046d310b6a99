#pragma once

#include <QString>
#include <QStringList>

namespace lx {
class Connection;
class TableCache;
} // namespace lx

namespace lx::finance {

/// "Janeiro" to "Dezembro"; the month number is the position plus one.
const QStringList &monthNames();
/// The name of month 1 to 12; empty for any other number.
QString monthName(int month);

/// Rebuilds the monthly cash summary of (mes, ano): sums the amounts of the month's expenses
/// and receipts as the server holds them (a null amount adds 0), finds the month's row in
/// caixaMes by "CAIMES;CAIANO" or creates it with the next code and the month's name, writes
/// spent, received and received minus spent, posts and applies. Call it after the change of
/// a movement has been applied, in the same transaction. Leaves caixaMes open on the month's
/// row. Throws DbError; a refused apply also closes caixaMes, so that the next call starts
/// from the server's rows.
void atualizarcaixa(Connection &connection, TableCache &caixaMes, int mes, int ano);

/// The monthly cash window's search: makes the summary of (month, year) the current row of
/// summaries (opened if closed). month is the month list's position plus one, 0 when none is
/// chosen (which finds nothing); yearText is the year box's text. Throws DbError when yearText
/// is not a whole number. Returns whether a row was found; the current row stays otherwise.
bool locateMonth(TableCache &summaries, int month, const QString &yearText);

} // namespace lx::finance
