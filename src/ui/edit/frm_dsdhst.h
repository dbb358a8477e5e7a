#pragma once
// The page range window ("Imprimir") over the page-range model.
#include <QDialog>

class QLineEdit;

namespace ostrevan::ui {

class FrmDsdHstDialog final : public QDialog {
 public:
  explicit FrmDsdHstDialog(QWidget* parent = nullptr);
  QLineEdit* txtDesde() const { return desde_; }
  QLineEdit* txtHasta() const { return hasta_; }
  void cmdAceptar_Click();
  void Command2_Click();

 private:
  QLineEdit* desde_;
  QLineEdit* hasta_;
};

}  // namespace ostrevan::ui
