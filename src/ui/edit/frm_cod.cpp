#include "ui/edit/frm_cod.h"

#include <QApplication>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QScrollArea>
#include <QTime>

#include "host/errors.h"
#include "host/keys.h"
#include "host/msgbox.h"
#include "host/state.h"
#include "job/cod_job.h"
#include "ui/common/binding.h"
#include "ui/edit/clcntrl.h"

namespace ostrevan::ui {

namespace {
QLabel* Texto(Label& m, const char* name) {
  auto* l = new QLabel;
  l->setObjectName(name);
  l->setWordWrap(true);
  l->setTextInteractionFlags(Qt::TextSelectableByMouse);
  Bind(l, m);
  return l;
}
}  // namespace

FrmCodWindow::FrmCodWindow(QWidget* parent)
    : ClassicWindow("Certificado de Origen Digital - " + St().sIdCeo,
                    "Certificado de Origen Digital",
                    "[F11]  Guardar  -  [F5]  Exportar  -  [F9]  Firmar  -  [F7]  Verificar  -  "
                    "[F8]  Adjuntar emitido  -  [ESC]  Salir",
                    parent) {
  FrmCod& m = CodVentana();
  auto* datos = new QGroupBox("Datos del COD que el formulario en papel no tiene");
  datos->setObjectName("Fram_DatosCod");
  auto* g = new QGridLayout(datos);
  int i = 0;
  for (const CampoCodInfo& c : CamposCod()) {
    const int fila = i / 2, col = (i % 2) * 2;
    g->addWidget(NamedLabel(QString::fromUtf8(c.etiqueta), ""), fila, col);
    QLineEdit* box = BoundLine(m.campos[static_cast<size_t>(c.campo)], c.control);
    if (c.esFecha) box->setPlaceholderText("dd/mm/aaaa");
    g->addWidget(box, fila, col + 1);
    ++i;
  }
  Body()->addWidget(datos);

  auto* firma = new QGroupBox("Firma del exportador o de su representante");
  firma->setObjectName("Fram_Firma");
  auto* gf = new QGridLayout(firma);
  gf->addWidget(NamedLabel("Firmar con:", "Lbl_Origen"), 0, 0);
  gf->addWidget(BoundCombo(m.Cmb_Origen, "Cmb_Origen"), 0, 1);
  gf->addWidget(NamedLabel("Archivo .p12 o URI del token:", "Lbl_Firmante"), 0, 2);
  gf->addWidget(BoundLine(m.Txt_Firmante, "Txt_Firmante"), 0, 3);
  gf->addWidget(NamedLabel("Contraseña o PIN:", "Lbl_Secreto"), 1, 0);
  QLineEdit* pin = BoundLine(m.Txt_Secreto, "Txt_Secreto");
  pin->setEchoMode(QLineEdit::Password);
  gf->addWidget(pin, 1, 1);
  gf->addWidget(NamedLabel("Archivo del COD:", "Lbl_Archivo"), 1, 2);
  gf->addWidget(BoundLine(m.Txt_Archivo, "Txt_Archivo"), 1, 3);
  gf->setColumnStretch(3, 1);
  Body()->addWidget(firma);

  auto* emitido = new QGroupBox("COD emitido por la entidad habilitada");
  emitido->setObjectName("Fram_Emitido");
  auto* ge = new QGridLayout(emitido);
  ge->addWidget(NamedLabel("Archivo del COD emitido:", "Lbl_Emitido"), 0, 0);
  ge->addWidget(BoundLine(m.Txt_Emitido, "Txt_Emitido"), 0, 1);
  ge->addWidget(Texto(m.Lbl_Emision, "Lbl_Emision"), 1, 0, 1, 2);
  ge->setColumnStretch(1, 1);
  Body()->addWidget(emitido);

  auto* informe = new QWidget;
  auto* v = new QVBoxLayout(informe);
  v->addWidget(Texto(m.Lbl_Resultado, "Lbl_Resultado"));
  v->addWidget(Texto(m.Lbl_Hallazgos, "Lbl_Hallazgos"));
  v->addStretch(1);
  auto* scroll = new QScrollArea;
  scroll->setWidgetResizable(true);
  scroll->setFocusPolicy(Qt::NoFocus);
  scroll->setWidget(informe);
  Body()->addWidget(scroll, 1);

  BindControls(this);
  resize(1000, 700);
}

void FrmCodWindow::showEvent(QShowEvent* e) {
  ClassicWindow::showEvent(e);
  if (auto* first = findChild<QLineEdit*>(InfoCampoCod(CampoCod::ExpCiudad).control)) {
    first->setFocus();
  }
}

bool FrmCodWindow::Form_KeyDown(int keyCode, int) {
  FrmCod& m = CodVentana();
  try {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    switch (keyCode) {
      case Key::Esc:
        QApplication::restoreOverrideCursor();
        close();
        return true;
      case Key::F11:
        // Said as the data-entry window says it: F11 otherwise changes nothing on screen.
        if (m.Guardar()) {
          m.Lbl_Resultado.SetCaption("Datos guardados (" +
                                     QTime::currentTime().toString("HH:mm:ss") + ")");
        }
        break;
      case Key::F5:
        m.Exportar();
        break;
      case Key::F9:
        m.Firmar();
        break;
      case Key::F7:
        m.Verificar();
        break;
      case Key::F8:
        m.Adjuntar();
        break;
      default:
        QApplication::restoreOverrideCursor();
        return false;
    }
    QApplication::restoreOverrideCursor();
  } catch (const std::exception& e) {
    QApplication::restoreOverrideCursor();
    ReportBracket(e, " Frm_Cod [Form_KeyDown] ");
  }
  return true;
}

}  // namespace ostrevan::ui
