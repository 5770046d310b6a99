#pragma once

#include "db/schema.h"

#include <QLocale>
#include <QString>
#include <QVariant>

namespace lx {

/// Edit masks of the programs, in the notation their fields carry.
namespace masks {
inline const QString date = QStringLiteral("!99/99/0000;1;_");
inline const QString time = QStringLiteral("!90:00;1;_");
inline const QString phone = QStringLiteral("!\\(999\\)0000-0000;1;_");
} // namespace masks

/// A column of a read-only grid: the field (or result column) it shows, its title and alignment.
struct GridColumn
{
    QString field;
    QString title;
    Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter;
};

/// The locale the programs show numbers, money and dates in: the machine's regional setting,
/// or Brazilian Portuguese where the machine has none (the C locale).
QLocale regionalLocale(const QLocale &system = QLocale::system());
/// Makes regionalLocale() the default of the running program.
void applyRegionalSettings();

/// Reads a typed number as the locale writes it ("1234,50", "1.234,50" and "R$ 1.234,50" in
/// pt_BR), with or without the locale's currency sign; a plain "1234.50" is taken too.
/// Returns false for anything else.
bool parseNumber(const QString &text, double *value, const QLocale &locale = QLocale());

/// How a value of a client type is shown: money in the locale's currency format, dates as
/// dd/MM/yyyy, times as HH:mm; null shows as empty text.
QString displayText(FieldType type, const QVariant &value);

/// The text an edit box shows for a value: numbers without the currency sign and without
/// group separators, so that the text converts back as typed.
QString editText(FieldType type, const QVariant &value);

} // namespace lx
