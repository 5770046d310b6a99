#include "agenda/core/clocktext.h"

namespace lx::agenda {

QString longTimeFormat(const QLocale &locale)
{
    const QString format = locale.timeFormat(QLocale::LongFormat);
    QString out;
    bool quoted = false;
    for (const QChar c : format) {
        if (c == QLatin1Char('\''))
            quoted = !quoted;
        if (!quoted && c == QLatin1Char('t'))
            continue;
        out += c;
    }
    return out.simplified();
}

QString clockText(const QTime &time, const QLocale &locale)
{
    return QStringLiteral("Relógio: ") + locale.toString(time, longTimeFormat(locale));
}

} // namespace lx::agenda
