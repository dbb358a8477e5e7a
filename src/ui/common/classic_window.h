#pragma once
// What every window of the component shares: the title band ("Certificados de Origen", the
// section, the keys), modal showing, and keys seen by the window before its controls.
#include <QDialog>
#include <QPointer>
#include <functional>

class QKeyEvent;
class QLabel;
class QVBoxLayout;

namespace ostrevan::ui {

// Where Qt's events enter the component: runs one handler and reports whatever escapes it in
// the detailed error form, naming the procedure and the window, so that no key fails silently
// and no error reaches Qt's event loop. True when the handler took the event; a handler that
// failed took it.
bool Guarded(const QString& procedure, const QString& window, const std::function<bool()>& handler);

class ClassicWindow : public QDialog {
 public:
  ClassicWindow(const QString& caption, const QString& section, const QString& keys,
                QWidget* parent);
  // The window's keys; true when the key was taken (the control then never sees it).
  virtual bool Form_KeyDown(int keyCode, int shift) = 0;
  QVBoxLayout* Body() const { return body_; }
  QLabel* Lbl_Opciones() const { return options_; }
  // The window's name in reports: the name the window service gave it, else its caption.
  QString FormName() const;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void keyPressEvent(QKeyEvent* e) override;
  // Children created after the constructor are watched too.
  void childEvent(QChildEvent* e) override;

 private:
  void Watch(QObject* o);
  bool KeyDown(int keyCode, int shift);
  bool OfferKey(const QKeyEvent& k, QWidget* at);
  // The last key offered and where, until a control took it or the window saw it.
  struct Offered {
    const QKeyEvent* event = nullptr;
    int key = 0;
    quint64 time = 0;
    QPointer<QWidget> at;
  } offered_;
  QVBoxLayout* body_;
  QLabel* options_;
};

}  // namespace ostrevan::ui
