#pragma once
// The certificate's pages on the form's image, as they will print (model: Previa()).
#include "ui/common/classic_window.h"

class QLabel;
class QScrollArea;

namespace ostrevan::ui {

class FrmVistaPreviaWindow final : public ClassicWindow {
 public:
  explicit FrmVistaPreviaWindow(QWidget* parent = nullptr);
  bool Form_KeyDown(int keyCode, int shift) override;
  // Pixels per millimetre of paper at the current zoom.
  double PxPorMm() const;
  QLabel* Pagina() const { return page_; }
  QLabel* Estado() const { return status_; }

 protected:
  void resizeEvent(QResizeEvent* e) override;
  void showEvent(QShowEvent* e) override;

 private:
  void Mostrar();
  void Borrador();
  QScrollArea* scroll_;
  QLabel* page_;
  QLabel* status_;
};

}  // namespace ostrevan::ui
