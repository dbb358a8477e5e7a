#include "ui/edit/frm_cargadatos.h"

#include "host/keys.h"

#include <QApplication>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTime>
#include <QTimer>

#include "data/forms.h"
#include "data/item_work.h"
#include "data/mod_main.h"
#include "host/errors.h"
#include "host/msgbox.h"
#include "host/state.h"
#include "host/windows.h"
#include "job/cod_job.h"
#include "job/print_job.h"
#include "ui/common/binding.h"
#include "ui/common/flexgrid.h"
#include "ui/common/widget_services.h"
#include "ui/edit/clcntrl.h"
#include "ui/edit/frm_hallazgos.h"

namespace ostrevan::ui {

QString CaptionForTag(const QString& tag, const QString& formId) {
  const bool ceo104 = formId == "CEO104";
  if (tag == "ID001") {
    return ceo104 ? "1) EXPORTADOR O PRODUCTOR (Razón social, Dirección, Fecha)"
                  : "1) Productor final o exportador (Nombre, Dirección, Pais)";
  }
  if (tag == "ID002") {
    return ceo104 ? "2) IMPORTADOR (Razón social, Dirección)"
                  : "2) Importador (Nombre, Dirección, Pais)";
  }
  if (tag == "ID049") {
    return ceo104 ? "15) CERTIFICACIÓN DE ORIGEN"
                  : "15) Declaracion del producto final o del exportador:";
  }
  if (tag == "ID050") {
    return ceo104 ? "Certifico la veracidad de la presente declaracion en la ciudad de:"
                  : "Declaramos que las mercaderias mencionadas en el presente formulario fueron "
                    "producidas en";
  }
  if (tag == "ID051") {
    return ceo104 ? "\"Acuerdo\" (No completar, esta preimpreso)"
                  : "y estan de acuerdo con las condiciones de origen establecidas en el acuerdo";
  }
  return {};
}

namespace {
QLabel* Bound(Label& m, const char* name) {
  auto* l = new QLabel;
  l->setObjectName(name);
  l->setWordWrap(true);
  Bind(l, m);
  return l;
}
}  // namespace

FrmCargaDatosWindow::FrmCargaDatosWindow(QWidget* parent)
    : ClassicWindow("Certificados de Origen - v." + ComponentVersion(), "Carga de Datos",
                    "[F8]  Vista previa  -  [F9]  COD  -  [F10]  Configuracion  -  [F11]  Guardar  "
                    "-  [F12]  Imprimir  -  [Ctrl+Tab]  Solapas  -  [ESC]  Salir",
                    parent) {
  FrmCargaDatos& m = CargaDatos();
  m.rowParteI = m.rowParteII = 0;

  auto* top = new QGridLayout;
  auto* camara = BoundCombo(m.Cmb_Camara, "Cmb_Camara");
  auto* pais = BoundCombo(m.cboPais, "cboPais", 300);
  auto* nomenclador = BoundLine(m.Txt_TipoNomenclador, "Txt_TipoNomenclador");
  nomenclador->setReadOnly(true);
  nomenclador->setMaximumWidth(110);
  auto* config = new QPushButton("Configuracion");
  config->setObjectName("Cmd_Config");
  // Out of the Enter walk through the fields (it would open the settings on the way); F10
  // opens them from the keyboard.
  config->setFocusPolicy(Qt::NoFocus);
  config->setToolTip("[F10]");
  connect(config, &QPushButton::clicked, this, [] { Windows().ShowModal(Window::Config); });
  top->addWidget(NamedLabel("Camara:", "Lbl_Camaras"), 0, 0);
  top->addWidget(camara, 0, 1);
  top->addWidget(NamedLabel("Paises:", "Label16"), 0, 2);
  top->addWidget(pais, 0, 3);
  top->addWidget(NamedLabel("Nomenclador:", "Label15"), 0, 4);
  top->addWidget(nomenclador, 0, 5);
  top->addWidget(config, 0, 6);
  top->addWidget(NamedLabel("Estado:", "Label23"), 1, 0);
  top->addWidget(BoundLine(m.Txt_Estado, "Txt_Estado"), 1, 1);
  top->addWidget(NamedLabel("Descripción:", "Label19"), 1, 2);
  top->addWidget(BoundLine(m.Txt_Descripcion, "Txt_Descripcion"), 1, 3, 1, 4);
  Body()->addLayout(top);

  tabs_ = new QTabWidget;
  tabs_->setObjectName("SSTab1");
  Body()->addWidget(tabs_, 1);
  auto* guardado = new QLabel;
  guardado->setObjectName("Lbl_Guardado");
  Bind(guardado, m.Lbl_Guardado);

  // Secciones I - VII
  auto* t1 = new QWidget;
  auto* g1 = new QGridLayout(t1);
  auto* presentante = new QGroupBox;
  presentante->setObjectName("Fram_Presentante");
  auto* gp = new QGridLayout(presentante);
  gp->addWidget(Bound(m.Lbl_Cuit, "Lbl_Cuit"), 0, 0);
  gp->addWidget(BoundArea(m.Txt_ProdFinExp, "Txt_ProdFinExp"), 1, 0);
  gp->addWidget(Bound(m.Lbl_NroRegistro, "Lbl_NroRegistro"), 2, 0);
  gp->addWidget(BoundArea(m.Txt_Importador, "Txt_Importador"), 3, 0);
  gp->addWidget(NamedLabel("3) Consignatario (Nombre, Pais)", "Label1"), 4, 0);
  gp->addWidget(BoundArea(m.Txt_Consignatario, "Txt_Consignatario", 2), 5, 0);
  gp->addWidget(NamedLabel("4) Puerto o lugar de embarque previsto", "Label2"), 6, 0);
  gp->addWidget(BoundLine(m.Txt_PuertoEmbarque, "Txt_PuertoEmbarque"), 7, 0);
  gp->addWidget(NamedLabel("6) Medio de transporte previsto", "Label3"), 8, 0);
  gp->addWidget(BoundLine(m.Txt_MedioTransporte, "Txt_MedioTransporte"), 9, 0);
  auto* frame1 = new QGroupBox;
  frame1->setObjectName("Frame1");
  auto* gf = new QGridLayout(frame1);
  gf->addWidget(NamedLabel("5) Pais de destino de las mercaderias", "Label9"), 0, 0, 1, 2);
  gf->addWidget(BoundLine(m.Txt_PaisDest, "Txt_PaisDest"), 1, 0, 1, 2);
  gf->addWidget(NamedLabel("7) Factura comercial", "Label8"), 2, 0, 1, 2);
  gf->addWidget(BoundArea(m.Txt_FactComerc, "Txt_FactComerc", 2), 3, 0, 1, 2);
  gf->addWidget(NamedLabel("Numero:", "Label6"), 4, 0);
  gf->addWidget(BoundLine(m.Txt_FCNumero, "Txt_FCNumero"), 4, 1);
  gf->addWidget(NamedLabel("Fecha", "Label4"), 5, 0);
  auto* fecha = BoundLine(m.Txt_FCFecha, "Txt_FCFecha");
  fecha->setProperty("Tag", "NTab");
  gf->addWidget(fecha, 5, 1);
  auto* logo = BoundPicture(m.Image1, "Image1", 180, 110);
  gf->addWidget(logo, 6, 0, 1, 2, Qt::AlignCenter);
  gf->setRowStretch(7, 1);
  g1->addWidget(presentante, 0, 0);
  g1->addWidget(frame1, 0, 1);
  g1->setColumnStretch(0, 3);
  g1->setColumnStretch(1, 2);
  tabs_->addTab(t1, "Secciones I - VII");

  // Secciones VIII - XIII
  auto* t2 = new QWidget;
  auto* v2 = new QVBoxLayout(t2);
  v2->addWidget(NamedLabel("Secciones 8 - 12", "Label5"));
  items_ = new FlexGrid(m.MsfgParteI);
  items_->setObjectName("MsfgParteI");
  for (int col : {3, 4, 7, 8}) items_->KeepWhole(col);
  connect(items_, &QAbstractItemView::doubleClicked, this, [this] {
    MsfgParteI_DblClick();
    items_->setFocus();
  });
  v2->addWidget(items_, 3);
  auto* counters = new QHBoxLayout;
  counters->addWidget(Bound(m.LblSelInfo, "LblSelInfo"));
  counters->addStretch();
  counters->addWidget(Bound(m.Lbl_TotalArts, "Lbl_TotalArts"));
  v2->addLayout(counters);
  v2->addWidget(
      NamedLabel("[Barra Espaciadora]  Seleccionar articulos - [F6]  Asociar Normas de "
                 "Origen  - [F7] Cambiar NCM/Naladisa",
                 "Label12"));
  v2->addWidget(NamedLabel("Seccion 13 (Normas de Origen)", "Label11"));
  norms_ = new FlexGrid(m.MsfgParteII);
  norms_->setObjectName("MsfgParteII");
  norms_->KeepWhole(1);
  v2->addWidget(norms_, 1);
  tabs_->addTab(t2, "Secciones VIII - XIII");

  // Secciones XIV - XV
  auto* t3 = new QWidget;
  auto* g3 = new QGridLayout(t3);
  g3->addWidget(NamedLabel("14) Observaciones", "Label17"), 0, 0, 1, 2);
  g3->addWidget(BoundArea(m.Txt_Observaciones, "Txt_Observaciones", 4), 1, 0, 1, 2);
  g3->addWidget(Bound(m.Label7, "Label7"), 2, 0, 1, 2);
  g3->addWidget(BoundArea(m.Txt_DeclProdFin, "Txt_DeclProdFin", 2), 3, 0, 1, 2);
  g3->addWidget(Bound(m.Label10, "Label10"), 4, 0, 1, 2);
  g3->addWidget(Bound(m.Label13, "Label13"), 5, 0, 1, 2);
  g3->addWidget(BoundArea(m.Txt_DeclAcuerdo, "Txt_DeclAcuerdo", 2), 6, 0, 1, 2);
  g3->addWidget(NamedLabel("Fecha:", "Label14"), 7, 0);
  g3->addWidget(BoundLine(m.Txt_Fecha, "Txt_Fecha"), 7, 1);
  g3->setRowStretch(8, 1);
  tabs_->addTab(t3, "Secciones XIV - XV");

  auto* t4 = new QWidget;
  auto* v4 = new QVBoxLayout(t4);
  auto* text1 = new QPlainTextEdit;
  text1->setObjectName("Text1");
  text1->setTabChangesFocus(true);
  Bind(text1, m.Text1);
  v4->addWidget(text1);
  tabs_->addTab(t4, "Declaración Jurada");

  Body()->addWidget(guardado);
  connect(tabs_, &QTabWidget::currentChanged, this, &FrmCargaDatosWindow::TabChanged);
  reload_ = new QTimer(this);
  reload_->setSingleShot(true);
  reload_->setInterval(m.TimerReload.Interval);
  connect(reload_, &QTimer::timeout, this, [this] {
    CargaDatos().TimerReload.SetEnabled(false);
    if (St().bRecargar) close();
  });
  const int id = m.TimerReload.Listen([this] {
    if (CargaDatos().TimerReload.Enabled()) reload_->start();
  });
  Timer& timer = m.TimerReload;
  connect(this, &QObject::destroyed, [&timer, id] { timer.Unlisten(id); });
  tabs_->setCurrentIndex(0);
  // Enter moves on like Tab; "NTab" on the invoice date also brings the next tab.
  BindControls(this, [this] {
    if (tabs_->currentIndex() + 1 < tabs_->count())
      tabs_->setCurrentIndex(tabs_->currentIndex() + 1);
  });
  resize(1100, 720);
}

void FrmCargaDatosWindow::showEvent(QShowEvent* e) {
  ClassicWindow::showEvent(e);
  Form_Activate();
  focusNextChild();  // the focus leaves the first control, as on load
}

void FrmCargaDatosWindow::Form_Activate() {
  const QString form = St().sIdFormulario;
  FrmCargaDatos& m = CargaDatos();
  for (Label* l : {&m.Lbl_Cuit, &m.Lbl_NroRegistro, &m.Label7, &m.Label10, &m.Label13}) {
    l->SetCaption(CaptionForTag(l->Tag, form));
  }
}

void FrmCargaDatosWindow::TabChanged(int index) {
  if (index != 1) return;
  Grid& g = CargaDatos().MsfgParteI;
  items_->setFocus();
  if (g.Rows() >= 2) g.SetRow(1);
  g.Col = 0;
  g.RowSel = g.Row();
  g.ColSel = g.Cols() - 1;
  items_->Sync();
}

bool FrmCargaDatosWindow::GuardarYAvisar() {
  const bool saved = GuardarCambios();
  // The sign of a save the settings window gives, without a box to close: the status line
  // under the tabs, with the time, so that a second F11 shows too.
  CargaDatos().Lbl_Guardado.SetCaption(
      saved ? "Datos guardados (" + QTime::currentTime().toString("HH:mm:ss") + ")" : QString());
  return saved;
}

bool FrmCargaDatosWindow::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress) return ClassicWindow::eventFilter(watched, event);
  const auto* k = static_cast<QKeyEvent*>(event);
  const int code = KeyCodeOf(*k);
  if (watched == items_ &&
      (code == Key::Enter || code == Key::Space || code == Key::Insert || code == Key::Delete ||
       code == Key::F6 || code == Key::F7)) {
    const int shift = ShiftOf(*k);
    Guarded("MsfgParteI_KeyDown", "Frm_CargaDatos", [&] {
      MsfgParteI_KeyDown(code, shift);
      return true;
    });
    items_->setFocus();
    return true;
  }
  if (watched == norms_ && code != 0 && code != Key::Esc && code != Key::F11 && code != Key::F12) {
    const bool taken = ClassicWindow::eventFilter(watched, event);
    MsfgParteII_KeyDown();
    return taken;
  }
  // Enter on the tab strip moves on as Tab would, and still reaches the strip.
  if (watched == tabs_->tabBar() && code == Key::Enter) focusNextChild();
  return ClassicWindow::eventFilter(watched, event);
}

void FrmCargaDatosWindow::MoverSolapa(int step) {
  const int n = tabs_->count();
  tabs_->setCurrentIndex((tabs_->currentIndex() + step + n) % n);
  if (tabs_->currentIndex() == 1) return;  // the item grid took the focus
  // The keys go on in the page shown: its first control takes them.
  QWidget* page = tabs_->currentWidget();
  for (QWidget* w = page->nextInFocusChain(); w != page && w != this; w = w->nextInFocusChain()) {
    if (page->isAncestorOf(w) && w->isVisibleTo(this) && w->isEnabled() &&
        (w->focusPolicy() & Qt::TabFocus)) {
      w->setFocus(Qt::TabFocusReason);
      return;
    }
  }
}

bool FrmCargaDatosWindow::Form_KeyDown(int keyCode, int shift) {
  try {
    const bool ctrl = shift & KeyShift::Ctrl;
    switch (keyCode) {
      case Key::Tab:  // Ctrl+Tab and Ctrl+Shift+Tab turn the pages, as in every Qt window
        if (!ctrl) return false;
        MoverSolapa(shift & KeyShift::Shift ? -1 : 1);
        return true;
      case Key::PageDown:
      case Key::PageUp:
        if (!ctrl) return false;
        MoverSolapa(keyCode == Key::PageDown ? 1 : -1);
        return true;
      case Key::Esc:
        CargaDatos().selected.clear();
        close();
        return true;
      case Key::F10:
        Windows().ShowModal(Window::Config);
        return true;
      case Key::F11:
        GuardarYAvisar();
        return true;
      case Key::F8:
        VistaPreviaDesdeCarga(*this);
        return true;
      case Key::F9:  // the digital certificate of the certificate as saved now
        if (GuardarYAvisar()) {
          CodVentana().Form_Load(St().sIdCeo);
          Windows().ShowModal(Window::Cod);
        }
        return true;
      case Key::F12: {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        QString salida;  // only this key's run: a failed save or check prints nothing
        if (GuardarYAvisar() && VerificarAntesDeImprimir(*this)) {
          salida = EnviaImpresion();
        }
        QApplication::restoreOverrideCursor();
        // A certificate printed to a file must say where it went.
        if (!salida.isEmpty()) {
          MsgBox("El certificado se imprimio en el archivo " + salida, vbInformation,
                 "Imprimir Certificado de Origen");
        }
        return true;
      }
      default:
        return false;
    }
  } catch (const std::exception& e) {
    QApplication::restoreOverrideCursor();
    ReportBracket(e, " Frm_CargaDatos [Form_KeyDown] ");
  }
  return true;
}

}  // namespace ostrevan::ui
