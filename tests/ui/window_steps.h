#pragma once
// What a user does in the windows of the suites that drive real widgets.
#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>

namespace ostrevan::test {

// Types over whatever the box held, as a user who selects it first.
inline void Retype(QLineEdit* box, const QString& text) {
  box->setFocus();
  box->selectAll();
  QTest::keyClick(box, Qt::Key_Backspace);
  QTest::keyClicks(box, text);
}

// Runs `act` on the next modal window that is not `under` once it is shown; setting the
// returned flag to false stops waiting for one.
inline std::shared_ptr<bool> OnNextWindow(QWidget* under, std::function<void(QWidget*)> act) {
  auto waiting = std::make_shared<bool>(true);
  // Only the pending timer owns the poll, so nothing is left behind once it stops.
  auto poll = std::make_shared<std::function<void()>>();
  *poll = [under, act, self = std::weak_ptr(poll), waiting] {
    if (!*waiting) return;
    QWidget* w = QApplication::activeModalWidget();
    if (!w || w == under || !w->isVisible()) {
      if (auto p = self.lock()) QTimer::singleShot(20, [p] { (*p)(); });
      return;
    }
    *waiting = false;
    act(w);
  };
  QTimer::singleShot(20, [poll] { (*poll)(); });
  return waiting;
}

}  // namespace ostrevan::test
