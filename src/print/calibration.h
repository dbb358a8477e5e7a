#pragma once
// The calibration page: millimetre scales along the top and the left edge of the print
// area, so that a printer's real offsets can be measured and typed as XOFFSET and YOFFSET.
#include <QString>

namespace ostrevan::print {

class Impresora;

// The label of one scale mark: the number with two marks under it.
QString MarcaEscala(const QString& number, int orientation);
// Builds the page on the printer object (tests look at its display list); blank.snt is read
// from imageFolder.
void ComponerPaginaCalibracion(Impresora& printer, const QString& imageFolder);
// Cmd_PrintPaginaCalibracion_Click: prints it on the host's printer setting; a failure of the
// print library is told to the user. Returns where the page went, "" when it did not print.
QString ImprimirPaginaCalibracion(const QString& printer, const QString& imageFolder);

}  // namespace ostrevan::print
