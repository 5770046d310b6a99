#pragma once

#include <QLocale>
#include <QString>
#include <QTime>

namespace lx::agenda {

/// The locale's long time format without its time-zone part: hours, minutes and seconds.
QString longTimeFormat(const QLocale &locale = QLocale());

/// The clock label's text for a time: "Relógio: " and the time in the long time format.
QString clockText(const QTime &time, const QLocale &locale = QLocale());

} // namespace lx::agenda
