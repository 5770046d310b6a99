#pragma once

#include "db/connection.h"
#include "db/queryresult.h"
#include "db/tablecache.h"
#include "support/testdb.h"

#include <QDate>
#include <QStringList>
#include <QTime>

#include <memory>

namespace agendatest {

/// Stores an appointment straight in the database, committed.
inline void insertAppointment(const lx::test::TestDb &db, int code, const QString &title,
                              const QDate &day, const QTime &time)
{
    db.exec("insert into TCOMPROMISSO (CODIGO, TITULO, DATA, HORA) values (?, ?, ?, ?)",
            {code, title, day, time});
}

/// Stores a contact straight in the database, committed; a null name and an empty phone are
/// stored as null.
inline void insertContact(const lx::test::TestDb &db, int code, const QString &name,
                          const QString &phone = {})
{
    db.exec("insert into TCONTATO (CODIGO, NOME, TELEFONE1) values (?, ?, ?)",
            {code, name.isNull() ? QVariant() : QVariant(name),
             phone.isEmpty() ? QVariant() : QVariant(phone)});
}

/// Contact names for the report's name range: upper- and lower-case twins, names just
/// outside the initial range (A before AAA, ZZZA after ZZZ) and one equal to a bound.
inline const QStringList rangeNames{"maria", "A", "ZZZA", "MARIA", "ana", "ZZZ", "Bia"};

/// One field of every row a cache shows, as text, in order.
inline QStringList columnTexts(const lx::TableCache &cache, const char *field)
{
    QStringList out;
    const int index = cache.fieldIndex(field);
    for (int r = 0; r < cache.recordCount(); ++r)
        out << cache.value(r, index).toString();
    return out;
}

/// One column of every row of a query result, as text, in order.
inline QStringList columnTexts(const lx::QueryResult &result, const char *column)
{
    QStringList out;
    for (int r = 0; r < result.rowCount(); ++r)
        out << result.value(r, column).toString();
    return out;
}

/// A fresh database, the agenda's connection to it and a (closed) cache of one of its tables:
/// what the agenda cores work on.
struct CacheFixture
{
    lx::test::TestDb db;
    std::unique_ptr<lx::Connection> conn;
    std::unique_ptr<lx::TableCache> cache;

    explicit CacheFixture(const QString &table)
        : conn(db.connect(QStringLiteral("AGENDA"))),
          cache(std::make_unique<lx::TableCache>(conn.get(), table))
    {}
};

} // namespace agendatest
