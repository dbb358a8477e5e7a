#include "host/progress.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <cstdio>

#include "host/service.h"

namespace ostrevan {

void PopupState::ShowStatus() {
  if (!visible_) {
    visible_ = true;
    Loaded();
  }
  Changed();
}

void PopupState::HideStatus() {
  if (!visible_ || !QueryUnload()) return;
  visible_ = false;
  // A new load starts from the window's initial state.
  totalSet_ = false;
  total_ = 0;
  regAct_ = 0;
  message_.clear();
  elapsed_.clear();
  closeClicked_ = false;
  useButton_ = false;
  enableButton_ = false;
  Unloaded();
}

void PopupState::UseBoton(bool use) {
  useButton_ = use;
  Changed();
}

void PopupState::EnableBoton(bool enable) {
  enableButton_ = enable;
  Changed();
}

void PopupState::RegAct(long value) {
  if (value <= 0) return;
  regAct_ = value;
  Changed();
}

void PopupState::RegTotal(long value) {
  if (totalSet_ || value < 1) return;
  totalSet_ = true;
  total_ = value;
  Changed();
}

void PopupState::ClearRegTotalFlag(bool clear) {
  if (clear) totalSet_ = false;
}

void PopupState::Mensaje(const QString& text) {
  message_ = text;
  Changed();
}

void PopupState::ElapsedTIME(const QString& text) {
  elapsed_ = text;
  Changed();
}

void ConsolePopup::Changed() {
  if (!Visible()) return;
  if (Message() != lastMessage_) {
    lastMessage_ = Message();
    if (!lastMessage_.isEmpty()) std::fprintf(stderr, "%s\n", lastMessage_.toUtf8().constData());
  }
  // A line every thousand records and at the end is enough on a console.
  long n = RegAct();
  if (n > 0 && n != lastShown_ && (n % 1000 == 0 || (TotalSet() && n == Total()))) {
    lastShown_ = n;
    std::fprintf(stderr, "  %ld%s %s\n", n,
                 TotalSet() ? QString(" de %1").arg(Total()).toUtf8().constData() : "",
                 Elapsed().toUtf8().constData());
  }
}

namespace {
using Slot = ServiceSlot<StatusPopup, SilentPopup>;
}  // namespace

std::shared_ptr<StatusPopup> SetStatusPopup(std::shared_ptr<StatusPopup> p) {
  return Slot::Set(std::move(p));
}

StatusPopup& Popup() { return Slot::Get(); }

void DoEventsNow() {
  if (QCoreApplication::instance()) QCoreApplication::processEvents();
}

void EsperarCerrar(const StatusPopup& popup) {
  while (!popup.Cerrar() && QCoreApplication::instance()) {
    QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
  }
}

void DoEvents() {
  static QElapsedTimer last;
  if (!last.isValid() || last.elapsed() >= 15) {
    DoEventsNow();
    last.restart();
  }
}

}  // namespace ostrevan
