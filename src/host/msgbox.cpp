#include "host/msgbox.h"

#include <cstdio>
#include <vector>

#include "host/service.h"

namespace ostrevan {

int DefaultAnswer(int style) {
  int buttons = style & 7;
  bool second = (style & vbDefaultButton2) != 0;
  switch (buttons) {
    case vbOKCancel:
      return second ? vbCancel : vbOK;
    case vbAbortRetryIgnore:
      return second ? vbRetry : vbAbort;
    case vbYesNoCancel:
      return second ? vbNo : vbYes;
    case vbYesNo:
      return second ? vbNo : vbYes;
    case vbRetryCancel:
      return second ? vbCancel : vbRetry;
    default:
      return vbOK;
  }
}

int ConsoleMessages::Show(const QString& text, int style, const QString& title) {
  QString t = text;
  t.replace("\r\n", "\n");
  QByteArray out = (title.isEmpty() ? QString() : "[" + title + "] ").toUtf8() + t.toUtf8();
  std::fprintf(stderr, "%s\n", out.constData());
  return DefaultAnswer(style);
}

namespace {
using Slot = ServiceSlot<MessageService, ConsoleMessages>;
}  // namespace

std::shared_ptr<MessageService> SetMessageService(std::shared_ptr<MessageService> s) {
  return Slot::Set(std::move(s));
}

MessageService& Messages() { return Slot::Get(); }

int MsgBox(const QString& text, int style, const QString& title) {
  return Messages().Show(text, style, title);
}

class HeldMessages::Holder final : public MessageService {
 public:
  struct Held {
    QString text;
    int style;
    QString title;
  };
  int Show(const QString& text, int style, const QString& title) override {
    held.push_back({text, style, title});
    return DefaultAnswer(style);
  }
  std::vector<Held> held;
};

HeldMessages::HeldMessages()
    : holder_(std::make_shared<Holder>()), previous_(SetMessageService(holder_)) {}

HeldMessages::~HeldMessages() { Release(); }

void HeldMessages::Release() {
  if (!previous_) return;
  SetMessageService(previous_);
  previous_.reset();
  for (const Holder::Held& m : holder_->held) MsgBox(m.text, m.style, m.title);
  holder_->held.clear();
}

}  // namespace ostrevan
