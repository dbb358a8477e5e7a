#include "ui/list/lifecycle_windows.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>

#include "data/dialogs.h"
#include "data/forms.h"
#include "data/mod_main.h"
#include "host/errors.h"
#include "host/keys.h"
#include "host/state.h"
#include "host/windows.h"
#include "ui/common/binding.h"
#include "ui/common/flexgrid.h"
#include "ui/common/widget_services.h"
#include "ui/edit/clcntrl.h"

namespace ostrevan::ui {

FrmOstrevanListaWindow::FrmOstrevanListaWindow(QWidget* parent)
    : ClassicWindow("Listado", "Listado",
                    "[INS]  Nuevo  -  [DEL]  Borrar  -  [ENTER]  Ingresar  -   [ESC]  Salir",
                    parent) {
  Grid& g = Lista().Msfg_ListadoMn;
  grid_ = new FlexGrid(g);
  grid_->setObjectName("Msfg_ListadoMn");
  grid_->KeepWhole(0);
  grid_->setMinimumHeight(TwipsToPixels(g.Height ? g.Height : 3935, this));
  Body()->addWidget(grid_, 1);
  auto* version = new QHBoxLayout;
  version->addWidget(NamedLabel("Versión:", "Lbl_Version"));
  version->addWidget(NamedLabel(ComponentVersion(), "Lbl_DisplayVersion"));
  version->addStretch();
  version->addWidget(NamedLabel(ComponentComment(), "Lbl_DisplayFecha"));
  Body()->addLayout(version);
  connect(grid_, &QAbstractItemView::doubleClicked, this, [this] {
    if (Lista().Msfg_ListadoMn.Row() >= 1) IngresarRegistro();
    grid_->setFocus();
  });
  resize(grid_->horizontalHeader()->length() + 60, 520);
  grid_->setFocus();
}

bool FrmOstrevanListaWindow::Form_KeyDown(int keyCode, int) {
  const Grid& g = Lista().Msfg_ListadoMn;
  switch (keyCode) {
    case Key::Enter:
      if (g.Row() > 0) IngresarRegistro();
      grid_->setFocus();
      return true;
    case Key::Esc:
      close();
      return true;
    case Key::Insert:
      Windows().ShowModal(Window::GuardaDatos);
      grid_->setFocus();
      return true;
    case Key::Delete:
      if (g.Row() > 0) Windows().ShowModal(Window::CeoBorra);
      grid_->setFocus();
      return true;
    default:
      return false;
  }
}

FrmGuardaDatosWindow::FrmGuardaDatosWindow(QWidget* parent)
    : ClassicWindow("Crear Nuevo", "Crear Nuevo...", "[Enter]  Aceptar/Guardar  -  [ESC]  Salir",
                    parent) {
  ::ostrevan::FrmGuardaDatos& m = D().guardaDatos;
  m.txtInterno.SetText(QString());
  m.Txt_Descripcion.SetText(QString());
  auto* form = new QFormLayout;
  form->addRow(NamedLabel("Interno Nro", "Label2"), BoundLine(m.txtInterno, "txtInterno"));
  form->addRow(NamedLabel("Nombre Descriptivo:", "Label4"),
               BoundLine(m.Txt_Descripcion, "Txt_Descripcion"));
  form->addRow(NamedLabel("Id Operación:", "Label5"),
               BoundLine(m.Txt_IdOperacion, "Txt_IdOperacion"));
  form->addRow(NamedLabel("Estado:", "Label6"), BoundLine(m.Txt_Estado, "Txt_Estado"));
  auto* pais = new QComboBox;
  pais->setObjectName("Cbx_Pais");
  if (m.Cbx_Pais.ListCount() == 0) m.Cbx_Pais.AddItem("(Seleccione uno de la lista)");
  if (m.Cbx_Pais.ListIndex() < 0) m.Cbx_Pais.SetListIndex(0);  // the prompt, not a blank box
  Bind(pais, m.Cbx_Pais);
  form->addRow(NamedLabel("Pais Mercosur", "Label1"), pais);
  Body()->addLayout(form);
  resize(480, 300);
}

bool FrmGuardaDatosWindow::Form_KeyDown(int keyCode, int) {
  // The number comes first and the name is what the creation needs: Enter in the number box
  // goes on to the name, as Enter does in every other window; Enter elsewhere creates.
  QWidget* focus = focusWidget();
  if (keyCode == Key::Enter && focus && focus->objectName() == "txtInterno") {
    if (auto* name = findChild<QWidget*>("Txt_Descripcion")) name->setFocus();
    return true;
  }
  if (keyCode == Key::Enter) {
    if (GuardaDatos_Aceptar()) {
      created_ = true;
      accept();
    }
    return true;
  }
  if (keyCode == Key::Esc) {
    reject();
    return true;
  }
  return false;
}

FrmSeleccionCertifWindow::FrmSeleccionCertifWindow(QWidget* parent)
    : ClassicWindow("Seleccionar Certificado / Pais", "Seleccionar Certificado / Pais",
                    "[Esc] - Cancelar  [F11] - Continuar  ", parent) {
  ::ostrevan::FrmSeleccionCertif& m = D().seleccion;
  m.Cancel = false;
  SeleccionCertif_Load();
  auto* grid = new QGridLayout;
  auto* camara = BoundCombo(m.Cmb_Camara, "Cmb_Camara");
  auto* form = BoundCombo(m.Cmb_CertificadoPais, "Cmb_CertificadoPais", 320);
  auto* logo = BoundPicture(m.ImgCamara, "ImgCamara", 160, 100);
  auto* desc = new QLabel;
  desc->setObjectName("Lbl_Descripcion");
  Bind(desc, m.Lbl_Descripcion);
  auto* code = new QLabel;
  code->setObjectName("Lbl_CodigoFormulario");
  Bind(code, m.Lbl_CodigoFormulario);
  grid->addWidget(NamedLabel("Camara", "Lbl_Camara"), 0, 0);
  grid->addWidget(camara, 0, 1);
  grid->addWidget(logo, 0, 2, 3, 1);
  grid->addWidget(NamedLabel("Certificado", "Lbl_Formulario"), 1, 0);
  grid->addWidget(form, 1, 1);
  grid->addWidget(NamedLabel("Pais:", "Lbl_Pais"), 2, 0);
  grid->addWidget(BoundLine(m.Txt_Pais, "Txt_Pais", true), 2, 1);
  grid->addWidget(NamedLabel("Nomenclador:", "Lbl_Nomenclador"), 3, 0);
  grid->addWidget(BoundLine(m.Txt_Nomenclador, "Txt_Nomenclador", true), 3, 1);
  grid->addWidget(desc, 4, 1);
  grid->addWidget(code, 4, 2);
  Body()->addLayout(grid);
  BindControls(this);
  resize(640, 320);
  camara->setFocus();
}

bool FrmSeleccionCertifWindow::Form_KeyDown(int keyCode, int) {
  if (!SeleccionCertif_KeyDown(keyCode)) return false;
  done(D().seleccion.Cancel ? Rejected : Accepted);
  return true;
}

FrmCeoBorraWindow::FrmCeoBorraWindow(QWidget* parent)
    : ClassicWindow("Confirmar acción de usuario", "Eliminar...",
                    "[ESC]  Salir / Cancelar  -  [ENTER]   ELIMINAR", parent) {
  ::ostrevan::FrmCeoBorra& m = D().borra;
  CeoBorra_Activate();
  Body()->addWidget(NamedLabel("Esta seguro de borrar el registro seleccionado: ", "lbl_Texto"));
  auto* form = new QFormLayout;
  form->addRow(NamedLabel("Id Operación:", "lbl_texto1"),
               BoundLine(m.txt_IdOperacion, "txt_IdOperacion", true));
  form->addRow(NamedLabel("Descripción:", "lbl_texto3"),
               BoundLine(m.txt_Descripcion, "txt_Descripcion", true));
  form->addRow(NamedLabel("Estado:", "lbl_texto2"), BoundLine(m.txt_Estado, "txt_Estado", true));
  Body()->addLayout(form);
  resize(480, 260);
}

bool FrmCeoBorraWindow::Form_KeyDown(int keyCode, int) {
  try {
    if (keyCode == Key::Enter) {
      if (EliminarBoleta()) accept();
      return true;
    }
    if (keyCode == Key::Esc) {
      reject();
      return true;
    }
  } catch (const std::exception& e) {
    ReportBracket(e, " Frm_NotaBorra [Form_KeyDown] ");
  }
  return false;
}

}  // namespace ostrevan::ui
