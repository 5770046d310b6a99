#include "db/tablecache.h"

#include "db/cachevalues.h"
#include "db/dberror.h"
#include "db/fieldformat.h"

#include <QDate>
#include <QLocale>
#include <QTime>

namespace lx {

using detail::nullOf;

QVariant TableCache::convert(int field, const QVariant &v) const
{
    const FieldDef &f = m_fields[size_t(field)];
    if (v.isNull())
        return nullOf(f.type);
    const bool isText = v.metaType().id() == QMetaType::QString;
    const QString text = isText ? v.toString() : QString();
    if (isText && f.type != FieldType::Text && text.trimmed().isEmpty())
        return nullOf(f.type);
    auto bad = [&] {
        return DbError(QStringLiteral("'%1' não é um valor válido para o campo '%2'.")
                           .arg(v.toString(), f.displayName()),
                       m_table + QLatin1Char('.') + f.name);
    };
    bool ok = true;
    switch (f.type) {
    case FieldType::Text: {
        QString s = v.toString();
        if (s.isEmpty())
            return nullOf(f.type);
        if (f.size > 0 && s.size() > f.size)
            s.truncate(f.size);
        return s;
    }
    case FieldType::Integer: {
        const int i = isText ? text.trimmed().toInt(&ok) : v.toInt(&ok);
        if (!ok)
            throw bad();
        return i;
    }
    case FieldType::Money:
    case FieldType::Float: {
        double d = 0;
        if (isText) {
            ok = parseNumber(text, &d);
        } else {
            d = v.toDouble(&ok);
        }
        if (!ok)
            throw bad();
        return d;
    }
    case FieldType::Date: {
        QDate d;
        if (v.metaType().id() == QMetaType::QDate)
            d = v.toDate();
        else if (v.metaType().id() == QMetaType::QDateTime)
            d = v.toDateTime().date();
        else if (isText)
            d = QDate::fromString(text.trimmed(), QStringLiteral("dd/MM/yyyy"));
        if (!d.isValid())
            throw bad();
        return d;
    }
    case FieldType::Time: {
        QTime t;
        if (v.metaType().id() == QMetaType::QTime)
            t = v.toTime();
        else if (v.metaType().id() == QMetaType::QDateTime)
            t = v.toDateTime().time();
        else if (isText) {
            const QString s = text.trimmed();
            t = QTime::fromString(s, QStringLiteral("H:mm"));
            if (!t.isValid())
                t = QTime::fromString(s, QStringLiteral("H:mm:ss"));
        }
        if (!t.isValid())
            throw bad();
        return t;
    }
    }
    return v;
}

} // namespace lx
