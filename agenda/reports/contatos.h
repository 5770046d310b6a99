#pragma once

namespace lx::report {
class Report;
}

namespace lx::agenda::reports {

/// Lays out the contacts report on A4 portrait with 10 mm margins: the title band QRBand1 with
/// the heading, the range line (label QRPeriodo, filled before the band prints) and the column
/// headings, and the detail band QRBand2 with QRDBText1 to QRDBText5 (NOME, TELEFONE1,
/// TELEFONE2, ENDERECO, EMAIL) in a smaller font.
void layOutContatos(report::Report &report);

} // namespace lx::agenda::reports
