#pragma once
// The configuration windows as their procedures see them: settings, field layout editor and
// its two row editors, units mapping, templates. One instance of each per host thread, made
// anew each time its window opens; the widgets in ui/config show these models.
#include <QString>
#include <functional>
#include <memory>

#include "data/controls.h"

namespace ostrevan::config {

// A scroll bar with its range; Change runs after every change of value, also by code.
class ScrollBar : public Observable {
 public:
  ScrollBar(int min, int max) : min_(min), max_(max), value_(min < 0 && max > 0 ? 0 : min) {}
  int Min() const { return min_; }
  int Max() const { return max_; }
  int Value() const { return value_; }
  // A value out of the range raises "Invalid property value", as the classic control did.
  void SetValue(int v);
  std::function<void()> Change;

 private:
  int min_, max_, value_;
};

// A check box or an option button: Value 1 ticked, 0 cleared.
class CheckBox : public Observable {
 public:
  int Value() const { return value_; }
  void SetValue(int v);

 private:
  int value_ = 0;
};

// --- Frm_Config ---
struct FrmConfig {
  FrmConfig();
  FrmConfig(const FrmConfig&) = delete;  // its handlers point at its own controls
  FrmConfig& operator=(const FrmConfig&) = delete;

  ComboBox LstCamaras, lstCEO;  // lists: same vocabulary as the drop-down
  TextBox txtX, txtY, Txt_AnchoDesc, Txt_LineasXPag;
  ScrollBar HSDespGlobal{-50, 50}, VSDespGlobal{-50, 50};
  CheckBox Chk_IntCampo9NCM2007, Chk_UsaFactura;
  QString sConfiguredIdForm;  // IdFormulario of the form chosen in lstCEO

  void Form_Load();
  void LstCamaras_Click();
  void lstCEO_Click();
  // Validates and saves the offsets and the two switches; true when everything was written.
  bool GuardarOffSet(const QString& sConfiguredIdForm);
  // F11 saves, Esc asks to unload: true when the window must close. Esc with changes not
  // saved asks whether to save them (Yes saves and closes if the save went through, No
  // closes, Cancel stays).
  bool Form_KeyDown(int keyCode);
  // The chosen form's offsets or switches differ from what is stored.
  bool SinGuardar() const;
  void Cmd_AdvCfg_Click();
  void Cmd_UpgradeCalibra_Click();

 private:
  void TextChange(const TextBox& box, ScrollBar& bar);
  QString Valores() const;  // the offsets and switches F11 saves, as one text
  bool fromText_ = false;  // the bar follows the text: it must not rewrite it
  QString guardado_;       // Valores() as stored for the chosen form
  QString formPreferido_;  // the form to select first while loading
};

// --- Frm_ConfigProvisorio and its row editors ---
constexpr unsigned kCeldaGuardada = 0xC0FFC0;  // light green (blue-green-red)
constexpr unsigned kCeldaFallida = 0x8080FF;   // light red

struct FrmUpdateCampos {
  QString Campo, ValorX, ValorY, pTxtFontName, pTxtFontSize;
  long pTxtFontAlign = 0;
  bool Updated = false;
  Label Lbl_CampoValor;
  TextBox txtX, txtY, txtFont, txtSize;
  ComboBox Cmb_Orientacion;

  void MostrarValores();
  bool ValidarValores();
  bool Form_KeyDown(int keyCode);  // true when the window must close
};

struct FrmUpdatePropiedades {
  QString Propiedad, pTxtValue;
  bool Updated = false;
  Label Lbl_PropiedadValor;
  TextBox txtValor;

  void MostrarValores();
  bool Form_KeyDown(int keyCode);
};

struct FrmConfigProvisorio {
  QString p_FormIdConfig;
  Label Lbl_Camara_Descripcion, Lbl_Formulario_Descripcion;
  Grid MSFGCamposConfig;

  void Form_Load();
  void PrepareGrid();
  void LoadDescrCamaraYForm();
  void LoadParametersGrid();
  void EditCell();
  bool ActualizarCamposConfig(const QString& campo, const QString& valorX, const QString& valorY,
                              const QString& sFontName, const QString& sFontSize,
                              long lOrientacion);
  bool ActualizarPropiedadesParametros(const QString& sIdFormulario, const QString& sPropiedad,
                                       const QString& sPropValor);
};

// --- Frm_Unidades ---
struct FrmUnidades {
  ComboBox Cmb_Unidades;  // typed text counts too
  TextBox txt_UnidadReemplazo;
  Grid MsFgUnidades;

  void Form_Load();
  void HeaderGrid();
  void LoadGrid();
  void LoadComboUnidades();
  void AddUnidad();
  void DelUnidad();
  // A pair picked in the grid fills both boxes, ready to be changed with Insert.
  void MsFgUnidades_Click();
  bool Form_KeyDown(int keyCode);  // true when the window must close
};

// --- Mod_Templates, Frm_Templates, Frm_TemplateActivation ---
QString TemplatesIniPath();
bool GetTemplateEnabled(const QString& formId);
void SetTemplateEnabled(const QString& formId, const QString& state);

struct FrmTemplates {
  Grid MsFgTemplates;
  void Form_Load();
  void LoadTemplatesGrid();
  // Double-click or Enter on a row: the activation window for its form, then the list again.
  void AbrirActivacion();
};

struct FrmTemplateActivation {
  CheckBox Opt_Activar, Opt_Desactivar;
  void Form_Activate();
  bool Form_KeyDown(int keyCode);  // only Esc closes, saving the state shown
};

struct ConfigForms {
  std::unique_ptr<FrmConfig> config;
  std::unique_ptr<FrmConfigProvisorio> provisorio;
  std::unique_ptr<FrmUpdateCampos> updateCampos;
  std::unique_ptr<FrmUpdatePropiedades> updatePropiedades;
  std::unique_ptr<FrmUnidades> unidades;
  std::unique_ptr<FrmTemplates> templates;
  std::unique_ptr<FrmTemplateActivation> activation;
  QString sTemplateFormId;  // the form id Frm_Templates hands to Frm_TemplateActivation
};

ConfigForms& Cf();
// Each opening of a window starts from a newly loaded form, as the classic windows did.
FrmConfig& LoadConfig();
FrmUnidades& LoadUnidades();
FrmTemplates& LoadTemplates();
FrmTemplateActivation& LoadTemplateActivation();

// A number as the layout stores it: a point, no exponent, no trailing zeros ("12.5", "0").
QString DecimalText(double value);

}  // namespace ostrevan::config
