#pragma once
// The list of certificates and the small windows of a certificate's life: new, form choice
// and delete. Each is thin: it shows its model and forwards its keys.
#include <QLineEdit>

#include "ui/common/classic_window.h"

namespace ostrevan::ui {

class FlexGrid;

class FrmOstrevanLista final : public ClassicWindow {
 public:
  explicit FrmOstrevanLista(QWidget* parent = nullptr);
  bool Form_KeyDown(int keyCode, int shift) override;
  FlexGrid* Msfg_ListadoMn() const { return grid_; }

 private:
  FlexGrid* grid_;
};

class FrmGuardaDatos final : public ClassicWindow {
 public:
  explicit FrmGuardaDatos(QWidget* parent = nullptr);
  bool Form_KeyDown(int keyCode, int shift) override;
  bool Created() const { return created_; }

 private:
  bool created_ = false;
};

class FrmSeleccionCertif final : public ClassicWindow {
 public:
  explicit FrmSeleccionCertif(QWidget* parent = nullptr);
  bool Form_KeyDown(int keyCode, int shift) override;
};

class FrmCeoBorra final : public ClassicWindow {
 public:
  explicit FrmCeoBorra(QWidget* parent = nullptr);
  bool Form_KeyDown(int keyCode, int shift) override;
};

}  // namespace ostrevan::ui
