#include "agenda/core/todayappointments.h"

namespace lx::agenda {

const QString TodayAppointments::sqlText = QStringLiteral("select titulo, hora\n"
                                                          "from TCOMPROMISSO\n"
                                                          "where data = :data\n"
                                                          "order by hora");

TodayAppointments::TodayAppointments(Connection *connection, QObject *parent)
    : QueryResult(connection, sqlText, parent)
{}

void TodayAppointments::reload(const QDate &day)
{
    close();
    open({day});
}

} // namespace lx::agenda
