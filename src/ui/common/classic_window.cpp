#include "ui/common/classic_window.h"

#include <QChildEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QVBoxLayout>

#include "host/errors.h"
#include "host/keys.h"
#include "ui/common/widget_services.h"

namespace ostrevan::ui {

bool Guarded(const QString& procedure, const QString& window,
             const std::function<bool()>& handler) {
  try {
    return handler();
  } catch (const std::exception& e) {
    ReportDetailed(e, procedure, "Formulario", window);
  } catch (...) {
    ReportDetailed(RuntimeError(51, "Error interno"), procedure, "Formulario", window);
  }
  return true;
}

QString ClassicWindow::FormName() const {
  return objectName().isEmpty() ? windowTitle() : objectName();
}

bool ClassicWindow::KeyDown(int keyCode, int shift) {
  return Guarded("Form_KeyDown", FormName(), [&] { return Form_KeyDown(keyCode, shift); });
}

ClassicWindow::ClassicWindow(const QString& caption, const QString& section, const QString& keys,
                             QWidget* parent)
    : QDialog(parent) {
  setWindowTitle(caption);
  setModal(true);
  auto* outer = new QVBoxLayout(this);
  auto* band = new QWidget;
  band->setObjectName("TitleBand");
  band->setStyleSheet("#TitleBand { background: #1f3b5c; } QLabel { color: white; }");
  auto* bandLayout = new QVBoxLayout(band);
  auto* title = new QLabel("Certificados de Origen");
  title->setObjectName("Lbl_Titulo");
  QFont f = title->font();
  f.setPointSizeF(f.pointSizeF() * 1.5);
  f.setBold(true);
  title->setFont(f);
  auto* sec = new QLabel(section);
  sec->setObjectName("Lbl_Seccion");
  bandLayout->addWidget(title);
  bandLayout->addWidget(sec);
  outer->addWidget(band);
  body_ = new QVBoxLayout;
  outer->addLayout(body_, 1);
  options_ = new QLabel(keys);
  options_->setObjectName("Lbl_Opciones");
  options_->setStyleSheet("color: #1f3b5c; font-weight: bold;");
  outer->addWidget(options_);
}

void ClassicWindow::Watch(QObject* o) {
  // A window opened from this one is its child too, but its keys are its own: this window's
  // keys must not act while it is open (Esc there would close this one).
  if (!o->isWidgetType() || static_cast<QWidget*>(o)->isWindow()) return;
  o->installEventFilter(this);
  for (QObject* c : o->children()) Watch(c);
}

void ClassicWindow::childEvent(QChildEvent* e) {
  QDialog::childEvent(e);
  if (e->added()) Watch(e->child());
}

bool ClassicWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched->isWidgetType() && static_cast<QWidget*>(watched)->window() != this) {
    return QDialog::eventFilter(watched, event);
  }
  if (event->type() == QEvent::ChildAdded) {
    Watch(static_cast<QChildEvent*>(event)->child());
  } else if (event->type() == QEvent::KeyPress) {
    // A popup list of a combo keeps its own keys.
    if (!watched->inherits("QComboBoxPrivateContainer") &&
        OfferKey(*static_cast<QKeyEvent*>(event), static_cast<QWidget*>(watched))) {
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}

// Qt hands a key that a control did not accept on to each of its parents in turn, the same
// event each time. The window's keys are offered once, where the key arrived: a handler that
// acts and leaves the key to the control would otherwise act again at every level up.
bool ClassicWindow::OfferKey(const QKeyEvent& k, QWidget* at) {
  const int code = KeyCodeOf(k);
  if (code == 0) return false;
  const bool passedOn = &k == offered_.event && k.key() == offered_.key &&
                        k.timestamp() == offered_.time && offered_.at &&
                        at->isAncestorOf(offered_.at);
  if (passedOn) return false;
  offered_ = {&k, k.key(), k.timestamp(), at};
  const bool taken = KeyDown(code, ShiftOf(k));
  if (taken) offered_ = {};
  return taken;
}

void ClassicWindow::keyPressEvent(QKeyEvent* e) {
  const bool taken = OfferKey(*e, this);
  offered_ = {};                                   // the window is the last a key reaches
  if (taken || KeyCodeOf(*e) == Key::Esc) return;  // Esc closes only where the window says so
  QDialog::keyPressEvent(e);
}

}  // namespace ostrevan::ui
