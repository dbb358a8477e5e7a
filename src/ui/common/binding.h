#pragma once
// Keeps a widget and its control model in step: what code writes into the model shows in the
// widget, what the user types or picks goes into the model (a pick runs the combo's Click).
#include "data/controls.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QWidget;

namespace ostrevan::ui {

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

}  // namespace ostrevan::ui
