#pragma once

#include "db/schema.h"

#include <QString>
#include <QVariant>

namespace lx {

/// A column of a read-only grid: the field (or result column) it shows, its title and alignment.
struct GridColumn
{
    QString field;
    QString title;
    Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter;
};

/// How a value of a client type is shown: money in the locale's currency format, dates as
/// dd/MM/yyyy, times as HH:mm; null shows as empty text.
QString displayText(FieldType type, const QVariant &value);

/// The text an edit box shows for a value (money without the currency sign).
QString editText(FieldType type, const QVariant &value);

} // namespace lx
