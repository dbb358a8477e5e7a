// Frm_Config: a chamber's form, its offsets mirrored by two scroll bars, and its switches.
#include <algorithm>

#include "data/config_forms.h"
#include "host/keys.h"
#include "data/mod_main.h"
#include "host/errors.h"
#include "host/msgbox.h"
#include "host/sqltext.h"
#include "host/state.h"
#include "host/value.h"
#include "host/windows.h"

namespace ostrevan::config {

void ScrollBar::SetValue(int v) {
  if (v < min_ || v > max_) throw RuntimeError(380, "Invalid property value", "ScrollBar");
  if (v == value_) return;
  value_ = v;
  Notify();
  if (Change) Change();
}

void CheckBox::SetValue(int v) {
  if (v == value_) return;
  value_ = v;
  Notify();
}

namespace {

const QString kFrmConfig = QStringLiteral("Frm_Config");
const QString kFormulario = QStringLiteral("Formulario");

bool IsOffset(const QString& property) {
  const QString p = property.toUpper();
  return p == "XOFFSET" || p == "YOFFSET";
}

// SetCEOParamInfo writes only rows that exist; a form configured without the parameter in
// that store would silently keep nothing, so the missing row is added.
bool GuardarParametro(const QString& formId, const QString& property, const QString& value) {
  if (SetCEOParamInfo(formId, property, value)) return true;
  try {
    const QString entity = IsOffset(property) ? "OSTREVAN_CLI" : "CEOCFG";
    const QString id = "'" + SqlText(formId) + "'", prop = "'" + SqlText(property) + "'";
    Recordset rs;
    if (Query(entity,
              "Select Valor From CeoParametros Where IdFormulario = " + id +
                  " AND Propiedad = " + prop,
              rs)) {
      return false;  // the row is there: the update itself failed and said so
    }
    return Execute(entity, "Insert into CeoParametros (IdFormulario, Propiedad, Valor) Values (" +
                               id + "," + prop + ",'" + SqlText(value) + "')") > 0;
  } catch (const std::exception& e) {
    ReportDetailed(e, "GuardarOffSet", kFormulario, kFrmConfig);
  }
  return false;
}
}  // namespace

ConfigForms& Cf() { return Owned<ConfigForms>(); }

FrmConfig& LoadConfig() {
  Cf().config = std::make_unique<FrmConfig>();
  Cf().config->Form_Load();
  return *Cf().config;
}

QString DecimalText(double value) {
  QString t = QString::number(value, 'f', 6);
  while (t.contains('.') && (t.endsWith('0') || t.endsWith('.'))) t.chop(1);
  return t == "-0" ? QStringLiteral("0") : t;
}

FrmConfig::FrmConfig() {
  LstCamaras.Click = [this] { LstCamaras_Click(); };
  lstCEO.Click = [this] { lstCEO_Click(); };
  txtX.Listen([this] { TextChange(txtX, HSDespGlobal); });
  txtY.Listen([this] { TextChange(txtY, VSDespGlobal); });
  HSDespGlobal.Change = [this] {
    if (!fromText_) txtX.SetText(QString::number(HSDespGlobal.Value()));
  };
  VSDespGlobal.Change = [this] {
    if (!fromText_) txtY.SetText(QString::number(VSDespGlobal.Value()));
  };
}

// A number beyond the bar's range leaves the bar at its nearest end; the text stays as typed
// (a decimal offset such as 1,5 too): the text is what is saved.
void FrmConfig::TextChange(const TextBox& box, ScrollBar& bar) {
  if (!IsNumeric(box.Text())) return;
  const double v = std::clamp(esnumero(box.Text()), double(bar.Min()), double(bar.Max()));
  fromText_ = true;
  bar.SetValue(static_cast<int>(CLng(v)));
  fromText_ = false;
}

void FrmConfig::Form_Load() {
  try {
    LstCamaras.Clear();
    Recordset rs;
    if (Query("CEOCFG", "Select IdCamara, Camara as Camaras From CeoCamaras order by Camara", rs)) {
      for (; !rs.Eof(); rs.MoveNext()) LstCamaras.AddItem(Txt(rs.Fields("Camaras").Value));
    }
    // Opened from a certificate, the window starts on that certificate's form: it is the one
    // the broker is aligning. Otherwise on the first chamber's first form.
    int camara = 0;
    if (!St().sIdFormulario.isEmpty() &&
        Query("CEOCFG",
              "Select Camara, Formulario From CeoFormularios, CeoCamaras Where "
              "CeoCamaras.IdCamara = CeoFormularios.IdCamara and IdFormulario = '" +
                  SqlText(St().sIdFormulario) + "'",
              rs)) {
      camara = std::max(0, int(LstCamaras.Items().indexOf(Txt(rs.Fields("Camara").Value))));
      formPreferido_ = Txt(rs.Fields("Formulario").Value);
    }
    if (LstCamaras.ListCount() > 0) LstCamaras.SetListIndex(camara);
    formPreferido_.clear();
  } catch (const std::exception& e) {
    ReportDetailed(e, "Form_Load", kFormulario, kFrmConfig);
  }
}

void FrmConfig::LstCamaras_Click() {
  try {
    lstCEO.Clear();
    if (!LstCamaras.Text().trimmed().isEmpty()) {
      Recordset rs;
      if (Query("CEOCFG",
                "Select IdFormulario ,Formulario From CeoFormularios Where IdCamara = '" +
                    SqlText(GetIDCamaraFromName(LstCamaras.Text())) + "' Order By IdFormulario",
                rs)) {
        for (; !rs.Eof(); rs.MoveNext()) {
          const QString name = Txt(rs.Fields("Formulario").Value);
          if (!lstCEO.Items().contains(name)) lstCEO.AddItem(name);
        }
      }
    }
    // A chamber without forms leaves the boxes as they were, but F11 must not save them to
    // the form of the chamber chosen before.
    if (lstCEO.ListCount() > 0) {
      lstCEO.SetListIndex(std::max(0, int(lstCEO.Items().indexOf(formPreferido_))));
    } else {
      sConfiguredIdForm.clear();
    }
  } catch (const std::exception& e) {
    ReportDetailed(e, "LstCamaras_Click", kFormulario, kFrmConfig);
  }
}

void FrmConfig::lstCEO_Click() {
  try {
    for (TextBox* t : {&txtX, &txtY, &Txt_AnchoDesc, &Txt_LineasXPag}) t->SetText("---");
    Chk_IntCampo9NCM2007.SetValue(0);
    Chk_UsaFactura.SetValue(0);
    const QString id =
        GetIDFormularioFromName(lstCEO.Text(), GetIDCamaraFromName(LstCamaras.Text()));
    sConfiguredIdForm = id;
    txtX.SetText(GetCEOParamInfo(id, "XOffset", false));
    txtY.SetText(GetCEOParamInfo(id, "YOffset", false));
    // This installation has no offset of its own yet: it starts from the shared one (0, as
    // printing reads it, when there is none either) and keeps it at once. The switches are
    // read first, so that this save writes back what is stored, not cleared boxes.
    bool fellBack = false;
    for (auto [box, name] : {std::pair{&txtX, "XOffset"}, std::pair{&txtY, "YOffset"}}) {
      if (!box->Text().trimmed().isEmpty()) continue;
      const QString shared = GetCEOParamInfo(id, name, true);
      box->SetText(shared.trimmed().isEmpty() ? QStringLiteral("0") : shared);
      fellBack = true;
    }
    Txt_AnchoDesc.SetText(GetCEOParamInfo(id, "AnchoDesc", false));
    Txt_LineasXPag.SetText(GetCEOParamInfo(id, "LineasxPag", false));
    Chk_IntCampo9NCM2007.SetValue(esnumero(GetCEOParamInfo(id, "NCMMultilinea", false)) == 1);
    Chk_UsaFactura.SetValue(esnumero(GetCEOParamInfo(id, "UsaFactura", false)) == 1);
    if (fellBack) GuardarOffSet(sConfiguredIdForm);
    guardado_ = Valores();
  } catch (const std::exception& e) {
    ReportDetailed(e, "lstCEO_Click", kFormulario, kFrmConfig);
  }
}

QString FrmConfig::Valores() const {
  return txtX.Text() + '\n' + txtY.Text() + '\n' + QString::number(Chk_IntCampo9NCM2007.Value()) +
         QString::number(Chk_UsaFactura.Value());
}

bool FrmConfig::SinGuardar() const {
  return !sConfiguredIdForm.trimmed().isEmpty() && Valores() != guardado_;
}

bool FrmConfig::GuardarOffSet(const QString& formId) {
  if (formId.trimmed().isEmpty()) {
    // Nowhere to save: say why instead of doing nothing.
    MsgBox(LstCamaras.ListIndex() >= 0 && lstCEO.ListCount() == 0
               ? QString::fromUtf8("No se guardó nada: la cámara ") + LstCamaras.Text() +
                     QString::fromUtf8(" no tiene formularios. Elija una cámara y uno de sus "
                                       "formularios en \"Certificado Modelo\".")
               : QString::fromUtf8("No se guardó nada: elija un formulario en \"Certificado "
                                   "Modelo\"."),
           vbExclamation);
    return false;
  }
  if (!IsNumeric(txtX.Text())) {
    MsgBox(QString::fromUtf8("El campo X OffSet debe tener un valor númerico"), vbExclamation);
    return false;
  }
  if (!IsNumeric(txtY.Text())) {
    MsgBox(QString::fromUtf8("El campo Y OffSet debe tener un valor númerico"), vbExclamation);
    return false;
  }
  bool ok = GuardarParametro(formId, "XOffSet", txtX.Text());
  ok = GuardarParametro(formId, "YOffSet", txtY.Text()) && ok;
  ok = GuardarParametro(formId, "NcmMultilinea", Chk_IntCampo9NCM2007.Value() ? "1" : "0") && ok;
  ok = GuardarParametro(formId, "UsaFactura", Chk_UsaFactura.Value() ? "1" : "0") && ok;
  if (ok) {
    if (formId == sConfiguredIdForm) guardado_ = Valores();
    MsgBox("Datos guardados", vbInformation);
  }
  return ok;
}

bool FrmConfig::Form_KeyDown(int keyCode) {
  if (keyCode == Key::F11) GuardarOffSet(sConfiguredIdForm);
  if (keyCode != Key::Esc) return false;
  // Typed offsets are work: Esc does not drop them without asking.
  if (!SinGuardar()) return true;
  switch (MsgBox(QString::fromUtf8("Los cambios del formulario ") + lstCEO.Text() +
                     QString::fromUtf8(" no fueron guardados. ¿Desea guardarlos antes de salir?"),
                 vbYesNoCancel | vbQuestion, QString::fromUtf8("Configuración"))) {
    case vbYes:
      return GuardarOffSet(sConfiguredIdForm);
    case vbNo:
      return true;
    default:
      return false;
  }
}

void FrmConfig::Cmd_AdvCfg_Click() {
  Cf().provisorio = std::make_unique<FrmConfigProvisorio>();
  Cf().provisorio->p_FormIdConfig = sConfiguredIdForm;
  Cf().provisorio->Form_Load();
  Windows().ShowModal(Window::ConfigProvisorio);
  Cf().provisorio.reset();
}

void FrmConfig::Cmd_UpgradeCalibra_Click() {
  MsgBox(
      "solo para test de desarrollo, si lo abrio por error por favor la proxima ventana luego "
      "del ok cierrelo",
      vbOKOnly);
  Windows().ShowModal(Window::CalibraCeo);
}

}  // namespace ostrevan::config
