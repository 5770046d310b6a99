#pragma once

#include "finance/reports/listingreport.h"

namespace lx::finance {

/// The listing of the receipts of a period, over its query QRecebimento.
class TFRListagens2 : public ListingReport
{
    Q_OBJECT
public:
    explicit TFRListagens2(Connection *connection, QObject *parent = nullptr)
        : ListingReport(listings::Kind::Receipts, connection, parent), QRecebimento(query())
    {}

    QueryResult *const QRecebimento;
};

} // namespace lx::finance
