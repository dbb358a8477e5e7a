#pragma once
// The windows of item work opened from the item grid: the origin-norm pick list, the new
// norm, the article editor and the change of tariff position. Each shows its model and
// forwards its keys.
#include "ui/common/classic_window.h"

class QLineEdit;
class QPlainTextEdit;
class QWidget;

namespace ostrevan::ui {

class FlexGrid;

class FrmListaNormasOrigenWindow final : public ClassicWindow {
 public:
  explicit FrmListaNormasOrigenWindow(QWidget* parent = nullptr);
  bool Form_KeyDown(int keyCode, int shift) override;
  FlexGrid* MsFgListaNormasDeOrigen() const { return grid_; }

 private:
  FlexGrid* grid_;
};

class FrmNuevaNormaWindow final : public ClassicWindow {
 public:
  explicit FrmNuevaNormaWindow(QWidget* parent = nullptr);
  bool Form_KeyDown(int keyCode, int shift) override;
};

class FrmAMArticulosWindow final : public ClassicWindow {
 public:
  explicit FrmAMArticulosWindow(QWidget* parent = nullptr);
  bool Form_KeyDown(int keyCode, int shift) override;

 protected:
  void showEvent(QShowEvent* e) override;

 private:
  void Form_Activate();
  QWidget* textos_;
};

class FrmCambiaPosicionWindow final : public ClassicWindow {
 public:
  explicit FrmCambiaPosicionWindow(QWidget* parent = nullptr);
  bool Form_KeyDown(int keyCode, int shift) override;

 protected:
  void showEvent(QShowEvent* e) override;

 private:
  void Aceptar();
  QLineEdit* nueva_;
};

}  // namespace ostrevan::ui
