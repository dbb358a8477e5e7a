#pragma once
// A user's print request from end to end: the run value read from the databases, the page
// range asked for, the preview, and the pages sent to the printer. The print library below
// only composes what it is given; this is where the component's state and windows meet it.
#include <QString>
#include <vector>

#include "data/verificaciones.h"
#include "print/print_settings.h"
#include "print/printlib.h"

namespace ostrevan {

// Where the print run reads "blank.snt" and the templates from: the host's forms folder when
// it set one, else the installation's.
QString ImageFolder();
// Everything a print of the stored certificate needs, read now; a failed read raises.
print::PrintRun PrintRunFor(const QString& idCeo);
// F12: prints the open certificate, asking for the pages. Returns the PDF file written, ""
// when the pages went to a printer or nothing printed.
QString EnviaImpresion();
// Every page of the open certificate as it would print, without asking for a range and
// without printing. Empty when the run stopped (its own message says why).
std::vector<print::Page> ComponerPaginas();
// The findings for a stored certificate; none when its form turns the checks off.
std::vector<Hallazgo> VerificarParaImprimir(const QString& idCeo);
// The image of a form's blank paper ("" when it has none that can be read).
QString ImagenFormulario(const QString& formId);
// That paper behind the pages, moved by this installation's offsets for the form.
print::PlacedImage FondoFormulario(const QString& formId);
// The calibration page on the host's printer setting.
QString ImprimirPaginaCalibracion();

}  // namespace ostrevan
