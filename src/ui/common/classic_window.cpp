#include "ui/common/classic_window.h"

#include "host/keys.h"

#include <QChildEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QVBoxLayout>

#include "host/errors.h"
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
    auto* k = static_cast<QKeyEvent*>(event);
    const int code = KeyCodeOf(*k);
    // A popup list of a combo keeps its own keys.
    if (code != 0 && !watched->inherits("QComboBoxPrivateContainer") &&
        KeyDown(code, ShiftOf(*k))) {
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}

void ClassicWindow::keyPressEvent(QKeyEvent* e) {
  const int code = KeyCodeOf(*e);
  if (code != 0 && KeyDown(code, ShiftOf(*e))) return;
  if (code == Key::Esc) return;  // Esc closes only where the window says so
  QDialog::keyPressEvent(e);
}

}  // namespace ostrevan::ui
