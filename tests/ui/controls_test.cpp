#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QTest>
#include <QVBoxLayout>

#include "support/fixtures.h"
#include "ui/edit/clcntrl.h"
#include "ui/list/frm_statuspopup.h"

namespace ostrevan {
namespace {

using test::InstallationTest;
using ControlsTest = InstallationTest;

// A window with three bound text boxes, the middle one tagged.
struct Form {
  explicit Form(const QString& tag) {
    auto* l = new QVBoxLayout(&w);
    for (QLineEdit** e : {&a, &b, &c}) {
      *e = new QLineEdit;
      l->addWidget(*e);
    }
    b->setProperty("Tag", tag);
    ui::BindControls(&w, [this] { ++ntabs; });
    w.show();
    b->setFocus();
    QApplication::setActiveWindow(&w);
  }
  QWidget w;
  QLineEdit *a, *b, *c;
  int ntabs = 0;
};

TEST_F(ControlsTest, EnterMovesOnByTag) {
  struct Row {
    const char* tag;
    bool moves;
    int ntabs;
  } rows[] = {{"", true, 0}, {"NTab", true, 1}, {"BB", false, 0}, {"BBx", true, 0}};
  for (const auto& r : rows) {
    SCOPED_TRACE(r.tag);
    Form f(r.tag);
    QTest::keyClick(f.b, Qt::Key_Return);
    EXPECT_EQ(f.c->hasFocus(), r.moves);
    EXPECT_EQ(f.ntabs, r.ntabs);
  }
}

TEST_F(ControlsTest, NumericFieldRejectsTextAndCancelGivesZero) {
  Form f("#F6");
  QTest::keyClicks(f.b, "12a");
  messages->answers = {vbCancel};
  QTest::keyClick(f.b, Qt::Key_Return);
  ASSERT_EQ(messages->shown.size(), 1u);
  EXPECT_EQ(messages->shown[0].text, "Solo se permiten valores numericos, o coloque 0 ");
  EXPECT_EQ(messages->shown[0].title, "Edicion de datos...");
  EXPECT_EQ(f.b->text(), "0");
  EXPECT_TRUE(f.b->hasFocus());
  QTest::keyClick(f.b, Qt::Key_Return);  // "0" passes
  EXPECT_TRUE(f.c->hasFocus());
  // The keypad's decimal key types the locale's separator; the main keyboard's stays ".".
  f.a->setFocus();
  f.a->clear();
  QTest::keyClick(f.a, Qt::Key_Period, Qt::KeypadModifier);
  QTest::keyClick(f.a, Qt::Key_Period);
  EXPECT_EQ(f.a->text(), QString(QLocale().decimalPoint()) + ".");
}

// The popup never takes the focus from the window that works, also when shown again for another
// operation, except while it waits for its "Cerrar": then the button has the keys, and Enter
// presses it. It shows its whole messages and stands over the window it reports for.
TEST_F(ControlsTest, PopupTakesTheFocusOnlyToBeClosedAndShowsItsWholeMessages) {
  const struct {
    QRect window;
    const char* message;
  } rows[] = {
      {QRect(600, 500, 500, 400),
       "123456 Articulos procesados, haga click en cerrar para continuar."},
      {QRect(100, 100, 400, 300),
       "Un mensaje mucho mas largo que cualquiera de los que el componente muestra hoy, entero"},
  };
  ui::FrmStatusPopupWindow p;
  auto* cerrar = p.findChild<QPushButton*>("Cmd_Cerrar");
  for (const auto& r : rows) {
    SCOPED_TRACE(r.message);
    QLineEdit window;
    window.setGeometry(r.window);
    window.show();
    window.setFocus();
    QApplication::setActiveWindow(&window);
    p.ShowStatus();
    QApplication::processEvents();
    EXPECT_TRUE(window.hasFocus());
    p.RegTotal(123456);
    p.RegAct(123456);
    p.Mensaje(r.message);
    auto* desc = p.findChild<QLabel*>("Lbl_MsgProcesoDesc");
    EXPECT_GE(desc->width(), desc->sizeHint().width());
    EXPECT_LE((p.frameGeometry().center() - window.frameGeometry().center()).manhattanLength(), 4)
        << p.frameGeometry().center().x() << "," << p.frameGeometry().center().y();
    p.UseBoton(true);
    p.HideStatus();  // refused: the button is in use and not pressed
    EXPECT_FALSE(p.close());
    cerrar->click();  // still disabled: nothing happens
    EXPECT_TRUE(p.isVisible());
    EXPECT_TRUE(window.hasFocus());
    p.EnableBoton(true);
    QApplication::processEvents();
    EXPECT_EQ(QApplication::activeWindow(), &p);
    EXPECT_EQ(p.focusWidget(), cerrar);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_TRUE(p.Cerrar());
    p.HideStatus();
    EXPECT_FALSE(p.isVisible());
  }
}

}  // namespace
}  // namespace ostrevan
