#pragma once
// Printing the open certificate: the printer object of the run, the header fields, the item
// and origin-norm lines (as blocks or column by column), the ruler and the template.
#include <QString>

namespace ostrevan::print {

class Cls_Main;
class cls_DatosDeImpresion;

void EnviaImpresion();
void ProcesarSubItemsConCoordenadas(Cls_Main& p, const cls_DatosDeImpresion& field,
                                    const QString& pageText);
void ProcesarNormasOrigenConCoordenadas(Cls_Main& p, const cls_DatosDeImpresion& field,
                                        const QString& normText);
int LineasQueCaben(Cls_Main& p, const cls_DatosDeImpresion& field, double top, double bottom);
QString TextoMuestra(int lines);
void Regla(Cls_Main& p, const QString& font);

// The printer object of the current run (null between runs).
Cls_Main* PrintObject();
// Releases it (LiberarObjetos, and the end of every run).
void LiberarImpresora();
// The PDF file the last run wrote ("" when it went to a printer or printed nothing).
QString UltimaSalida();

}  // namespace ostrevan::print
