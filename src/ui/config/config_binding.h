#pragma once
// Bindings for the controls only the configuration windows have: lists, scroll bars, check
// boxes and option buttons, and a drop-down the user may also type into.
#include "data/config_forms.h"

class QAbstractButton;
class QComboBox;
class QListWidget;
class QScrollBar;

namespace ostrevan::ui {

// A list over the drop-down model: picking a row runs the model's Click.
void BindList(QListWidget* w, ComboBox& m);
void BindScrollBar(QScrollBar* w, config::ScrollBar& m);
// A check box or an option button: ticked is Value 1.
void BindCheck(QAbstractButton* w, config::CheckBox& m);
// The typed text is the model's text; a pick selects the entry.
void BindEditableCombo(QComboBox* w, ComboBox& m);

}  // namespace ostrevan::ui
