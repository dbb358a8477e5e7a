#pragma once
// What every window of the component shares: the title band ("Certificados de Origen", the
// section, the keys), modal showing, and keys seen by the window before its controls.
#include <QDialog>

class QLabel;
class QVBoxLayout;

namespace ostrevan::ui {

class ClassicWindow : public QDialog {
 public:
  ClassicWindow(const QString& caption, const QString& section, const QString& keys,
                QWidget* parent);
  // The window's keys; true when the key was taken (the control then never sees it).
  virtual bool Form_KeyDown(int keyCode, int shift) = 0;
  QVBoxLayout* Body() const { return body_; }
  QLabel* Lbl_Opciones() const { return options_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void keyPressEvent(QKeyEvent* e) override;
  // Children created after the constructor are watched too.
  void childEvent(QChildEvent* e) override;

 private:
  void Watch(QObject* o);
  QVBoxLayout* body_;
  QLabel* options_;
};

}  // namespace ostrevan::ui
