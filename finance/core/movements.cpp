#include "finance/core/movements.h"

#include "db/dberror.h"
#include "db/filterexpr.h"
#include "db/rowactions.h"
#include "db/tablecache.h"
#include "finance/core/caixa.h"

#include <QStringList>

namespace lx::finance {

const MovementTable &MovementTable::expenses()
{
    static const MovementTable t{QStringLiteral("GASCODIGO"), QStringLiteral("GASDESCRICAO"),
                                 QStringLiteral("GASTIPO"),   QStringLiteral("GASVALOR"),
                                 QStringLiteral("GASDATA"),   QStringLiteral("GASMES"),
                                 QStringLiteral("GASANO"),    QStringLiteral("tipo"),
                                 QStringLiteral("TGACODIGO"), QStringLiteral("TGADESCRICAO")};
    return t;
}

const MovementTable &MovementTable::receipts()
{
    static const MovementTable t{QStringLiteral("RECCODIGO"), QStringLiteral("RECDESCRICAO"),
                                 QStringLiteral("RECTIPO"),   QStringLiteral("RECVALOR"),
                                 QStringLiteral("RECDATA"),   QStringLiteral("RECMES"),
                                 QStringLiteral("RECANO"),    QStringLiteral("tiporec"),
                                 QStringLiteral("TRECODIGO"), QStringLiteral("TREDESCRICAO")};
    return t;
}

Movements::Movements(Connection &connection, TableCache &movements, TableCache &types,
                     TableCache &summaries, const MovementTable &table)
    : m_conn(connection), m_movements(movements), m_types(types), m_summaries(summaries), m_t(table)
{}

void Movements::open()
{
    m_types.open();
    m_movements.open();
    if (m_movements.isEditing())
        cancelRow(m_movements);
}

int Movements::insertNew()
{
    const int code = m_movements.insertWithNextCode(m_t.code);
    m_movements.setValue(m_t.date, QDate::currentDate());
    return code;
}

bool Movements::edit()
{
    if (m_movements.isEditing())
        return false;
    m_movements.edit();
    return true;
}

void Movements::save(const QString &dateText)
{
    const QDate date = parseDate(dateText);
    m_movements.setValue(m_t.month, date.month());
    m_movements.setValue(m_t.year, date.year());
    m_movements.setValue(m_t.date, date);
    saveRow(m_movements, OnRefusal::Reedit, [&] { recompute(date.month(), date.year()); });
}

void Movements::cancel()
{
    cancelRow(m_movements);
}

void Movements::remove()
{
    const QVariant month = m_movements.value(m_t.month);
    const QVariant year = m_movements.value(m_t.year);
    deleteRow(m_movements, [&] { recompute(month, year); });
}

void Movements::recompute(const QVariant &month, const QVariant &year)
{
    // A movement stored without its month (not written by these windows) has no summary.
    const int m = month.toInt();
    if (month.isNull() || year.isNull() || m < 1 || m > 12)
        return;
    atualizarcaixa(m_conn, m_summaries, m, year.toInt());
}

void Movements::search(const QString &text)
{
    m_movements.close();
    m_movements.setFiltered(false);
    m_movements.setFilter(searchFilter(m_t.description, text));
    m_movements.setFiltered(true);
    m_movements.open();
}

void Movements::showAll()
{
    m_movements.close();
    m_movements.setFiltered(false);
    m_movements.open();
}

QString Movements::searchFilter(const QString &column, const QString &text)
{
    return containsFilter(column, text);
}

QDate Movements::parseDate(const QString &text)
{
    const QStringList parts = text.split(QLatin1Char('/'));
    QDate date;
    if (parts.size() == 3 && parts[2].trimmed().size() == 4) {
        bool okDay = false, okMonth = false, okYear = false;
        const int day = parts[0].trimmed().toInt(&okDay);
        const int month = parts[1].trimmed().toInt(&okMonth);
        const int year = parts[2].trimmed().toInt(&okYear);
        if (okDay && okMonth && okYear)
            date = QDate(year, month, day);
    }
    if (!date.isValid())
        throw DbError(QStringLiteral("'%1' não é uma data válida.").arg(text));
    return date;
}

} // namespace lx::finance
