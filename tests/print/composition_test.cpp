#include "data/verificaciones.h"
#include "job/print_job.h"
#include "print/draft.h"
#include "print/item_lines.h"
#include "print/print_settings.h"
#include "print_fixture.h"

namespace ostrevan {
namespace {

using test::PrintTest;

const print::PlacedText* Find(const std::vector<print::PlacedText>& t, const QString& text) {
  for (const auto& x : t) {
    if (x.text == text) return &x;
  }
  return nullptr;
}

TEST_F(PrintTest, HeaderFieldsAndColumnsLandAtTheirPositionsPlusOffsets) {
  Certificate(2);
  // The producer and importer go line by line on this form; a fourth line is not printed.
  const std::pair<const char*, const char*> lines[] = {{"Razon SA", "ProductorRazon"},
                                                       {"Calle 1", "ProductorDireccion"},
                                                       {"01/02/2026", "ProductorFecha"},
                                                       {"Imp SA", "ImportadorRazon"},
                                                       {"Av 2", "ImportadorDireccion"},
                                                       {"CONSIGNA", "Consignatario"},
                                                       {"FC-1", "FcNro"},
                                                       {"05/03/2024", "Fecha"}};
  // The second print of the session has no offsets stored: it prints at zero offset, not with
  // the offsets of the print before it.
  for (const auto& [dx, dy] : {std::pair{1.5, -2.0}, std::pair{0.0, 0.0}}) {
    recorder->jobs.clear();
    EnviaImpresion();
    ASSERT_EQ(recorder->jobs.size(), 1u) << Messages().join("|");
    const auto t = Texts();
    for (const auto& [text, campo] : lines) {
      const print::PlacedText* f = Find(t, text);
      ASSERT_TRUE(f) << text;
      EXPECT_EQ(f->campo, QString("CEO004") + campo);
      // The fixture's layout: X 20 (the consignee 12,5), Y 15 onwards in steps of 5.
      EXPECT_DOUBLE_EQ(f->x, (QString(campo) == "Consignatario" ? 12.5 : 20) + dx) << text;
      EXPECT_DOUBLE_EQ(f->y, 15 + 5 * test::kLayoutFields.indexOf(campo) + dy) << text;
    }
    EXPECT_FALSE(Find(t, "extra"));
    // The columns by their alignment: CAL "0" ends at CX205, "1" starts at CX102, "2" is
    // centred between CX101 and CX201; the first line at CY1xx.
    print::Impresora m;
    const auto width = [&m](const print::PlacedText* p) {
      return m.gettextwidth(p->text, p->fontName, QString::number(p->fontSize));
    };
    const print::PlacedText* fob = Find(t, "3.46");
    const print::PlacedText* code = Find(t, "1000");
    const print::PlacedText* number = Find(t, "1");
    ASSERT_TRUE(fob && code && number);
    EXPECT_NEAR(fob->x + width(fob), 185 + dx, 1e-9);
    EXPECT_DOUBLE_EQ(fob->y, 100 + dy);
    EXPECT_DOUBLE_EQ(code->x, 22 + dx);
    EXPECT_NEAR(number->x, 10 + (10 - width(number)) / 2 + dx, 1e-9);
    Execute("OSTREVAN_CLI", "delete from CeoParametros where Propiedad like '_OFFSET'");
  }
}

TEST_F(PrintTest, AColumnWithoutItsCoordinatesEndsThePlacementWithItsReport) {
  const struct {
    const char* property;
    const char* procedure;
    const char* kept;  // placed before the column that lacks its coordinates
    const char* lost;
  } rows[] = {
      {"CX205", "ProcesarSubItemsConCoordenadas", "1000", "3.46"},
      {"CY101", "ProcesarSubItemsConCoordenadas", "CONSIGNA", "1000"},
      {"NX201", "ProcesarNormasOrigenConCoordenadas", "3.46", "Norma uno"},
  };
  Certificate(1);
  for (const auto& r : rows) {
    SCOPED_TRACE(r.property);
    Param("CEO004", {{r.property, ""}});
    messages->shown.clear();
    EnviaImpresion();
    const auto t = Texts();
    EXPECT_TRUE(Find(t, r.kept));
    EXPECT_FALSE(Find(t, r.lost));
    EXPECT_TRUE(Find(t, "05/03/2024"));  // the page goes on after the report
    const QString all = Messages().join("|");
    EXPECT_TRUE(all.contains(QString("in procedure ") + r.procedure + " of Módulo Mod_ToDll - "))
        << all;
    EXPECT_TRUE(all.contains(r.property)) << all;
    Param("CEO004", {{"CX205", "185"}, {"CY101", "100"}, {"NX201", "30"}});
  }
}

TEST_F(PrintTest, SamplesRulerAndMissingLayout) {
  Param("CEO004", {{"DEBUGPRINT", "s"}, {"MostrarRegla", "S"}});
  Certificate(1);
  EnviaImpresion();
  const auto t = Texts();
  EXPECT_TRUE(Find(t, "0000-0000"));
  EXPECT_TRUE(Find(t, "05/03/2024"));  // the date keeps its stored value
  // Ruler marks: a number every 5 mm beside the ticks.
  for (const auto& [text, x, y] : {std::tuple{"5", 1, 4}, std::tuple{"0", 68, 22}}) {
    EXPECT_TRUE(std::any_of(t.begin(), t.end(), [&](const auto& p) {
      return p.text == text && p.x == x && p.y == y;
    })) << text;
  }

  Execute("OSTREVAN", "update CeoMercosur set IdFormulario = 'CEO104'");
  ResetAll();
  data::InstallSchema();
  St().sIdCeo = "P1";
  St().sIdFormulario = "CEO104";
  EnviaImpresion();
  EXPECT_TRUE(Messages().contains("No hay configuracion de impresion para el id [ CEO104 ]"))
      << Messages().join("|");
}

// Pagination works on the line list alone.
class PaginationTest : public PrintTest {
 protected:
  // count articles; those listed in `lengths` get that many lines.
  void Lines(int count, std::map<int, int> lengths = {}) {
    pre = print::PrePrintState();
    for (int a = 1; a <= count; ++a) {
      const int n = lengths.count(a) ? lengths[a] : 1;
      for (int k = 1; k <= n; ++k) {
        print::Linea l;
        l.Number = "[{COL01}]" + QString::number(a);
        l.Code = "[{COL02}]C" + QString::number(a);
        l.Description = "[{COL03}]d" + QString::number(a) + "." + QString::number(k);
        l.Quantity = "[{COL04}]2.00";
        l.Fob = "[{COL05}]9.00";
        l.Unit = "KG";
        l.LastLine = k == n;
        pre.lineas.push_back(l);
      }
    }
  }
  void Paginate(int perPage) {
    print::PrintRun run;
    run.cert.idFormulario = "CEO004";
    run.cert.params = LeerFormParams("CEO004");
    print::GenerarPaginadoArticulos(run, perPage, pre);
  }
  int Placed() {  // description lines on the pages
    int n = 0;
    for (const QString& p : pre.pageTexts) n += p.count("[{COL03}]");
    return n;
  }
  print::PrePrintState pre;
};

TEST_F(PaginationTest, ArticlesStayWholeOnAPageUnlessLongerThanIt) {
  struct Row {
    int articles;
    std::map<int, int> lengths;
    int pages;
    int lines;
  } rows[] = {{25, {}, 3, 25},
              {20, {}, 2, 20},
              {17, {{9, 4}}, 3, 20},   // needs 3 lines where 2 remain: pushed, one more page
              {18, {{9, 3}}, 2, 20},   // needs 2 where 2 remain: stays
              {2, {{1, 15}}, 2, 16}};  // longer than a page: continues, nothing is lost
  for (const auto& r : rows) {
    SCOPED_TRACE(r.articles);
    Lines(r.articles, r.lengths);
    Paginate(10);
    EXPECT_EQ(pre.pageTexts.size() - 1, r.pages);
    EXPECT_EQ(Placed(), r.lines);
  }
  // Article 9 opens page 2: number and code on its first line, the totals on its last.
  Lines(17, {{9, 4}});
  Paginate(10);
  EXPECT_EQ(pre.pageTexts[1].count("\r\n"), 8);
  const QStringList out = pre.pageTexts[2].split("\r\n");
  ASSERT_GE(out.size(), 4);
  EXPECT_TRUE(out[0].startsWith(QString(2, ' ') + "[{COL01}]         9")) << out[0];
  EXPECT_TRUE(out[0].contains("d9.1"));
  EXPECT_FALSE(out[0].contains("2.00"));
  EXPECT_FALSE(out[1].contains("C9"));
  EXPECT_TRUE(out[3].contains("2.00 KG") && out[3].contains("9.00")) << out[3];
  Lines(3);
  Paginate(0);
  EXPECT_TRUE(Messages().join("|").contains(
      "in procedure GenerarPaginadoArticulos of Módulo Mod_PrePrint - "));
}

TEST_F(PrintTest, TheChecksRefuseTextsOffTheSheetAndWarnOfTextsThatDoNotFit) {
  Certificate(2);
  // The fixture's certificate date would stand on the code column: out of the way.
  Execute("CEOCFG", "update CeoConfig set ValorX = '100' where Campo = 'CEO004Fecha'");
  const QString longText = QString("Observacion larga ").repeated(220).trimmed();  // ~4,000
  const Rectangulo margins{-10 + 4.2, -9.5 + 4.2, 200 - 4.2, 287.5 - 4.2};         // a laser's
  const auto consignee = [](const char* set) {
    return QString("update CeoConfig set %1 where Campo = 'CEO004Consignatario'").arg(set);
  };
  const auto xOffset = [](const char* mm) {
    return QString("update CeoParametros set Valor = '%1' where Propiedad = 'XOFFSET'").arg(mm);
  };
  const struct {
    QString breaking;
    QStringList codes;
    const char* says;  // in the first finding
    bool printer = false;
  } rows[] = {
      {"update CeoMercosur set FcNro = 'FC-1'", {}, ""},
      {xOffset("-300"), {"FUERA-DE-LA-HOJA"}, "XOFFSET -300,0 mm"},  // every field, each once
      {consignee("ValorX = '-50'"),
       {"FUERA-DE-LA-HOJA"},
       "El campo Consignatario del formulario CEO004 se imprimiría en X -48,5 mm, Y 48,0 mm"},
      {consignee("ValorX = '500'"),
       {"FUERA-DE-LA-HOJA"},
       "a 511,5 mm del borde izquierdo y 57,5 mm del borde superior de la hoja: fuera de la "
       "hoja (210,0 x 297,0 mm)"},
      {consignee("ValorY = '400'"), {"FUERA-DE-LA-HOJA"}, "Y 398,0 mm"},
      // On the sheet, but in the margin a laser printer cannot print on.
      {consignee("ValorX = '-9'"), {}, ""},
      {consignee("ValorX = '-9'"),
       {"FUERA-DE-LA-HOJA"},
       "fuera de lo que la impresora puede imprimir (de X 4,2 a 205,8 mm",
       true},
      // The FOB column ends at CX205 = 185 plus the offset: 189.5 fits, 191 leaves the area,
      // 215 (225 mm from the sheet's edge) leaves the sheet.
      {xOffset("4,5"), {}, ""},
      {xOffset("6"),
       {"FUERA-DEL-AREA"},
       "\"3.46\" de la columna 12 de los artículos (valor FOB, CX105 a CX205) llega hasta X "
       "191,0 mm"},
      {xOffset("30"),
       {"FUERA-DE-LA-HOJA"},
       "la columna 12 de los artículos (valor FOB, CX105 a CX205) se imprimiría en X 215,0 mm"},
      {"update CeoMercosur set Observaciones = '" + longText + "'",
       {"TEXTO-CORTADO"},
       "El texto de las observaciones (casilla 14) no cabe en su lugar del formulario CEO004: su "
       "línea 1 ocupa de X 21,5 a "},
      // Three lines of the consignee run into the port below them.
      {"update CeoMercosur set Consignatario = 'Consignataria SA' || char(13) || char(10) || "
       "'Consignataria SA' || char(13) || char(10) || 'Consignataria SA', PuertoEmbarque = "
       "'Rosario'",
       {"TEXTO-CORTADO"},
       "su línea 2 se imprimiría sobre el campo PuertoEmbarque"},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.breaking.toStdString());
    SondaImpresion sonda = print::SondaDeImpresion(ImageFolder());
    if (r.printer) sonda.areaImpresora = margins;
    QStringList codes;
    QString first;
    for (const Hallazgo& h : FindingsAfter(r.breaking, "P1", sonda)) {
      if (h.codigo != "FUERA-DE-LA-HOJA" && h.codigo != "TEXTO-CORTADO" &&
          h.codigo != "FUERA-DEL-AREA") {
        continue;
      }
      codes << h.codigo;
      if (first.isEmpty()) first = h.mensaje;
      EXPECT_EQ(h.nivel, h.codigo == "FUERA-DE-LA-HOJA" ? Nivel::Error : Nivel::Advertencia);
    }
    const qsizetype found = codes.size();
    codes.removeDuplicates();
    EXPECT_EQ(codes, r.codes) << first.toStdString();
    if (r.breaking.contains("-300")) {
      EXPECT_GT(found, 10);
    }
    EXPECT_TRUE(first.contains(QString::fromUtf8(r.says))) << first.toStdString();
  }
}

}  // namespace
}  // namespace ostrevan
