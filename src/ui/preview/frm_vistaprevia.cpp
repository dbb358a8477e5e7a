#include "ui/preview/frm_vistaprevia.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>

#include "host/keys.h"
#include "host/msgbox.h"
#include "host/state.h"
#include "job/preview.h"
#include "job/print_job.h"

namespace ostrevan::ui {

namespace {
constexpr double kPaperWidthMm = 210;
constexpr double kPaperHeightMm = 297;
}  // namespace

FrmVistaPreviaWindow::FrmVistaPreviaWindow(QWidget* parent)
    : ClassicWindow("Vista previa - " + St().sIdCeo, "Vista Previa",
                    "[RePag] [AvPag]  Pagina  -  [F5]  Ajustar  [F6]  100 %  [F7]  200 %  -  "
                    "[F8]  Formulario  -  [F9]  Borrador  -  [F12]  Imprimir  -  [ESC]  Salir",
                    parent) {
  status_ = new QLabel;
  status_->setObjectName("Lbl_Estado");
  Body()->addWidget(status_);
  scroll_ = new QScrollArea;
  scroll_->setObjectName("Scroll_Pagina");
  scroll_->setAlignment(Qt::AlignCenter);
  scroll_->setBackgroundRole(QPalette::Dark);
  page_ = new QLabel;
  page_->setObjectName("Img_Pagina");
  scroll_->setWidget(page_);
  Body()->addWidget(scroll_, 1);
  const QRect screen = QApplication::primaryScreen()
                           ? QApplication::primaryScreen()->availableGeometry()
                           : QRect(0, 0, 1280, 1024);
  resize(std::min(900, screen.width() - 40), std::max(500, screen.height() - 80));
}

double FrmVistaPreviaWindow::PxPorMm() const {
  const VistaPrevia& v = Previa();
  const double dpi = logicalDpiX() > 0 ? logicalDpiX() : 96;
  switch (v.zoom) {
    case VistaPrevia::Cien:
      return dpi / 25.4;
    case VistaPrevia::Doscientos:
      return 2 * dpi / 25.4;
    case VistaPrevia::Ajustar:
      break;
  }
  const QSize room = scroll_->viewport()->size() - QSize(8, 8);
  return std::max(0.5, std::min(room.width() / kPaperWidthMm, room.height() / kPaperHeightMm));
}

void FrmVistaPreviaWindow::Mostrar() {
  const VistaPrevia& v = Previa();
  const QImage img = v.Imagen(PxPorMm());
  page_->setPixmap(QPixmap::fromImage(img));
  page_->resize(img.size());
  status_->setText(v.Estado());
}

void FrmVistaPreviaWindow::showEvent(QShowEvent* e) {
  ClassicWindow::showEvent(e);
  Mostrar();
}

void FrmVistaPreviaWindow::resizeEvent(QResizeEvent* e) {
  ClassicWindow::resizeEvent(e);
  if (isVisible() && Previa().zoom == VistaPrevia::Ajustar) Mostrar();
}

void FrmVistaPreviaWindow::Borrador() {
  VistaPrevia& v = Previa();
  const QString pdf = ArchivoBorrador(St().sIdCeo);
  QDir().mkpath(QFileInfo(pdf).absolutePath());
  print::DraftBackend draft(std::make_shared<print::PdfBackend>(pdf), v.fondo);
  QString error;
  QApplication::setOverrideCursor(Qt::WaitCursor);
  const bool ok = draft.Print(v.paginas, "BORRADOR", &error);
  QApplication::restoreOverrideCursor();
  if (ok) {
    MsgBox("El borrador se guardo en el archivo " + QDir::toNativeSeparators(pdf), vbInformation,
           "Borrador");
  } else {
    MsgBox("No se pudo guardar el borrador: " + error, vbExclamation, "Borrador");
  }
}

bool FrmVistaPreviaWindow::Form_KeyDown(int keyCode, int) {
  VistaPrevia& v = Previa();
  switch (keyCode) {
    case Key::PageUp:
    case Key::PageDown:
      if (v.Avanzar(keyCode == Key::PageUp ? -1 : 1)) {
        Mostrar();
        scroll_->verticalScrollBar()->setValue(0);
      }
      return true;
    case Key::F5:
    case Key::F6:
    case Key::F7:
      v.zoom = static_cast<VistaPrevia::Zoom>(keyCode - Key::F5);
      Mostrar();
      return true;
    case Key::F8:
      v.mostrarFormulario = !v.mostrarFormulario;
      Mostrar();
      return true;
    case Key::F9:
      Borrador();
      return true;
    case Key::F12:
      v.resultado = VistaPrevia::Imprimir;
      accept();
      return true;
    case Key::Esc:
      v.resultado = VistaPrevia::Cerrar;
      reject();
      return true;
    default:
      return false;
  }
}

}  // namespace ostrevan::ui
