// The item grid of the data-entry window driven with real keys, the modal windows either
// real (acted on while open) or scripted.
#include <QApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

#include "data/certificate_fixture.h"
#include "data/item_work.h"
#include "ui/common/flexgrid.h"
#include "ui/common/widget_services.h"
#include "ui/edit/frm_cargadatos.h"
#include "ui/edit/item_windows.h"
#include "ui/list/lifecycle_windows.h"

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
    guard = std::make_unique<QObject>();
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
    guard.reset();  // no action left waiting for a later test's windows
    w.reset();
    CertificateTest::TearDown();
  }
  Grid& G() { return CargaDatos().MsfgParteI; }
  void Press(int row, Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    G().SetRow(row);
    QTest::keyClick(w->MsfgParteI(), key, mods);
  }
  // "X" or "-" per data row.
  QString Marks() {
    QString s;
    for (int r = 1; r < G().Rows(); ++r) s += G().TextMatrix(r, 0).isEmpty() ? '-' : 'X';
    return s;
  }
  // Runs `act` on the next modal window once it is up.
  void OnModal(std::function<void(QWidget*)> act) {
    // Only the pending timer owns the poll, so nothing is left behind once it stops.
    auto poll = std::make_shared<std::function<void()>>();
    QObject* g = guard.get();
    *poll = [act, self = std::weak_ptr(poll), g] {
      QWidget* m = QApplication::activeModalWidget();
      if (!m || dynamic_cast<ui::FrmCargaDatosWindow*>(m)) {
        if (auto p = self.lock()) QTimer::singleShot(20, g, [p] { (*p)(); });
        return;
      }
      act(m);
    };
    QTimer::singleShot(20, g, [poll] { (*poll)(); });
  }
  std::unique_ptr<ui::FrmCargaDatosWindow> w;
  std::unique_ptr<QObject> guard;
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
    if (!messages->shown.empty()) {
      EXPECT_EQ(messages->shown.back().style, vbExclamation);
    }
    EXPECT_EQ(CargaDatos().LblSelInfo.Caption(), r.counter);
  }
}

TEST_F(ItemKeysTest, F6AttachesTheChosenNormAndRegroups) {
  Press(1, Qt::Key_F6);
  ASSERT_EQ(messages->shown.size(), 1u);
  EXPECT_EQ(messages->shown[0].text, "No hay articulos seleccionados");
  Press(1, Qt::Key_Space, Qt::ShiftModifier);
  OnModal([](QWidget* list) {
    Grid& g = ListaNormas().MsFgListaNormasDeOrigen;
    g.SetRow(g.Rows() - 1);  // by description: "Norma uno" comes last
    QTest::keyClick(list->findChild<QWidget*>("MsFgListaNormasDeOrigen"), Qt::Key_Return);
  });
  Press(1, Qt::Key_F6);
  EXPECT_EQ(Column("OSTREVAN", "select IdNormasOrigen from Articulos order by NroOrden"),
            QStringList({"1", "1", "1", "", ""}));
  // Items 1, 2 and 3 are one group now.
  EXPECT_EQ(G().TextMatrix(1, 2), "1");
  EXPECT_EQ(G().TextMatrix(2, 2), "");
  EXPECT_EQ(G().TextMatrix(3, 2), "");
  EXPECT_EQ(G().TextMatrix(4, 2), "2");
  EXPECT_EQ(Marks(), "-----");
  EXPECT_EQ(CargaDatos().MsfgParteII.Rows(), 2);
  EXPECT_EQ(CargaDatos().MsfgParteII.TextMatrix(1, 2), "Norma uno");

  // "Ninguna" takes the norm away again; Esc leaves everything as it was.
  Press(1, Qt::Key_Space);
  OnModal([](QWidget* list) { QTest::keyClick(list, Qt::Key_Escape); });
  Press(1, Qt::Key_F6);
  EXPECT_EQ(Marks(), "X----");
  OnModal([](QWidget* list) {
    ListaNormas().MsFgListaNormasDeOrigen.SetRow(1);
    QTest::keyClick(list, Qt::Key_Return);
  });
  Press(1, Qt::Key_F6);
  EXPECT_EQ(Column("OSTREVAN", "select IdNormasOrigen from Articulos order by NroOrden"),
            QStringList({"", "1", "1", "", ""}));

  // An update that fails: no item gets the norm, the marks stay, and the user reads why.
  test::FailItemUpdates(5, "sin espacio");
  int row = 1;
  while (row < G().Rows() && G().TextMatrix(row, 1) != "4") ++row;
  Press(row, Qt::Key_Space, Qt::ShiftModifier);
  OnModal([](QWidget* list) {
    Grid& g = ListaNormas().MsFgListaNormasDeOrigen;
    g.SetRow(g.Rows() - 1);
    QTest::keyClick(list->findChild<QWidget*>("MsFgListaNormasDeOrigen"), Qt::Key_Return);
  });
  messages->shown.clear();
  Press(row, Qt::Key_F6);
  test::RestoreItemUpdates();
  EXPECT_EQ(Column("OSTREVAN", "select IdNormasOrigen from Articulos order by NroOrden"),
            QStringList({"", "1", "1", "", ""}));
  ASSERT_EQ(messages->shown.size(), 1u) << Messages().join("|");
  EXPECT_TRUE(Messages()[0].contains("sin espacio")) << Messages()[0];
  EXPECT_TRUE(
      Messages()[0].contains("in procedure MsfgParteI_KeyDown of Formulario Frm_CargaDatos"))
      << Messages()[0];
  EXPECT_EQ(CargaDatos().selected.size(), 2);
}

// After Ins in the norm list the new norm is the current row, so Enter attaches it; a norm
// not stored leaves the row the user was on.
TEST_F(ItemKeysTest, InsInTheNormListLeavesTheNewNormChosen) {
  const struct {
    const char* name;
    Qt::Key key;       // in the new-norm window
    const char* norm;  // attached to item 1 afterwards
  } rows[] = {{"stored", Qt::Key_F11, "3"}, {"abandoned", Qt::Key_Escape, "2"}};
  for (const auto& r : rows) {
    SCOPED_TRACE(r.name);
    Press(1, Qt::Key_Space);
    OnModal([&](QWidget* list) {
      Grid& g = ListaNormas().MsFgListaNormasDeOrigen;
      for (int row = 1; row < g.Rows(); ++row)
        if (g.TextMatrix(row, 0) == "2") g.SetRow(row);
      OnModal([&](QWidget* nueva) {
        auto* texto = nueva->findChild<QWidget*>("txtNorma");
        QTest::keyClicks(texto, "Acuerdo 'A'");
        QTest::keyClick(texto, r.key);
      });
      QTest::keyClick(list, Qt::Key_Insert);
      QTest::keyClick(list, Qt::Key_Return);
    });
    Press(1, Qt::Key_F6);
    EXPECT_EQ(Column("OSTREVAN", "select IdNormasOrigen from Articulos where NroOrden = 1"),
              QStringList{r.norm});
    Execute("OSTREVAN", "update Articulos set IdNormasOrigen = ''");
    CargarArticulosEnGrid(0);
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
  QString wording;
  bool textsShown = false;
  OnModal([&](QWidget* editor) {
    QTest::keyClicks(editor->findChild<QLineEdit*>("txtNCM"), "3333,33,33");
    QTest::keyClick(editor, Qt::Key_F5);
    auto* texto = editor->findChild<QPlainTextEdit*>("txt_TextoPartida");
    textsShown = texto->isVisible();
    wording = texto->toPlainText();
    QTest::keyClicks(editor->findChild<QLineEdit*>("txtDenoMerc"), "Bulon");
    QTest::keyClicks(editor->findChild<QLineEdit*>("txtPesoCant"), "1,5");
    QTest::keyClicks(editor->findChild<QLineEdit*>("txtValorFobUsd"), "10");
    QTest::keyClick(editor, Qt::Key_F11);
  });
  Press(2, Qt::Key_Insert);
  EXPECT_TRUE(textsShown);
  EXPECT_EQ(wording, "Bulones de acero");
  EXPECT_EQ(Column("OSTREVAN",
                   "select NroOrden || NCM || PesoCant || '|' || TextoPartida from Articulos where "
                   "DenoMerc = 'Bulon'"),
            QStringList{"63333.33.331.5|Bulones de acero"});
  ASSERT_EQ(G().Rows(), 7);
  EXPECT_EQ(G().TextMatrix(6, 3), "3333.33.33");

  // Enter on a continuation row: the compact editor, without the tariff texts.
  textsShown = true;
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
  EXPECT_EQ(G().TextMatrix(2, 6), "O Brien");

  Press(4, Qt::Key_Delete);
  EXPECT_EQ(messages->shown.back().text, "Confirma eliminar el articulo seleccionado?");
  EXPECT_EQ(messages->shown.back().style, vbYesNo | vbQuestion);
  EXPECT_EQ(Count("OSTREVAN", "Articulos", "NroOrden = 4"), 0);
  EXPECT_EQ(G().Rows(), 6);
  EXPECT_EQ(CargaDatos().Lbl_TotalArts.Caption(), "Total Arts: 5");
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
      {"es_AR", "1,250", "1,25", "1e",
       "\"1e\" no es un número en la configuración regional es_AR; "
       "escriba, por ejemplo, 1234,5 o 1.234,5",
       "7", "7", "1.25|7"},
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

TEST_F(ItemKeysTest, F7MovesTheWholeGroupOrNothing) {
  Press(2, Qt::Key_F7);
  EXPECT_TRUE(messages->shown.back().text.startsWith(
      "La funcion de cambiar NCM/Naladisa se activa estando posicionado"));

  // A failing second statement: the window's change is refused, says why, and every item stays.
  test::FailItemUpdates(2, "sin espacio");
  OnModal([](QWidget* change) {
    QTest::keyClicks(change->findChild<QLineEdit*>("Txt_PosNueva"), "8708,29,99");
    QTest::keyClick(change, Qt::Key_F11);
  });
  messages->shown.clear();
  Press(1, Qt::Key_F7);
  ASSERT_EQ(messages->shown.size(), 1u) << Messages().join("|");
  EXPECT_TRUE(Messages()[0].contains("sin espacio")) << Messages()[0];
  EXPECT_EQ(Column("OSTREVAN", "select NCM from Articulos order by NroOrden"),
            QStringList({"1111.11.11", "1111.11.11", "1111.11.11", "2222.22.22", "2222.22.22"}));

  test::RestoreItemUpdates();
  QString shown;
  OnModal([&shown](QWidget* change) {
    auto* nueva = change->findChild<QLineEdit*>("Txt_PosNueva");
    QTest::keyClicks(nueva, "8708,29,99");
    shown = nueva->text();
    QTest::keyClick(change, Qt::Key_F11);
  });
  Press(1, Qt::Key_F7);
  EXPECT_EQ(shown, "8708.29.99");
  EXPECT_EQ(
      Column("OSTREVAN", "select NCM || '|' || TextoPartida from Articulos order by NroOrden"),
      QStringList(
          {"8708.29.99|dichos uno", "8708.29.99|", "1111.11.11|", "2222.22.22|", "2222.22.22|"}));
  // The reloaded grid: item 3 first (1111), items 4 and 5, then the moved group.
  EXPECT_EQ(G().TextMatrix(1, 3), "1111.11.11");
  EXPECT_EQ(G().TextMatrix(4, 3), "8708.29.99");
  EXPECT_EQ(G().TextMatrix(4, 1), "1");
  EXPECT_EQ(G().TextMatrix(5, 1), "2");

  // Ten characters that are no position: refused, the window stays for another try.
  const QStringList before =
      Column("OSTREVAN", "select NCM || '|' || TextoPartida from Articulos order by NroOrden");
  bool stayed = false;
  OnModal([&stayed](QWidget* change) {
    QTest::keyClicks(change->findChild<QLineEdit*>("Txt_PosNueva"), "1234567890");
    QTest::keyClick(change, Qt::Key_F11);
    stayed = change->isVisible();
    QTest::keyClick(change, Qt::Key_Escape);
  });
  messages->shown.clear();
  Press(4, Qt::Key_F7);
  EXPECT_TRUE(stayed);
  EXPECT_EQ(Messages(), QStringList{"La posicion ingresada no es correcta:\r\n     * Debe tener "
                                    "la forma de una posicion NCM: 9999.99.99\r\n     * Debe "
                                    "ser distinta al de la posicion actual"});
  EXPECT_EQ(
      Column("OSTREVAN", "select NCM || '|' || TextoPartida from Articulos order by NroOrden"),
      before);

  // Another workstation moves item 2 while the window is open: nothing moves, the user reads
  // that the group changed, and the grid shows it as it is now.
  OnModal([](QWidget* change) {
    Execute("OSTREVAN", "update Articulos set NCM = '5555.55.55' where NroOrden = 2");
    QTest::keyClicks(change->findChild<QLineEdit*>("Txt_PosNueva"), "7777,77,77");
    QTest::keyClick(change, Qt::Key_F11);
  });
  messages->shown.clear();
  Press(4, Qt::Key_F7);
  ASSERT_EQ(messages->shown.size(), 1u) << Messages().join("|");
  EXPECT_TRUE(Messages()[0].startsWith("El grupo cambio mientras tanto")) << Messages()[0];
  EXPECT_EQ(Column("OSTREVAN", "select NCM from Articulos order by NroOrden"),
            QStringList({"8708.29.99", "5555.55.55", "1111.11.11", "2222.22.22", "2222.22.22"}));
  EXPECT_EQ(G().TextMatrix(4, 3), "5555.55.55");
  EXPECT_EQ(G().TextMatrix(4, 1), "2");
}

TEST_F(ItemKeysTest, TheSecondTabAndEnterOnTheStripReachTheItems) {
  w->SSTab1()->setCurrentIndex(0);
  G().SetRow(3);
  w->SSTab1()->tabBar()->setFocus();
  QTest::keyClick(w->SSTab1()->tabBar(), Qt::Key_Right);
  QApplication::processEvents();
  EXPECT_EQ(w->SSTab1()->currentIndex(), 1);
  EXPECT_EQ(G().Row(), 1);
  EXPECT_EQ(QApplication::focusWidget(), w->MsfgParteI());
  // Enter on the strip moves on as Tab: into the tab's first control, the item grid.
  w->SSTab1()->tabBar()->setFocus();
  QTest::keyClick(w->SSTab1()->tabBar(), Qt::Key_Return);
  EXPECT_EQ(QApplication::focusWidget(), w->MsfgParteI());
}

// Tab and Shift+Tab leave the item grid where they found it, for the next or previous
// control; Ctrl+Tab, Ctrl+Shift+Tab, Ctrl+PgDn and Ctrl+PgUp turn the pages (after the last,
// the first), and the page's first control takes the keys.
TEST_F(ItemKeysTest, TabLeavesTheGridAndCtrlTabTurnsThePages) {
  QApplication::setActiveWindow(w.get());
  for (Qt::Key key : {Qt::Key_Tab, Qt::Key_Backtab}) {
    SCOPED_TRACE(key == Qt::Key_Tab ? "Tab" : "Shift+Tab");
    w->MsfgParteI()->setFocus();
    G().SetRow(2);
    QTest::keyClick(w->MsfgParteI(), key,
                    key == Qt::Key_Backtab ? Qt::ShiftModifier : Qt::NoModifier);
    EXPECT_NE(w->focusWidget(), w->MsfgParteI());
    EXPECT_EQ(G().Row(), 2);
    EXPECT_EQ(w->SSTab1()->currentIndex(), 1);
  }
  const Qt::KeyboardModifiers ctrl = Qt::ControlModifier, shift = Qt::ShiftModifier;
  const struct {
    const char* name;
    Qt::Key key;
    Qt::KeyboardModifiers mods;
    int tab;            // shown afterwards
    const char* focus;  // the control that has the keys then
  } rows[] = {
      {"Ctrl+Tab", Qt::Key_Tab, ctrl, 2, "Txt_Observaciones"},
      {"Ctrl+PgDn", Qt::Key_PageDown, ctrl, 3, "Text1"},
      {"Ctrl+PgDn after the last", Qt::Key_PageDown, ctrl, 0, "Txt_ProdFinExp"},
      {"Ctrl+Shift+Tab before the first", Qt::Key_Backtab, ctrl | shift, 3, "Text1"},
      {"Ctrl+PgUp", Qt::Key_PageUp, ctrl, 2, "Txt_Observaciones"},
      {"Ctrl+Shift+Tab", Qt::Key_Tab, ctrl | shift, 1, "MsfgParteI"},
  };
  w->MsfgParteI()->setFocus();
  for (const auto& r : rows) {
    SCOPED_TRACE(r.name);
    QTest::keyClick(w->focusWidget(), r.key, r.mods);
    EXPECT_EQ(w->SSTab1()->currentIndex(), r.tab);
    ASSERT_NE(w->focusWidget(), nullptr);
    EXPECT_EQ(w->focusWidget()->objectName(), r.focus);
  }
}

// The reload after an edit or a delete shows no marks, so it keeps no selection either: the counter
// goes, and F6 has nothing to act on.
TEST_F(ItemKeysTest, AReloadThatDropsTheMarksDropsTheSelection) {
  const struct {
    const char* name;
    Qt::Key key;
  } rows[] = {{"edit", Qt::Key_Return}, {"delete", Qt::Key_Delete}};
  for (const auto& r : rows) {
    SCOPED_TRACE(r.name);
    Press(4, Qt::Key_Space, Qt::ShiftModifier);
    if (r.key == Qt::Key_Return) {
      OnModal([](QWidget* editor) { QTest::keyClick(editor, Qt::Key_F11); });
    }
    Press(1, r.key);
    EXPECT_EQ(Marks().count('X'), 0);
    EXPECT_GE(G().Row(), 1) << "the keys stand on a row, so Space marks it without an arrow";
    EXPECT_EQ(CargaDatos().LblSelInfo.Caption(), "");
    messages->shown.clear();
    Press(1, Qt::Key_F6);
    ASSERT_EQ(Messages().size(), 1);
    EXPECT_EQ(Messages()[0], "No hay articulos seleccionados");
  }
}

TEST_F(ItemKeysTest, TariffCodesAndOperationNumbersAreNeverCut) {
  Execute("OSTREVAN", "update Articulos set NCM = '8708.29.99' where NroOrden = 1");
  Execute("OSTREVAN",
          "insert into CeoMercosur (IdCeo, Descripcion) values ('EX-2026-0001', 'largo')");
  CargarArticulosEnGrid(0);
  CargarListadoInternos(false);
  ui::FrmOstrevanListaWindow list;
  list.show();
  const struct {
    QTableView* view;
    int col;
    QString text;
  } rows[] = {
      {w->MsfgParteI(), 3, "8708.29.99"},
      {w->MsfgParteII(), 1, "8 - 12"},
      {list.Msfg_ListadoMn(), 0, "EX-2026-0001"},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.text.toStdString());
    EXPECT_GE(r.view->columnWidth(r.col), r.view->fontMetrics().horizontalAdvance(r.text) + 8);
  }
}

}  // namespace
}  // namespace ostrevan
