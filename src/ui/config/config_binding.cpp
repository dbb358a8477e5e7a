#include "ui/config/config_binding.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QScrollBar>

#include "ui/common/binding.h"

namespace ostrevan::ui {

namespace {
template <class W>
bool SameItems(const W* w, const ComboBox& m) {
  if (w->count() != m.ListCount()) return false;
  for (int i = 0; i < m.ListCount(); ++i) {
    if (w->itemText(i) != m.List(i)) return false;
  }
  return true;
}
}  // namespace

void BindList(QListWidget* w, ComboBox& m) {
  QPointer<QListWidget> p(w);
  auto show = [p, &m] {
    if (!p) return;
    QSignalBlocker block(p);
    bool same = p->count() == m.ListCount();
    for (int i = 0; same && i < m.ListCount(); ++i) same = p->item(i)->text() == m.List(i);
    if (!same) {
      p->clear();
      p->addItems(m.Items());
    }
    p->setCurrentRow(m.ListIndex());
  };
  show();
  Listen(w, m, show);
  QObject::connect(w, &QListWidget::currentRowChanged, w, [&m](int i) {
    if (i >= 0 && i < m.ListCount() && i != m.ListIndex()) m.SetListIndex(i);
  });
}

void BindScrollBar(QScrollBar* w, config::ScrollBar& m) {
  w->setRange(m.Min(), m.Max());
  w->setValue(m.Value());
  QPointer<QScrollBar> p(w);
  Listen(w, m, [p, &m] {
    if (!p) return;
    QSignalBlocker block(p);
    p->setValue(m.Value());
  });
  QObject::connect(w, &QScrollBar::valueChanged, w, [&m](int v) {
    if (v != m.Value()) m.SetValue(v);
  });
}

void BindCheck(QAbstractButton* w, config::CheckBox& m) {
  w->setChecked(m.Value() != 0);
  QPointer<QAbstractButton> p(w);
  Listen(w, m, [p, &m] {
    if (p && p->isChecked() != (m.Value() != 0)) p->setChecked(m.Value() != 0);
  });
  QObject::connect(w, &QAbstractButton::toggled, w, [&m](bool on) { m.SetValue(on ? 1 : 0); });
}

void BindEditableCombo(QComboBox* w, ComboBox& m) {
  w->setEditable(true);
  w->setInsertPolicy(QComboBox::NoInsert);
  QPointer<QComboBox> p(w);
  auto show = [p, &m] {
    if (!p) return;
    QSignalBlocker block(p);
    if (!SameItems(p.data(), m)) {
      p->clear();
      p->addItems(m.Items());
    }
    if (p->currentText() != m.Text()) p->setEditText(m.Text());
  };
  show();
  Listen(w, m, show);
  QObject::connect(w, &QComboBox::editTextChanged, w, [&m](const QString& t) {
    if (t != m.Text()) m.SetText(t);
  });
}

}  // namespace ostrevan::ui
