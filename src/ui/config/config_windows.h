#pragma once
// The configuration windows over their models in data/config_forms.h: settings, field layout
// editor and its row editors, units, templates and the calibration page.
#include "host/windows.h"
#include "ui/common/classic_window.h"

class QLabel;

namespace ostrevan::config {
struct FrmConfig;
}

namespace ostrevan::ui {

class FlexGrid;

class FrmConfigWindow final : public ClassicWindow {
 public:
  explicit FrmConfigWindow(QWidget* parent = nullptr);
  bool Form_KeyDown(int keyCode, int shift) override;
};

class FrmConfigProvisorioWindow final : public ClassicWindow {
 public:
  explicit FrmConfigProvisorioWindow(QWidget* parent = nullptr);
  bool Form_KeyDown(int keyCode, int shift) override;
  FlexGrid* MSFGCamposConfig() const { return grid_; }

 private:
  FlexGrid* grid_;
};

class FrmUpdateCamposWindow final : public ClassicWindow {
 public:
  explicit FrmUpdateCamposWindow(QWidget* parent = nullptr);
  bool Form_KeyDown(int keyCode, int shift) override;
};

class FrmUpdatePropiedadesWindow final : public ClassicWindow {
 public:
  explicit FrmUpdatePropiedadesWindow(QWidget* parent = nullptr);
  bool Form_KeyDown(int keyCode, int shift) override;
};

class FrmUnidadesWindow final : public ClassicWindow {
 public:
  explicit FrmUnidadesWindow(QWidget* parent = nullptr);
  bool Form_KeyDown(int keyCode, int shift) override;
};

class FrmTemplatesWindow final : public ClassicWindow {
 public:
  explicit FrmTemplatesWindow(QWidget* parent = nullptr);
  bool Form_KeyDown(int keyCode, int shift) override;
};

class FrmTemplateActivationWindow final : public ClassicWindow {
 public:
  explicit FrmTemplateActivationWindow(QWidget* parent = nullptr);
  bool Form_KeyDown(int keyCode, int shift) override;
};

class FrmCalibraCeoWindow final : public ClassicWindow {
 public:
  explicit FrmCalibraCeoWindow(QWidget* parent = nullptr);
  bool Form_KeyDown(int keyCode, int shift) override;
  void Cmd_PrintPaginaCalibracion_Click();

 private:
  QLabel* salida_;
};

// The COD settings of the form chosen in the settings window and of the installation.
class FrmConfigCodWindow final : public ClassicWindow {
 public:
  explicit FrmConfigCodWindow(QWidget* parent = nullptr);
  bool Form_KeyDown(int keyCode, int shift) override;
};

// Shows one of the configuration windows modally; false for any other window.
bool ShowConfigWindow(Window w, QWidget* owner);

}  // namespace ostrevan::ui
