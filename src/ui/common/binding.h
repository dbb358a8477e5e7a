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

}  // namespace ostrevan::ui
