#include "ui/edit/item_windows.h"

#include "host/keys.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

#include "data/forms.h"
#include "data/item_work.h"
#include "host/state.h"
#include "ui/common/binding.h"
#include "ui/common/flexgrid.h"
#include "ui/common/widget_services.h"
#include "ui/edit/clcntrl.h"

namespace ostrevan::ui {

namespace {
QLabel* Bold(QLabel* l) {
  QFont f = l->font();
  f.setBold(true);
  l->setFont(f);
  return l;
}

// An option whose long caption wraps: the caption is a label beside the button, and a click
// on either chooses it.
class WrappedOption final : public QWidget {
 public:
  WrappedOption(const QString& caption, const char* name, QButtonGroup* group, int id) {
    button_ = new QRadioButton;
    button_->setObjectName(name);
    button_->setAccessibleName(caption);
    group->addButton(button_, id);
    auto* text = new QLabel(caption);
    text->setObjectName(QString(name) + "_Caption");
    text->setWordWrap(true);
    auto* h = new QHBoxLayout(this);
    h->setContentsMargins(0, 0, 0, 0);
    h->addWidget(button_, 0, Qt::AlignTop);
    h->addWidget(text, 1);
  }

 protected:
  void mousePressEvent(QMouseEvent*) override { button_->setChecked(true); }

 private:
  QRadioButton* button_;
};
}  // namespace

// --- Frm_ListaNormasOrigen ---

FrmListaNormasOrigenWindow::FrmListaNormasOrigenWindow(QWidget* parent)
    : ClassicWindow("Normas de Origen", "Normas de Origen",
                    "[ESC] - Cancelar / Salir  [Enter] - Aceptar Seleccionado  [INS] - Agregar "
                    "Nuevo  [DEL] - Borrar  [F9] - Editar",
                    parent) {
  Lbl_Opciones()->setObjectName("Lbl_Menu");
  Grid& g = ListaNormas().MsFgListaNormasDeOrigen;
  grid_ = new FlexGrid(g);
  grid_->setObjectName("MsFgListaNormasDeOrigen");
  grid_->horizontalHeader()->setStretchLastSection(true);
  Body()->addWidget(grid_, 1);
  connect(grid_, &QAbstractItemView::doubleClicked, this, [this] {
    if (ListaNormas_KeyDown(Key::Enter)) accept();
  });
  resize(TwipsToPixels(9000, this) + 60, 460);
  grid_->setFocus();
}

bool FrmListaNormasOrigenWindow::Form_KeyDown(int keyCode, int) {
  if (keyCode != Key::Enter && keyCode != Key::Esc && keyCode != Key::Insert && keyCode != Key::Delete && keyCode != Key::F9) {
    return false;
  }
  if (ListaNormas_KeyDown(keyCode)) {
    accept();
  } else {
    grid_->setFocus();
  }
  return true;
}

// --- frmNuevaNorma ---

FrmNuevaNormaWindow::FrmNuevaNormaWindow(QWidget* parent)
    : ClassicWindow("Agregar Norma", "Agregar Norma", "[F11] Grabar - [ESC] Salir ", parent) {
  Lbl_Opciones()->setObjectName("Label3");
  NuevaNorma_Load();
  FrmNuevaNorma& m = NuevaNorma();
  auto* grid = new QGridLayout;
  grid->addWidget(NamedLabel("Texto de la norma", "Label2"), 0, 0, 1, 2);
  grid->addWidget(BoundArea(m.txtNorma, "txtNorma", 4), 1, 0, 1, 2);
  auto* ordenRow = new QHBoxLayout;
  ordenRow->addWidget(NamedLabel("Orden", "Label1"));
  auto* orden = BoundLine(m.txtOrden, "txtOrden");
  orden->setMaximumWidth(80);
  ordenRow->addWidget(orden);
  ordenRow->addStretch(1);
  grid->addLayout(ordenRow, 2, 0, 1, 2);
  auto* opciones = new QGroupBox("Opciones");
  opciones->setObjectName("Lbl_Opciones");
  auto* v = new QVBoxLayout(opciones);
  auto* insertar = new QRadioButton("Insertar en la posicion actual");
  insertar->setObjectName("Opt_Insert");
  auto* final = new QRadioButton("Agregar al final");
  final->setObjectName("Opt_AddFinal");
  final->setChecked(m.Opt_AddFinal);
  connect(final, &QRadioButton::toggled, this, [](bool on) { NuevaNorma().Opt_AddFinal = on; });
  v->addWidget(insertar);
  v->addWidget(final);
  grid->addWidget(opciones, 3, 0, 1, 2);
  Body()->addLayout(grid);
  BindControls(this);
  resize(560, 320);
}

bool FrmNuevaNormaWindow::Form_KeyDown(int keyCode, int) {
  if (keyCode != Key::Esc && keyCode != Key::F11) return false;
  if (NuevaNorma_KeyDown(keyCode)) accept();
  return true;
}

// --- frm_AMArticulos ---

FrmAMArticulosWindow::FrmAMArticulosWindow(QWidget* parent)
    : ClassicWindow("Articulos", "Articulos",
                    "[F5] - Cargar Dichos del Catalogo  [F11] Grabar - [ESC] Cancelar ", parent) {
  Lbl_Opciones()->setObjectName("Lbl_Menu");
  FrmAMArticulos& m = AMArticulos();
  auto* mensaje = new QLabel;
  mensaje->setObjectName("lbMensaje");
  Bind(mensaje, m.lbMensaje);
  Body()->addWidget(Bold(mensaje));
  auto* grid = new QGridLayout;
  auto* nro = BoundLine(m.txtNroOrden, "txtNroOrden", true);
  nro->setFocusPolicy(Qt::NoFocus);
  nro->setMaximumWidth(90);
  grid->addWidget(NamedLabel("Nro Orden", "Label2"), 0, 0);
  grid->addWidget(nro, 0, 1, Qt::AlignLeft);
  auto* nomenclador = new QLabel;
  nomenclador->setObjectName("Lbl_Nomenclador");
  Bind(nomenclador, m.Lbl_Nomenclador);
  grid->addWidget(nomenclador, 1, 0);
  auto* ncm = BoundLine(m.txtNCM, "txtNCM");
  ncm->setMaximumWidth(ncm->fontMetrics().horizontalAdvance("8708.29.99.999") + 16);
  connect(ncm, &QLineEdit::editingFinished, this, [] { txtNCM_LostFocus(); });
  grid->addWidget(ncm, 1, 1, Qt::AlignLeft);
  grid->addWidget(NamedLabel("Codigo Art", "Label3"), 1, 2);
  auto* codArt = BoundLine(m.txt_CodArt, "txt_CodArt", true);
  codArt->setFocusPolicy(Qt::NoFocus);
  grid->addWidget(codArt, 1, 3);
  grid->addWidget(NamedLabel("Denominación de las Mercaderias", "Label4"), 2, 0);
  grid->addWidget(BoundLine(m.txtDenoMerc, "txtDenoMerc"), 2, 1, 1, 3);
  grid->addWidget(NamedLabel("Peso Liquido o Cantidad", "Label5"), 3, 0);
  auto* peso = BoundLine(m.txtPesoCant, "txtPesoCant");
  connect(peso, &QLineEdit::editingFinished, this, [] { txtPesoCant_LostFocus(); });
  grid->addWidget(peso, 3, 1);
  grid->addWidget(NamedLabel("Unidad", "Label1"), 3, 2);
  grid->addWidget(BoundLine(m.Txt_Unidad, "Txt_Unidad"), 3, 3);
  grid->addWidget(NamedLabel("FOB en U$S", "Label6"), 4, 0);
  auto* fob = BoundLine(m.txtValorFobUsd, "txtValorFobUsd");
  connect(fob, &QLineEdit::editingFinished, this, [] { txtValorFobUsd_LostFocus(); });
  grid->addWidget(fob, 4, 1);
  grid->addWidget(NamedLabel("Catalogo", "Label7"), 4, 2);
  auto* catalogo = BoundLine(m.txt_DescCatalogo, "txt_DescCatalogo", true);
  catalogo->setFocusPolicy(Qt::NoFocus);
  grid->addWidget(catalogo, 4, 3);
  grid->setColumnStretch(1, 1);
  grid->setColumnStretch(3, 1);
  Body()->addLayout(grid);

  // The tariff texts belong to a group's first item only.
  textos_ = new QWidget;
  textos_->setObjectName("TextosPartida");
  auto* t = new QGridLayout(textos_);
  t->setContentsMargins(0, 0, 0, 0);
  t->addWidget(NamedLabel("Texto / Dichos de partida (Ncm/Naladisa)", "Lbl_TextoDichosDePartida"),
               0, 0, 1, 3);
  t->addWidget(BoundLine(m.Txt_NCML1, "Txt_NCML1"), 1, 0);
  t->addWidget(BoundLine(m.Txt_NCML2, "Txt_NCML2"), 1, 1);
  t->addWidget(BoundLine(m.Txt_NCML3, "Txt_NCML3"), 1, 2);
  t->addWidget(BoundArea(m.txt_TextoPartida, "txt_TextoPartida", 4), 2, 0, 1, 3);
  auto* todos =
      new QCheckBox("Actualizar esta descripcion para todas las NCM/NALADISA en este INTERNO");
  todos->setObjectName("chk_updDichosPartidasALL");
  connect(todos, &QCheckBox::toggled, this,
          [](bool on) { AMArticulos().chk_updDichosPartidasALL = on; });
  auto* catalogoChk = new QCheckBox("Actualizar en catalogo de certificados al guardar");
  catalogoChk->setObjectName("chk_updateCatalogoNCM");
  catalogoChk->setToolTip(
      "los cambios se guardaran para las operacion actual y las posteriores / modificar solo "
      "para esta operacion");
  connect(catalogoChk, &QCheckBox::toggled, this,
          [](bool on) { AMArticulos().chk_updateCatalogoNCM = on; });
  t->addWidget(todos, 3, 0, 1, 3);
  t->addWidget(catalogoChk, 4, 0, 1, 3);
  Body()->addWidget(textos_);
  BindControls(this);
  setMinimumWidth(720);
}

void FrmAMArticulosWindow::showEvent(QShowEvent* e) {
  ClassicWindow::showEvent(e);
  Form_Activate();
}

void FrmAMArticulosWindow::Form_Activate() {
  FrmAMArticulos& m = AMArticulos();
  if (m.started) return;
  m.started = true;
  Inicio();
  textos_->setVisible(m.textosPartida);
  // The compact layout is as much shorter as the texts it leaves out.
  layout()->activate();
  resize(width(), sizeHint().height());
  if (auto* ncm = findChild<QLineEdit*>("txtNCM")) ncm->setFocus();
}

bool FrmAMArticulosWindow::Form_KeyDown(int keyCode, int) {
  if (keyCode != Key::Esc && keyCode != Key::F5 && keyCode != Key::F11) return false;
  if (keyCode == Key::F11) {
    // A box may still have the focus: what leaving it does applies before storing.
    txtNCM_LostFocus();
    txtPesoCant_LostFocus();
    txtValorFobUsd_LostFocus();
  }
  if (AMArticulos_KeyDown(keyCode)) accept();
  return true;
}

// --- Frm_CambiaPosicionArancelaria ---

FrmCambiaPosicionWindow::FrmCambiaPosicionWindow(QWidget* parent)
    : ClassicWindow("Cambio de posicion NCM/NALADISA", "Cambio de posicion NCM/NALADISA",
                    "[Esc] - Cancelar / Salir    [F11] - Aceptar / Guardar Cambios", parent) {
  Lbl_Opciones()->setObjectName("Lbl_Menu");
  CambiaPosicion_Load();
  FrmCambiaPosicionArancelaria& m = CambiaPosicion();
  auto* grid = new QGridLayout;
  grid->addWidget(NamedLabel("Tipo de Posicion Arancelaria:", "Lbl_TipoPosicion"), 0, 0);
  auto* tipo = new QLabel;
  tipo->setObjectName("Lbl_TipoPosDescripcion");
  Bind(tipo, m.Lbl_TipoPosDescripcion);
  grid->addWidget(Bold(tipo), 0, 1);
  grid->addWidget(NamedLabel("Posicion actual:", "Lbl_PosAct"), 1, 0);
  auto* actual = BoundLine(m.Txt_PosAct, "Txt_PosAct", true);
  actual->setFocusPolicy(Qt::NoFocus);
  grid->addWidget(actual, 1, 1);
  grid->addWidget(NamedLabel("Posicion nueva:", "Label1"), 1, 2);
  nueva_ = BoundLine(m.Txt_PosNueva, "Txt_PosNueva");
  nueva_->setPlaceholderText("9999.00.00");
  connect(nueva_, &QLineEdit::textChanged, this, [] { Txt_PosNueva_Change(); });
  grid->addWidget(nueva_, 1, 3);
  grid->addWidget(NamedLabel("Texto / Dichos de Partida del Certificado", "Label2"), 2, 0, 1, 2);
  grid->addWidget(NamedLabel("Texto / Dichos de Partida del Certificado", "Label3"), 2, 2, 1, 2);
  auto* ddpActual = BoundArea(m.Txt_DDP_PosActual, "Txt_DDP_PosActual", 4);
  ddpActual->setReadOnly(true);
  ddpActual->setFocusPolicy(Qt::NoFocus);
  auto* ddpNueva = BoundArea(m.Txt_DDP_PosNueva, "Txt_DDP_PosNueva", 4);
  ddpNueva->setReadOnly(true);
  ddpNueva->setFocusPolicy(Qt::NoFocus);
  grid->addWidget(ddpActual, 3, 0, 1, 2);
  grid->addWidget(ddpNueva, 3, 2, 1, 2);
  grid->addWidget(NamedLabel("Texto / Dichos de Partida del Catalogo", "Label4"), 4, 0, 1, 4);
  auto* catalogo = BoundArea(m.Txt_DDP_Catalogo, "Txt_DDP_Catalogo", 3);
  catalogo->setReadOnly(true);
  catalogo->setFocusPolicy(Qt::NoFocus);
  grid->addWidget(catalogo, 5, 0, 1, 4);
  Body()->addLayout(grid);

  auto* modo = new QGroupBox;
  modo->setObjectName("Frame_Modo");
  auto* v = new QVBoxLayout(modo);
  v->addWidget(Bold(NamedLabel("Especificar modalidad de cambio", "Label5")));
  auto* group = new QButtonGroup(this);
  using F = FrmCambiaPosicionArancelaria;
  v->addWidget(new WrappedOption(
      "Usar el texto de la POSICION ACTUAL: Los articulos que se encuentren cargados con la "
      "POSICION NUEVA cambiaran su texto / dichos de partida por el de la POSICION ACTUAL",
      "Opt_ConservarDatos", group, F::kTextoPosicionActual));
  v->addWidget(new WrappedOption(
      "Usar el texto del CATALOGO: Los articulos que se encuentren cargados con la POSICION "
      "NUEVA cambiaran su texto / dichos de partida por el existente en el CATALOGO",
      "Option1", group, F::kTextoCatalogo));
  v->addWidget(new WrappedOption(
      "Usar el texto de la POSICION NUEVA: Los articulos que se encuentren cargados con la "
      "POSICION NUEVA conservaran su texto / dichos de partida existente.",
      "Option2", group, F::kTextoPosicionNueva));
  group->button(m.modo)->setChecked(true);
  connect(group, &QButtonGroup::idToggled, this, [](int id, bool on) {
    if (on) CambiaPosicion().modo = id;
  });
  Body()->addWidget(modo);

  auto* aceptar = new QPushButton("Aceptar");
  aceptar->setObjectName("Cmd_Aceptar");
  aceptar->setAutoDefault(false);
  auto* cancelar = new QPushButton("Cancelar");
  cancelar->setObjectName("Cmd_Cancelar");
  cancelar->setAutoDefault(false);
  connect(aceptar, &QPushButton::clicked, this, &FrmCambiaPosicionWindow::Aceptar);
  connect(cancelar, &QPushButton::clicked, this, [this] {
    Cmd_Cancelar_Click();
    reject();
  });
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(aceptar);
  buttons->addWidget(cancelar);
  Body()->addLayout(buttons);
  BindControls(this);
  resize(760, 560);
}

void FrmCambiaPosicionWindow::showEvent(QShowEvent* e) {
  ClassicWindow::showEvent(e);
  nueva_->setFocus();
}

void FrmCambiaPosicionWindow::Aceptar() {
  if (Cmd_Aceptar_Click()) {
    accept();
  } else {
    nueva_->setFocus();
  }
}

bool FrmCambiaPosicionWindow::Form_KeyDown(int keyCode, int) {
  switch (keyCode) {
    case Key::Esc:
      Cmd_Cancelar_Click();
      reject();
      return true;
    case Key::F11:
      Aceptar();
      return true;
    default:
      return false;
  }
}

}  // namespace ostrevan::ui
