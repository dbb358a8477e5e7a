#include "print/item_lines.h"

#include "host/state.h"
#include "print/print_settings.h"
#include "print_fixture.h"

namespace ostrevan {
namespace {

using test::PrintTest;

// Cuts by characters: one "millimetre" of the description column holds one character.
QString ByChars(const QString& text, double width) { return text.left(static_cast<int>(width)); }

class ItemLinesTest : public PrintTest {
 protected:
  // Items as (tariff code, norm); each gets code "A<n>" and description "Pieza <n>", the first
  // the tariff wording "Dicho".
  void Items(std::initializer_list<std::pair<const char*, const char*>> items) {
    int nro = 0;
    for (const auto& [ncm, norm] : items) AddItem("P1", ++nro, ncm, norm);
    Execute("OSTREVAN",
            "update Articulos set CodArticulo = 'A' || NroOrden, DenoMerc = 'Pieza ' || NroOrden, "
            "TextoPartida = case NroOrden when 1 then 'Dicho' else '' end");
    Execute("OSTREVAN", "insert into CeoMercosur (IdCeo, IdFormulario) values ('P1', 'CEO004')");
  }
  using Props = std::vector<std::pair<QString, QString>>;
  // The form's properties that `where` picks are replaced by `props` in each entity.
  void SetProps(const QString& where, const Props& props,
                std::initializer_list<const char*> entities = {"CEOCFG"}) {
    for (const char* entity : entities) {
      Execute(entity, "delete from CeoParametros where " + where);
      for (const auto& [k, v] : props) {
        Execute(entity, "insert into CeoParametros values ('CEO004','" + k + "','" + v + "')");
      }
    }
  }
  // The description parts, on the shared configuration and on the certificate database alike
  // (the order of the unified detail is read from the latter).
  void DescriptionProps(const Props& props) {
    SetProps(
        "Propiedad like 'ORD_%' or Propiedad like 'SEP_%' or Propiedad like 'OCULTA_%' or "
        "Propiedad = 'DETALLEUNIFICADO'",
        props, {"CEOCFG", "OSTREVAN"});
  }
  // As a print run does: the run read whole, then the lines and their pages.
  const std::vector<print::Articulo>& Build() {
    print::Getarticulos(Run(), ByChars, 10, pre);
    return pre.articulos;
  }
  print::PrePrintState pre;
};

TEST_F(ItemLinesTest, TheCalibrationRecordRoundsAndReadsColumnsOnlyWithCMULT) {
  struct Row {
    Props props;
    long anchoDesc, ces1, col2;
    bool multilinea;
  } rows[] = {
      {{}, 32, 0, 0, false},
      {{{"AnchoDesc", "41,5"}}, 42, 0, 0, false},
      {{{"AnchoDesc", "ancho"}}, 32, 0, 0, false},
      {{{"CMULT", "0"}, {"CES01", "5"}, {"COL02", "7"}}, 32, 0, 0, false},
      {{{"CMULT", "1"}, {"CES01", "5"}, {"COL02", "7"}}, 32, 5, 7, false},
      {{{"NcmMultilinea", "1"}}, 32, 0, 0, true},
  };
  for (const auto& r : rows) {
    SetProps("Propiedad in ('AnchoDesc', 'CMULT', 'CES01', 'COL02', 'NcmMultilinea')", r.props);
    const FormParams c = LeerFormParams("CEO004");
    SCOPED_TRACE(r.props.empty() ? QString("none").toStdString() : r.props[0].second.toStdString());
    EXPECT_EQ(c.anchoDesc, r.anchoDesc);
    EXPECT_EQ(c.calibrado[1].CES, r.ces1);
    EXPECT_EQ(c.calibrado[2].COL, r.col2);
    EXPECT_EQ(c.ncmMultilinea, r.multilinea);
  }
  Param("CEO004", {{"AnchoDesc", "99999999999"}});
  LeerFormParams("CEO004");
  EXPECT_TRUE(
      Messages().join("|").contains(" - seccion[Ostrevan.Mod_CertCfg."
                                    "CargaConfCalibradoGlobal]"))
      << Messages().join("|");
}

TEST_F(ItemLinesTest, GroupsShareANumberAndTheDescriptionFollowsTheFormsParts) {
  Items({{"1000", "1"}, {"1000", "1"}, {"1000", "2"}, {"2000", "2"}});
  const auto& a = Build();
  ASSERT_EQ(a.size(), 4u);
  const char* numbers[] = {"1", "1", "2", "3"};
  for (size_t i = 0; i < a.size(); ++i) EXPECT_EQ(a[i].Number, QString("[{COL01}]") + numbers[i]);
  EXPECT_EQ(a[0].Quantity, "[{COL04}]2.00");
  EXPECT_EQ(a[0].Fob, "[{COL05}]3.46");
  EXPECT_EQ(a[0].Unit, "KG");

  struct Row {
    Props props;
    QStringList lines;  // of the first item, without their markers
  } rows[] = {
      {{}, {"Dicho", "A1Pieza 1"}},
      {{{"SEP_COD_ART", " - "}}, {"Dicho", "A1 - Pieza 1"}},
      {{{"ORD_COD_ART", "2"}, {"ORD_DESC_ART", "1"}, {"SEP_DESC_ART", ": "}},
       {"Dicho", "Pieza 1: A1"}},
      {{{"ORD_COD_ART", "1"}, {"ORD_DESC_ART", "1"}, {"SEP_COD_ART", "/"}},
       {"Dicho", "A1/Pieza 1"}},
      {{{"OCULTA_COD_ART", "s"}, {"SEP_COD_ART", " - "}}, {"Dicho", "Pieza 1"}},
      {{{"OCULTA_DICHOPARTIDA", "S"}}, {"A1Pieza 1"}},
      {{{"DETALLEUNIFICADO", "1"},
        {"ORD_COD_ART", "1"},
        {"ORD_DESC_ART", "2"},
        {"ORD_CANTIDAD", "3"},
        {"ORD_UNIDAD", "0"},  // 0 leaves the part out
        {"ORD_FOB", "4"},
        {"SEP_COD_ART", " "},
        {"SEP_DESC_ART", " "},
        {"SEP_CANTIDAD", " x "},
        {"SEP_FOB", " USD "},
        {"OCULTA_DICHOPARTIDA", "S"}},  // not asked in the unified detail
       {"Dicho", "A1 Pieza 1 2.00 x 3.46 USD"}},
      {{{"DETALLEUNIFICADO", "1"}, {"ORD_DESC_ART", "1"}, {"ORD_FOB", "2"}, {"OCULTA_FOB", "S"}},
       {"Dicho", "Pieza 1"}},
  };
  for (const auto& r : rows) {
    DescriptionProps(r.props);
    QStringList got;
    for (const QString& l : Build()[0].DescriptionLines) got << print::RemoveMarkers(l);
    EXPECT_EQ(got, r.lines) << got.join("|").toStdString();
  }
  DescriptionProps({{"OCULTA_UNIDAD", "S"}});
  EXPECT_EQ(Build()[0].Unit, "");
  Execute("CEOCFG", "update CeoParametros set Valor = '' where Propiedad = 'CX203'");
  EXPECT_FALSE(print::Getarticulos(Run(), ByChars, 10, pre));
  EXPECT_TRUE(Messages().join("|").contains(" - seccion [Getarticulos]"));
}

// Box 10 breaks a description at the last blank that fits: a certificate with words split in
// two reads as careless. Only a word wider than the column is still cut.
TEST_F(ItemLinesTest, DescriptionsBreakAtTheLastBlankThatFitsAndCutOnlyAWordWiderThanTheColumn) {
  const struct {
    const char* text;
    double width;
    QStringList lines;
  } rows[] = {
      {"Juego de cortes traseros", 12, {"Juego de", "cortes", "traseros"}},
      {"exactamente cinco", 11, {"exactamente", "cinco"}},  // the blank right after the width
      {"uno   dos", 5, {"uno", "dos"}},                     // no line starts or ends blank
      {"ab contrapernos xy", 5, {"ab", "contr", "apern", "os xy"}},
      {"contrapernos", 5, {"contr", "apern", "os"}},
      {"Dicho largo\r\nuna dos tres", 7, {"Dicho", "largo", "una dos", "tres"}},
      {"Dicho\r\ncorto", 20, {"Dicho", "corto"}},  // a line break is kept where all fits
      {"  sangria de texto", 10, {"  sangria", "de texto"}},
      {"cabe", 10, {"cabe"}},
      {"", 10, {""}},
  };
  for (const auto& r : rows) {
    QStringList got;
    for (const QString& l : print::CortarDescripcion(QString::fromUtf8(r.text), r.width, ByChars)) {
      EXPECT_TRUE(l.startsWith("[{COL03}]")) << l.toStdString();
      got << print::RemoveMarkers(l);
    }
    EXPECT_EQ(got, r.lines) << r.text << " -> " << got.join("|").toStdString();
  }
  // And so does the print: words of 8 and 9 characters in a column of 80, where a cut by
  // characters would split some. Keeping a long item on one page is the pagination's.
  Items({{"1000", "1"}});
  QStringList words;
  for (int i = 0; i < 30; ++i) words << QString("palabra%1").arg(i);
  Execute("OSTREVAN", "update Articulos set DenoMerc = '" + words.join(' ') + "'");
  DescriptionProps({{"OCULTA_COD_ART", "S"}, {"OCULTA_DICHOPARTIDA", "S"}});
  Build();
  QStringList text;
  for (const QString& l : pre.pageTexts[1].split("\r\n", Qt::SkipEmptyParts)) {
    text << l.section("[{COL03}]", 1).section("[{COL04}]", 0, 0).trimmed();
  }
  EXPECT_EQ(text.size(), 4);
  EXPECT_EQ(text.join(' '), words.join(' '));
}

TEST_F(ItemLinesTest, MultilineCodesFillEachRunToFourLines) {
  Items({{"8708.29.99", "1"}, {"8511.10", "1"}, {"8511.10", "1"}});
  Execute("CEOCFG", "insert into CeoParametros values ('CEO004','NcmMultilinea','1')");
  Build();
  const auto& lines = pre.lineas;
  ASSERT_EQ(lines.size(), 1u + 4 + 4);
  for (size_t i : {3u, 4u, 8u}) {
    EXPECT_TRUE(lines[i].Number.isEmpty() && lines[i].Code.isEmpty() && lines[i].LastLine) << i;
  }
  // The code column of a run's first three lines shows the chapter, heading and rest.
  const QStringList out = pre.pageTexts[1].split("\r\n");
  const char* codes[] = {"8511", "10", "", "", "8708", "29", "99", ""};
  for (int i = 0; i < 8; ++i) {
    const QString code = out[i].section("[{COL02}]", 1).section("[{COL03}]", 0, 0).trimmed();
    EXPECT_EQ(code, codes[i]) << out[i].toStdString();
  }
  EXPECT_EQ(out[2].section("[{COL01}]", 1).section("[{COL02}]", 0, 0).trimmed(), "");
}

TEST_F(ItemLinesTest, ThePageNormTextGroupsFollowingNumbersOfOneNorm) {
  Items({{"1", "1"}, {"2", "1"}, {"3", "1"}, {"4", "2"}, {"5", "1"}});
  struct Row {
    Props props;
    QStringList numbers;
  } rows[] = {
      {{}, {"1", "2", "3", "4", "5"}},
      {{{"AGRUPARNORMASORIGEN", "s"}, {"TEXTOSEPARADORRANGO", " al "}}, {"1 al 3", "4", "5"}},
  };
  for (const auto& r : rows) {
    SetProps("Propiedad like 'AGRUPAR%' or Propiedad like 'TEXTOSEP%'", r.props);
    Build();
    QStringList numbers;
    for (const QString& e : pre.normTexts[1].split("\r\n")) {
      // Both parts are padded on the right, markers included: the number to 10, the norm to 80.
      EXPECT_EQ(e.size() - e.indexOf("  [{COL02}]"), 2 + 80) << e.toStdString();
      numbers << e.section("[{COL01}]", 1).section("[{COL02}]", 0, 0).trimmed();
    }
    EXPECT_EQ(numbers, r.numbers);
  }
  EXPECT_TRUE(pre.normTexts[1].contains("\r\n[{COL01}]4  [{COL02}]Norma dos"));
}

}  // namespace
}  // namespace ostrevan
