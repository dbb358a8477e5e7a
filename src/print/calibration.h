#pragma once
// The calibration page: millimetre scales along the top and the left edge of the print
// area, so that a printer's real offsets can be measured and typed as XOFFSET and YOFFSET.
#include <QString>

namespace ostrevan::print {

class Cls_Main;

// The label of one scale mark: the number with two marks under it.
QString MarcaEscala(const QString& number, int orientation);
// Builds the page on the printer object (tests look at its display list).
void ComponerPaginaCalibracion(Cls_Main& printer);
// Cmd_PrintPaginaCalibracion_Click: prints it on the host's printer setting; a failure of the
// print library is told to the user. Returns where the page went, "" when it did not print.
QString ImprimirPaginaCalibracion();

// Where the print run reads "blank.snt" and the templates from: the installation's forms
// folder, so an installed system finds them wherever it lives.
QString ImageFolder();

}  // namespace ostrevan::print
