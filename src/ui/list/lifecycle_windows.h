#pragma once
// The list of certificates and the small windows of a certificate's life: new, form choice
// and delete. Each is thin: it shows its model and forwards its keys.
#include <QLineEdit>

#include "ui/common/classic_window.h"

namespace ostrevan::ui {

class FlexGrid;

class FrmOstrevanListaWindow final : public ClassicWindow {
 public:
  explicit FrmOstrevanListaWindow(QWidget* parent = nullptr);
  bool Form_KeyDown(int keyCode, int shift) override;
  FlexGrid* Msfg_ListadoMn() const { return grid_; }

 private:
  FlexGrid* grid_;
};

class FrmGuardaDatosWindow final : public ClassicWindow {
 public:
  explicit FrmGuardaDatosWindow(QWidget* parent = nullptr);
  bool Form_KeyDown(int keyCode, int shift) override;
  bool Created() const { return created_; }

 private:
  bool created_ = false;
};

class FrmSeleccionCertifWindow final : public ClassicWindow {
 public:
  explicit FrmSeleccionCertifWindow(QWidget* parent = nullptr);
  bool Form_KeyDown(int keyCode, int shift) override;
};

class FrmCeoBorraWindow final : public ClassicWindow {
 public:
  explicit FrmCeoBorraWindow(QWidget* parent = nullptr);
  bool Form_KeyDown(int keyCode, int shift) override;
};

}  // namespace ostrevan::ui
