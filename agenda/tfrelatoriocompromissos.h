#pragma once

#include "agenda/core/appointmentsreport.h"
#include "report/report.h"

#include <QObject>

namespace lx {
class QueryResult;
}

namespace lx::agenda {

class Program;

/// The appointments report: a title band with the heading, the period line and the column
/// headings, then one detail band per appointment (title, date, time), rows alternately white
/// and cream starting white on every run. A4 portrait, 10 mm margins.
class TFRelatorioCompromissos : public QObject
{
    Q_OBJECT
public:
    explicit TFRelatorioCompromissos(Program &program, QObject *parent = nullptr);
    ~TFRelatorioCompromissos() override;

    /// Reads the appointments of the period into QCompromissos; throws DbError.
    void open(const AppointmentsPeriod &period);

    report::Report QuickRep1;
    QueryResult *QCompromissos;

private:
    void QRBand1BeforePrint(report::Band &band);
    void QRBand2BeforePrint(report::Band &band);

    Program &m_program;
    bool m_nextWhite = true; ///< whether the next detail row is white
};

} // namespace lx::agenda
