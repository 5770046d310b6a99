#include "db/fieldformat.h"

#include <QDate>
#include <QLocale>
#include <QTime>

namespace lx {

QLocale regionalLocale(const QLocale &system)
{
    if (system.language() == QLocale::C)
        return QLocale(QLocale::Portuguese, QLocale::Brazil);
    return system;
}

void applyRegionalSettings()
{
    QLocale::setDefault(regionalLocale());
}

QString displayText(FieldType type, const QVariant &value)
{
    if (value.isNull())
        return {};
    switch (type) {
    case FieldType::Money:
        return QLocale().toCurrencyString(value.toDouble());
    case FieldType::Float:
        return QLocale().toString(value.toDouble(), 'g', 15);
    case FieldType::Date:
        return value.toDate().toString(QStringLiteral("dd/MM/yyyy"));
    case FieldType::Time:
        return value.toTime().toString(QStringLiteral("HH:mm"));
    case FieldType::Integer:
        return QString::number(value.toInt());
    case FieldType::Text:
        return value.toString();
    }
    return value.toString();
}

QString editText(FieldType type, const QVariant &value)
{
    if (value.isNull() || !value.isValid())
        return {};
    QLocale plain;
    plain.setNumberOptions(QLocale::OmitGroupSeparator);
    switch (type) {
    case FieldType::Money:
        return plain.toString(value.toDouble(), 'f', 2);
    case FieldType::Float:
        return plain.toString(value.toDouble(), 'g', 15);
    default:
        return displayText(type, value);
    }
}

} // namespace lx
