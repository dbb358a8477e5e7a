// Loading and saving the certificate header, the chamber and form drop-downs and the
// per-form parameters.
#include "data/forms.h"
#include "data/mod_main.h"
#include "host/errors.h"
#include "host/msgbox.h"
#include "host/sqltext.h"
#include "host/state.h"
#include "host/value.h"

namespace ostrevan {

namespace {
const QString kModulo = QStringLiteral("Módulo");
const QString kModMain = QStringLiteral("Mod_Main");
const QString kPrompt = QStringLiteral("Seleccione el formulario correspondiente al pais");

// Selects the first entry whose text equals the given one, ignoring case (raising Click).
void SelectByText(ComboBox& combo, const QString& text) {
  const QString wanted = text.toUpper();
  for (int i = 0; i < combo.ListCount(); ++i) {
    if (combo.List(i).toUpper() == wanted) {
      combo.SetListIndex(i);
      return;
    }
  }
}

bool IsOffset(const QString& property) {
  const QString p = property.toUpper();
  return p == "YOFFSET" || p == "XOFFSET";
}
}  // namespace

void CargarDatosAPlanilla(const QString& idCeo, bool) {
  // Until this load is done the window holds no certificate: choosing the stored form below is
  // the load's, not a change of form by the user that would save the half-loaded texts.
  St().bCertificadoCargado = false;
  try {
    FrmCargaDatos& f = CargaDatos();
    Recordset rs;
    if (Query("OSTREVAN", "Select * From CeoMercosur Where IdCeo ='" + SqlText(idCeo) + "'", rs)) {
      if (rs.RecordCount() > 1) {
        MsgBox("Registro Duplicado");
      } else {
        for (; !rs.Eof(); rs.MoveNext()) {
          for (const CasillaInfo& c : Casillas()) {
            f.Box(c.casilla).SetText(Txt(rs.Fields(c.columna).Value));
            // The form is chosen before the boxes of the form are filled.
            if (c.casilla == Casilla::Estado) {
              SetCombosFromIdFormulario(f.Cmb_Camara, f.cboPais,
                                        Txt(rs.Fields("IdFormulario").Value));
            }
          }
          CargarArticulosEnGridDB();
        }
      }
    }
    St().sIdCeo = idCeo;
    CargarArticulosEnGrid(0);
    St().bCertificadoCargado = true;
  } catch (const std::exception& e) {
    ReportDetailed(e, "CargarDatosAPlanilla", kModulo, kModMain);
  }
}

void SetCombosFromIdFormulario(ComboBox& camara, ComboBox& formulario, const QString& formId) {
  try {
    Recordset rs;
    if (!Query("CEOCFG",
               "Select Formulario, Camara From CeoFormularios, CeoCamaras Where "
               "CeoCamaras.IdCamara = CeoFormularios.IdCamara and IdFormulario = '" +
                   SqlText(formId) + "'",
               rs)) {
      return;
    }
    const QString nombreCamara = Txt(rs.Fields("Camara").Value);
    const QString nombreFormulario = Txt(rs.Fields("Formulario").Value);
    SelectByText(camara, nombreCamara);
    SelectByText(formulario, nombreFormulario);
  } catch (const std::exception& e) {
    ReportDetailed(e, "SetCombosFromIdFormulario", kModulo, kModMain);
  }
}

void LoadCombos(ComboBox& camara, ComboBox& formulario) {
  try {
    camara.Clear();
    Recordset rs;
    if (Query("CEOCFG", "Select Camara From CeoCamaras Order by IdCamara", rs)) {
      for (; !rs.Eof(); rs.MoveNext()) camara.AddItem(Txt(rs.Fields("Camara").Value));
    }
    LoadComboPaises("", formulario);
  } catch (const std::exception& e) {
    ReportDetailed(e, "LoadCombos", "Formulario", "Frm_CargaDatos");
  }
}

void LoadComboPaises(const QString& camara, ComboBox& formulario) {
  try {
    formulario.Clear();
    Recordset rs;
    if (Query("CEOCFG",
              "Select Formulario From CeoFormularios Where IdCamara = '" +
                  SqlText(GetIDCamaraFromName(camara)) + "' Order by IdCamara",
              rs)) {
      for (; !rs.Eof(); rs.MoveNext()) formulario.AddItem(Txt(rs.Fields("Formulario").Value));
    } else {
      formulario.AddItem("Debe seleccionar una Camara.");
    }
  } catch (const std::exception& e) {
    ReportDetailed(e, "LoadComboPaises", "Formulario", "Frm_CargaDatos");
  }
}

QString ChamberImage(const QString& camara) {
  const QString c = camara.toUpper();
  if (c != "CAC" && c != "CACIPRA" && c != "CERA") return {};
  QString dir = St().sFrmDir.isEmpty() ? FormsDir() : St().sFrmDir;
  return dir + c + ".JPG";
}

void Cmb_Camara_Change(ComboBox& camara, ComboBox& formulario, Image* image) {
  try {
    const QString idCamara = GetIDCamaraFromName(camara.Text());
    Recordset rs;
    if (Query("CEOCFG",
              "Select Formulario,IdCamara From CeoFormularios Where CeoFormularios.idCamara = '" +
                  SqlText(idCamara) + "'",
              rs)) {
      formulario.Clear();
      formulario.AddItem(kPrompt);
      for (; !rs.Eof(); rs.MoveNext()) formulario.AddItem(Txt(rs.Fields("Formulario").Value));
      formulario.SetListIndex(0);
    }
    St().sIdFormulario.clear();
    if (image) {
      QString picture = ChamberImage(camara.Text());
      if (!picture.isEmpty()) image->LoadPicture(picture);
    }
  } catch (const std::exception& e) {
    ReportDetailed(e, "Cmb_Camara_Change", "", kModMain);
  }
}

void cbx_Pais_Change(ComboBox& camara, ComboBox& formulario, bool loaded) {
  try {
    const QString idCamara = GetIDCamaraFromName(camara.Text());
    Recordset rs;
    if (Query("CEOCFG",
              "Select Nomenclador From CeoFormularios, CeoPaises Where CeoFormularios.idFormulario "
              "= CeoPaises.idFormulario and CeoFormularios.Formulario = '" +
                  SqlText(formulario.Text()) + "' and CeoFormularios.IDCamara = '" +
                  SqlText(idCamara) + "'",
              rs)) {
      const QString nomenclador = Txt(rs.Fields("Nomenclador").Value).toUpper();
      St().bNaladisa = nomenclador == "NALADISA";
      St().sIdFormulario = GetIDFormularioFromName(formulario.Text(), idCamara);
      CargaDatos().Txt_TipoNomenclador.SetText(nomenclador);
    }
    if (loaded && formulario.ListIndex() > 0 && camara.ListIndex() != -1 &&
        St().bCertificadoCargado) {
      St().bRecargar = true;
      GuardarCambios();
      CargaDatos().TimerReload.SetEnabled(true);
    }
  } catch (const std::exception& e) {
    ReportDetailed(e, "cbx_Pais_Change", "", kModMain);
  }
}

namespace {
// The two lookups without their report: the save ends with the reason of a failed read
// instead of an empty id that would blame the user's choice of chamber and form.
QString IdCamara(const QString& name) {
  Recordset rs;
  if (Query("CEOCFG", "Select IdCamara From CeoCamaras Where Camara ='" + SqlText(name) + "'",
            rs)) {
    return Txt(rs.Fields("IdCamara").Value);
  }
  return {};
}

QString IdFormulario(const QString& form, const QString& idCamara) {
  Recordset rs;
  if (Query("CEOCFG",
            "Select IdFormulario From CEOFormularios Where Formulario ='" + SqlText(form) +
                "' and IdCamara = '" + SqlText(idCamara) + "'",
            rs)) {
    return Txt(rs.Fields("IdFormulario").Value);
  }
  return {};
}
}  // namespace

QString GetIDCamaraFromName(const QString& name) {
  try {
    return IdCamara(name);
  } catch (const std::exception& e) {
    ReportDetailed(e, "GetIDCamaraFromName", kModulo, kModMain);
  }
  return {};
}

QString GetIDFormularioFromName(const QString& form, const QString& idCamara) {
  try {
    return IdFormulario(form, idCamara);
  } catch (const std::exception& e) {
    ReportDetailed(e, "GetIDFormularioFromName", kModulo, kModMain);
  }
  return {};
}

bool CargarDatosADb(const QString& idCeo) {
  try {
    FrmCargaDatos& f = CargaDatos();
    Certificado c;
    c.idCeo = idCeo;
    for (const CasillaInfo& i : Casillas()) c[i.casilla] = f.Box(i.casilla).Text();
    c.idFormulario = IdFormulario(f.cboPais.Text(), IdCamara(f.Cmb_Camara.Text()));
    if (c.idFormulario.isEmpty()) {
      MsgBox(
          "Asegurese antes de guardar los datos, seleccionar la Camara y el Formulario acorde "
          "al Pais",
          vbExclamation, "Ostrevan - Grabar Datos");
      return false;
    }
    return GuardarEncabezado(c, f.cboPais.Text());
  } catch (const std::exception& e) {
    ReportBracket(e, " Mod_Main [CargarDatosADb] ");
  }
  return false;
}

bool GuardarCambios() {
  try {
    if (!CargarDatosADb(St().sIdCeo)) {
      MsgBox("La Información no ha sido actualizada", vbInformation,
             "Guardar Certificado de Origen");
      return false;
    }
    return true;
  } catch (const std::exception& e) {
    ReportBracket(e, " Frm_CargaDatos [GuardarCambios] ");
  }
  return false;
}

QString GetCEOParamInfo(const QString& formId, const QString& property, bool invert) {
  try {
    const bool cli = IsOffset(property) != invert;
    const QString where = " where IdFormulario = '" + SqlText(formId) + "' AND Propiedad = '" +
                          SqlText(property) + "'";
    Recordset rs;
    bool found = cli ? Query("OSTREVAN_CLI", "Select Valor from CeoParametros" + where, rs)
                     : Query("CEOCFG", "Select Valor From CeoParametros" + where, rs);
    if (found) return Txt(rs.Fields("Valor").Value);
  } catch (const std::exception& e) {
    ReportDetailed(e, "GetCEOParamInfo", kModulo, kModMain);
  }
  return {};
}

bool SetCEOParamInfo(const QString& formId, const QString& property, const QString& value) {
  try {
    const QString sql = "Update CeoParametros Set Valor = '" + SqlText(value) +
                        "' Where Propiedad = '" + SqlText(property) + "' AND IdFormulario = '" +
                        SqlText(formId) + "'";
    return Execute(IsOffset(property) ? "OSTREVAN_CLI" : "CEOCFG", sql) != 0;
  } catch (const std::exception& e) {
    ReportDetailed(e, "SetCEOParamInfo", kModulo, kModMain);
  }
  return false;
}

void LiberarObjetos() { LiberarComponentes(); }

}  // namespace ostrevan
