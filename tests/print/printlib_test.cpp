#include "print/printlib.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "host/errors.h"
#include "host/ini.h"
#include "print/backends.h"
#include "print/fonts.h"
#include "support/fixtures.h"
#include "support/pdf_words.h"

namespace ostrevan::print {
namespace {

TEST(PrintFonts, LayoutNamesAreTheirLiberationTwinsMeasuredInMillimetresAsDrawn) {
  const std::pair<const char*, const char*> twins[] = {
      {"Courier New", "Liberation Mono"},
      {"courier", "Liberation Mono"},
      {"Arial", "Liberation Sans"},
      {"", "Liberation Sans"},  // no font in the layout: Arial
      {"Times New Roman", "Liberation Serif"}};
  for (const auto& [layout, family] : twins) {
    EXPECT_EQ(QFontInfo(ReferenceFont(layout)).family(), family) << layout;
  }
  Impresora p;
  // Liberation Mono advances 1229/2048 em per character, as Courier New does; at 8 pt, where
  // whole-pixel font sizes would lose 0.25 %, it is still exact.
  const double em8 = 8 * 25.4 / 72;
  EXPECT_NEAR(p.gettextwidth("ABCDEFGHIJ", "Courier New", "8"), 10 * em8 * 1229 / 2048, 1e-6);
  EXPECT_DOUBLE_EQ(p.gettextwidth("x", "Arial", ""), p.gettextwidth("x", "Arial", "10"));
  // One line of 10 pt text is a little more than 10 pt (3.53 mm): the font's own spacing.
  QString e;
  bool f = false;
  const double line = p.GET_AltoTextoLineaSimple("x", "Arial", "10", e, f);
  EXPECT_GT(line, 3.5);
  EXPECT_LT(line, 4.3);
  EXPECT_DOUBLE_EQ(p.gettextheight("Dummy", "Arial", 10.f), line);
  EXPECT_NEAR(p.gettextheight("Dummy", "Arial", 20.f), 2 * line, 1e-9);

  // What is measured must be what the renderer draws: the shaper's width of the same font.
  const QString texts[] = {
      "AVATAR To Wa LT",  // kerning pairs of proportional fonts
      QString::fromUtf8("Ñandú ÁÉÍÓÚ ¿Qué? 1.234,56"),
      QString::fromUtf8("e\u0301 combining"),  // left to the shaper
      QString::fromUtf8("soft\u00ADhyphen"),   // drawn or not depending on the break
      "tab\tstop",
      QString::fromUtf8("\u4e2d\u6587 \U0001F600"),  // outside the Latin scripts
      "one\r\ntwo three\rfour\nfive",
  };
  for (const char* font : {"Courier New", "Arial", "Times New Roman"}) {
    const QFontMetricsF drawn(ReferenceFont(font));
    for (const QString& t : texts) {
      double widest = 0;
      for (const QString& piece : SplitLines(t)) {
        widest = std::max(widest, drawn.horizontalAdvance(piece));
      }
      EXPECT_NEAR(TextWidthMm(t, font, 10), widest * MmPerReferencePixel(10), 1e-9)
          << font << " " << t.toStdString();
    }
    // Glyph after glyph, as the forms were measured: no pair is drawn closer together.
    EXPECT_NEAR(TextWidthMm("AV", font, 10),
                TextWidthMm("A", font, 10) + TextWidthMm("V", font, 10), 1e-9)
        << font;
  }
}
TEST(PrintFonts, GetStringAnchoFijoCutsWithinTheWidthAndReassembles) {
  Impresora p;
  const QString text = "TORNILLOS DE ACERO INOXIDABLE, CABEZA HEXAGONAL, ROSCA METRICA M8";
  const struct {
    const char* font;
    const char* size;
    double width;
  } rows[] = {{"Courier New", "8", 40}, {"Arial", "10", 25.5}, {"Times New Roman", "12", 1}};
  for (const auto& r : rows) {
    QString rest = text;
    QString joined;
    while (!rest.isEmpty()) {
      const QString part = p.GetStringAnchoFijo(rest, r.font, r.size, r.width);
      ASSERT_FALSE(part.isEmpty()) << r.font;
      if (part.size() > 1) {
        EXPECT_LE(p.gettextwidth(part, r.font, r.size), r.width) << part;
      }
      // Longest: one more character would not have fitted.
      if (part.size() < rest.size() && r.width > 2) {
        EXPECT_GT(p.gettextwidth(rest.left(part.size() + 1), r.font, r.size), r.width) << part;
      }
      joined += part;
      rest = rest.mid(part.size());
    }
    EXPECT_EQ(joined, text) << r.font;
  }
  EXPECT_EQ(p.GetStringAnchoFijo("", "Arial", "10", 5), "");
}

TEST(PrintLib, DisplayListKeepsPositionsFontsAndPages) {
  Impresora p;
  auto rec = std::make_shared<RecordingBackend>();
  p.SetBackend(rec);
  QString e;
  bool f = false;
  p.set_Agregotexto("0", 1, 2, "Courier", "8", e, f);  // before any set_newpage: page 1
  p.set_newpage();
  p.Set_AreaImpresion("180,5", "270", e, f);
  cls_DatosDeImpresion field;
  field.c_Campo = "CEO001Consignatario";
  field.c_PosX = 20;
  field.c_PosY = 30.25;
  field.c_FontName = "Courier New";
  field.c_FontSize = "9";
  field.c_FontOrientantion = "90";
  field.c_valor = "VALOR";
  p.set_Agregotextov2(field, "ACME S.A.");
  p.set_Agregotextov2(field);
  p.set_Agregotextov2(field, "");  // nothing placed
  field.c_FontName.clear();
  field.c_FontSize = "0";
  p.set_Agregotextov2(field, "defaults");
  QString extra;
  p.set_Agregotexto("5", 3, 4, "Courier New", "5", extra, e, f);
  p.Set_AreaImpresion("ancho", "278", e, f);
  EXPECT_TRUE(f);
  EXPECT_FALSE(e.isEmpty());
  bool flag = true;
  ASSERT_TRUE(p.imprimirINICFGPRog("MOD_TODLL", flag));
  EXPECT_TRUE(p.Pages().empty());
  ASSERT_EQ(rec->jobs.size(), 1u);
  const auto& pages = rec->jobs[0];
  ASSERT_EQ(pages.size(), 2u);
  EXPECT_EQ(pages[0].width, 190);
  ASSERT_EQ(pages[0].texts.size(), 1u);
  EXPECT_EQ(pages[1].width, 180.5);  // the bad area later changed nothing
  EXPECT_EQ(pages[1].height, 270);
  QStringList texts;
  for (const PlacedText& t : pages[1].texts) {
    texts << QString("%1|%2|%3|%4").arg(t.text, t.fontName).arg(t.fontSize).arg(t.orientation);
  }
  EXPECT_EQ(texts, QStringList({"ACME S.A.|Courier New|9|90", "VALOR|Courier New|9|90",
                                "defaults|Arial|10|90", "5|Courier New|5|0"}));
}

TEST(PrintRenderer, ImageFillsItsRectangleOnTheAreaNotTheWholePage) {
  QTemporaryDir dir;
  QImage black(8, 8, QImage::Format_RGB32);
  black.fill(Qt::black);
  ASSERT_TRUE(black.save(dir.filePath("negro.png")));
  Page page;
  page.images.push_back({dir.filePath("negro.png"), 20, 30, 40, 50});
  page.images.push_back({dir.filePath("falta.png"), 0, 0, 190, 278});  // left out
  // A4 at 10 px per mm.
  QImage sheet(2100, 2970, QImage::Format_RGB32);
  sheet.setDotsPerMeterX(10000);
  sheet.setDotsPerMeterY(10000);
  sheet.fill(Qt::white);
  QPainter painter(&sheet);
  DrawPage(&painter, page);
  painter.end();
  auto at = [&](double xMm, double yMm) {  // print-area mm
    return qGray(sheet.pixel(qRound((kAreaLeftMm + xMm) * 10), qRound((kAreaTopMm + yMm) * 10)));
  };
  EXPECT_EQ(at(20.5, 30.5), 0);
  EXPECT_EQ(at(39.5, 49.5), 0);
  EXPECT_EQ(at(19.5, 30.5), 255);
  EXPECT_EQ(at(40.5, 49.5), 255);
  EXPECT_EQ(at(100, 100), 255);
}

using test::PdfWords;
using test::Word;

class PrintToPdf : public test::InstallationTest {
 protected:
  void SetUp() override {
    InstallationTest::SetUp();
    QDir().mkpath(Dir() + "Cfg");
    if (QStandardPaths::findExecutable("pdftotext").isEmpty()) GTEST_SKIP() << "no pdftotext";
  }
  void Setting(const QString& key, const QString& value) {
    clINI().GuardarINI("MOD_TODLL", key, value, Dir() + "Cfg/Impresoras.ini");
  }
};

// Pages are drawn as they are finished; what reaches the file is still exactly the run that
// was printed, and a run given up on leaves nothing behind.
TEST_F(PrintToPdf, PagesDrawnAheadNeverLeaveAPartialOrMixedFile) {
  const QString pdf = Dir() + "Salida/adelantado.pdf";
  auto backend = std::make_shared<PdfBackend>(pdf);
  SetBackendFactory([backend](const QString&) { return backend; });
  auto run = [](Impresora& p, const QString& tag, int pages) {
    QString e;
    bool f = false;
    for (int i = 1; i <= pages; ++i) {
      p.set_newpage();
      p.set_Agregotexto(tag + QString::number(i), 10, 10, "Arial", "10", e, f);
    }
  };
  {
    Impresora abandoned;
    ASSERT_TRUE(abandoned.selectandsetprinter("MOD_TODLL"));
    run(abandoned, "ABANDONADA", 4);
  }
  EXPECT_EQ(QDir(Dir() + "Salida").entryList(QDir::Files), QStringList());

  const struct {
    bool selected;  // by program name, so the pages are drawn ahead under that name
    const char* printedAs;
    const char* words;  // one page each
  } rows[] = {{true, "MOD_TODLL", "HOJA1 HOJA2 HOJA3"},
              {true, "OTRO", "HOJA1 HOJA2"},
              {false, "MOD_TODLL", "HOJA1 HOJA2 HOJA3"}};
  for (const auto& r : rows) {
    Impresora p;
    if (r.selected) {
      ASSERT_TRUE(p.selectandsetprinter("MOD_TODLL"));
    } else {
      p.SetBackend(backend);
    }
    run(p, "HOJA", QString(r.words).count(' ') + 1);
    bool flag = true;
    ASSERT_TRUE(p.imprimirINICFGPRog(r.printedAs, flag));
    QStringList texts;
    for (const Word& w : PdfWords(pdf)) texts << w.text;
    EXPECT_EQ(texts.join(' '), r.words) << r.printedAs;
    EXPECT_EQ(QDir(Dir() + "Salida").entryList(QDir::Files), QStringList{"adelantado.pdf"});
  }
  SetBackendFactory(nullptr);
}

TEST_F(PrintToPdf, ACancelledDialogChoosesNoPrinterAndAnUnwritablePathRaises) {
  Setting("Destino", "DIALOGO");
  SetPrintDialogHook([](const QString&) { return nullptr; });
  EXPECT_FALSE(Impresora().selectandsetprinter("MOD_TODLL"));
  SetPrintDialogHook(nullptr);  // without a dialog: the setting's file
  // Relative, so under the installation folder: a file where a folder must be.
  ASSERT_TRUE(QFile(Dir() + "archivo").open(QIODevice::WriteOnly));
  Setting("Archivo", "archivo/sub/salida.pdf");
  Impresora p;
  ASSERT_TRUE(p.selectandsetprinter("MOD_TODLL"));
  QString e;
  bool f = false;
  p.set_Agregotexto("X", 10, 10, "Arial", "10", e, f);
  bool flag = true;
  try {
    p.imprimirINICFGPRog("MOD_TODLL", flag);
    FAIL() << "no error raised";
  } catch (const RuntimeError& err) {
    EXPECT_EQ(err.Number(), kPrintError);
    EXPECT_TRUE(err.Description().startsWith("No se pudo imprimir: ")) << err.Description();
    EXPECT_EQ(err.Source(), "Glyphor2");
  }
  EXPECT_TRUE(p.LastOutput().isEmpty());

  p.set_Agregotexto("X", 10, 10, "Arial", "10", e, f);
  EXPECT_NO_THROW(p.Imprimir("", e, f));
  EXPECT_TRUE(f);
  EXPECT_TRUE(e.startsWith("No se pudo imprimir: ")) << e;
}

}  // namespace
}  // namespace ostrevan::print
