#include "ui/common/binding.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPointer>

namespace ostrevan::ui {

void Bind(QLineEdit* w, TextBox& m) {
  w->setText(m.Text());
  if (!m.ToolTipText.isEmpty()) w->setToolTip(m.ToolTipText);
  w->setProperty("Tag", m.Tag);
  QPointer<QLineEdit> p(w);
  Listen(w, m, [p, &m] {
    if (p && p->text() != m.Text()) p->setText(m.Text());
  });
  QObject::connect(w, &QLineEdit::textChanged, w, [&m](const QString& t) { m.SetText(t); });
}

void Bind(QPlainTextEdit* w, TextBox& m) {
  auto toView = [](QString t) { return t.replace("\r\n", "\n"); };
  w->setPlainText(toView(m.Text()));
  if (!m.ToolTipText.isEmpty()) w->setToolTip(m.ToolTipText);
  w->setProperty("Tag", m.Tag);
  QPointer<QPlainTextEdit> p(w);
  Listen(w, m, [p, &m, toView] {
    if (p && p->toPlainText() != toView(m.Text())) p->setPlainText(toView(m.Text()));
  });
  // The database keeps the lines as the classic text box did: CR LF between them.
  QObject::connect(w, &QPlainTextEdit::textChanged, w, [w, &m] {
    QString t = w->toPlainText();
    m.SetText(t.replace("\n", "\r\n"));
  });
}

void Bind(QComboBox* w, ComboBox& m) {
  QPointer<QComboBox> p(w);
  auto show = [p, &m] {
    if (!p) return;
    QSignalBlocker block(p);
    if (p->count() != m.ListCount() || [&] {
          for (int i = 0; i < m.ListCount(); ++i) {
            if (p->itemText(i) != m.List(i)) return true;
          }
          return false;
        }()) {
      p->clear();
      p->addItems(m.Items());
    }
    p->setCurrentIndex(m.ListIndex());
  };
  show();
  Listen(w, m, show);
  QObject::connect(w, QOverload<int>::of(&QComboBox::activated), w, [&m](int i) {
    if (i >= 0 && i < m.ListCount()) m.SetListIndex(i);
  });
}

void Bind(QLabel* w, Label& m) {
  w->setText(m.Caption());
  w->setProperty("Tag", m.Tag);
  QPointer<QLabel> p(w);
  Listen(w, m, [p, &m] {
    if (p) p->setText(m.Caption());
  });
}

void BindPicture(QLabel* w, Image& m) {
  QPointer<QLabel> p(w);
  auto show = [p, &m] {
    if (!p) return;
    QPixmap pix(m.Picture());
    if (pix.isNull()) {
      p->clear();
    } else {
      p->setPixmap(pix.scaled(p->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation));
    }
  };
  show();
  Listen(w, m, show);
}

QLineEdit* BoundLine(TextBox& m, const char* name, bool readOnly) {
  auto* w = new QLineEdit;
  w->setObjectName(name);
  w->setReadOnly(readOnly);
  Bind(w, m);
  return w;
}

QComboBox* BoundCombo(ComboBox& m, const char* name, int minimumWidth) {
  auto* w = new QComboBox;
  w->setObjectName(name);
  if (minimumWidth > 0) w->setMinimumWidth(minimumWidth);
  Bind(w, m);
  return w;
}

QLabel* BoundPicture(Image& m, const char* name, int width, int height) {
  auto* w = new QLabel;
  w->setObjectName(name);
  w->setFixedSize(width, height);
  w->setAlignment(Qt::AlignCenter);
  BindPicture(w, m);
  return w;
}

QLabel* NamedLabel(const QString& text, const char* name) {
  auto* l = new QLabel(text);
  l->setObjectName(name);
  return l;
}

QPlainTextEdit* BoundArea(TextBox& m, const char* name, int lines) {
  auto* w = new QPlainTextEdit;
  w->setObjectName(name);
  w->setTabChangesFocus(true);
  w->setFixedHeight(w->fontMetrics().lineSpacing() * lines + 12);
  Bind(w, m);
  return w;
}

}  // namespace ostrevan::ui
