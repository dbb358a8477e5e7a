// Frm_ConfigProvisorio: every field and parameter of one form in a grid, each row edited in
// its own small window and written at once.
#include "data/config_forms.h"
#include "host/errors.h"
#include "host/keys.h"
#include "host/msgbox.h"
#include "host/sqltext.h"
#include "host/state.h"
#include "host/value.h"
#include "host/windows.h"

namespace ostrevan::config {

namespace {
const QString kProvisorio = QStringLiteral("Frm_ConfigProvisorio");
const QString kFormulario = QStringLiteral("Formulario");
const char* const kAlineaciones[] = {"Izquierda", "Derecha", "Centrado"};
constexpr int kColTipo = 6;

// The numbers of a layout row are stored as decimal text with a point; a comma typed as the
// decimal separator counts as one, so 12,5 stays 12.5 and text that is no number is 0.
QString Numero(const QString& text) { return DecimalText(Val(text)); }
// The grid shows a stored number as an edit would store it, so that "10,5" and "10.5" of two
// rows read alike; a text that is no number is shown as it is, to be seen and corrected.
QString Mostrado(const QVariant& stored) {
  const QString t = Txt(stored);
  return IsNumeric(t) ? Numero(t) : t;
}
}  // namespace

void FrmConfigProvisorio::Form_Load() {
  PrepareGrid();
  LoadDescrCamaraYForm();
  LoadParametersGrid();
}

void FrmConfigProvisorio::PrepareGrid() {
  Grid& g = MSFGCamposConfig;
  g.SetCols(7);
  // Wider than the classic grid's first and fourth columns, so that long field names
  // ("ImportadorDireccion", "AGRUPARNORMASORIGEN") and values read whole.
  const int widths[] = {2700, 600, 600, 2000, 800, 800, 0};
  const char* headers[] = {"Campo/Propiedad", "Pos X",   "Pos Y", "Font/Valor", "Size",
                           "Orient.",         "TipoDato"};
  g.SetRows(1);
  g.SetRow(0);
  for (int c = 0; c < 7; ++c) {
    g.SetColWidth(c, widths[c]);
    g.SetTextMatrix(0, c, headers[c]);
  }
}

void FrmConfigProvisorio::LoadDescrCamaraYForm() {
  try {
    Recordset rs;
    if (Query("CEOCFG",
              "Select Camara,Formulario From CeoCamaras, CeoFormularios  Where "
              "Ceoformularios.idcamara = CeoCamaras.IdCamara and Idformulario = '" +
                  SqlText(p_FormIdConfig) + "'",
              rs)) {
      Lbl_Camara_Descripcion.SetCaption(Txt(rs.Fields("Camara").Value));
      Lbl_Formulario_Descripcion.SetCaption(Txt(rs.Fields("Formulario").Value));
    } else {
      Lbl_Camara_Descripcion.SetCaption("N/D");
      Lbl_Formulario_Descripcion.SetCaption("N/D");
    }
  } catch (const std::exception& e) {
    ReportDetailed(e, "LoadDescrCamaraYForm", kFormulario, kProvisorio);
  }
}

void FrmConfigProvisorio::LoadParametersGrid() {
  if (p_FormIdConfig.trimmed().isEmpty()) return;
  Grid& g = MSFGCamposConfig;
  try {
    g.SetRedraw(false);
    const QString id = SqlText(p_FormIdConfig);
    Recordset rs;
    if (Query("CEOCFG", "Select * From CeoConfig Where Campo like '" + id + "%'", rs)) {
      for (; !rs.Eof(); rs.MoveNext()) {
        // The query matched the prefix without regard to case: so is it taken off.
        QString campo = Txt(rs.Fields("Campo").Value);
        campo.remove(p_FormIdConfig, Qt::CaseInsensitive);
        g.AddItem(QStringList{campo, Mostrado(rs.Fields("ValorX").Value),
                              Mostrado(rs.Fields("ValorY").Value), Txt(rs.Fields("FontName").Value),
                              Mostrado(rs.Fields("FontSize").Value),
                              Txt(rs.Fields("Orientacion").Value)}
                      .join('\t'));
      }
    }
    if (Query("CEOCFG",
              "Select IdFormulario, Propiedad, Valor From CeoParametros Where idFormulario = '" +
                  id + "'",
              rs)) {
      for (; !rs.Eof(); rs.MoveNext()) {
        g.AddItem(Txt(rs.Fields("Propiedad").Value) + "\t\t\t" + Txt(rs.Fields("Valor").Value) +
                  "\t\t\tP");
      }
    }
    if (g.Rows() > 1) g.SetRow(1);  // Enter edits at once, without the mouse
  } catch (const std::exception& e) {
    ReportDetailed(e, "LoadParametersGrid", kFormulario, kProvisorio);
  }
  g.SetRedraw(true);
}

void FrmConfigProvisorio::EditCell() {
  Grid& g = MSFGCamposConfig;
  const int row = g.Row();
  if (row < 1 || row >= g.Rows()) return;  // the header row is no field
  try {
    if (g.TextMatrix(row, kColTipo) == "P") {
      Cf().updatePropiedades = std::make_unique<FrmUpdatePropiedades>();
      FrmUpdatePropiedades& ed = *Cf().updatePropiedades;
      ed.Propiedad = g.TextMatrix(row, 0);
      ed.pTxtValue = g.TextMatrix(row, 3);
      ed.MostrarValores();
      Windows().ShowModal(Window::UpdatePropiedades);
      const bool updated = ed.Updated;
      const QString propiedad = ed.Propiedad, valor = ed.pTxtValue;
      Cf().updatePropiedades.reset();
      if (!updated) return;
      if (ActualizarPropiedadesParametros(p_FormIdConfig, propiedad, valor)) {
        g.SetRowBackColor(row, kCeldaGuardada);
        g.SetTextMatrix(row, 3, valor);
      } else {
        g.SetRowBackColor(row, kCeldaFallida);
      }
      return;
    }
    Cf().updateCampos = std::make_unique<FrmUpdateCampos>();
    FrmUpdateCampos& ed = *Cf().updateCampos;
    ed.Campo = g.TextMatrix(row, 0);
    ed.ValorX = g.TextMatrix(row, 1);
    ed.ValorY = g.TextMatrix(row, 2);
    ed.pTxtFontName = g.TextMatrix(row, 3);
    ed.pTxtFontSize = g.TextMatrix(row, 4);
    ed.pTxtFontAlign = static_cast<long>(Val(g.TextMatrix(row, 5)));
    ed.MostrarValores();
    Windows().ShowModal(Window::UpdateCampos);
    const bool updated = ed.Updated;
    const QString campo = ed.Campo, x = ed.ValorX, y = ed.ValorY, font = ed.pTxtFontName,
                  size = ed.pTxtFontSize;
    const long align = ed.pTxtFontAlign;
    Cf().updateCampos.reset();
    if (!updated) return;
    if (ActualizarCamposConfig(campo, x, y, font, size, align)) {
      g.SetRowBackColor(row, kCeldaGuardada);
      const QString shown[] = {Numero(x), Numero(y), font, Numero(size), QString::number(align)};
      for (int c = 1; c <= 5; ++c) g.SetTextMatrix(row, c, shown[c - 1]);
    } else {
      g.SetRowBackColor(row, kCeldaFallida);
    }
  } catch (const std::exception& e) {
    ReportDetailed(e, "EditCell", kFormulario, kProvisorio);
  }
}

bool FrmConfigProvisorio::ActualizarCamposConfig(const QString& campo, const QString& valorX,
                                                 const QString& valorY, const QString& sFontName,
                                                 const QString& sFontSize, long lOrientacion) {
  try {
    const QString sql = "update CeoConfig set ValorX = '" + Numero(valorX) + "'," + "ValorY = '" +
                        Numero(valorY) + "', FontName = '" + SqlText(sFontName) + "',FontSize = '" +
                        Numero(sFontSize) + "', Orientacion = " + QString::number(lOrientacion) +
                        " where Campo = '" + SqlText(p_FormIdConfig + campo) + "'";
    return Execute("CEOCFG", sql) > 0;
  } catch (const std::exception& e) {
    ReportDetailed(e, "ActualizarCamposConfig", kFormulario, kProvisorio);
  }
  return false;
}

bool FrmConfigProvisorio::ActualizarPropiedadesParametros(const QString& sIdFormulario,
                                                          const QString& sPropiedad,
                                                          const QString& sPropValor) {
  try {
    const QString sql = "update CeoParametros set Valor = '" + SqlText(sPropValor) +
                        "' Where Propiedad = '" + SqlText(sPropiedad) + "' AND IdFormulario = '" +
                        SqlText(sIdFormulario) + "'";
    return Execute("CEOCFG", sql) > 0;
  } catch (const std::exception& e) {
    ReportDetailed(e, "ActualizarPropiedadesParametros", kFormulario, kProvisorio);
  }
  return false;
}

void FrmUpdateCampos::MostrarValores() {
  Lbl_CampoValor.SetCaption(Campo);
  txtX.SetText(ValorX);
  txtY.SetText(ValorY);
  txtFont.SetText(pTxtFontName);
  txtSize.SetText(pTxtFontSize);
  Cmb_Orientacion.Clear();
  for (const char* a : kAlineaciones) Cmb_Orientacion.AddItem(a);
  // A stored code the list does not have shows no choice and is kept unless one is made.
  if (pTxtFontAlign >= 0 && pTxtFontAlign < Cmb_Orientacion.ListCount()) {
    Cmb_Orientacion.SetListIndex(static_cast<int>(pTxtFontAlign));
  }
}

bool FrmUpdateCampos::ValidarValores() {
  if (!IsNumeric(txtX.Text()) || !IsNumeric(txtY.Text())) {
    MsgBox("Verifique que los valores de X e Y sean de tipo numerico", vbExclamation,
           "Actualizando Parametros...");
    return false;
  }
  ValorX = txtX.Text();
  ValorY = txtY.Text();
  pTxtFontName = txtFont.Text();
  pTxtFontSize = txtSize.Text();
  if (Cmb_Orientacion.ListIndex() >= 0) pTxtFontAlign = Cmb_Orientacion.ListIndex();
  return true;
}

bool FrmUpdateCampos::Form_KeyDown(int keyCode) {
  if (keyCode == Key::F11) {
    Updated = ValidarValores();
    return Updated;
  }
  if (keyCode == Key::Esc) {
    Updated = false;
    return true;
  }
  return false;
}

void FrmUpdatePropiedades::MostrarValores() {
  Lbl_PropiedadValor.SetCaption(Propiedad);
  txtValor.SetText(pTxtValue);
}

// The value stays as typed here; the statement quotes it, so O'Brien is stored as O'Brien.
bool FrmUpdatePropiedades::Form_KeyDown(int keyCode) {
  if (keyCode == Key::F11) {
    pTxtValue = txtValor.Text();
    Updated = true;
    return true;
  }
  if (keyCode == Key::Esc) {
    Updated = false;
    return true;
  }
  return false;
}

}  // namespace ostrevan::config
