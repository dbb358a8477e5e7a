#include "ui/edit/frm_dsdhst.h"

#include "host/keys.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "job/page_range.h"

namespace ostrevan::ui {

// Esc closes without storing a range, so the pages the print run offered all print; only
// "Cancelar" stops the run.
FrmDsdHstWindow::FrmDsdHstWindow(QWidget* parent)
    : ClassicWindow(
          "Imprimir", "Imprimir",
          "[Enter] o [F11]  Aceptar  -  [F8]  Vista previa  -  [ESC]  Salir (imprime todas)",
          parent) {
  DsdHst_Load();
  FrmDsdHst& m = DsdHst();
  auto* grid = new QGridLayout;
  Body()->addLayout(grid);
  auto* title = new QLabel("Parametros de Impresión");
  QFont bold = title->font();
  bold.setBold(true);
  title->setFont(bold);
  grid->addWidget(title, 0, 0, 1, 4);
  grid->addWidget(new QLabel("Paginas"), 1, 0);
  grid->addWidget(new QLabel("desde"), 1, 1);
  desde_ = new QLineEdit(m.txtDesde.Text());
  desde_->setObjectName("txtDesde");
  grid->addWidget(desde_, 1, 2);
  grid->addWidget(new QLabel("hasta"), 2, 1);
  hasta_ = new QLineEdit(m.txtHasta.Text());
  hasta_->setObjectName("txtHasta");
  grid->addWidget(hasta_, 2, 2);
  auto* aceptar = new QPushButton("Aceptar");
  aceptar->setObjectName("cmdAceptar");
  aceptar->setDefault(true);
  auto* cancelar = new QPushButton("Cancelar");
  cancelar->setObjectName("Command2");
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(aceptar);
  buttons->addWidget(cancelar);
  grid->addLayout(buttons, 3, 0, 1, 3);
  connect(desde_, &QLineEdit::textChanged, this,
          [](const QString& t) { DsdHst().txtDesde.SetText(t); });
  connect(hasta_, &QLineEdit::textChanged, this,
          [](const QString& t) { DsdHst().txtHasta.SetText(t); });
  connect(aceptar, &QPushButton::clicked, this, &FrmDsdHstWindow::cmdAceptar_Click);
  connect(cancelar, &QPushButton::clicked, this, &FrmDsdHstWindow::Command2_Click);
  desde_->selectAll();
}

void FrmDsdHstWindow::cmdAceptar_Click() {
  if (Validar_Guardar()) accept();
}

void FrmDsdHstWindow::Command2_Click() {
  DsdHst_Cancelar();
  reject();
}

bool FrmDsdHstWindow::Form_KeyDown(int keyCode, int) {
  switch (keyCode) {
    case Key::Enter:
      if (auto* button = qobject_cast<QPushButton*>(focusWidget())) {
        button->click();  // Enter on "Cancelar" cancels
        return true;
      }
      cmdAceptar_Click();
      return true;
    case Key::F11:
      cmdAceptar_Click();
      return true;
    case Key::F8:  // F8: the range is shown before it prints
      if (DsdHst_VistaPrevia()) accept();
      return true;
    case Key::Esc:
      reject();
      return true;
    default:
      return false;
  }
}

}  // namespace ostrevan::ui
