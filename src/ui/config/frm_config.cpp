// Frm_Config, the settings window, and the one place that shows the configuration windows.
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>

#include "data/cod_datos.h"
#include "data/config_forms.h"
#include "host/keys.h"
#include "host/state.h"
#include "ui/common/binding.h"
#include "ui/config/config_binding.h"
#include "ui/config/config_windows.h"

namespace ostrevan::ui {

namespace {
QListWidget* List(ComboBox& m, const char* name) {
  auto* w = new QListWidget;
  w->setObjectName(name);
  BindList(w, m);
  return w;
}

QScrollBar* Bar(config::ScrollBar& m, Qt::Orientation o, const char* name) {
  auto* w = new QScrollBar(o);
  w->setObjectName(name);
  w->setPageStep(5);
  w->setFocusPolicy(Qt::StrongFocus);  // arrows move it from the keyboard
  // Right and down go towards larger offsets, as on the page.
  w->setInvertedControls(o == Qt::Vertical);
  BindScrollBar(w, m);
  return w;
}

QCheckBox* Check(config::CheckBox& m, const char* name, const QString& caption,
                 const QString& tip) {
  auto* w = new QCheckBox(caption);
  w->setObjectName(name);
  w->setToolTip(tip);
  BindCheck(w, m);
  return w;
}

QPushButton* Button(const QString& caption, const char* name) {
  auto* b = new QPushButton(caption);
  b->setObjectName(name);
  b->setAutoDefault(false);
  return b;
}
}  // namespace

FrmConfigWindow::FrmConfigWindow(QWidget* parent)
    : ClassicWindow(QString::fromUtf8("Configuración"), "Configuracion",
                    "[F11] Grabar    -    [ESC] Salir", parent) {
  config::FrmConfig& m = *config::Cf().config;
  auto* row = new QHBoxLayout;
  auto* lists = new QVBoxLayout;
  lists->addWidget(NamedLabel("Camaras", "Label1"));
  auto* camaras = List(m.LstCamaras, "LstCamaras");
  camaras->setMaximumHeight(110);
  lists->addWidget(camaras);
  lists->addWidget(NamedLabel("Certificado Modelo", "Label2"));
  lists->addWidget(List(m.lstCEO, "lstCEO"), 1);
  row->addLayout(lists, 1);

  auto* ajuste = new QGroupBox("Ajuste Global");
  ajuste->setObjectName("Frame1");
  auto* g = new QGridLayout(ajuste);
  auto* txtX = BoundLine(m.txtX, "txtX");
  auto* txtY = BoundLine(m.txtY, "txtY");
  txtX->setMaximumWidth(90);
  txtY->setMaximumWidth(90);
  g->addWidget(NamedLabel("X Offset Horizontal:", "Label3"), 0, 0);
  g->addWidget(txtX, 0, 1);
  auto* hs = Bar(m.HSDespGlobal, Qt::Horizontal, "HSDespGlobal");
  hs->setMinimumWidth(200);
  g->addWidget(hs, 0, 2);
  g->addWidget(NamedLabel("Y Offset Vertical:", "Label4"), 1, 0);
  g->addWidget(txtY, 1, 1);
  auto* vs = Bar(m.VSDespGlobal, Qt::Vertical, "VSDespGlobal");
  vs->setMinimumHeight(110);
  g->addWidget(vs, 1, 2, 3, 1, Qt::AlignLeft);
  g->addWidget(NamedLabel("(mm; positivo: a la derecha / hacia abajo)", "Label9"), 2, 0, 1, 2);
  g->setRowStretch(3, 1);
  auto* right = new QVBoxLayout;
  right->addWidget(ajuste);

  auto* form = new QGridLayout;
  form->addWidget(NamedLabel("Ancho Descr", "Label5"), 0, 0);
  form->addWidget(BoundLine(m.Txt_AnchoDesc, "Txt_AnchoDesc", true), 0, 1);
  form->addWidget(NamedLabel("Lineas x Pag", "Label6"), 0, 2);
  form->addWidget(BoundLine(m.Txt_LineasXPag, "Txt_LineasXPag", true), 0, 3);
  right->addLayout(form);
  right->addWidget(Check(m.Chk_IntCampo9NCM2007, "Chk_IntCampo9NCM2007",
                         QString::fromUtf8("Certificado de Origen Mercosur integración del Campo "
                                           "9 - NCM 2007"),
                         "Esta opcion habilita/deshabilita escribir datos extras en la columna NCM "
                         "del campo 9 , debajo de la posicion arancelaria."));
  right->addWidget(Check(m.Chk_UsaFactura, "Chk_UsaFactura",
                         "Usar datos de la factura (Carga de Subitems)",
                         "Esta opcion hace que los datos sean tomados de la carga de subitems en "
                         "vez del armado de items."));
  right->addStretch(1);
  row->addLayout(right, 2);
  Body()->addLayout(row, 1);

  auto* buttons = new QHBoxLayout;
  auto* adv = Button("Avanzada", "Cmd_AdvCfg");
  auto* templates = Button("Templates", "Cmd_Templates");
  auto* unidades = Button("Unidades", "Cmd_Unidades");
  auto* test = Button("Prueba de Impresion", "Cmd_TestPrinter");
  auto* cod = Button("COD", "Cmd_ConfigCod");
  cod->setToolTip(QString::fromUtf8("Certificado de origen digital: acuerdo del formulario, "
                                    "firma, esquemas y países"));
  auto* calibra = Button(QString(), "Cmd_UpgradeCalibra");
  calibra->setIcon(style()->standardIcon(QStyle::SP_FileDialogDetailedView));
  calibra->setToolTip("Pagina de calibracion");
  for (QPushButton* b : {adv, templates, unidades, cod, test, calibra}) buttons->addWidget(b);
  buttons->addStretch(1);
  Body()->addLayout(buttons);
  connect(adv, &QPushButton::clicked, this, [] { config::Cf().config->Cmd_AdvCfg_Click(); });
  connect(templates, &QPushButton::clicked, this, [] { Windows().ShowModal(Window::Templates); });
  connect(unidades, &QPushButton::clicked, this, [] { Windows().ShowModal(Window::Unidades); });
  connect(cod, &QPushButton::clicked, this, [] {
    ConfigCod().Form_Load(config::Cf().config->sConfiguredIdForm);
    Windows().ShowModal(Window::ConfigCod);
  });
  connect(calibra, &QPushButton::clicked, this,
          [] { config::Cf().config->Cmd_UpgradeCalibra_Click(); });
  resize(820, 460);
  camaras->setFocus();
}

bool FrmConfigWindow::Form_KeyDown(int keyCode, int) {
  if (keyCode != Key::F11 && keyCode != Key::Esc) return false;
  if (config::Cf().config->Form_KeyDown(keyCode)) close();
  return true;
}

bool ShowConfigWindow(Window w, QWidget* owner) {
  config::ConfigForms& cf = config::Cf();
  switch (w) {
    case Window::Config: {
      config::LoadConfig();
      {
        FrmConfigWindow d(owner);
        d.exec();
      }
      cf.config.reset();
      return true;
    }
    case Window::ConfigProvisorio:
      if (cf.provisorio) FrmConfigProvisorioWindow(owner).exec();
      return true;
    case Window::UpdateCampos:
      if (cf.updateCampos) FrmUpdateCamposWindow(owner).exec();
      return true;
    case Window::UpdatePropiedades:
      if (cf.updatePropiedades) FrmUpdatePropiedadesWindow(owner).exec();
      return true;
    case Window::Unidades: {
      config::LoadUnidades();
      FrmUnidadesWindow(owner).exec();
      cf.unidades.reset();
      return true;
    }
    case Window::Templates: {
      config::LoadTemplates();
      FrmTemplatesWindow(owner).exec();
      cf.templates.reset();
      return true;
    }
    case Window::TemplateActivation:
      if (cf.activation) FrmTemplateActivationWindow(owner).exec();
      return true;
    case Window::CalibraCeo:
      FrmCalibraCeoWindow(owner).exec();
      return true;
    case Window::ConfigCod:
      FrmConfigCodWindow(owner).exec();
      Forget<FrmConfigCod>();
      return true;
    default:
      return false;
  }
}

}  // namespace ostrevan::ui
