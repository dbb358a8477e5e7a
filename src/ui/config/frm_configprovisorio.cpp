// Frm_ConfigProvisorio, the field layout editor, and its two row editors.
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>

#include "data/config_forms.h"
#include "host/keys.h"
#include "ui/common/binding.h"
#include "ui/common/flexgrid.h"
#include "ui/common/widget_services.h"
#include "ui/config/config_windows.h"
#include "ui/edit/clcntrl.h"

namespace ostrevan::ui {

namespace {
QLabel* Bound(Label& m, const char* name) {
  auto* l = new QLabel;
  l->setObjectName(name);
  Bind(l, m);
  return l;
}

QLabel* Strong(QLabel* l) {
  QFont f = l->font();
  f.setBold(true);
  l->setFont(f);
  return l;
}
}  // namespace

FrmConfigProvisorioWindow::FrmConfigProvisorioWindow(QWidget* parent)
    : ClassicWindow("Configuracion de los campos", "Configuracion de Formularios",
                    "[ESC] Salir  [Enter] Modificar ", parent) {
  config::FrmConfigProvisorio& m = *config::Cf().provisorio;
  auto* names = new QHBoxLayout;
  names->addWidget(NamedLabel("Camara:", "Label1"));
  names->addWidget(Strong(Bound(m.Lbl_Camara_Descripcion, "Lbl_Camara_Descripcion")));
  names->addSpacing(24);
  names->addWidget(NamedLabel("Formulario:", "Label2"));
  names->addWidget(Strong(Bound(m.Lbl_Formulario_Descripcion, "Lbl_Formulario_Descripcion")));
  names->addSpacing(24);
  names->addWidget(Strong(NamedLabel(m.p_FormIdConfig, "Lbl_IdFormulario")));
  names->addStretch(1);
  Body()->addLayout(names);
  grid_ = new FlexGrid(m.MSFGCamposConfig);
  grid_->setObjectName("MSFGCamposConfig");
  // The selection lets the green or red of a written row show through.
  QPalette pal = grid_->palette();
  pal.setColor(QPalette::Highlight, QColor(31, 59, 92, 70));
  pal.setColor(QPalette::HighlightedText, Qt::black);
  grid_->setPalette(pal);
  Body()->addWidget(grid_, 1);
  auto* note = NamedLabel(
      "Nota: Las lineas verdes son una indicacion temporal de que los valores han sido "
      "modificados. Al salir de esta ventana y volver a ingresar no estara disponible esa "
      "indicacion del estado previo.",
      "Lbl_Referencia");
  note->setWordWrap(true);
  Body()->addWidget(note);
  connect(grid_, &QAbstractItemView::doubleClicked, this, [this] {
    config::Cf().provisorio->EditCell();
    grid_->setFocus();
  });
  int width = 0;
  for (int c = 0; c < m.MSFGCamposConfig.Cols(); ++c) {
    width += TwipsToPixels(std::max(m.MSFGCamposConfig.ColWidth(c), 0), this);
  }
  resize(std::max(width + 50, 640), 600);
  grid_->setFocus();
}

bool FrmConfigProvisorioWindow::Form_KeyDown(int keyCode, int) {
  if (keyCode == Key::Enter) {
    config::Cf().provisorio->EditCell();
    grid_->setFocus();
    return true;
  }
  if (keyCode == Key::Esc) {
    close();
    return true;
  }
  return false;
}

FrmUpdateCamposWindow::FrmUpdateCamposWindow(QWidget* parent)
    : ClassicWindow("Actualizando Parametros...", "Campo", "[ESC] - Cancelar   [F11] - Guardar   ",
                    parent) {
  config::FrmUpdateCampos& m = *config::Cf().updateCampos;
  auto* form = new QFormLayout;
  form->addRow(NamedLabel("Campo:", "Lbl_Campo"),
               Strong(Bound(m.Lbl_CampoValor, "Lbl_CampoValor")));
  form->addRow(NamedLabel("Pos X:", "Lbl_X"), BoundLine(m.txtX, "txtX"));
  form->addRow(NamedLabel("Pos Y:", "Lbl_Y"), BoundLine(m.txtY, "txtY"));
  form->addRow(NamedLabel("Font:", "Lbl_Font"), BoundLine(m.txtFont, "txtFont"));
  form->addRow(NamedLabel("Size:", "Lbl_Size"), BoundLine(m.txtSize, "txtSize"));
  form->addRow(NamedLabel("Alin.:", "Label1"), BoundCombo(m.Cmb_Orientacion, "Cmb_Orientacion"));
  Body()->addLayout(form);
  BindControls(this);
  resize(420, 300);
}

bool FrmUpdateCamposWindow::Form_KeyDown(int keyCode, int) {
  if (keyCode != Key::F11 && keyCode != Key::Esc) return false;
  if (config::Cf().updateCampos->Form_KeyDown(keyCode)) close();
  return true;
}

FrmUpdatePropiedadesWindow::FrmUpdatePropiedadesWindow(QWidget* parent)
    : ClassicWindow("Actualizando Parametros...", "Propiedad",
                    "[ESC] - Cancelar   [F11] - Guardar   ", parent) {
  config::FrmUpdatePropiedades& m = *config::Cf().updatePropiedades;
  auto* form = new QFormLayout;
  form->addRow(NamedLabel("Propiedad:", "Lbl_Propiedad"),
               Strong(Bound(m.Lbl_PropiedadValor, "Lbl_PropiedadValor")));
  auto* valor = BoundLine(m.txtValor, "txtValor");
  valor->setMinimumWidth(260);
  form->addRow(NamedLabel("Valor:", "Lbl_X"), valor);
  Body()->addLayout(form);
  BindControls(this);
  resize(420, 200);
  valor->setFocus();
}

bool FrmUpdatePropiedadesWindow::Form_KeyDown(int keyCode, int) {
  if (keyCode != Key::F11 && keyCode != Key::Esc) return false;
  if (config::Cf().updatePropiedades->Form_KeyDown(keyCode)) close();
  return true;
}

}  // namespace ostrevan::ui
