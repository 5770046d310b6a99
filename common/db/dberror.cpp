#include "db/dberror.h"

#include <QSqlError>

namespace lx {

QString sqlErrorText(const QSqlError &error)
{
    const QString t = error.databaseText().trimmed();
    return t.isEmpty() ? error.text().trimmed() : t;
}

} // namespace lx
