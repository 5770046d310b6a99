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

namespace {

/// Drops the currency sign (before or after the digits, with or without a space) and the
/// spaces around it, keeping a minus sign written on either side of it.
QString withoutCurrency(QString t, const QLocale &locale)
{
    const auto isSpace = [](QChar c) { return c.isSpace() || c == QChar(0x00A0); };
    const auto trim = [&](QString s) {
        while (!s.isEmpty() && isSpace(s.front()))
            s.remove(0, 1);
        while (!s.isEmpty() && isSpace(s.back()))
            s.chop(1);
        return s;
    };
    t = trim(t);
    QString minus;
    if (t.startsWith(locale.negativeSign()) || t.startsWith(QLatin1Char('-'))) {
        minus = QStringLiteral("-");
        t = trim(t.mid(1));
    }
    for (const QString &sign : {locale.currencySymbol(QLocale::CurrencySymbol),
                                locale.currencySymbol(QLocale::CurrencyIsoCode)}) {
        if (sign.isEmpty())
            continue;
        if (t.startsWith(sign, Qt::CaseInsensitive))
            t = trim(t.mid(sign.size()));
        else if (t.endsWith(sign, Qt::CaseInsensitive))
            t = trim(t.left(t.size() - sign.size()));
    }
    return minus + t;
}

} // namespace

bool parseNumber(const QString &text, double *value, const QLocale &locale)
{
    const QString t = withoutCurrency(text, locale);
    if (t.isEmpty() || t == QLatin1String("-"))
        return false;
    bool ok = false;
    double d = locale.toDouble(t, &ok);
    if (!ok)
        d = QLocale::c().toDouble(t, &ok);
    if (ok)
        *value = d;
    return ok;
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
