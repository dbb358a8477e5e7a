#include "ui/common/widget_services.h"

#include "host/keys.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPointer>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>
#include <QWidget>

#include "data/dialogs.h"
#include "host/errors.h"
#include "print/backends.h"
#include "ui/common/classic_window.h"
#include "ui/config/config_windows.h"
#include "ui/edit/frm_cargadatos.h"
#include "ui/edit/frm_cod.h"
#include "ui/edit/frm_dsdhst.h"
#include "ui/edit/frm_hallazgos.h"
#include "ui/edit/item_windows.h"
#include "ui/list/frm_statuspopup.h"
#include "ui/list/lifecycle_windows.h"
#include "ui/preview/frm_vistaprevia.h"

namespace ostrevan::ui {

namespace {
struct ButtonSet {
  std::vector<std::pair<QMessageBox::StandardButton, int>> buttons;
};

ButtonSet ButtonsFor(int style) {
  using B = QMessageBox;
  switch (style & 7) {
    case vbOKCancel:
      return {{{B::Ok, vbOK}, {B::Cancel, vbCancel}}};
    case vbAbortRetryIgnore:
      return {{{B::Abort, vbAbort}, {B::Retry, vbRetry}, {B::Ignore, vbIgnore}}};
    case vbYesNoCancel:
      return {{{B::Yes, vbYes}, {B::No, vbNo}, {B::Cancel, vbCancel}}};
    case vbYesNo:
      return {{{B::Yes, vbYes}, {B::No, vbNo}}};
    case vbRetryCancel:
      return {{{B::Retry, vbRetry}, {B::Cancel, vbCancel}}};
    default:
      return {{{B::Ok, vbOK}}};
  }
}

QMessageBox::Icon IconFor(int style) {
  switch (style & 0x70) {
    case vbCritical:
      return QMessageBox::Critical;
    case vbQuestion:
      return QMessageBox::Question;
    case vbExclamation:
      return QMessageBox::Warning;
    case vbInformation:
      return QMessageBox::Information;
    default:
      return QMessageBox::NoIcon;
  }
}
}  // namespace

QWidget* Opener() {
  // The top modal window is the one the keys went to, also when no window manager made it
  // the active one; the progress popup never opens anything.
  QWidget* w = QApplication::activeModalWidget();
  if (!w) w = QApplication::activeWindow();
  if (w && (!w->isVisible() || w->windowType() == Qt::Tool)) return nullptr;
  return w;
}

GiveBackFocus::GiveBackFocus(QWidget* opener)
    : opener_(opener), focus_(opener ? opener->focusWidget() : nullptr) {}

GiveBackFocus::~GiveBackFocus() {
  if (!opener_ || !opener_->isVisible()) return;
  // A window manager activates the parent of a closed transient window; without one nobody
  // does, and the keys would go nowhere.
  opener_->raise();
  opener_->activateWindow();
  if (focus_ && focus_->isVisible() && opener_->isAncestorOf(focus_) &&
      opener_->focusWidget() != focus_) {
    focus_->setFocus(Qt::ActiveWindowFocusReason);
  }
}

int WidgetMessages::Show(const QString& text, int style, const QString& title) {
  QWidget* opener = Opener();
  GiveBackFocus back(opener);
  QMessageBox box(IconFor(style), title.isEmpty() ? ComponentTitle() : title, text,
                  QMessageBox::NoButton, opener);
  ButtonSet set = ButtonsFor(style);
  std::map<QAbstractButton*, int> results;
  for (auto [b, r] : set.buttons) results[static_cast<QAbstractButton*>(box.addButton(b))] = r;
  const size_t def = (style & vbDefaultButton3) ? 2 : (style & vbDefaultButton2) ? 1 : 0;
  if (def < set.buttons.size()) box.setDefaultButton(set.buttons[def].first);
  box.exec();
  auto it = results.find(box.clickedButton());
  if (it != results.end()) return it->second;
  return set.buttons.size() == 1 ? vbOK : vbCancel;  // closed with Esc or the close box
}

namespace {
// Shows a window under its classic name, which its reports give.
void Exec(QDialog& d, Window w) {
  d.setObjectName(WindowName(w));
  d.exec();
}

template <class W>
int ShowDialog(QWidget* owner, Window w) {
  W d(owner);
  Exec(d, w);
  return 0;
}
}  // namespace

// What escapes a window (its loading, or an event Qt's loop passed on) is reported here, for
// every window alike.
int WidgetWindows::ShowModal(Window w) {
  int result = 0;
  Guarded("Show", WindowName(w), [&] {
    result = Show(w);
    return true;
  });
  return result;
}

int WidgetWindows::Show(Window w) {
  // Every window is transient for the one that opened it, and gives the keys back to it.
  QWidget* owner = Opener();
  GiveBackFocus back(owner);
  switch (w) {
    case Window::OstrevanLista: {
      {
        FrmOstrevanListaWindow d(owner);
        Exec(d, w);
      }
      Lista_Unload();
      return 0;
    }
    case Window::CargaDatos: {
      {
        FrmCargaDatosWindow d(owner);
        Exec(d, w);
      }
      CargaDatos_Unload();  // the window is gone: its model may go too
      return 0;
    }
    case Window::SeleccionCertif: {
      FrmSeleccionCertifWindow d(owner);
      Exec(d, w);
      return 0;
    }
    case Window::GuardaDatos: {
      bool created = false;
      {
        FrmGuardaDatosWindow d(owner);
        Exec(d, w);
        created = d.Created();
      }
      if (created) MostrarCargaDatos();
      return 0;
    }
    case Window::CeoBorra: {
      FrmCeoBorraWindow d(owner);
      Exec(d, w);
      return 0;
    }
    case Window::DsdHst: {
      FrmDsdHstWindow d(owner);
      Exec(d, w);
      return 0;
    }
    case Window::ListaNormasOrigen:
      return ShowDialog<FrmListaNormasOrigenWindow>(owner, w);
    case Window::NuevaNorma:
      return ShowDialog<FrmNuevaNormaWindow>(owner, w);
    case Window::AMArticulos:
      return ShowDialog<FrmAMArticulosWindow>(owner, w);
    case Window::CambiaPosicion:
      return ShowDialog<FrmCambiaPosicionWindow>(owner, w);
    case Window::VistaPrevia: {
      FrmVistaPreviaWindow d(owner);
      Exec(d, w);
      return 0;
    }
    case Window::Hallazgos: {
      FrmHallazgosWindow d(owner);
      Exec(d, w);
      return 0;
    }
    case Window::Cod:
      return ShowDialog<FrmCodWindow>(owner, w);
    default:
      ShowConfigWindow(w, owner);
      return 0;
  }
  return 0;
}

std::shared_ptr<print::Backend> PrintDialogChoice(const QString& program) {
  QPrinter printer(QPrinter::HighResolution);
  printer.setDocName(program);
  QWidget* opener = Opener();
  GiveBackFocus back(opener);
  QPrintDialog dialog(&printer, opener);
  // The pages are chosen afterwards in "Imprimir"; the dialog offers only what is honoured.
  dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
  dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
  dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
  if (dialog.exec() != QDialog::Accepted) return nullptr;
  return print::BackendForDialogChoice(printer);
}

WidgetServices::WidgetServices()
    : popup_(SetStatusPopup(std::make_shared<FrmStatusPopupWindow>())),
      messages_(SetMessageService(std::make_shared<WidgetMessages>())),
      windows_(SetWindowService(std::make_shared<WidgetWindows>())) {
  // "DIALOGO" in the printer settings: the user picks the printer; cancelling prints nothing.
  print::SetPrintDialogHook(PrintDialogChoice);
}

WidgetServices::~WidgetServices() {
  print::SetPrintDialogHook(nullptr);
  SetWindowService(windows_);
  SetMessageService(messages_);
  SetStatusPopup(popup_);
}

int KeyCodeOf(const QKeyEvent& e) {
  const int k = e.key();
  if (k >= Qt::Key_F1 && k <= Qt::Key_F24) return Key::F1 + (k - Qt::Key_F1);
  if (k >= Qt::Key_A && k <= Qt::Key_Z) return Key::A + (k - Qt::Key_A);
  if (k >= Qt::Key_0 && k <= Qt::Key_9) {
    return ((e.modifiers() & Qt::KeypadModifier) ? Key::Numpad0 : Key::Digit0) + (k - Qt::Key_0);
  }
  switch (k) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
      return Key::Enter;
    case Qt::Key_Escape:
      return Key::Esc;
    case Qt::Key_Space:
      return Key::Space;
    case Qt::Key_Insert:
      return Key::Insert;
    case Qt::Key_Delete:
      return Key::Delete;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:  // Shift+Tab: the shift state says which way
      return Key::Tab;
    case Qt::Key_Backspace:
      return Key::Backspace;
    case Qt::Key_Left:
      return Key::Left;
    case Qt::Key_Up:
      return Key::Up;
    case Qt::Key_Right:
      return Key::Right;
    case Qt::Key_Down:
      return Key::Down;
    case Qt::Key_PageUp:
      return Key::PageUp;
    case Qt::Key_PageDown:
      return Key::PageDown;
    case Qt::Key_Home:
      return Key::Home;
    case Qt::Key_End:
      return Key::End;
    case Qt::Key_Period:
    case Qt::Key_Comma:
      if (e.modifiers() & Qt::KeypadModifier) return Key::NumpadDecimal;
      return k == Qt::Key_Period ? Key::Period : Key::Comma;
    default:
      return 0;
  }
}

int ShiftOf(const QKeyEvent& e) {
  int s = 0;
  if ((e.modifiers() & Qt::ShiftModifier) || e.key() == Qt::Key_Backtab) s |= KeyShift::Shift;
  if (e.modifiers() & Qt::ControlModifier) s |= KeyShift::Ctrl;
  if (e.modifiers() & Qt::AltModifier) s |= KeyShift::Alt;
  return s;
}

int TwipsToPixels(int twips, const QWidget* w) {
  const QScreen* screen = w && w->screen() ? w->screen() : QGuiApplication::primaryScreen();
  const double dpi = screen ? screen->logicalDotsPerInch() : 96.0;
  // The layouts were measured with the classic 8 pt dialog font; a larger font needs the
  // columns wider in proportion, or their texts are cut.
  const double font = (w ? w->font() : QApplication::font()).pointSizeF();
  const double scale = font > 8.25 ? font / 8.25 : 1.0;
  return static_cast<int>(twips * dpi / 1440.0 * scale + 0.5);
}

}  // namespace ostrevan::ui
