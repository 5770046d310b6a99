#include "agenda/core/appointments.h"

#include "db/filterexpr.h"
#include "db/rowactions.h"
#include "db/tablecache.h"

namespace lx::agenda {

const QString Appointments::codeSql = QStringLiteral("select max(codigo) from TCOMPROMISSO");

Appointments::Appointments(TableCache &cache) : m_cache(cache) {}

void Appointments::reload()
{
    m_cache.close();
    m_cache.setFiltered(false);
    m_cache.open();
}

int Appointments::insertNew()
{
    return m_cache.insertWithServerCode(codeSql, QStringLiteral("CODIGO"));
}

void Appointments::edit()
{
    m_cache.edit();
}

void Appointments::save()
{
    saveRow(m_cache, OnRefusal::Reedit);
}

void Appointments::cancel()
{
    cancelRow(m_cache);
}

void Appointments::remove()
{
    deleteRow(m_cache);
}

QString Appointments::titleFilter(const QString &text)
{
    return QStringLiteral("UPPER(TITULO) like UPPER(%1)")
        .arg(quotedLiteral(QLatin1Char('%') + text + QLatin1Char('%')));
}

QString Appointments::dateFilter(const QString &text)
{
    return QStringLiteral("DATA=") + quotedLiteral(text);
}

void Appointments::setSearch(const QString &filter)
{
    m_cache.setFiltered(false);
    m_cache.setFilter(filter);
    m_cache.setFiltered(true);
    m_cache.first();
}

void Appointments::searchTitle(const QString &text)
{
    setSearch(titleFilter(text));
}

void Appointments::searchDate(const QString &text)
{
    setSearch(dateFilter(text));
}

void Appointments::showAll()
{
    if (!m_cache.isFiltered())
        return;
    m_cache.setFiltered(false);
    m_cache.first();
}

int Appointments::currentCode() const
{
    if (!m_cache.isOpen() || m_cache.isEmpty())
        return 0;
    return m_cache.value(QStringLiteral("CODIGO")).toInt();
}

bool Appointments::locate(int code)
{
    return m_cache.locate(QStringLiteral("CODIGO"), {code});
}

} // namespace lx::agenda
