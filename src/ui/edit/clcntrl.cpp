#include "ui/edit/clcntrl.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QPlainTextEdit>
#include <QTimer>

#include "host/msgbox.h"
#include "host/value.h"
#include "ui/common/flexgrid.h"

namespace ostrevan::ui {

namespace {
QString TagOf(const QWidget* w) { return w->property("Tag").toString(); }

void SetBase(QWidget* w, const QColor& c) {
  QPalette p = w->palette();
  p.setColor(QPalette::Base, c);
  p.setColor(QPalette::Button, c);
  w->setPalette(p);
}

QString TextOf(const QWidget* w) {
  if (auto* l = qobject_cast<const QLineEdit*>(w)) return l->text();
  if (auto* t = qobject_cast<const QPlainTextEdit*>(w)) return t->toPlainText();
  return {};
}

void SelectAll(QWidget* w) {
  if (auto* l = qobject_cast<QLineEdit*>(w)) {
    QTimer::singleShot(0, l, [l] { l->selectAll(); });  // after the click that gave the focus
  } else if (auto* t = qobject_cast<QPlainTextEdit*>(w)) {
    t->selectAll();
  } else if (auto* c = qobject_cast<QComboBox*>(w); c && c->lineEdit()) {
    c->lineEdit()->selectAll();
  }
}

void SendTab(QWidget* w) {
  QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
  QApplication::sendEvent(w, &tab);
}

int FindPrefix(const QStringList& items, const QString& valor) {
  for (int i = 0; i < items.size(); ++i) {
    if (items[i].startsWith(valor, Qt::CaseInsensitive)) return i;
  }
  return -1;
}
}  // namespace

ClCntrl::ClCntrl(QObject* parent) : QObject(parent) { ObtenerDecimal(); }

void ClCntrl::ObtenerDecimal() { separator_ = QLocale().decimalPoint(); }

QString ClCntrl::Separador_Decimal() {
  ObtenerDecimal();
  return separator_;
}

void ClCntrl::sLinkText(QWidget* w) {
  text_ = w;
  w->installEventFilter(this);
}

void ClCntrl::sLinkListBox(QListWidget* l) {
  list_ = l;
  l->setMouseTracking(true);
  l->viewport()->installEventFilter(this);
}

void ClCntrl::sLinkCheckBox(QCheckBox* c) {
  check_ = c;
  c->installEventFilter(this);
}

void ClCntrl::sLinkCBoBox(QComboBox* c) {
  combo_ = c;
  c->installEventFilter(this);
}

void ClCntrl::VaciarTxt(QWidget* frm) {
  for (auto* l : frm->findChildren<QLineEdit*>()) {
    if (!qobject_cast<QComboBox*>(l->parentWidget())) l->clear();
  }
  for (auto* t : frm->findChildren<QPlainTextEdit*>()) t->clear();
}

void ClCntrl::LstBuscarStr(const QString& valor) {
  if (!list_) return;
  QStringList items;
  for (int i = 0; i < list_->count(); ++i) items << list_->item(i)->text();
  const int at = FindPrefix(items, valor);
  list_->setCurrentRow(at);
  if (at < 0) list_->clearSelection();
}

void ClCntrl::BuscarCBO(const QString& valor) {
  if (!combo_) return;
  QStringList items;
  for (int i = 0; i < combo_->count(); ++i) items << combo_->itemText(i);
  combo_->setCurrentIndex(FindPrefix(items, valor));
}

void ClCntrl::Validate(QWidget* w) {
  const QString t = TextOf(w);
  if (TagOf(w) != "#F6" || t.isEmpty() || IsNumeric(t) || validating_) return;
  validating_ = true;
  const int answer = MsgBox("Solo se permiten valores numericos, o coloque 0 ",
                            vbInformation | vbOKCancel, "Edicion de datos...");
  if (answer == vbCancel) {
    if (auto* l = qobject_cast<QLineEdit*>(w)) l->setText("0");
    if (auto* p = qobject_cast<QPlainTextEdit*>(w)) p->setPlainText("0");
  }
  w->setFocus();
  validating_ = false;
}

bool ClCntrl::TextKey(QWidget* w, QKeyEvent* k) {
  const bool keypad = k->modifiers() & Qt::KeypadModifier;
  if ((k->key() == Qt::Key_Period || k->key() == Qt::Key_Comma) && keypad) {
    if (separator_.isEmpty()) return false;
    if (auto* l = qobject_cast<QLineEdit*>(w)) l->insert(separator_.left(1));
    if (auto* p = qobject_cast<QPlainTextEdit*>(w)) p->insertPlainText(separator_.left(1));
    return true;
  }
  if (k->key() != Qt::Key_Return && k->key() != Qt::Key_Enter) return false;
  const QString tag = TagOf(w);
  if (tag == "BB") return false;
  // Ctrl or Shift with Enter writes a new line in a multi-line box.
  if (qobject_cast<QPlainTextEdit*>(w) &&
      (k->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier))) {
    return false;
  }
  if (tag == "#F6" && !IsNumeric(TextOf(w)) && !TextOf(w).isEmpty()) {
    Validate(w);
    return true;
  }
  SendTab(w);
  if (tag == "NTab" && onNTab) onNTab();
  return true;
}

bool ClCntrl::eventFilter(QObject* watched, QEvent* event) {
  auto* w = qobject_cast<QWidget*>(watched);
  if (list_ && watched == list_->viewport() && event->type() == QEvent::MouseMove) {
    auto* m = static_cast<QMouseEvent*>(event);
    if (m->buttons() == Qt::NoButton) {
      QListWidgetItem* item = list_->itemAt(m->position().toPoint());
      list_->setToolTip(item ? item->text() : QString());
    }
    return false;
  }
  if (!w) return false;
  const QString tag = TagOf(w);
  switch (event->type()) {
    case QEvent::FocusIn: {
      // The window coming back after a message or a window it opened is no entering of the
      // field: what was being typed is not selected, so the next key does not replace it.
      const bool entered =
          static_cast<QFocusEvent*>(event)->reason() != Qt::ActiveWindowFocusReason;
      if (w == check_) {
        SetBase(w, QColor(224, 224, 224));
      } else if (tag.endsWith("#F6")) {
        SetBase(w, ColorFromBgr(kNumericColour));
        if (entered) SelectAll(w);
      } else if (!tag.startsWith("BB")) {
        SetBase(w, ColorFromBgr(kFocusColour));
        if (entered) SelectAll(w);
      }
      break;
    }
    case QEvent::FocusOut:
      if (w == check_) {
        w->setPalette(QPalette());
      } else if (!tag.startsWith("BB")) {
        SetBase(w, Qt::white);
      }
      // A message box or a popup taking the focus is no leaving of the field.
      if (w == text_ && static_cast<QFocusEvent*>(event)->reason() != Qt::ActiveWindowFocusReason &&
          static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason) {
        QTimer::singleShot(0, w, [this, w] { Validate(w); });
      }
      break;
    case QEvent::KeyPress: {
      auto* k = static_cast<QKeyEvent*>(event);
      if (w == text_) return TextKey(w, k);
      if ((w == combo_ || w == check_) &&
          (k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter)) {
        SendTab(w);
        return true;
      }
      break;
    }
    default:
      break;
  }
  return false;
}

void BindControls(QWidget* window, const std::function<void()>& onNTab) {
  for (QWidget* w : window->findChildren<QWidget*>()) {
    if (qobject_cast<QComboBox*>(w->parentWidget())) continue;  // a combo's own editor
    if (qobject_cast<QLineEdit*>(w) || qobject_cast<QPlainTextEdit*>(w)) {
      auto* c = new ClCntrl(window);
      c->onNTab = onNTab;
      c->sLinkText(w);
    } else if (auto* combo = qobject_cast<QComboBox*>(w)) {
      (new ClCntrl(window))->sLinkCBoBox(combo);
    } else if (auto* check = qobject_cast<QCheckBox*>(w)) {
      (new ClCntrl(window))->sLinkCheckBox(check);
    }
  }
}

}  // namespace ostrevan::ui
