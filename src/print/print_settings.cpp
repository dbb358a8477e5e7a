#include "print/print_settings.h"

#include "host/errors.h"
#include "host/msgbox.h"
#include "host/value.h"

namespace ostrevan::print {

const cls_DatosDeImpresion& PrintRun::Field(const QString& key) const {
  const QString full = Form() + key;
  auto it = fields.find(full.toUpper());
  if (it == fields.end()) {
    throw RuntimeError(5, "El formulario no tiene configurado el campo " + full,
                       "Ostrevan.Mod_Render");
  }
  return it->second;
}

bool TraerConfig(PrintRun& run) {
  try {
    const double x = run.cert.offsets.X(), y = run.cert.offsets.Y();
    run.fields.clear();
    if (run.cert.layout.empty()) {
      MsgBox("No hay configuracion de impresion para el id [ " + run.Form() + " ]", vbExclamation);
      return false;
    }
    for (const CampoLayout& c : run.cert.layout) {
      cls_DatosDeImpresion f;
      f.c_Campo = c.campo;
      f.c_PosX = Val(QString(c.x).replace(',', '.')) + x;
      f.c_PosY = Val(QString(c.y).replace(',', '.')) + y;
      f.c_FontName = c.fontName;
      f.c_FontSize = c.fontSize;
      f.c_FontOrientantion = c.orientacion;
      if (!run.fields.emplace(f.c_Campo.toUpper(), f).second) {
        throw RuntimeError(457, "La clave " + f.c_Campo + " ya esta asociada a un campo",
                           "Ostrevan.Mod_Render");
      }
    }
    return true;
  } catch (const std::exception& e) {
    ReportDetailed(e, "TraerConfig", QStringLiteral("Módulo"), "Mod_Render");
  }
  return false;
}

}  // namespace ostrevan::print
