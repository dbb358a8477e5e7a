#pragma once
// What one print run receives, whole, before it starts: the certificate with its form's
// parameters, the form's field layout with this installation's offsets, the ruler's font and
// the folder of the form's images. A run reads nothing else and keeps nothing afterwards.
#include <QString>
#include <map>

#include "data/certificado.h"
#include "print/printlib.h"

namespace ostrevan::print {

struct PrintRun {
  Certificado cert;
  std::map<QString, cls_DatosDeImpresion> fields;  // upper-case Campo, offsets added
  QString rulerFont = QStringLiteral("Courier New");
  QString imageFolder;  // with its trailing separator
  const FormParams& Params() const { return cert.params; }
  const QString& Form() const { return cert.idFormulario; }
  // The layout field with that key (without the form id), without regard to case; a key the
  // layout lacks raises a run-time error naming it.
  const cls_DatosDeImpresion& Field(const QString& key) const;
};

// The layout's fields with the installation's offsets added. False (reported) when the form
// has no layout or names a field twice: nothing could be placed.
bool TraerConfig(PrintRun& run);

}  // namespace ostrevan::print
