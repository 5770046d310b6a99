#pragma once

#include <QString>

#include <ibase.h>

namespace lx {

/// The client library's own text for a status vector, one message a line.
QString fbStatusText(const ISC_STATUS *status);

} // namespace lx
