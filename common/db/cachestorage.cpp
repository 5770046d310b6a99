#include "db/tablecache.h"

#include "db/cachevalues.h"
#include "db/fieldformat.h"

namespace lx {

using detail::nullOf;

FieldDef FieldDef::fromColumn(const ColumnDef &c)
{
    FieldDef f;
    f.name = c.name;
    f.type = c.type;
    f.size = c.size;
    f.required = c.required;
    if (c.type == FieldType::Date)
        f.editMask = masks::date;
    else if (c.type == FieldType::Time)
        f.editMask = masks::time;
    return f;
}

QVariant TableCache::Column::get(size_t r) const
{
    switch (type) {
    case FieldType::Text: {
        const QString &s = texts[r];
        return s.isNull() ? nullOf(type) : QVariant(s);
    }
    case FieldType::Money:
    case FieldType::Float:
        return nulls[r] ? nullOf(type) : QVariant(reals[r]);
    case FieldType::Integer:
        return nulls[r] ? nullOf(type) : QVariant(ints[r]);
    case FieldType::Date:
        return nulls[r] ? nullOf(type) : QVariant(QDate::fromJulianDay(ints[r]));
    case FieldType::Time:
        return nulls[r] ? nullOf(type) : QVariant(QTime::fromMSecsSinceStartOfDay(ints[r]));
    }
    return {};
}

void TableCache::Column::set(size_t r, const QVariant &v)
{
    // v is already of the column's type (see convert()).
    switch (type) {
    case FieldType::Text:
        texts[r] = v.isNull() ? QString() : v.toString();
        return;
    case FieldType::Money:
    case FieldType::Float:
        nulls[r] = v.isNull();
        reals[r] = v.isNull() ? 0.0 : v.toDouble();
        return;
    case FieldType::Integer:
        nulls[r] = v.isNull();
        ints[r] = v.isNull() ? 0 : v.toInt();
        return;
    case FieldType::Date:
        nulls[r] = v.isNull();
        ints[r] = v.isNull() ? 0 : qint32(v.toDate().toJulianDay());
        return;
    case FieldType::Time:
        nulls[r] = v.isNull();
        ints[r] = v.isNull() ? 0 : v.toTime().msecsSinceStartOfDay();
        return;
    }
}

void TableCache::Column::push(const QVariant &v)
{
    switch (type) {
    case FieldType::Text:
        texts.emplace_back();
        break;
    case FieldType::Money:
    case FieldType::Float:
        reals.push_back(0.0);
        nulls.push_back(true);
        break;
    default:
        ints.push_back(0);
        nulls.push_back(true);
        break;
    }
    const size_t r = type == FieldType::Text                                  ? texts.size() - 1
                     : (type == FieldType::Money || type == FieldType::Float) ? reals.size() - 1
                                                                              : ints.size() - 1;
    if (!v.isNull())
        set(r, v);
}

void TableCache::Column::pop()
{
    if (type == FieldType::Text) {
        texts.pop_back();
        return;
    }
    if (type == FieldType::Money || type == FieldType::Float)
        reals.pop_back();
    else
        ints.pop_back();
    nulls.pop_back();
}

void TableCache::Column::clear()
{
    std::vector<qint32>().swap(ints);
    std::vector<double>().swap(reals);
    std::vector<QString>().swap(texts);
    std::vector<bool>().swap(nulls);
}

} // namespace lx
