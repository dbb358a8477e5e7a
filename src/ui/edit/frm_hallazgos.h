#pragma once
// The findings of the checks before printing, and what the data-entry window does with them.
#include "ui/common/classic_window.h"

class QTableWidget;

namespace ostrevan {
struct Hallazgo;
}

namespace ostrevan::ui {

class FrmCargaDatosWindow;

// Lists the findings of Hallazgos(): Enter goes to the one to fix, Esc goes back, F12 prints
// anyway.
class FrmHallazgosWindow final : public ClassicWindow {
 public:
  explicit FrmHallazgosWindow(QWidget* parent = nullptr);
  bool Form_KeyDown(int keyCode, int shift) override;
  QTableWidget* Lista() const { return table_; }

 private:
  QTableWidget* table_;
};

// Runs the checks of the stored certificate; true when printing may go on (no findings, the
// form turns the checks off, or the user pressed F12 in the findings window). Enter there
// brings the window's box or item of the chosen finding to the front.
bool VerificarAntesDeImprimir(FrmCargaDatosWindow& window);
// Shows the box, item or settings where a finding is fixed.
void IrACorregir(FrmCargaDatosWindow& window, const Hallazgo& h);
// F8 of the data-entry window: saves, shows the preview, and prints when the user asks there.
void VistaPreviaDesdeCarga(FrmCargaDatosWindow& window);

}  // namespace ostrevan::ui
