#pragma once
// The input behaviour every editing window gives its controls, steered by the control's
// "Tag" (a dynamic property of the widget): focus colours, Enter as Tab, the numeric check,
// the keypad's decimal key, prefix search and the list tool tip.
//   Tag ending in "#F6": numeric colour; exactly "#F6": also checked as a number
//   Tag starting with "BB": never coloured; exactly "BB": a text box keeps its Enter
//   Tag "NTab": after Enter the owner's onNTab runs (the next tab comes to the front)
#include <QObject>
#include <QString>
#include <functional>

class QCheckBox;
class QKeyEvent;
class QComboBox;
class QListWidget;
class QWidget;

namespace ostrevan::ui {

class ClCntrl final : public QObject {
 public:
  explicit ClCntrl(QObject* parent = nullptr);
  void LstBuscarStr(const QString& valor);
  QString Separador_Decimal();
  void ObtenerDecimal();
  // A QLineEdit or QPlainTextEdit.
  void sLinkText(QWidget* textBox);
  void sLinkListBox(QListWidget* list);
  void sLinkCheckBox(QCheckBox* check);
  void VaciarTxt(QWidget* frm);
  QString Obtener_Sep_Decim() { return Separador_Decimal(); }
  void BuscarCBO(const QString& valor);
  void sLinkCBoBox(QComboBox* combo);

  std::function<void()> onNTab;
  static constexpr unsigned kNumericColour = 14083326;  // RGB(254, 228, 214)
  static constexpr unsigned kFocusColour = 12648384;    // RGB(192, 255, 192)

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  bool TextKey(QWidget* w, QKeyEvent* k);
  void Validate(QWidget* w);
  QWidget* text_ = nullptr;
  QComboBox* combo_ = nullptr;
  QCheckBox* check_ = nullptr;
  QListWidget* list_ = nullptr;
  QString separator_;
  bool keypadDecimal_ = false;
  bool validating_ = false;
};

// Binds every text box, combo box and check box of a window, in the window's order; the
// instances live as long as the window.
void BindControls(QWidget* window, const std::function<void()>& onNTab = {});

}  // namespace ostrevan::ui
