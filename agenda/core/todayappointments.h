#pragma once

#include "db/queryresult.h"

#include <QDate>

namespace lx::agenda {

/// The titles and times of one day's appointments, earliest first, read from the server
/// when asked and not otherwise.
class TodayAppointments : public QueryResult
{
    Q_OBJECT
public:
    explicit TodayAppointments(Connection *connection, QObject *parent = nullptr);

    /// Reads the appointments of day; a failure leaves the list empty and throws DbError.
    void reload(const QDate &day = QDate::currentDate());

    static const QString sqlText;
};

} // namespace lx::agenda
