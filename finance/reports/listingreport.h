#pragma once

#include "finance/core/listings.h"
#include "report/report.h"

#include <QObject>

namespace lx {
class Connection;
class QueryResult;
} // namespace lx

namespace lx::finance {

/// A listing of the expenses or receipts of a period: the title band with the title, the
/// period label, the listing name and the column headings; one detail band per row with the
/// description, the type, the value and the date, each centred under its heading, the rows
/// cream and white alternately from cream.
class ListingReport : public QObject
{
    Q_OBJECT
public:
    ListingReport(listings::Kind kind, Connection *connection, QObject *parent = nullptr);
    ~ListingReport() override;

    listings::Kind kind() const { return m_kind; }
    report::Report &report() { return m_report; }
    QueryResult *query() const { return m_query; }

    /// Runs the query for the period and sets the period label. Throws DbError.
    void build(const QDate &start, const QDate &end);

    /// Whether the next detail row is white.
    bool branco = false;

    void QRBand1BeforePrint();
    void QRBand2BeforePrint(report::Band &band);

private:
    void layOut();

    listings::Kind m_kind;
    QueryResult *m_query;
    report::Report m_report;
};

} // namespace lx::finance
