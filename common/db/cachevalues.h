#pragma once

#include "db/schema.h"

#include <QMetaType>
#include <QVariant>

namespace lx::detail {

/// The client type a field of type t holds.
inline QMetaType metaTypeOf(FieldType t)
{
    switch (t) {
    case FieldType::Integer:
        return QMetaType(QMetaType::Int);
    case FieldType::Money:
    case FieldType::Float:
        return QMetaType(QMetaType::Double);
    case FieldType::Date:
        return QMetaType(QMetaType::QDate);
    case FieldType::Time:
        return QMetaType(QMetaType::QTime);
    case FieldType::Text:
        return QMetaType(QMetaType::QString);
    }
    return {};
}

/// A null value of the field type's client type.
inline QVariant nullOf(FieldType t)
{
    return QVariant(metaTypeOf(t));
}

/// Equality in which null equals only null.
inline bool sameValue(const QVariant &a, const QVariant &b)
{
    if (a.isNull() || b.isNull())
        return a.isNull() && b.isNull();
    return a == b;
}

} // namespace lx::detail
