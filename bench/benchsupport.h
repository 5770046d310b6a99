#pragma once

#include <benchmark/benchmark.h>

#include <QString>
#include <QVariantList>

#include <map>
#include <string>

namespace lx::bench {

/// Creates a fresh database in a new temporary folder and returns that folder.
QString freshDatabaseFolder(const QString &tag);

/// Runs SQL statements on the database of folder in one transaction, each statement once per
/// row that makeRow fills in.
void bulkInsert(const QString &folder, const QString &sql, int rows,
                const std::function<QVariantList(int)> &makeRow);

/// Collects the median real time of every benchmark while printing the usual table.
class MedianReporter : public benchmark::ConsoleReporter
{
public:
    void ReportRuns(const std::vector<Run> &runs) override;
    double median(const std::string &name) const;
    /// Prints "label: a/b" with the two medians' ratio; returns the ratio.
    double ratio(const char *label, const std::string &a, const std::string &b) const;

private:
    std::map<std::string, double> m_medians;
};

/// Bytes currently taken from the heap.
size_t heapInUse();

} // namespace lx::bench
