#pragma once
// The data-entry window of one certificate: chamber and form, the header in four tabs, the
// items and their origin norms.
#include "ui/common/classic_window.h"

class QTabWidget;
class QTimer;

namespace ostrevan::ui {

class FlexGrid;

class FrmCargaDatosWindow final : public ClassicWindow {
 public:
  explicit FrmCargaDatosWindow(QWidget* parent = nullptr);
  bool Form_KeyDown(int keyCode, int shift) override;
  // The captions that follow the form (CEO104 and the others).
  void Form_Activate();
  QTabWidget* SSTab1() const { return tabs_; }
  FlexGrid* MsfgParteI() const { return items_; }
  FlexGrid* MsfgParteII() const { return norms_; }

 protected:
  void showEvent(QShowEvent* e) override;
  // The two grids' own keys and Enter on the tab strip.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void TabChanged(int index);
  // Shows the next (1) or previous (-1) tab page, the first one after the last, and gives the
  // focus to its first control.
  void MoverSolapa(int step);
  // GuardarCambios, and the status line says that it saved.
  bool GuardarYAvisar();
  QTabWidget* tabs_;
  FlexGrid* items_;
  FlexGrid* norms_;
  QTimer* reload_;
};

// The caption of each tagged label for a form.
QString CaptionForTag(const QString& tag, const QString& formId);

}  // namespace ostrevan::ui
