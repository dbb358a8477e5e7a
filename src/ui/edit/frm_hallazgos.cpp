#include "ui/edit/frm_hallazgos.h"

#include "host/keys.h"

#include <QApplication>
#include <QHeaderView>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

#include "data/forms.h"
#include "data/mod_main.h"
#include "data/verificaciones.h"
#include "host/msgbox.h"
#include "host/state.h"
#include "host/windows.h"
#include "job/print_job.h"
#include "job/preview.h"
#include "job/print_job.h"
#include "ui/common/flexgrid.h"
#include "ui/edit/frm_cargadatos.h"

namespace ostrevan::ui {

FrmHallazgosWindow::FrmHallazgosWindow(QWidget* parent)
    : ClassicWindow("Verificacion antes de imprimir", "Verificacion del Certificado",
                    "[Enter]  Ir a corregir  -  [F12]  Imprimir igual  -  [ESC]  Volver", parent) {
  const std::vector<Hallazgo>& lista = Hallazgos().lista;
  table_ = new QTableWidget(static_cast<int>(lista.size()), 3);
  table_->setObjectName("Msfg_Hallazgos");
  table_->setHorizontalHeaderLabels({"Nivel", "Codigo", "Qué está mal y dónde corregirlo"});
  table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table_->setSelectionBehavior(QAbstractItemView::SelectRows);
  table_->setSelectionMode(QAbstractItemView::SingleSelection);
  table_->setWordWrap(true);
  table_->verticalHeader()->hide();
  table_->horizontalHeader()->setStretchLastSection(true);
  for (int r = 0; r < static_cast<int>(lista.size()); ++r) {
    const Hallazgo& h = lista[static_cast<size_t>(r)];
    auto* nivel = new QTableWidgetItem(NivelTexto(h.nivel));
    if (h.nivel == Nivel::Error) nivel->setForeground(QColor(170, 0, 0));
    table_->setItem(r, 0, nivel);
    table_->setItem(r, 1, new QTableWidgetItem(h.codigo));
    table_->setItem(r, 2, new QTableWidgetItem(h.mensaje));
  }
  table_->resizeColumnsToContents();
  table_->setColumnWidth(2, 620);
  table_->resizeRowsToContents();
  if (!lista.empty()) table_->selectRow(0);
  Body()->addWidget(table_);
  resize(980, 480);
}

bool FrmHallazgosWindow::Form_KeyDown(int keyCode, int) {
  FrmHallazgos& m = Hallazgos();
  switch (keyCode) {
    case Key::Enter:
      m.elegido = table_->currentRow();
      m.resultado = m.elegido >= 0 ? FrmHallazgos::Corregir : FrmHallazgos::Volver;
      accept();
      return true;
    case Key::F12:
      m.resultado = FrmHallazgos::Imprimir;
      accept();
      return true;
    case Key::Esc:
      m.resultado = FrmHallazgos::Volver;
      reject();
      return true;
    default:
      return false;
  }
}

bool VerificarAntesDeImprimir(FrmCargaDatosWindow& window) {
  FrmHallazgos& m = Hallazgos();
  m = FrmHallazgos();
  m.lista = VerificarParaImprimir(St().sIdCeo);
  if (m.lista.empty()) return true;
  // Read with the normal pointer; printing, if it goes on, waits with the hourglass again.
  const bool waiting = QApplication::overrideCursor() != nullptr;
  if (waiting) QApplication::restoreOverrideCursor();
  Windows().ShowModal(Window::Hallazgos);
  if (waiting) QApplication::setOverrideCursor(Qt::WaitCursor);
  if (m.resultado == FrmHallazgos::Corregir && m.elegido >= 0 &&
      m.elegido < static_cast<int>(m.lista.size())) {
    IrACorregir(window, m.lista[static_cast<size_t>(m.elegido)]);
  }
  return m.resultado == FrmHallazgos::Imprimir;
}

namespace {
int TabOf(QTabWidget* tabs, QWidget* w) {
  for (int i = 0; i < tabs->count(); ++i) {
    if (tabs->widget(i)->isAncestorOf(w)) return i;
  }
  return -1;
}
}  // namespace

void IrACorregir(FrmCargaDatosWindow& window, const Hallazgo& h) {
  QTabWidget* tabs = window.SSTab1();
  switch (h.lugar) {
    case Lugar::Encabezado: {
      auto* box = window.findChild<QWidget*>(h.control);
      if (!box) return;
      const int tab = TabOf(tabs, box);
      if (tab >= 0) tabs->setCurrentIndex(tab);
      box->setFocus();
      return;
    }
    case Lugar::Articulos: {
      tabs->setCurrentIndex(1);
      Grid& g = CargaDatos().MsfgParteI;
      for (int r = 1; r < g.Rows(); ++r) {
        if (h.nroOrden != 0 && g.TextMatrix(r, 1).trimmed() == QString::number(h.nroOrden)) {
          g.SetRow(r);
          g.RowSel = r;
          break;
        }
      }
      window.MsfgParteI()->setFocus();
      return;
    }
    case Lugar::Formulario:
      Windows().ShowModal(Window::Config);
      return;
  }
}

void VistaPreviaDesdeCarga(FrmCargaDatosWindow& window) {
  QApplication::setOverrideCursor(Qt::WaitCursor);
  const bool saved = GuardarCambios();
  QApplication::restoreOverrideCursor();
  if (!saved) return;
  if (MostrarVistaPrevia() != VistaPrevia::Imprimir) return;
  window.Form_KeyDown(Key::F12, 0);  // printing from the preview is F12 of this window
}

}  // namespace ostrevan::ui
