#pragma once
// The progress popup: always on top, never taking the focus from the window that works, except
// while it waits for its "Cerrar".
#include <QElapsedTimer>
#include <QWidget>

#include "host/progress.h"

class QLabel;
class QProgressBar;
class QPushButton;

namespace ostrevan::ui {

class FrmStatusPopupWindow final : public QWidget, public PopupState {
 public:
  FrmStatusPopupWindow();
  void Cmd_Cerrar_Click() { ClickCerrar(); }
  // Centred over the window the operation works in, or the screen when there is none.
  void PlaceOver(const QWidget* caller);

 protected:
  void Changed() override;
  void Loaded() override;
  void Unloaded() override;
  void closeEvent(QCloseEvent* e) override;
  // Enter, Space or Esc press "Cerrar" once it is enabled.
  void keyPressEvent(QKeyEvent* e) override;

 private:
  void Paint(bool now);
  void Recentre();
  void TakeKeys(bool take);
  bool takesKeys_ = false;
  QLabel *msg_, *msg1_, *regAct_, *de_, *total_, *desc_, *elapsed_;
  QProgressBar* bar_;
  QPushButton* cerrar_;
  QElapsedTimer lastPaint_;
  QPoint anchor_;  // the centre it stands on
};

}  // namespace ostrevan::ui
