#include "benchsupport.h"

#include "db/connection.h"
#include "db/dberror.h"
#include "db/schema.h"

#include <QDir>
#include <QFile>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <cstdio>
#include <malloc.h>

namespace lx::bench {

QString freshDatabaseFolder(const QString &tag)
{
    QTemporaryDir dir(QDir::tempPath() + "/lxbench-" + tag + "-XXXXXX");
    dir.setAutoRemove(false);
    schema::createDatabase(dir.path() + "/FINANCEIRO.GDB");
    return dir.path();
}

void bulkInsert(const QString &folder, const QString &sql, int rows,
                const std::function<QVariantList(int)> &makeRow)
{
    const QString alias = folder + "/alias.txt";
    QFile f(alias);
    f.open(QIODevice::WriteOnly);
    f.write(folder.toLocal8Bit());
    f.close();
    Connection conn("BENCH");
    conn.setUp(alias, "/nonexistent/");
    QSqlDatabase db = conn.database();
    db.transaction();
    {
        QSqlQuery q(db);
        if (!q.prepare(sql))
            throw DbError(q.lastError().text());
        for (int i = 0; i < rows; ++i) {
            for (const QVariant &v : makeRow(i))
                q.addBindValue(v);
            if (!q.exec())
                throw DbError(q.lastError().text());
        }
    }
    db.commit();
}

void MedianReporter::ReportRuns(const std::vector<Run> &runs)
{
    ConsoleReporter::ReportRuns(runs);
    for (const Run &r : runs)
        if (r.run_type == Run::RT_Aggregate && r.aggregate_name == "median")
            m_medians[r.run_name.function_name] = r.GetAdjustedRealTime();
}

double MedianReporter::median(const std::string &name) const
{
    const auto it = m_medians.find(name);
    return it == m_medians.end() ? 0.0 : it->second;
}

double MedianReporter::ratio(const char *label, const std::string &a, const std::string &b) const
{
    const double r = median(b) > 0 ? median(a) / median(b) : 0.0;
    std::printf("%s: %.3f\n", label, r);
    return r;
}

size_t heapInUse()
{
    malloc_trim(0);
    return mallinfo2().uordblks;
}

} // namespace lx::bench
