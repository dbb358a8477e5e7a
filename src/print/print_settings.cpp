#include "print/print_settings.h"

#include "data/mod_main.h"
#include "host/errors.h"
#include "host/msgbox.h"
#include "host/sqltext.h"
#include "host/state.h"
#include "host/value.h"

namespace ostrevan::print {

PrintSettings& Settings() {
  static thread_local PrintSettings s;
  return s;
}

const cls_DatosDeImpresion& PrintSettings::Field(const QString& key) const {
  auto it = fields.find(key.toUpper());
  if (it == fields.end()) {
    throw RuntimeError(5, "El formulario no tiene configurado el campo " + key,
                       "Ostrevan.Mod_Render");
  }
  return it->second;
}

bool ParamSi(const QString& formId, const QString& property) {
  return GetCEOParamInfo(formId, property, false).trimmed().toUpper() == "S";
}

double ParamNumero(const QString& formId, const QString& property) {
  const QString v = GetCEOParamInfo(formId, property, false);
  if (!IsNumeric(v)) {
    throw RuntimeError(err::kTypeMismatch,
                       "El parametro " + property + " del formulario " + formId +
                           " no tiene un valor numerico ('" + v + "')",
                       "Ostrevan");
  }
  return esnumero(v);
}

namespace {
void ReadOffset(const QString& formId, const char* property, double& offset) {
  Recordset rs;
  if (Query("OSTREVAN_CLI",
            "Select * From CeoParametros where IdFormulario = '" + SqlText(formId) + "' " +
                " and Propiedad = '" + property + "'",
            rs)) {
    offset = Val(Txt(rs.Fields("Valor").Value));
  }
}
}  // namespace

bool TraerConfig(const QString& formId) {
  PrintSettings& s = Settings();
  try {
    ReadOffset(formId, "XOFFSET", s.xOffset);
    ReadOffset(formId, "YOFFSET", s.yOffset);
    s.fields.clear();
    Recordset rs;
    if (!Query("CEOCFG", "Select * From CeoConfig where Campo like '" + SqlText(formId) + "%'",
               rs)) {
      MsgBox("No hay configuracion de impresion para el id [ " + formId + " ]", vbExclamation);
      return false;
    }
    for (; !rs.Eof(); rs.MoveNext()) {
      cls_DatosDeImpresion f;
      f.c_Campo = Txt(rs.Fields("Campo").Value);
      f.c_PosX = Val(Txt(rs.Fields("ValorX").Value).replace(',', '.')) + s.xOffset;
      f.c_PosY = Val(Txt(rs.Fields("ValorY").Value).replace(',', '.')) + s.yOffset;
      f.c_FontName = Txt(rs.Fields("FontName").Value);
      f.c_FontSize = Txt(rs.Fields("FontSize").Value);
      f.c_FontOrientantion = Txt(rs.Fields("Orientacion").Value);
      if (!s.fields.emplace(f.c_Campo.toUpper(), f).second) {
        throw RuntimeError(457, "La clave " + f.c_Campo + " ya esta asociada a un campo",
                           "Ostrevan.Mod_Render");
      }
    }
    s.debugPrint = ParamSi(formId, "DEBUGPRINT");
    return true;
  } catch (const std::exception& e) {
    ReportDetailed(e, "TraerConfig", QStringLiteral("Módulo"), "Mod_Render");
  }
  return false;
}

void CargaConfCalibradoGlobal(const QString& formId) {
  ConfCalibradoGlobal& c = Settings().calibrado;
  c = ConfCalibradoGlobal();
  try {
    auto num = [&](const QString& p) { return esnumero(GetCEOParamInfo(formId, p, false)); };
    auto lng = [&](const QString& p) { return CLng(num(p)); };
    c.NcmMultilinea = num("NcmMultilinea") == 1;
    c.UsaFactura = num("UsaFactura") == 1;
    c.AnchoDesc = lng("AnchoDesc");
    if (c.AnchoDesc == 0) c.AnchoDesc = 32;
    c.CMULT = lng("CMULT");
    if (c.CMULT != 0) {
      for (int n = 1; n <= 5; ++n) {
        const QString nn = QString("%1").arg(n, 2, 10, QChar('0'));
        c.columnas[n].CES = lng("CES" + nn);
        c.columnas[n].COL = lng("COL" + nn);
        c.columnas[n].CAL = lng("CAL" + nn);
      }
    }
  } catch (const std::exception& ex) {
    RuntimeError e = AsRuntimeError(ex);
    MsgBox(e.Description() + "\r\n\r\n" + QString::number(e.Number()) +
               " - seccion[Ostrevan.Mod_CertCfg.CargaConfCalibradoGlobal]",
           vbCritical);
  }
}

}  // namespace ostrevan::print
