#pragma once
// The services of the component shown with real widgets: message boxes, modal windows and
// the choice of a printer in the platform's dialog.
#include <QKeyEvent>
#include <QPointer>
#include <QString>
#include <memory>

#include "host/msgbox.h"
#include "host/progress.h"
#include "host/windows.h"

class QWidget;

namespace ostrevan::print {
class Backend;
}

namespace ostrevan::ui {

// The window a new window or message belongs to (its parent, so that it is transient for it):
// the top modal window of the component, else the active one; none for the progress popup.
QWidget* Opener();

// Once a window or message opened from `opener` has closed, the opener is active again with
// the focus where it was, with or without a window manager.
class GiveBackFocus {
 public:
  explicit GiveBackFocus(QWidget* opener);
  ~GiveBackFocus();
  GiveBackFocus(const GiveBackFocus&) = delete;
  GiveBackFocus& operator=(const GiveBackFocus&) = delete;

 private:
  QPointer<QWidget> opener_, focus_;
};

class WidgetMessages final : public MessageService {
 public:
  int Show(const QString& text, int style, const QString& title) override;
};

// Shows each window modally: the one place where exec() is called.
class WidgetWindows final : public WindowService {
 public:
  int ShowModal(Window w) override;

 private:
  int Show(Window w);
};

// The widget services (messages, windows, the status popup, the print dialog) for as long as
// it lives; the ones before come back when it goes, so no window of the component outlives the
// application object, and the host gets its own services back.
class WidgetServices {
 public:
  WidgetServices();
  ~WidgetServices();
  WidgetServices(const WidgetServices&) = delete;
  WidgetServices& operator=(const WidgetServices&) = delete;

 private:
  std::shared_ptr<StatusPopup> popup_;
  std::shared_ptr<MessageService> messages_;
  std::shared_ptr<WindowService> windows_;
};

// "DIALOGO" in the printer settings: the platform's print dialog, and where its choice
// prints (the file of "Print to File", or the printer with the copies, sides and colour
// chosen); nullptr when the user cancelled. WidgetServices installs it.
std::shared_ptr<print::Backend> PrintDialogChoice(const QString& program);

// The classic virtual-key code of a key event (Enter 13, Esc 27, F11 122, ...), 0 for none.
int KeyCodeOf(const QKeyEvent& e);
// Shift 1, Ctrl 2, Alt 4.
int ShiftOf(const QKeyEvent& e);

// Twips (1440 per inch) to pixels on the screen the widget is on.
int TwipsToPixels(int twips, const QWidget* w = nullptr);

}  // namespace ostrevan::ui
