#include "db/latestread.h"

#include "db/connection.h"
#include "db/dberror.h"
#include "db/fbstatus.h"

#include <QSqlDriver>
#include <QStringList>

#include <ibase.h>

#include <vector>

namespace lx {

QVariant readLatestInteger(Connection &connection, const QString &sql)
{
    connection.ensureOpen();
    const QVariant handle = connection.database().driver()->handle();
    if (!handle.isValid() || handle.metaType().sizeOf() != int(sizeof(isc_db_handle)))
        throw DbError(QStringLiteral("A conexão não permite a leitura direta do servidor."));
    isc_db_handle db = *static_cast<const isc_db_handle *>(handle.constData());

    // Read-only, read-committed and not waiting: it reads the latest committed versions and
    // never blocks on a row another program has not committed yet.
    static const char tpb[] = {isc_tpb_version3, isc_tpb_read, isc_tpb_read_committed,
                               isc_tpb_rec_version, isc_tpb_nowait};
    ISC_STATUS_ARRAY status;
    isc_tr_handle tr = 0;
    if (isc_start_transaction(status, &tr, 1, &db, short(sizeof tpb), tpb))
        throw DbError(fbStatusText(status));

    std::vector<char> area(XSQLDA_LENGTH(1));
    auto *out = reinterpret_cast<XSQLDA *>(area.data());
    out->version = SQLDA_VERSION1;
    out->sqln = 1;
    out->sqld = 1;
    ISC_INT64 value = 0;
    short nullFlag = 0;
    XSQLVAR &var = out->sqlvar[0];
    var.sqltype = SQL_INT64 + 1;
    var.sqlscale = 0;
    var.sqlsubtype = 0;
    var.sqllen = sizeof value;
    var.sqldata = reinterpret_cast<ISC_SCHAR *>(&value);
    var.sqlind = &nullFlag;

    const QByteArray text = sql.toUtf8();
    if (isc_dsql_exec_immed2(status, &db, &tr, 0, text.constData(), 3, nullptr, out)) {
        const QString err = fbStatusText(status);
        ISC_STATUS_ARRAY ignored;
        isc_rollback_transaction(ignored, &tr);
        throw DbError(err);
    }
    isc_commit_transaction(status, &tr);
    return nullFlag < 0 ? QVariant() : QVariant(qlonglong(value));
}

} // namespace lx
