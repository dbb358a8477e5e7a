// The configuration windows driven with real keys: settings, layout editor, units, templates,
// and what a changed offset or field does to the printed certificate.
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QStandardPaths>
#include <QTest>
#include <QTimer>

#include "app/batch.h"
#include "data/certificate_fixture.h"
#include "data/config_forms.h"
#include "print/backends.h"
#include "support/demo_certificate.h"
#include "support/pdf_words.h"
#include "ui/common/flexgrid.h"
#include "ui/common/widget_services.h"
#include "ui/config/config_windows.h"
#include "window_steps.h"

namespace ostrevan {
namespace {

using config::Cf;

using test::OnNextWindow;
using test::Retype;

class ConfigTest : public test::CertificateTest {
 protected:
  void SetUp() override {
    CertificateTest::SetUp();
    SetWindowService(std::make_shared<ui::WidgetWindows>());
    Execute("OSTREVAN_CLI", "insert into CeoParametros values ('CEO004','YOFFSET','1')");
    Run("CEOCFG",
        {"insert into CeoParametros values ('CEO004','NcmMultilinea','0')",
         "insert into CeoParametros values ('CEO004','Nota','vacia')",
         "insert into CeoConfig values ('CEO004FcNro','112','31','Courier New','10',0)",
         "insert into CeoConfig values ('CEO104ProductorRazon','10','20','Arial','9',1)"});
  }
  // Every unit pair as "origin=replacement", in the order of `expected` when the table holds
  // the same pairs: the window lists them as the engine returns them.
  QString Pairs(const QString& expected) {
    QStringList got =
        Column("OSTREVAN", "select UnidOrigen || '=' || UnidDestino from Unidad_OrigenDestino");
    QStringList want = expected.split('|');
    got.sort();
    want.sort();
    return got == want ? expected : got.join('|');
  }
  QStringList Cli(const QString& property) {
    return Column("OSTREVAN_CLI",
                  "select Valor from CeoParametros where IdFormulario = 'CEO004' "
                  "and Propiedad = '" +
                      property + "'");
  }
};

TEST_F(ConfigTest, OffsetBoxesAndBarsMirrorEachOtherAndF11ChecksBeforeSaving) {
  config::LoadConfig();
  ui::FrmConfigWindow w;
  w.show();
  auto* txtX = w.findChild<QLineEdit*>("txtX");
  auto* txtY = w.findChild<QLineEdit*>("txtY");
  auto* hs = w.findChild<QScrollBar*>("HSDespGlobal");
  auto* vs = w.findChild<QScrollBar*>("VSDespGlobal");
  const struct {
    QLineEdit* box;
    const char* typed;
    QScrollBar* bar;
    int value;  // of the bar afterwards; the text stays as typed
  } rows[] = {{txtX, "1,5", hs, 2},
              {txtX, "80", hs, 50},
              {txtY, "7", vs, 7},
              {txtY, "abc", vs, 7},
              {txtY, "-3.4", vs, -3}};
  for (const auto& r : rows) {
    SCOPED_TRACE(r.typed);
    Retype(r.box, r.typed);
    EXPECT_EQ(r.bar->value(), r.value);
    EXPECT_EQ(r.box->text(), r.typed);
  }
  Retype(txtX, "5");
  hs->setFocus();
  QTest::keyClick(hs, Qt::Key_Right);
  QTest::keyClick(hs, Qt::Key_Right);
  EXPECT_EQ(hs->value(), 7);
  EXPECT_EQ(txtX->text(), "7");
  QTest::keyClick(vs, Qt::Key_Down);  // down the page: a larger Y
  EXPECT_EQ(txtY->text(), "-2");

  Retype(txtY, "abc");
  QTest::keyClick(txtY, Qt::Key_F11);
  EXPECT_EQ(Messages(),
            QStringList{QString::fromUtf8("El campo Y OffSet debe tener un valor númerico")});
  EXPECT_EQ(Cli("XOffset"), QStringList{"2,5"});

  messages->shown.clear();
  Retype(txtY, "-1,5");
  w.findChild<QCheckBox*>("Chk_IntCampo9NCM2007")->click();
  w.findChild<QCheckBox*>("Chk_UsaFactura")->click();
  QTest::keyClick(txtY, Qt::Key_F11);
  EXPECT_EQ(Messages(), QStringList{"Datos guardados"});
  EXPECT_EQ(Cli("XOffset"), QStringList{"7"});
  EXPECT_EQ(Cli("YOffset"), QStringList{"-1,5"});
  EXPECT_EQ(Column("CEOCFG",
                   "select Propiedad || '=' || Valor from CeoParametros where "
                   "IdFormulario = 'CEO004' and Propiedad in ('NcmMultilinea', "
                   "'UsaFactura', 'XOFFSET') order by Propiedad"),
            (QStringList{"NcmMultilinea=1", "UsaFactura=0", "XOFFSET=99"}));
}

TEST_F(ConfigTest, AFormWithoutItsOwnOffsetsTakesTheSharedOnesAndKeepsThemAtOnce) {
  Execute("OSTREVAN_CLI", "delete from CeoParametros where Propiedad = 'XOFFSET'");
  config::FrmConfig& m = config::LoadConfig();
  EXPECT_EQ(Messages(), QStringList{"Datos guardados"});
  EXPECT_EQ(Cli("XOffset"), QStringList{"99"});
  // The switches were read before that save: what was stored stays.
  EXPECT_EQ(Column("CEOCFG", "select Valor from CeoParametros where Propiedad = 'UsaFactura'"),
            QStringList{"1"});

  // A form without any offset starts at 0 in both stores' place: chosen with the keys.
  messages->shown.clear();
  ui::FrmConfigWindow w;
  w.show();
  auto* forms = w.findChild<QListWidget*>("lstCEO");
  forms->setFocus();
  QTest::keyClick(forms, Qt::Key_Down);
  EXPECT_EQ(Messages(), QStringList{"Datos guardados"});
  EXPECT_EQ(Column("OSTREVAN_CLI",
                   "select Propiedad || '=' || Valor from CeoParametros where "
                   "IdFormulario = 'CEO104' order by 1"),
            (QStringList{"XOffSet=0", "YOffSet=0"}));

  // A chamber without forms leaves the boxes; F11 then has no form to save to, and says so;
  // Esc has nothing unsaved to ask about.
  m.txtX.SetText("4");
  auto* camaras = w.findChild<QListWidget*>("LstCamaras");
  camaras->setFocus();
  QTest::keyClick(camaras, Qt::Key_Down);
  messages->shown.clear();
  QTest::keyClick(camaras, Qt::Key_F11);
  EXPECT_EQ(Messages(), QStringList{QString::fromUtf8(
                            "No se guardó nada: la cámara CERA no tiene formularios. Elija una "
                            "cámara y uno de sus formularios en \"Certificado Modelo\".")});
  EXPECT_EQ(Count("OSTREVAN_CLI", "CeoParametros", "Valor = '4'"), 0);
  messages->shown.clear();
  QTest::keyClick(camaras, Qt::Key_Escape);
  EXPECT_TRUE(Messages().isEmpty());
  EXPECT_FALSE(w.isVisible());
}

// Esc with offsets or switches not saved asks whether to save them: Yes saves and leaves, No
// leaves as stored, Cancel stays with what was typed.
TEST_F(ConfigTest, EscWithChangesNotSavedAsksBeforeDroppingThem) {
  const struct {
    const char* name;
    const char* typed;  // in txtX; "" changes nothing
    int answer;
    bool asked;
    bool open;
    const char* stored;  // XOffset afterwards
  } rows[] = {
      {"nothing changed", "", vbYes, false, false, "2,5"},
      {"Cancel", "9", vbCancel, true, true, "2,5"},
      {"No", "9", vbNo, true, false, "2,5"},
      {"Yes", "9", vbYes, true, false, "9"},
      {"typed back as stored", "2,5", vbYes, false, false, "2,5"},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.name);
    Execute("OSTREVAN_CLI", "update CeoParametros set Valor = '2,5' where Propiedad = 'XOffset'");
    config::LoadConfig();
    ui::FrmConfigWindow w;
    w.show();
    auto* txtX = w.findChild<QLineEdit*>("txtX");
    if (*r.typed) Retype(txtX, r.typed);
    messages->shown.clear();
    messages->answers = {r.answer};
    QTest::keyClick(txtX, Qt::Key_Escape);
    ASSERT_EQ(!messages->shown.empty(), r.asked) << Messages().join("|");
    if (r.asked) {
      EXPECT_EQ(messages->shown[0].text,
                QString::fromUtf8("Los cambios del formulario Brasil no fueron guardados. "
                                  "¿Desea guardarlos antes de salir?"));
      EXPECT_EQ(messages->shown[0].style, vbYesNoCancel | vbQuestion);
    }
    EXPECT_EQ(w.isVisible(), r.open);
    EXPECT_EQ(Cli("XOffset"), QStringList{r.stored});
    if (r.open) {
      EXPECT_EQ(txtX->text(), r.typed);
    }
  }
}

TEST_F(ConfigTest, TheLayoutEditorWritesEachRowAsTypedAndColoursIt) {
  Cf().provisorio = std::make_unique<config::FrmConfigProvisorio>();
  config::FrmConfigProvisorio& p = *Cf().provisorio;
  p.p_FormIdConfig = "CEO004";
  Run("CEOCFG", {"insert into CeoConfig values ('CEO004ProdFinExp','14,5','20.25','Arial','9',0)"});
  p.Form_Load();
  auto window = std::make_unique<ui::FrmConfigProvisorioWindow>();
  ui::FrmConfigProvisorioWindow& w = *window;
  w.show();
  const Grid& g = p.MSFGCamposConfig;
  auto rowOf = [&g](const QString& name) {
    for (int r = 1; r < g.Rows(); ++r) {
      if (g.TextMatrix(r, 0) == name) return r;
    }
    return -1;
  };
  // Stored with either decimal separator, the numbers read alike: as an edit stores them.
  EXPECT_EQ(g.TextMatrix(rowOf("ProdFinExp"), 1) + "|" + g.TextMatrix(rowOf("ProdFinExp"), 2),
            "14.5|20.25");
  const struct {
    const char* row;
    std::vector<std::pair<const char*, const char*>> typed;  // box of the row's editor, text
    int align;                                               // chosen there, -1 for none
    const char* says;                                        // "" when F11 closes the editor
    const char* stored;  // the row afterwards, as the database holds it and the grid shows it
    unsigned colour;
  } rows[] = {
      {"Nota", {{"txtValor", "O'Brien"}}, -1, "", "O'Brien", config::kCeldaGuardada},
      {"FcNro",
       {{"txtX", "abc"}},
       -1,
       "Verifique que los valores de X e Y sean de tipo numerico",
       "112|31|Courier New|10|0",
       Grid::kDefaultBack},
      {"FcNro",
       {{"txtX", "12,5"}, {"txtFont", "D'Arial"}, {"txtSize", "x"}},
       2,
       "",
       "12.5|31|D'Arial|0|2",
       config::kCeldaGuardada},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.row);
    messages->shown.clear();
    const int row = rowOf(r.row);
    ASSERT_GT(row, 0);
    p.MSFGCamposConfig.SetRow(row);
    OnNextWindow(&w, [this, &r](QWidget* e) {
      for (auto [box, text] : r.typed) Retype(e->findChild<QLineEdit*>(box), text);
      if (r.align >= 0) e->findChild<QComboBox*>("Cmb_Orientacion")->activated(r.align);
      QTest::keyClick(e, Qt::Key_F11);
      EXPECT_EQ(Messages().join("|"), r.says);
      EXPECT_EQ(e->isVisible(), *r.says != 0);
      if (e->isVisible()) QTest::keyClick(e, Qt::Key_Escape);
    });
    QTest::keyClick(w.MSFGCamposConfig(), Qt::Key_Return);
    const QString sql = g.TextMatrix(row, 6) == "P"
                            ? "select Valor from CeoParametros where Propiedad = 'Nota'"
                            : "select ValorX || '|' || ValorY || '|' || FontName || '|' || "
                              "FontSize || '|' || Orientacion from CeoConfig where Campo = "
                              "'CEO004FcNro'";
    EXPECT_EQ(Column("CEOCFG", sql), QStringList{r.stored});
    QStringList shown;  // a parameter's row shows its value alone
    for (int c = 1; c <= 5; ++c) shown << g.TextMatrix(row, c);
    shown.removeAll("");
    EXPECT_EQ(shown.join('|'), r.stored);
    EXPECT_EQ(g.RowBackColor(row), r.colour);
  }
  // A row gone from the table: red, and the grid keeps what it showed.
  Execute("CEOCFG", "delete from CeoParametros where Propiedad = 'Nota'");
  p.MSFGCamposConfig.SetRow(rowOf("Nota"));
  OnNextWindow(&w, [](QWidget* e) {
    Retype(e->findChild<QLineEdit*>("txtValor"), "otra");
    QTest::keyClick(e, Qt::Key_F11);
  });
  QTest::keyClick(w.MSFGCamposConfig(), Qt::Key_Return);
  EXPECT_EQ(g.RowBackColor(rowOf("Nota")), config::kCeldaFallida);
  EXPECT_EQ(g.TextMatrix(rowOf("Nota"), 3), "O'Brien");
  window.reset();  // the view goes before its model
  Cf().provisorio.reset();
}

// Picking a pair in the grid fills both boxes, so that changing a replacement is a pick, an edit
// and Insert; Insert also adds a pair, or replaces the one of the same unit compared without
// case, the unit's blanks kept. Del in a text box edits the text; on the grid it asks, No by
// default.
TEST_F(ConfigTest, UnitsAreAddedReplacedAndRemovedFromTheirWindow) {
  Run("OSTREVAN", {"insert into Unidades values (1,'KG')", "insert into Unidades values (2,'UN')",
                   "insert into Unidad_OrigenDestino values (' UN','Unid')"});
  config::LoadUnidades();
  ui::FrmUnidadesWindow w;
  w.show();
  auto* combo = w.findChild<QComboBox*>("Cmb_Unidades");
  auto* text = w.findChild<QLineEdit*>("txt_UnidadReemplazo");
  auto* grid = w.findChild<ui::FlexGrid*>("MsFgUnidades");
  const Grid& g = Cf().unidades->MsFgUnidades;
  const struct {
    Qt::Key key;  // on the grid; Key_unknown clicks the current row
    const char *unit, *replacement;
  } picks[] = {{Qt::Key_Down, " UN", "Unid"},
               {Qt::Key_Up, "KG", "Kilogramos"},
               {Qt::Key_unknown, "KG", "Kilogramos"},
               {Qt::Key_Down, " UN", "Unid"}};
  for (const auto& p : picks) {
    SCOPED_TRACE(p.unit);
    Retype(combo->lineEdit(), "x");
    Retype(text, "y");
    grid->setFocus();
    if (p.key == Qt::Key_unknown) {
      const QModelIndex at = grid->currentIndex();
      QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(at).center());
    } else {
      QTest::keyClick(grid, p.key);
    }
    EXPECT_EQ(combo->currentText(), p.unit);
    EXPECT_EQ(text->text(), p.replacement);
  }
  const struct {
    const char *unit, *text;
    const char* table;  // every pair afterwards
  } rows[] = {
      {nullptr, "Unidades", "KG=Kilogramos| UN=Unidades"},  // the pair picked last
      {"kg", "Kilos", "KG=Kilos| UN=Unidades"},
      {"UN", "Unid'es", "KG=Kilos| UN=Unidades|UN=Unid'es"},
      {"  ", "Nada", "KG=Kilos| UN=Unidades|UN=Unid'es"},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.text);
    if (r.unit) Retype(combo->lineEdit(), r.unit);
    Retype(text, r.text);
    QTest::keyClick(text, Qt::Key_Insert);
    EXPECT_EQ(Pairs(r.table), r.table);
    // The reload after Insert leaves the typed texts alone.
    EXPECT_EQ(text->text(), r.text);
  }
  QTest::keyClick(text, Qt::Key_Delete);
  EXPECT_TRUE(Messages().isEmpty());
  grid->setFocus();
  for (int row = 1; row < g.Rows(); ++row) {
    if (g.TextMatrix(row, 0) == "KG") Cf().unidades->MsFgUnidades.SetRow(row);
  }
  QTest::keyClick(grid, Qt::Key_Delete);
  ASSERT_EQ(messages->shown.size(), 1u);
  EXPECT_EQ(messages->shown[0].text, "Desea quitar el texto Kilos asociado a la unidad KG?");
  EXPECT_EQ(messages->shown[0].style, vbYesNo + vbExclamation + vbDefaultButton2);
  EXPECT_EQ(Count("OSTREVAN", "Unidad_OrigenDestino"), 3);
  messages->answers = {vbYes};
  QTest::keyClick(grid, Qt::Key_Delete);
  EXPECT_EQ(Pairs(" UN=Unidades|UN=Unid'es"), " UN=Unidades|UN=Unid'es");
  QTest::keyClick(grid, Qt::Key_Escape);
  EXPECT_FALSE(w.isVisible());
}

TEST_F(ConfigTest, TemplateEntriesOfAFormSwitchTogether) {
  const QString ini = config::TemplatesIniPath();
  const struct {
    const char* name;
    const char* file;  // "" for no file
    int rows;          // listed in the window
  } files[] = {
      {"missing", "", 0},
      {"damaged", "[Templates]\nCount=abc\n", 0},
      {"huge count", "[Templates]\nCount=99999999\n", 0},
      {"two templates, CEO104's entries in both",
       "[Templates]\nCount=2\n[Templ1]\nHCount=1\nNombre=Fondo\n[HTempl1_1]\nFormID=CEO104\n"
       "Descr=Aladi\nEnabled=N\n[Templ2]\nHCount=2\nNombre=Reticula\n[HTempl2_1]\nFormID=CEO004\n"
       "Descr=Mercosur\nEnabled=S\n[HTempl2_2]\nFormID=CEO104\nDescr=Chile\nEnabled=S\n",
       3},
  };
  for (const auto& f : files) {
    SCOPED_TRACE(f.name);
    QDir().mkpath(Dir() + "Cfg");
    QFile::remove(ini);
    if (*f.file) {
      QFile out(ini);
      ASSERT_TRUE(out.open(QIODevice::WriteOnly));
      out.write(f.file);
    }
    EXPECT_EQ(config::LoadTemplates().MsFgTemplates.Rows() - 1, f.rows);
  }
  const Grid& g = Cf().templates->MsFgTemplates;
  ui::FrmTemplatesWindow w;
  w.show();
  OnNextWindow(&w, [](QWidget* a) {
    EXPECT_TRUE(a->findChild<QRadioButton*>("Opt_Activar")->isChecked());
    a->findChild<QRadioButton*>("Opt_Desactivar")->click();
    QTest::keyClick(a, Qt::Key_Return);  // only Esc leaves
    EXPECT_TRUE(a->isVisible());
    QTest::keyClick(a, Qt::Key_Escape);
  });
  auto* grid = w.findChild<ui::FlexGrid*>("MsFgTemplates");
  // Row 1: CEO104's "Fondo Aladi", shown active because the later entry of CEO104 is.
  QTest::keyClick(grid, Qt::Key_Return);
  EXPECT_EQ(QStringList({g.TextMatrix(1, 2), g.TextMatrix(2, 2), g.TextMatrix(3, 2)}).join(""),
            "NSN");
  // Enter on a button is no Enter on the grid: no activation window opens.
  auto* cerrar = w.findChild<QPushButton*>("Cmd_Cerrar");
  cerrar->setFocus();
  auto waiting = OnNextWindow(&w, [](QWidget* a) {
    ADD_FAILURE() << "an activation window opened";
    QTest::keyClick(a, Qt::Key_Escape);
  });
  QTest::keyClick(cerrar, Qt::Key_Return);
  QTest::qWait(100);
  *waiting = false;
  QTest::keyClick(grid, Qt::Key_Escape);
  EXPECT_FALSE(w.isVisible());
}

// The whole road of a broker: the offset typed into the settings window and a field moved in
// the layout editor bring the field's text to its new millimetres on the printed certificate.
// That the offsets move every other text alike is checked where the pages are composed.
class ConfigPrintTest : public test::DemoTest {};

TEST_F(ConfigPrintTest, AnOffsetTypedInTheSettingsAndAFieldMovedInTheEditorReachThePrint) {
  if (QStandardPaths::findExecutable("pdftotext").isEmpty()) GTEST_SKIP() << "no pdftotext";
  QString console;
  QTextStream out(&console);
  const QString id = test::CreateDemoCertificate(out, "CACIPRA", "CEO104");
  ASSERT_FALSE(id.isEmpty()) << Messages().join("|");
  SetWindowService(std::make_shared<ui::WidgetWindows>());
  config::LoadConfig();
  {
    ui::FrmConfigWindow w;
    w.show();
    // Opened from the certificate, the window starts on the certificate's own form.
    Retype(w.findChild<QLineEdit*>("txtX"), "5,5");
    Retype(w.findChild<QLineEdit*>("txtY"), "1");
    QTest::keyClick(w.findChild<QLineEdit*>("txtY"), Qt::Key_F11);

    // The layout editor from "Avanzada": the exporter's name to X 100, Y 200.
    OnNextWindow(&w, [](QWidget* editor) {
      const Grid& g = Cf().provisorio->MSFGCamposConfig;
      for (int r = 1; r < g.Rows(); ++r) {
        if (g.TextMatrix(r, 0) == "ProductorRazon") Cf().provisorio->MSFGCamposConfig.SetRow(r);
      }
      OnNextWindow(editor, [](QWidget* row) {
        Retype(row->findChild<QLineEdit*>("txtX"), "100");
        Retype(row->findChild<QLineEdit*>("txtY"), "200");
        QTest::keyClick(row, Qt::Key_F11);
      });
      QTest::keyClick(editor, Qt::Key_Return);
      QTimer::singleShot(100, [editor] { QTest::keyClick(editor, Qt::Key_Escape); });
    });
    w.findChild<QPushButton*>("Cmd_AdvCfg")->click();
    QTest::keyClick(&w, Qt::Key_Escape);
  }
  const QString pdf = tmp->filePath("impreso.pdf");
  // Forced: the certificate is not complete, and the positions are what is looked at.
  ASSERT_EQ(app::PrintToPdf(id, pdf, "", "", out, false, true), 0) << console.toStdString();
  const std::vector<test::Word> words = test::PdfWords(pdf, 1);
  const auto name = std::find_if(words.begin(), words.end(), [](const test::Word& w) {
    return w.text == "D&apos;Alessandro";  // the first word of the moved line
  });
  ASSERT_NE(name, words.end()) << Messages().join("|");
  EXPECT_NEAR(name->x, 100 + 5.5 + print::kAreaLeftMm, 0.5);
  EXPECT_NEAR(name->y, 200 + 1 + print::kAreaTopMm, 0.5);
}

}  // namespace
}  // namespace ostrevan
