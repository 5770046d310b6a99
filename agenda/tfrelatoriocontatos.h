#pragma once

#include "report/report.h"

#include <QObject>

namespace lx {
class Connection;
class QueryResult;
} // namespace lx

namespace lx::agenda {

class TFFiltroRelatorio;

/// The contacts report: a title band with the heading, the range line and the column
/// headings, then one row per contact, white and cream by turns beginning with white.
class TFRelatorioContatos : public QObject
{
    Q_OBJECT
public:
    /// filter is the window whose texts the range line shows; it owns the report.
    TFRelatorioContatos(TFFiltroRelatorio &filter, Connection *connection,
                        QObject *parent = nullptr);
    ~TFRelatorioContatos() override;

    /// Runs the query for the names from nome1 to nome2, as typed; throws DbError.
    void open(const QString &nome1, const QString &nome2);

    QueryResult *QContato;
    report::Report QuickRep1;

private:
    void QRBand1BeforePrint(report::Band &band);
    void QRBand2BeforePrint(report::Band &band);

    TFFiltroRelatorio &m_filter;
    /// The next detail row is white.
    bool m_white = true;
};

} // namespace lx::agenda
