// The item grid of the data-entry window driven with real keys, the modal windows either
// real (acted on while open) or scripted.
#include <QApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>

#include "data/certificate_fixture.h"
#include "data/item_work.h"
#include "ui/common/flexgrid.h"
#include "ui/common/widget_services.h"
#include "ui/edit/frm_cargadatos.h"
#include "ui/list/lifecycle_windows.h"
#include "window_steps.h"

namespace ostrevan {
namespace {

using test::CertificateTest;

// The user's locale for one test: the process's default, as the program reads it (it never
// sets one).
class UserLocale {
 public:
  explicit UserLocale(const char* name) { QLocale::setDefault(QLocale(name)); }
  ~UserLocale() { QLocale::setDefault(before_); }
  UserLocale(const UserLocale&) = delete;
  UserLocale& operator=(const UserLocale&) = delete;

 private:
  const QLocale before_;
};

// Items 1 and 2 form group 1 under 1111.11.11, item 3 is group 2 (same code, norm 1), items
// 4 and 5 group 3 under 2222.22.22.
class ItemKeysTest : public CertificateTest {
 protected:
  void SetUp() override {
    CertificateTest::SetUp();
    SetWindowService(std::make_shared<ui::WidgetWindows>());
    Execute("OSTREVAN", "insert into CeoMercosur (IdCeo, IdFormulario) values ('C1', 'CEO004')");
    AddItem("C1", 1, "1111.11.11", "", "dichos uno");
    AddItem("C1", 2, "1111.11.11", "");
    AddItem("C1", 3, "1111.11.11", "1");
    AddItem("C1", 4, "2222.22.22", "");
    AddItem("C1", 5, "2222.22.22", "");
    Execute("OSTREVAN", "update Articulos set DenoMerc = 'Articulo ' || NroOrden");
    CargarListadoInternos(false);
    Lista().Msfg_ListadoMn.SetRow(1);
    CargarDatosAPlanilla("C1");
    w = std::make_unique<ui::FrmCargaDatosWindow>();
    w->show();
    w->SSTab1()->setCurrentIndex(1);
  }
  void TearDown() override {
    for (auto& waiting : pending) *waiting = false;  // no action left for a later test's windows
    w.reset();
    CertificateTest::TearDown();
  }
  Grid& G() { return CargaDatos().MsfgParteI; }
  void Press(int row, Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    G().SetRow(row);
    QTest::keyClick(w->MsfgParteI(), key, mods);
  }
  int RowOf(int item) {
    for (int r = 1; r < G().Rows(); ++r) {
      if (G().TextMatrix(r, 1) == QString::number(item)) return r;
    }
    return -1;
  }
  // "X" or "-" per data row.
  QString Marks() {
    QString s;
    for (int r = 1; r < G().Rows(); ++r) s += G().TextMatrix(r, 0).isEmpty() ? '-' : 'X';
    return s;
  }
  // The data-entry window is never modal: the next modal window is the one its keys open.
  void OnModal(std::function<void(QWidget*)> act) {
    pending.push_back(test::OnNextWindow(nullptr, act));
  }
  std::unique_ptr<ui::FrmCargaDatosWindow> w;
  std::vector<std::shared_ptr<bool>> pending;
};

TEST_F(ItemKeysTest, SpaceMarksByItemGroupOrPosition) {
  const Qt::KeyboardModifiers none = Qt::NoModifier, shift = Qt::ShiftModifier,
                              ctrl = Qt::ControlModifier;
  const struct {
    const char* name;
    std::vector<std::pair<int, Qt::KeyboardModifiers>> keys;  // row, modifiers of Space
    const char* marks;
    const char* message;  // the last message, "" for none
    const char* counter;
  } rows[] = {
      {"single", {{1, none}}, "X----", "", " 1 Art/s Sel."},
      {"another position",
       {{1, none}, {4, none}},
       "X----",
       "Solo es permitido seleccionar articulos que esten bajo una misma posicion arancelaria",
       " 1 Art/s Sel."},
      {"unmark", {{1, none}, {1, none}}, "-----", "", ""},
      {"group", {{1, shift}}, "XX---", "", " 2 Art/s Sel."},
      {"group twice", {{1, shift}, {1, shift}}, "-----", "", ""},
      {"group from a continuation row",
       {{2, shift}},
       "-----",
       "Solo es permitido seleccion multiple (Grupo x NroOrden) desde un articulo con Nro de "
       "Orden",
       ""},
      {"position", {{1, ctrl}}, "XXX--", "", " 3 Art/s Sel."},
      {"position extends", {{1, none}, {3, ctrl}}, "X-X--", "", " 2 Art/s Sel."},
      {"position from a continuation row",
       {{5, ctrl}},
       "-----",
       "Solo es permitido seleccion multiple (Grupo x Posicion Arancelaria) desde un articulo "
       "con Nro de Orden",
       ""},
      {"clear", {{4, ctrl}, {1, shift | ctrl}}, "-----", "", ""},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.name);
    Press(1, Qt::Key_Space, shift | ctrl);  // start from nothing marked
    messages->shown.clear();
    for (auto [row, mods] : r.keys) Press(row, Qt::Key_Space, mods);
    EXPECT_EQ(Marks(), r.marks);
    EXPECT_EQ(messages->shown.empty() ? QString() : messages->shown.back().text, r.message);
    EXPECT_EQ(CargaDatos().LblSelInfo.Caption(), r.counter);
  }
}

// F6 attaches the norm chosen in the list to the marked items, "Ninguna" takes it away; Esc and
// an update that fails change nothing and leave the marks; after Ins in the list the new norm is
// the current row, so Enter attaches it, and a norm not stored leaves the row the user was on.
TEST_F(ItemKeysTest, F6AttachesTheNormChosenInTheList) {
  const Qt::KeyboardModifiers none = Qt::NoModifier, group = Qt::ShiftModifier;
  const struct {
    const char* name;
    std::vector<std::pair<int, Qt::KeyboardModifiers>> marks;  // item, modifiers of Space
    int choice;          // the list's row (by description: "Ninguna", "Norma dos", "Norma uno"),
                         // 0 for Esc, -1 when no list opens
    Qt::Key newNorm;     // after Ins in the list, in the new-norm window
    int failing;         // the item whose update fails (< 0: deleted once marked), 0 for none
    const char* norms;   // of items 1 to 5 afterwards
    const char* says;    // the messages, as a pattern
    const char* marked;  // the marks afterwards
  } rows[] = {
      {"nothing marked",
       {},
       -1,
       Qt::Key_unknown,
       0,
       "||1||",
       "^No hay articulos seleccionados$",
       "-----"},
      {"a group", {{1, group}}, 3, Qt::Key_unknown, 0, "1|1|1||", "^$", "-----"},
      {"Esc", {{1, none}}, 0, Qt::Key_unknown, 0, "1|1|1||", "^$", "X----"},
      {"Ninguna", {}, 1, Qt::Key_unknown, 0, "|1|1||", "^$", "-----"},
      {"a failing update",
       {{4, group}},
       3,
       Qt::Key_unknown,
       5,
       "|1|1||",
       "^[^|]*sin espacio[^|]*in procedure MsfgParteI_KeyDown of Formulario Frm_CargaDatos[^|]*$",
       "---XX"},
      {"Ins abandoned", {{4, group}, {1, none}}, 2, Qt::Key_Escape, 0, "2|1|1||", "^$", "-----"},
      {"Ins stored", {{1, none}}, 2, Qt::Key_F11, 0, "3|1|1||", "^$", "-----"},
      {"a marked item another workstation deleted",
       {{4, group}},
       3,
       Qt::Key_unknown,
       -5,
       "3|1|1|",
       "^Alguno de los articulos marcados cambio mientras tanto",
       "----"},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.name);
    for (auto [item, mods] : r.marks) Press(RowOf(item), Qt::Key_Space, mods);
    if (r.choice >= 0) {
      OnModal([this, &r](QWidget* list) {
        if (r.choice == 0) return QTest::keyClick(list, Qt::Key_Escape);
        ListaNormas().MsFgListaNormasDeOrigen.SetRow(r.choice);
        if (r.newNorm != Qt::Key_unknown) {
          OnModal([&r](QWidget* nueva) {
            auto* texto = nueva->findChild<QWidget*>("txtNorma");
            QTest::keyClicks(texto, "Acuerdo 'A'");
            QTest::keyClick(texto, r.newNorm);
          });
          QTest::keyClick(list, Qt::Key_Insert);
        }
        QTest::keyClick(list, Qt::Key_Return);
      });
    }
    if (r.failing > 0) test::FailItemUpdates(r.failing, "sin espacio");
    if (r.failing < 0)
      Execute("OSTREVAN", QString("delete from Articulos where NroOrden = %1").arg(-r.failing));
    messages->shown.clear();
    Press(RowOf(1), Qt::Key_F6);
    if (r.failing > 0) test::RestoreItemUpdates();
    EXPECT_EQ(
        Column("OSTREVAN", "select IdNormasOrigen from Articulos order by NroOrden").join('|'),
        r.norms);
    EXPECT_TRUE(QRegularExpression(r.says).match(Messages().join("|")).hasMatch())
        << Messages().join("|");
    EXPECT_EQ(Marks(), r.marked);
  }
  EXPECT_EQ(Column("CATALOGOS",
                   "select Descripcion from DescripcionNormasOrigen where IdNormasOrigen = '3'"),
            QStringList{"Acuerdo 'A'"});
}

TEST_F(ItemKeysTest, InsertEnterAndDeleteAddEditAndRemoveItems) {
  UserLocale es("es_AR");
  Execute("CATALOGOS", "insert into NCMCEO values ('3333.33.33','Bulones de acero')");
  // Insert on a continuation row: a new item shows its texts; F5 brings the catalogue's
  // wording (the code still in its box, commas and all) and F11 stores it with the item.
  bool textsShown = false;
  OnModal([&](QWidget* editor) {
    QTest::keyClicks(editor->findChild<QLineEdit*>("txtNCM"), "3333,33,33");
    QTest::keyClick(editor, Qt::Key_F5);
    textsShown = editor->findChild<QPlainTextEdit*>("txt_TextoPartida")->isVisible();
    QTest::keyClicks(editor->findChild<QLineEdit*>("txtDenoMerc"), "Bulon");
    QTest::keyClicks(editor->findChild<QLineEdit*>("txtPesoCant"), "1,5");
    QTest::keyClicks(editor->findChild<QLineEdit*>("txtValorFobUsd"), "10");
    QTest::keyClick(editor, Qt::Key_F11);
  });
  Press(2, Qt::Key_Insert);
  EXPECT_TRUE(textsShown);
  EXPECT_EQ(Column("OSTREVAN",
                   "select NroOrden || NCM || PesoCant || '|' || TextoPartida from Articulos where "
                   "DenoMerc = 'Bulon'"),
            QStringList{"63333.33.331.5|Bulones de acero"});
  // A tariff code is never cut.
  QTableView* grid = w->MsfgParteI();
  EXPECT_GE(grid->columnWidth(3), grid->fontMetrics().horizontalAdvance("3333.33.33") + 8);

  // Enter on a continuation row: the compact editor, without the tariff texts. The reload after
  // it, as after Del, shows no marks, so it keeps no selection either: the counter goes.
  Press(4, Qt::Key_Space, Qt::ShiftModifier);
  OnModal([&textsShown](QWidget* editor) {
    textsShown = editor->findChild<QWidget*>("txt_TextoPartida")->isVisible();
    auto* deno = editor->findChild<QLineEdit*>("txtDenoMerc");
    deno->selectAll();
    QTest::keyClicks(deno, "O'Brien");
    QTest::keyClick(editor, Qt::Key_F11);
  });
  Press(2, Qt::Key_Return);
  EXPECT_FALSE(textsShown);
  EXPECT_EQ(Column("OSTREVAN", "select DenoMerc from Articulos where NroOrden = 2"),
            QStringList{"O Brien"});
  EXPECT_EQ(CargaDatos().LblSelInfo.Caption(), "");

  Press(4, Qt::Key_Space, Qt::ShiftModifier);
  Press(4, Qt::Key_Delete);
  EXPECT_EQ(messages->shown.back().text, "Confirma eliminar el articulo seleccionado?");
  EXPECT_EQ(messages->shown.back().style, vbYesNo | vbQuestion);
  EXPECT_EQ(Count("OSTREVAN", "Articulos", "NroOrden = 4"), 0);
  EXPECT_EQ(CargaDatos().Lbl_TotalArts.Caption(), "Total Arts: 5");
  EXPECT_GE(G().Row(), 1) << "the keys stand on a row, so Space marks it without an arrow";
  messages->shown.clear();
  QTest::keyClick(w->MsfgParteI(), Qt::Key_F6);
  EXPECT_EQ(Messages(), QStringList{"No hay articulos seleccionados"});
}

// A number box shows, once it is left, the value as it will be stored in the user's locale;
// F11 refuses a text that locale does not read as a number and says how it reads them.
TEST_F(ItemKeysTest, NumbersShowAsTheyWillBeStoredAndOthersAreRefused) {
  const struct {
    const char* locale;
    const char *peso, *pesoShown;  // typed, and shown once the box is left
    const char *fob, *why;         // refused, and the message's second line
    const char *fobOk, *fobShown;
    const char* stored;  // PesoCant|ValorFobUsd
  } rows[] = {
      {"es_AR", "1.250", "1250", "2.5",
       "\"2.5\" no es un número en la configuración regional es_AR; escriba, por ejemplo, "
       "1234,5 o 1.234,5",
       "1.234,50", "1234,5", "1250|1234.5"},
      {"en_US", "1,250", "1250", "2,5",
       "\"2,5\" no es un número en la configuración regional en_US; escriba, por ejemplo, "
       "1234.5 o 1,234.5",
       "2.50", "2.5", "1250|2.5"},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(std::string(r.locale) + " " + r.peso);
    UserLocale user(r.locale);
    Execute("OSTREVAN", "delete from Articulos where DenoMerc = 'Tuerca'");
    messages->shown.clear();
    QString pesoShown, fobShown, refused;
    bool stayed = false;
    OnModal([&](QWidget* editor) {
      QTest::keyClicks(editor->findChild<QLineEdit*>("txtNCM"), "4444.44.44");
      QTest::keyClicks(editor->findChild<QLineEdit*>("txtDenoMerc"), "Tuerca");
      auto* peso = editor->findChild<QLineEdit*>("txtPesoCant");
      auto* fob = editor->findChild<QLineEdit*>("txtValorFobUsd");
      QApplication::setActiveWindow(editor);
      peso->setFocus();
      QTest::keyClicks(peso, r.peso);
      QTest::keyClick(peso, Qt::Key_Return);  // Enter leaves the box for the next
      pesoShown = peso->text();
      fob->setFocus();
      QTest::keyClicks(fob, r.fob);
      QTest::keyClick(fob, Qt::Key_F11);  // the box still has the focus
      stayed = editor->isVisible();
      refused = messages->shown.empty() ? QString() : messages->shown.back().text;
      fob->selectAll();
      QTest::keyClicks(fob, r.fobOk);
      QTest::keyClick(fob, Qt::Key_Return);
      fobShown = fob->text();
      QTest::keyClick(editor, Qt::Key_F11);
    });
    Press(1, Qt::Key_Insert);
    EXPECT_EQ(pesoShown, r.pesoShown);
    EXPECT_TRUE(stayed);
    EXPECT_EQ(refused, "El campo FOB debe ser un valor númerico\r\n" + QString::fromUtf8(r.why));
    EXPECT_EQ(fobShown, r.fobShown);
    EXPECT_EQ(Column("OSTREVAN",
                     "select PesoCant || '|' || ValorFobUsd from Articulos where DenoMerc = "
                     "'Tuerca'"),
              QStringList{r.stored});
  }
}

// F7 moves the whole group under the new position, or nothing when an update fails or another
// workstation changed the group while the window was open; the grid then shows it as it is.
TEST_F(ItemKeysTest, F7MovesTheWholeGroupOrNothing) {
  Press(2, Qt::Key_F7);
  EXPECT_TRUE(messages->shown.back().text.startsWith(
      "La funcion de cambiar NCM/Naladisa se activa estando posicionado"));
  const struct {
    const char* name;
    int failing;            // the item whose update fails, 0 for none
    const char* meanwhile;  // run while the window is open
    const char* typed;
    const char* says;   // in the one message, "" for none
    const char* items;  // NCM and texts of items 1 to 5 afterwards
  } rows[] = {
      {"a failing second update", 2, "", "8708,29,99", "sin espacio",
       "1111.11.11 dichos uno|1111.11.11 |1111.11.11 |2222.22.22 |2222.22.22 "},
      {"moved", 0, "", "8708,29,99", "",
       "8708.29.99 dichos uno|8708.29.99 |1111.11.11 |2222.22.22 |2222.22.22 "},
      {"another workstation", 0, "update Articulos set NCM = '5555.55.55' where NroOrden = 2",
       "7777,77,77", "El grupo cambio mientras tanto",
       "8708.29.99 dichos uno|5555.55.55 |1111.11.11 |2222.22.22 |2222.22.22 "},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.name);
    if (r.failing) test::FailItemUpdates(r.failing, "sin espacio");
    OnModal([&r](QWidget* change) {
      if (*r.meanwhile) Execute("OSTREVAN", r.meanwhile);
      QTest::keyClicks(change->findChild<QLineEdit*>("Txt_PosNueva"), r.typed);
      QTest::keyClick(change, Qt::Key_F11);
    });
    messages->shown.clear();
    Press(RowOf(1), Qt::Key_F7);
    if (r.failing) test::RestoreItemUpdates();
    EXPECT_EQ(Messages().size(), *r.says ? 1 : 0) << Messages().join("|");
    EXPECT_TRUE(Messages().join("|").contains(r.says)) << Messages().join("|");
    EXPECT_EQ(
        Column("OSTREVAN", "select NCM || ' ' || TextoPartida from Articulos order by NroOrden")
            .join('|'),
        r.items);
  }
  EXPECT_EQ(G().TextMatrix(RowOf(2), 3), "5555.55.55");
}

// The strip's arrow or Enter reaches the item grid; Tab and Shift+Tab leave it where they found
// it, for the next or previous control; Ctrl+Tab, Ctrl+Shift+Tab, Ctrl+PgDn and Ctrl+PgUp turn
// the pages (after the last, the first), and the page's first control takes the keys.
TEST_F(ItemKeysTest, TheKeysReachAndLeaveTheGridAndTurnThePages) {
  QApplication::setActiveWindow(w.get());
  w->SSTab1()->setCurrentIndex(0);
  G().SetRow(3);
  QWidget* strip = w->SSTab1()->tabBar();
  QWidget* grid = w->MsfgParteI();
  const Qt::KeyboardModifiers none = Qt::NoModifier, ctrl = Qt::ControlModifier,
                              shift = Qt::ShiftModifier;
  const struct {
    const char* name;
    QWidget* at;  // where the key is pressed; none: where the keys are
    Qt::Key key;
    Qt::KeyboardModifiers mods;
    int tab;            // shown afterwards
    const char* focus;  // the control that has the keys then
    int row;            // of the grid afterwards
  } rows[] = {
      {"Right on the strip", strip, Qt::Key_Right, none, 1, "MsfgParteI", 1},
      {"Enter on the strip", strip, Qt::Key_Return, none, 1, "MsfgParteI", 1},
      {"Down", grid, Qt::Key_Down, none, 1, "MsfgParteI", 2},
      {"Tab", grid, Qt::Key_Tab, none, 1, "MsfgParteII", 2},
      {"Shift+Tab", grid, Qt::Key_Backtab, shift, 1, "qt_tabwidget_tabbar", 2},
      {"Ctrl+Tab", grid, Qt::Key_Tab, ctrl, 2, "Txt_Observaciones", 2},
      {"Ctrl+PgDn", nullptr, Qt::Key_PageDown, ctrl, 3, "Text1", 2},
      {"Ctrl+PgDn after the last", nullptr, Qt::Key_PageDown, ctrl, 0, "Txt_ProdFinExp", 2},
      {"Ctrl+Shift+Tab before the first", nullptr, Qt::Key_Backtab, ctrl | shift, 3, "Text1", 2},
      {"Ctrl+PgUp", nullptr, Qt::Key_PageUp, ctrl, 2, "Txt_Observaciones", 2},
      {"Ctrl+Shift+Tab", nullptr, Qt::Key_Tab, ctrl | shift, 1, "MsfgParteI", 1},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.name);
    QWidget* at = r.at ? r.at : w->focusWidget();
    at->setFocus();
    QTest::keyClick(at, r.key, r.mods);
    EXPECT_EQ(w->SSTab1()->currentIndex(), r.tab);
    ASSERT_NE(QApplication::focusWidget(), nullptr);
    EXPECT_EQ(QApplication::focusWidget()->objectName(), r.focus);
    EXPECT_EQ(G().Row(), r.row);
  }
}

}  // namespace
}  // namespace ostrevan
