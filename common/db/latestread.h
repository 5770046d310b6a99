#pragma once

#include <QString>
#include <QVariant>

namespace lx {

class Connection;

/// Runs a select of one integer value in a short read-committed transaction of its own on the
/// connection: it sees what every program has committed up to now, also while a Transaction is
/// open on the connection (whose snapshot is as old as its start). Gives null for an empty
/// result or a null value; throws DbError.
QVariant readLatestInteger(Connection &connection, const QString &sql);

} // namespace lx
