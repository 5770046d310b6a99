#include "db/fbstatus.h"

#include <QStringList>

namespace lx {

QString fbStatusText(const ISC_STATUS *status)
{
    QStringList parts;
    const ISC_STATUS *p = status;
    char buf[1024];
    while (fb_interpret(buf, sizeof buf, &p))
        parts << QString::fromLocal8Bit(buf);
    return parts.join(QLatin1Char('\n'));
}

} // namespace lx
