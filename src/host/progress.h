#pragma once
// The progress popup as long operations drive it. The popup window implements it; batch
// runs use the console one; tests use a recorder.
#include <QString>
#include <memory>

namespace ostrevan {

class StatusPopup {
 public:
  virtual ~StatusPopup() = default;
  virtual void ShowStatus() = 0;
  virtual void HideStatus() = 0;
  virtual void UseBoton(bool use) = 0;
  virtual void EnableBoton(bool enable) = 0;
  virtual void RegAct(long value) = 0;
  virtual long RegAct() const = 0;
  virtual void RegTotal(long value) = 0;
  virtual void ClearRegTotalFlag(bool clear) = 0;
  virtual void Mensaje(const QString& text) = 0;
  virtual void ElapsedTIME(const QString& text) = 0;
  virtual bool Cerrar() const = 0;
  // Unload when the close rule allows it (the user's close box).
  virtual bool Cerrar(bool /*byUser*/) { return false; }
};

// The state every popup keeps, with the rules of its members; windows and the console
// only decide how it is shown.
class PopupState : public StatusPopup {
 public:
  void ShowStatus() override;
  void HideStatus() override;
  void UseBoton(bool use) override;
  void EnableBoton(bool enable) override;
  void RegAct(long value) override;
  long RegAct() const override { return regAct_; }
  void RegTotal(long value) override;
  void ClearRegTotalFlag(bool clear) override;
  void Mensaje(const QString& text) override;
  void ElapsedTIME(const QString& text) override;
  bool Cerrar() const override { return closeClicked_; }
  // Cmd_Cerrar_Click
  void ClickCerrar() { closeClicked_ = true; }
  // Form_QueryUnload: refuses while the button is in use and not clicked.
  bool QueryUnload() const { return !(useButton_ && !closeClicked_); }

  bool Visible() const { return visible_; }
  bool TotalSet() const { return totalSet_; }
  long Total() const { return total_; }
  bool ButtonUsed() const { return useButton_; }
  bool ButtonEnabled() const { return enableButton_; }
  const QString& Message() const { return message_; }
  const QString& Elapsed() const { return elapsed_; }

 protected:
  // Called after every change, so the window can repaint as often as the eye needs.
  virtual void Changed() {}
  virtual void Loaded() {}
  virtual void Unloaded() {}

 private:
  bool visible_ = false;
  bool totalSet_ = false;
  bool enableButton_ = false;
  bool useButton_ = false;
  bool closeClicked_ = false;
  long regAct_ = 0;
  long total_ = 0;
  QString message_;
  QString elapsed_;
};

// For batch runs: messages and a record count now and then on standard error; nobody is
// there to press "Cerrar", so an enabled button counts as pressed.
class ConsolePopup final : public PopupState {
 public:
  void EnableBoton(bool enable) override {
    PopupState::EnableBoton(enable);
    if (enable && ButtonUsed()) ClickCerrar();
  }

 protected:
  void Changed() override;

 private:
  QString lastMessage_;
  long lastShown_ = -1;
};

// A popup that shows nothing (the default until a window or console one is installed).
class SilentPopup final : public PopupState {
 public:
  void EnableBoton(bool enable) override {
    PopupState::EnableBoton(enable);
    if (enable && ButtonUsed()) ClickCerrar();
  }
};

std::shared_ptr<StatusPopup> SetStatusPopup(std::shared_ptr<StatusPopup> p);
StatusPopup& Popup();

// Lets the user interface process pending events, at most every few milliseconds so that
// long loops are not slowed by it.
void DoEvents();
void DoEventsNow();
// Waits, asleep between the user's events, until "Cerrar" of the popup was pressed. Without
// an application object nobody can press it, and it returns at once.
void EsperarCerrar(const StatusPopup& popup);

}  // namespace ostrevan
