#pragma once
// Composing a certificate's pages: the header fields, the item and origin-norm lines (as
// blocks or column by column), the ruler and the template, all from the run's value.
#include <QString>

#include "print/item_lines.h"

namespace ostrevan::print {

class Impresora;
class cls_DatosDeImpresion;
struct PrintRun;

// The item lines of the run spread over pages; false when the run stopped (it said why).
bool Paginar(const PrintRun& run, Impresora& p, PrePrintState& out);
// Composes the pages desde to hasta on the printer object; false when an error stopped it (it
// was reported).
bool ComponerPaginas(const PrintRun& run, const PrePrintState& pre, int desde, int hasta,
                     Impresora& p);
void ProcesarSubItemsConCoordenadas(const PrintRun& run, Impresora& p,
                                    const cls_DatosDeImpresion& field, const QString& pageText);
void ProcesarNormasOrigenConCoordenadas(const PrintRun& run, Impresora& p,
                                        const cls_DatosDeImpresion& field,
                                        const QString& normText);
int LineasQueCaben(Impresora& p, const cls_DatosDeImpresion& field, double top, double bottom);
QString TextoMuestra(int lines);
void Regla(Impresora& p, const QString& font);
// The name under which the certificate's pages print (its section of Cfg/Impresoras.ini).
inline constexpr char kPrintProgram[] = "MOD_TODLL";

}  // namespace ostrevan::print
