// Frm_Unidades (the printed text of each host unit) and the templates of TemplatesCeo.ini:
// Mod_Templates, Frm_Templates and Frm_TemplateActivation.
#include "data/config_forms.h"

#include "host/keys.h"
#include "host/errors.h"
#include "host/ini.h"
#include "host/msgbox.h"
#include "host/sistema.h"
#include "host/sqltext.h"
#include "host/state.h"
#include "host/value.h"
#include "host/windows.h"

namespace ostrevan::config {

namespace {
const QString kUnidades = QStringLiteral("Frm_Unidades");
const QString kFormulario = QStringLiteral("Formulario");
}  // namespace

FrmUnidades& LoadUnidades() {
  Cf().unidades = std::make_unique<FrmUnidades>();
  Cf().unidades->Form_Load();
  return *Cf().unidades;
}

void FrmUnidades::Form_Load() {
  LoadComboUnidades();
  LoadGrid();
}

void FrmUnidades::HeaderGrid() {
  Grid& g = MsFgUnidades;
  g.SetRows(1);
  g.SetCols(2);
  const char* headers[] = {"Origen", "Destino"};
  const int widths[] = {1500, 2600};  // replacements such as "Metros cuadrados" read whole
  for (int c = 0; c < 2; ++c) {
    g.SetTextMatrix(0, c, headers[c]);
    g.SetColWidth(c, widths[c]);
    g.SetColAlignment(c, Grid::flexAlignLeft);
  }
}

void FrmUnidades::LoadGrid() {
  try {
    HeaderGrid();
    Recordset rs;
    if (Query("OSTREVAN", "Select * From Unidad_OrigenDestino ", rs)) {
      for (; !rs.Eof(); rs.MoveNext()) {
        MsFgUnidades.AddItem(Txt(rs.Fields("UnidOrigen").Value) + "\t" +
                             Txt(rs.Fields("UnidDestino").Value));
      }
    }
    if (MsFgUnidades.Rows() > 1) MsFgUnidades.SetRow(1);
  } catch (const std::exception& e) {
    ReportDetailed(e, "LoadGrid", kFormulario, kUnidades);
  }
}

void FrmUnidades::LoadComboUnidades() {
  try {
    Cmb_Unidades.Clear();
    Recordset rs;
    if (Query("OSTREVAN", "Select Simple From Unidades Order by ID Asc", rs)) {
      for (; !rs.Eof(); rs.MoveNext()) Cmb_Unidades.AddItem(Txt(rs.Fields("Simple").Value));
    }
  } catch (const std::exception& e) {
    ReportDetailed(e, "LoadComboUnidades", kFormulario, kUnidades);
  }
}

// The table's key compares without regard to case, so the grid is searched the same way:
// "kg" beside a stored "KG" replaces its text instead of being refused as a second key.
void FrmUnidades::AddUnidad() {
  const QString origen = Cmb_Unidades.Text();
  const QString reemplazo = txt_UnidadReemplazo.Text();
  if (origen.trimmed().isEmpty() || reemplazo.isEmpty()) return;
  const Grid& g = MsFgUnidades;
  bool found = false;
  for (int r = 1; r < g.Rows() && !found; ++r) {
    found = g.TextMatrix(r, 0).compare(origen, Qt::CaseInsensitive) == 0;
  }
  try {
    if (!found) {
      Execute("OSTREVAN", "Insert into Unidad_OrigenDestino(UnidOrigen,UnidDestino) Values ('" +
                              SqlText(origen) + "','" + SqlText(reemplazo) + "')");
    } else {
      Execute("OSTREVAN", "Update Unidad_OrigenDestino set UnidDestino = '" + SqlText(reemplazo) +
                              "' Where UnidOrigen ='" + SqlText(origen) + "'");
    }
  } catch (const std::exception& e) {
    ReportDetailed(e, "AddUnidad", kFormulario, kUnidades);
  }
  LoadGrid();
  // The pair just written stays the chosen one, so the user sees what changed.
  for (int r = 1; r < MsFgUnidades.Rows(); ++r) {
    if (MsFgUnidades.TextMatrix(r, 0).compare(origen, Qt::CaseInsensitive) == 0) {
      MsFgUnidades.SetRow(r);
      break;
    }
  }
}

void FrmUnidades::DelUnidad() {
  const Grid& g = MsFgUnidades;
  const int row = g.Row();
  if (row < 1 || row >= g.Rows()) return;
  const QString origen = g.TextMatrix(row, 0);
  if (MsgBox(
          "Desea quitar el texto " + g.TextMatrix(row, 1) + " asociado a la unidad " + origen + "?",
          vbYesNo + vbExclamation + vbDefaultButton2) != vbYes) {
    return;
  }
  try {
    Execute("OSTREVAN",
            "Delete From Unidad_OrigenDestino Where UnidOrigen ='" + SqlText(origen) + "'");
  } catch (const std::exception& e) {
    ReportDetailed(e, "DelUnidad", kFormulario, kUnidades);
  }
  LoadGrid();
}

void FrmUnidades::MsFgUnidades_Click() {
  const Grid& g = MsFgUnidades;
  const int row = g.Row();
  if (row < 1 || row >= g.Rows()) return;
  // The unit as stored, blanks and all: Insert must find the same row again.
  Cmb_Unidades.SetText(g.TextMatrix(row, 0));
  txt_UnidadReemplazo.SetText(g.TextMatrix(row, 1));
}

bool FrmUnidades::Form_KeyDown(int keyCode) {
  if (keyCode == Key::Insert) AddUnidad();
  if (keyCode == Key::Delete) DelUnidad();
  return keyCode == Key::Esc;
}

// --- Mod_Templates ---

QString TemplatesIniPath() {
  const QString base = St().sPathCfg.isEmpty() ? InstallationDir() : St().sPathCfg;
  return clSistema().PonerBarra(base) + "Cfg" + PathSep() + "TemplatesCeo.ini";
}

namespace {
// A count far beyond any real list is a damaged file, read as empty: it must not make every
// opening read the file a million times.
constexpr int kMaxCount = 999;

QString Leer(const QString& section, const QString& key) {
  return clINI().LeerINI(section, key, TemplatesIniPath());
}

int Cuenta(const QString& section, const QString& key) {
  const double n = esnumero(Leer(section, key));
  return n >= 1 && n <= kMaxCount ? static_cast<int>(n) : 0;
}

QString Entrada(int i, int j) { return QString("HTempl%1_%2").arg(i).arg(j); }

// Every (template, form) entry in file order: its template number and its section.
template <class F>
void ForEachEntry(F visit) {
  const int n = Cuenta("Templates", "Count");
  for (int i = 1; i <= n; ++i) {
    const int m = Cuenta(QString("Templ%1").arg(i), "HCount");
    for (int j = 1; j <= m; ++j) visit(i, Entrada(i, j));
  }
}
}  // namespace

bool GetTemplateEnabled(const QString& formId) {
  bool enabled = false;
  ForEachEntry([&](int, const QString& section) {
    if (Leer(section, "FormID") == formId) enabled = Leer(section, "Enabled") == "S";
  });
  return enabled;
}

void SetTemplateEnabled(const QString& formId, const QString& state) {
  try {
    ForEachEntry([&](int, const QString& section) {
      if (Leer(section, "FormID") == formId) {
        clINI().GuardarINI(section, "Enabled", state == "S" ? "S" : "N", TemplatesIniPath());
      }
    });
  } catch (const std::exception& e) {
    ReportDetailed(e, "SetTemplateEnabled", QString::fromUtf8("Módulo"), "Mod_Templates");
  }
}

FrmTemplates& LoadTemplates() {
  Cf().templates = std::make_unique<FrmTemplates>();
  Cf().templates->Form_Load();
  return *Cf().templates;
}

void FrmTemplates::Form_Load() { LoadTemplatesGrid(); }

void FrmTemplates::LoadTemplatesGrid() {
  Grid& g = MsFgTemplates;
  g.SetCols(3);
  const int widths[] = {0, 5000, 1100};  // the header "Habilitado" reads whole
  for (int c = 0; c < 3; ++c) g.SetColWidth(c, widths[c]);
  g.SetColAlignment(2, Grid::flexAlignCenter);
  g.SetRows(1);
  g.SetTextMatrix(0, 1, "Formulario");
  g.SetTextMatrix(0, 2, "Habilitado");
  g.SetRow(0);
  ForEachEntry([&](int i, const QString& section) {
    g.AddItem(Leer(section, "FormID") + "\t" + Leer(QString("Templ%1").arg(i), "Nombre") + " " +
              Leer(section, "Descr") + "\t" + Leer(section, "Enabled"));
  });
  if (g.Rows() > 1) {
    g.SetRow(1);
    g.Col = 0;
    g.RowSel = 1;
    g.ColSel = 2;
  }
}

void FrmTemplates::AbrirActivacion() {
  const Grid& g = MsFgTemplates;
  if (g.Row() < 1 || g.Row() >= g.Rows()) return;
  Cf().sTemplateFormId = g.TextMatrix(g.Row(), 0);
  LoadTemplateActivation();
  Windows().ShowModal(Window::TemplateActivation);
  Cf().activation.reset();
  const int row = g.Row();
  LoadTemplatesGrid();
  if (row < MsFgTemplates.Rows()) MsFgTemplates.SetRow(row);  // the user stays where he was
}

FrmTemplateActivation& LoadTemplateActivation() {
  Cf().activation = std::make_unique<FrmTemplateActivation>();
  Cf().activation->Form_Activate();
  return *Cf().activation;
}

void FrmTemplateActivation::Form_Activate() {
  const bool enabled = GetTemplateEnabled(Cf().sTemplateFormId);
  Opt_Activar.SetValue(enabled ? 1 : 0);
  Opt_Desactivar.SetValue(enabled ? 0 : 1);
}

bool FrmTemplateActivation::Form_KeyDown(int keyCode) {
  if (keyCode != Key::Esc) return false;
  SetTemplateEnabled(Cf().sTemplateFormId, Opt_Activar.Value() ? "S" : "N");
  return true;
}

}  // namespace ostrevan::config
