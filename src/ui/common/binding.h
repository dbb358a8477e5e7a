#pragma once
// Keeps a widget and its control model in step: what code writes into the model shows in the
// widget, what the user types or picks goes into the model (a pick runs the combo's Click).
#include <QObject>
#include <functional>

#include "data/controls.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QWidget;

namespace ostrevan::ui {

// Runs f after every change of the model, and stops listening when the widget goes, so a
// model may outlive its window.
template <class W, class M>
void Listen(W* w, M& m, std::function<void()> f) {
  const int id = m.Listen(std::move(f));
  QObject::connect(w, &QObject::destroyed, [&m, id] { m.Unlisten(id); });
}

void Bind(QLineEdit* w, TextBox& m);
void Bind(QPlainTextEdit* w, TextBox& m);
void Bind(QComboBox* w, ComboBox& m);
void Bind(QLabel* w, Label& m);
// A picture box: the image file scaled into the label, kept in proportion.
void BindPicture(QLabel* w, Image& m);

// New widgets named after their classic controls and bound to their models.
QLineEdit* BoundLine(TextBox& m, const char* name, bool readOnly = false);
QComboBox* BoundCombo(ComboBox& m, const char* name, int minimumWidth = 0);
QLabel* BoundPicture(Image& m, const char* name, int width, int height);
QLabel* NamedLabel(const QString& text, const char* name);
// A box of several lines, `lines` high; Tab leaves it.
QPlainTextEdit* BoundArea(TextBox& m, const char* name, int lines = 3);

}  // namespace ostrevan::ui
