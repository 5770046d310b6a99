#include "agenda/core/appointmentsreport.h"

#include "db/dberror.h"
#include "db/queryresult.h"

#include <QDate>
#include <QLocale>
#include <QTime>

namespace lx::agenda {

namespace {

QDate toDate(const QString &text)
{
    const QDate d = QDate::fromString(text.trimmed(), QStringLiteral("dd/MM/yyyy"));
    if (!d.isValid())
        throw DbError(QStringLiteral("'%1' não é uma data válida.").arg(text));
    return d;
}

QTime toTime(const QString &text)
{
    // " 9:30" from a mask with an optional first digit is 09:30.
    const QTime t = QTime::fromString(text.trimmed(), QStringLiteral("H:mm"));
    if (!t.isValid())
        throw DbError(QStringLiteral("'%1' não é um horário válido.").arg(text));
    return t;
}

} // namespace

QString AppointmentsPeriod::label() const
{
    return firstDay + QStringLiteral(" ao dia ") + lastDay + QStringLiteral(", do horário ") +
           firstTime + QStringLiteral(" ao horário ") + lastTime;
}

QVariantList AppointmentsPeriod::values() const
{
    return {toDate(firstDay), toDate(lastDay), toTime(firstTime), toTime(lastTime)};
}

const QStringList AppointmentsReportQuery::lines{
    QStringLiteral("select titulo, data, hora"), QStringLiteral("from TCOMPROMISSO"),
    QStringLiteral("where data >= :data1 and"),  QStringLiteral("data <= :data1 and"),
    QStringLiteral("hora >= :hora1 and"),        QStringLiteral("hora <= :hora2"),
    QStringLiteral("order by (data + hora)")};

QString AppointmentsReportQuery::sql()
{
    return positionalPlaceholders(lines.join(QLatin1Char('\n')));
}

void AppointmentsReportQuery::open(QueryResult &result, const AppointmentsPeriod &period)
{
    const QVariantList values = period.values();
    result.close();
    result.open(values);
}

} // namespace lx::agenda
