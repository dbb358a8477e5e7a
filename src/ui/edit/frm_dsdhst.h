#pragma once
// The page range window ("Imprimir") over the page-range model.
#include "ui/common/classic_window.h"

class QLineEdit;

namespace ostrevan::ui {

class FrmDsdHstWindow final : public ClassicWindow {
 public:
  explicit FrmDsdHstWindow(QWidget* parent = nullptr);
  QLineEdit* txtDesde() const { return desde_; }
  QLineEdit* txtHasta() const { return hasta_; }
  void cmdAceptar_Click();
  void Command2_Click();
  bool Form_KeyDown(int keyCode, int shift) override;

 private:
  QLineEdit* desde_;
  QLineEdit* hasta_;
};

}  // namespace ostrevan::ui
