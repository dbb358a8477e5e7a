#pragma once
// The digital certificate window of the open certificate: what its COD still lacks, the COD
// fields the paper has no box for, the signature with a file or a token, and the chamber's
// issued COD verified and attached.
#include "ui/common/classic_window.h"

namespace ostrevan::ui {

class FrmCodWindow final : public ClassicWindow {
 public:
  explicit FrmCodWindow(QWidget* parent = nullptr);
  bool Form_KeyDown(int keyCode, int shift) override;

 protected:
  void showEvent(QShowEvent* e) override;
};

}  // namespace ostrevan::ui
