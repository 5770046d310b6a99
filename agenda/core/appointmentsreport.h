#pragma once

#include <QString>
#include <QStringList>
#include <QVariantList>

namespace lx {
class QueryResult;
class Connection;
} // namespace lx

namespace lx::agenda {

/// What the appointments report is asked for: the four texts of its filter window, days as
/// dd/MM/yyyy and times as HH:mm.
struct AppointmentsPeriod
{
    QString firstDay;
    QString lastDay;
    QString firstTime;
    QString lastTime;

    /// The period line of the report: "01/03/2010 ao dia 31/03/2010, do horário 00:00 ao
    /// horário 23:59".
    QString label() const;
    /// The query's values in the order its placeholders stand: first day, last day, first
    /// time, last time. Throws DbError naming a text that is not a date or a time.
    QVariantList values() const;
};

/// The appointments report's query: every appointment from the first to the last day whose
/// time lies in the range of times, in order of date and time together.
class AppointmentsReportQuery
{
public:
    /// The query's lines as the report keeps them; both day placeholders are named data1.
    static const QStringList lines;
    /// The text sent to the server: the lines with each placeholder made positional, so that
    /// the two of one name take a value each, in the order they stand.
    static QString sql();

    /// Runs the query on result (made over sql()) for the period; throws DbError.
    static void open(QueryResult &result, const AppointmentsPeriod &period);
};

} // namespace lx::agenda
