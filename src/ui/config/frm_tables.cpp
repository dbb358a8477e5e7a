// Frm_Unidades, Frm_Templates, Frm_TemplateActivation and Frm_CalibraCeo.
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>

#include "data/config_forms.h"
#include "host/keys.h"
#include "job/print_job.h"
#include "ui/common/binding.h"
#include "ui/common/flexgrid.h"
#include "ui/common/widget_services.h"
#include "ui/config/config_binding.h"
#include "ui/config/config_windows.h"

namespace ostrevan::ui {

namespace {
int GridWidth(const Grid& g, const QWidget* w) {
  int width = 0;
  for (int c = 0; c < g.Cols(); ++c) width += TwipsToPixels(std::max(g.ColWidth(c), 0), w);
  return width;
}
}  // namespace

FrmUnidadesWindow::FrmUnidadesWindow(QWidget* parent)
    : ClassicWindow("Unidades", "Unidades", "[Esc]   Salir - [Ins]   Agregar - [Del]   Quitar", parent) {
  config::FrmUnidades& m = *config::Cf().unidades;
  auto* top = new QGridLayout;
  top->addWidget(NamedLabel("Unidad Origen", "Lbl_UniOrig"), 0, 0);
  top->addWidget(NamedLabel("Unidad Destino", "Lbl_UniDest"), 0, 1);
  auto* combo = new QComboBox;
  combo->setObjectName("Cmb_Unidades");
  BindEditableCombo(combo, m.Cmb_Unidades);
  top->addWidget(combo, 1, 0);
  top->addWidget(BoundLine(m.txt_UnidadReemplazo, "txt_UnidadReemplazo"), 1, 1);
  top->setColumnStretch(0, 1);
  top->setColumnStretch(1, 2);
  Body()->addLayout(top);
  auto* grid = new FlexGrid(m.MsFgUnidades);
  grid->setObjectName("MsFgUnidades");
  Body()->addWidget(grid, 1);
  // Only the user's own picks fill the boxes: the reload after Insert keeps what was typed.
  connect(grid->selectionModel(), &QItemSelectionModel::currentRowChanged, this, [this, grid] {
    if (focusWidget() == grid) config::Cf().unidades->MsFgUnidades_Click();
  });
  connect(grid, &QAbstractItemView::clicked, this,
          [] { config::Cf().unidades->MsFgUnidades_Click(); });
  resize(std::max(GridWidth(m.MsFgUnidades, this) + 80, 420), 420);
  combo->setFocus();
}

bool FrmUnidadesWindow::Form_KeyDown(int keyCode, int) {
  // Del inside a text box deletes a character there; on the grid it removes the pair.
  if (keyCode == Key::Delete && qobject_cast<QLineEdit*>(focusWidget())) return false;
  if (keyCode != Key::Esc && keyCode != Key::Insert && keyCode != Key::Delete) return false;
  if (config::Cf().unidades->Form_KeyDown(keyCode)) close();
  return true;
}

FrmTemplatesWindow::FrmTemplatesWindow(QWidget* parent)
    : ClassicWindow("Configuracion - Templates Configuracion", "Templates",
                    "[Enter] Activar / Desactivar  -  [ESC] Salir", parent) {
  config::FrmTemplates& m = *config::Cf().templates;
  auto* grid = new FlexGrid(m.MsFgTemplates);
  grid->setObjectName("MsFgTemplates");
  grid->setMinimumWidth(TwipsToPixels(6050, this));
  Body()->addWidget(grid, 1);
  auto* buttons = new QHBoxLayout;
  auto* config = new QPushButton("Configuracion...");
  config->setObjectName("Cmd_Config");
  config->setAutoDefault(false);
  auto* cerrar = new QPushButton("Cerrar");
  cerrar->setObjectName("Cmd_Cerrar");
  cerrar->setAutoDefault(false);
  buttons->addStretch(1);
  buttons->addWidget(config);
  buttons->addWidget(cerrar);
  Body()->addLayout(buttons);
  connect(cerrar, &QPushButton::clicked, this, &QDialog::close);
  connect(grid, &QAbstractItemView::doubleClicked, this, [grid] {
    config::Cf().templates->AbrirActivacion();
    grid->setFocus();
  });
  resize(GridWidth(m.MsFgTemplates, this) + 80, 360);
  grid->setFocus();
}

bool FrmTemplatesWindow::Form_KeyDown(int keyCode, int) {
  // Enter is the grid's key: on a button it must not open the activation window.
  if (keyCode == Key::Enter && dynamic_cast<FlexGrid*>(focusWidget())) {
    config::Cf().templates->AbrirActivacion();
    return true;
  }
  if (keyCode == Key::Esc) {
    close();
    return true;
  }
  return false;
}

FrmTemplateActivationWindow::FrmTemplateActivationWindow(QWidget* parent)
    : ClassicWindow("Templates", QString::fromUtf8("Configuración del Template"), "[Esc] - Salir",
                    parent) {
  config::FrmTemplateActivation& m = *config::Cf().activation;
  auto* row = new QHBoxLayout;
  auto* activar = new QRadioButton("Activar");
  activar->setObjectName("Opt_Activar");
  auto* desactivar = new QRadioButton("Desactivar");
  desactivar->setObjectName("Opt_Desactivar");
  BindCheck(activar, m.Opt_Activar);
  BindCheck(desactivar, m.Opt_Desactivar);
  row->addWidget(activar);
  row->addWidget(desactivar);
  row->addStretch(1);
  Body()->addWidget(NamedLabel("Formulario: " + config::Cf().sTemplateFormId, "Lbl_FormID"));
  Body()->addLayout(row);
  resize(360, 200);
  (m.Opt_Activar.Value() ? activar : desactivar)->setFocus();
}

bool FrmTemplateActivationWindow::Form_KeyDown(int keyCode, int) {
  if (keyCode != Key::Esc) return false;
  if (config::Cf().activation->Form_KeyDown(keyCode)) close();
  return true;
}

FrmCalibraCeoWindow::FrmCalibraCeoWindow(QWidget* parent)
    : ClassicWindow("Calibracion",
                    "Configuracion Avanzada para " +
                        (config::Cf().config ? config::Cf().config->sConfiguredIdForm : QString()),
                    "[ESC] Salir", parent) {
  // Only the print button acts; the other controls of the window carry no behaviour and are
  // shown disabled so that nobody expects them to.
  auto* frames = new QHBoxLayout;
  auto inert = [](const char* name, const QStringList& labels) {
    auto* f = new QGroupBox;
    f->setObjectName(name);
    auto* g = new QGridLayout(f);
    for (int i = 0; i < labels.size(); ++i) {
      g->addWidget(new QLabel(labels[i]), i, 0);
      if (i < 2) g->addWidget(new QLineEdit, i, 1);
    }
    f->setEnabled(false);
    return f;
  };
  frames->addWidget(
      inert("Frame4", {"Alto Filas", "Ancho Linea", QString::fromUtf8("Tamaño de campo")}));
  frames->addWidget(
      inert("Frame3", {"Alto Filas", "Ancho Linea", QString::fromUtf8("Tamaño de campo")}));
  auto* campos = new QGroupBox;
  campos->setObjectName("Frame2");
  auto* cv = new QVBoxLayout(campos);
  cv->addWidget(new QLabel("Campos disponibles"));
  auto* list = new QListWidget;
  list->setObjectName("List1");
  list->setMaximumHeight(80);
  cv->addWidget(list);
  campos->setEnabled(false);
  frames->addWidget(campos);
  Body()->addLayout(frames);

  auto* frame1 = new QGroupBox;
  frame1->setObjectName("Frame1");
  auto* g = new QGridLayout(frame1);
  auto* print = new QPushButton("Imprimir Pagina de Calibracion");
  print->setObjectName("Cmd_PrintPaginaCalibracion");
  print->setDefault(true);
  g->addWidget(print, 0, 0, 1, 4);
  g->addWidget(new QLabel("Calibracion del campo"), 1, 0);
  g->addWidget(new QLabel("Coord X"), 1, 1);
  auto* x = new QLineEdit;
  x->setObjectName("txtX");
  x->setEnabled(false);
  g->addWidget(x, 1, 2);
  g->addWidget(new QLabel("Coord Y"), 2, 1);
  auto* y = new QLineEdit;
  y->setObjectName("txtY");
  y->setEnabled(false);
  g->addWidget(y, 2, 2);
  salida_ = new QLabel(
      "La pagina lleva escalas en milimetros arriba y a la izquierda del area de impresion. "
      "Sus marcas \"0\" deben quedar en la esquina del area, a 10 mm del borde izquierdo y "
      "9,5 mm del borde superior de la hoja: lo que se corran se escribe con el signo "
      "contrario en X Offset e Y Offset de la configuracion (2 mm a la derecha: X -2).");
  salida_->setObjectName("Lbl_Salida");
  salida_->setWordWrap(true);
  salida_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  g->addWidget(salida_, 3, 0, 1, 4);
  Body()->addWidget(frame1, 1);
  connect(print, &QPushButton::clicked, this,
          &FrmCalibraCeoWindow::Cmd_PrintPaginaCalibracion_Click);
  resize(660, 440);
  print->setFocus();
}

void FrmCalibraCeoWindow::Cmd_PrintPaginaCalibracion_Click() {
  const QString where = ImprimirPaginaCalibracion();
  if (!where.isEmpty()) salida_->setText(where);
}

bool FrmCalibraCeoWindow::Form_KeyDown(int keyCode, int) {
  if (keyCode != Key::Esc) return false;
  close();
  return true;
}

}  // namespace ostrevan::ui
