#pragma once
// Everything that decides where and how a certificate prints: the form's field layout with
// this installation's offsets, the sample-text switch and the calibration record.
#include <QString>
#include <map>

#include "print/printlib.h"

namespace ostrevan::print {

struct ColumnaCalibrado {
  long CES = 0;  // spaces before the column
  long COL = 0;  // width in characters
  long CAL = 0;  // 0 right, 1 left, 2 centred
};

struct ConfCalibradoGlobal {
  bool NcmMultilinea = false;
  bool UsaFactura = false;
  long AnchoDesc = 32;
  long CMULT = 0;
  ColumnaCalibrado columnas[6];  // 1 to 5
};

struct PrintSettings {
  std::map<QString, cls_DatosDeImpresion> fields;  // upper-case Campo
  double xOffset = 0;
  double yOffset = 0;
  bool debugPrint = false;
  bool templateEnabled = false;
  ConfCalibradoGlobal calibrado;
  // The layout field with that key (form id + field key), without regard to case; a key the
  // layout lacks raises a run-time error naming it.
  const cls_DatosDeImpresion& Field(const QString& key) const;
};

PrintSettings& Settings();
bool TraerConfig(const QString& formId);
void CargaConfCalibradoGlobal(const QString& formId);
// A per-form yes/no property: "S" trimmed, in upper case.
bool ParamSi(const QString& formId, const QString& property);
// A per-form property that must be a number: an empty or other value raises a run-time error
// that names it, so the run stops with its procedure's report instead of printing at 0 mm.
double ParamNumero(const QString& formId, const QString& property);

}  // namespace ostrevan::print
