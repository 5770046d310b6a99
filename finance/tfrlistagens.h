#pragma once

#include "finance/reports/listingreport.h"

namespace lx::finance {

/// The listing of the expenses of a period, over its query QGastos.
class TFRListagens : public ListingReport
{
    Q_OBJECT
public:
    explicit TFRListagens(Connection *connection, QObject *parent = nullptr)
        : ListingReport(listings::Kind::Expenses, connection, parent), QGastos(query())
    {}

    QueryResult *const QGastos;
};

} // namespace lx::finance
