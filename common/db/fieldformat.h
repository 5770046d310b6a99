#pragma once

#include "schema.h"

#include <QString>
#include <QVariant>

namespace lx {

/// How a value of a client type is shown: money in the locale's currency format, dates as
/// dd/MM/yyyy, times as HH:mm; null shows as empty text.
QString displayText(FieldType type, const QVariant &value);

/// The text an edit box shows for a value (money without the currency sign).
QString editText(FieldType type, const QVariant &value);

} // namespace lx
