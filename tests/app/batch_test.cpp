// The batch print command as a script uses it: the pages asked for, the draft's form and mark,
// and an exit status that tells whether this run printed, whatever file was already at the path.
#include "app/batch.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <algorithm>
#include <map>

#include "app/demo_completion.h"
#include "data/mod_main.h"
#include "entry/cls_main.h"
#include "host/ini.h"
#include "host/state.h"
#include "print/backends.h"
#include "support/demo_certificate.h"
#include "support/fixtures.h"
#include "support/pdf_words.h"

namespace ostrevan::test {
namespace {

QString Run(const QString& tool, const QStringList& args) {
  QProcess p;
  p.start(tool, args);
  if (!p.waitForFinished(60000)) return {};
  return QString::fromUtf8(p.readAllStandardOutput());
}

int PdfPages(const QString& pdf) {
  static const QRegularExpression pages(R"(Pages:\s+(\d+))");
  return pages.match(Run("pdfinfo", {pdf})).captured(1).toInt();
}

// Per page: the widest image placed on it (pdfimages -list).
std::map<int, int> WidestImage(const QString& pdf) {
  std::map<int, int> widest;
  static const QRegularExpression row(R"(^\s*(\d+)\s+\d+\s+image\s+(\d+)\s+(\d+))");
  for (const QString& line : Run("pdfimages", {"-list", pdf}).split('\n')) {
    const auto m = row.match(line);
    if (m.hasMatch()) {
      int& w = widest[m.captured(1).toInt()];
      w = std::max(w, m.captured(2).toInt());
    }
  }
  return widest;
}

// Pixels of the mark's red on each page, rendered at 20 dpi. pdftotext leaves out text
// that runs diagonally, so the mark is looked for where it is seen.
std::vector<int> RedPixels(const QString& pdf, const QString& prefix) {
  Run("pdftoppm", {"-r", "20", "-png", pdf, prefix});
  std::vector<int> counts;
  for (int page = 1;; ++page) {
    QImage img(prefix + "-" + QString::number(page) + ".png");
    if (img.isNull()) break;
    int red = 0;
    for (int y = 0; y < img.height(); ++y) {
      for (int x = 0; x < img.width(); ++x) {
        const QColor c = img.pixelColor(x, y);
        if (c.red() > 200 && c.green() < 170 && c.blue() < 170) ++red;
      }
    }
    counts.push_back(red);
  }
  return counts;
}

// A completed demo certificate of CEO104, and the console the batch verbs write to.
class BatchTest : public DemoTest {
 protected:
  QString Completed() {
    const QString id = CreateDemoCertificate(out, "CACIPRA", "CEO104");
    EXPECT_FALSE(id.isEmpty()) << Messages().join("|");
    demo::CompleteCertificate(id);
    return id;
  }
  QString console;
  QTextStream out{&console};
};

TEST_F(BatchTest, TheBatchPrintHonoursTheRangeAndFailsWhenNothingWasPrinted) {
  if (QStandardPaths::findExecutable("pdfinfo").isEmpty()) GTEST_SKIP() << "no pdfinfo";
  const QString id = Completed();
  const QString pdf = tmp->filePath("certificado.pdf");
  const struct {
    const char *desde, *hasta;
    int rc;
    int pages;            // in the file afterwards
    const char* message;  // shown to the user, or ""
  } rows[] = {
      {"", "", 0, 3, ""},
      {"2", "3", 0, 2, ""},
      {"2", "", 0, 2, ""},  // to the last page
      // A bad range prints nothing: the file of the run before stays as it was.
      {"3", "2", 1, 2, "El campo DESDE no puede ser mayor que HASTA"},
      {"x", "", 1, 2, "El campo DESDE debe tener un valor númerico"},
      {"1", "9", 1, 2, "El campo HASTA no puede ser mayor a 3"},
      {"0", "2", 1, 2, "El campo DESDE no puede ser menor a 1"},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(std::string(r.desde) + "-" + r.hasta);
    messages->shown.clear();
    EXPECT_EQ(app::PrintToPdf(id, pdf, r.desde, r.hasta, out), r.rc) << console.toStdString();
    EXPECT_EQ(PdfPages(pdf), r.pages);
    if (*r.message) {
      EXPECT_TRUE(Messages().contains(r.message)) << Messages().join("|");
    }
  }
}

// The checks name the empty boxes until the certificate is completed; then the draft carries
// the form and the mark on every page, and the real print neither.
TEST_F(BatchTest, TheDraftHasTheFormAndTheMarkOnEveryPageAndTheRealPrintNeither) {
  const QString id = CreateDemoCertificate(out, "CACIPRA", "CEO104");
  EXPECT_EQ(app::Validar(id, out), 1);
  EXPECT_TRUE(console.contains("Error\tCASILLA-VACIA\tFalta el número de la factura comercial"))
      << console.toStdString();
  EXPECT_TRUE(console.contains("GRUPO-SIN-NORMA"));
  console.clear();
  demo::CompleteCertificate(id);
  EXPECT_EQ(app::Validar(id, out), 0) << console.toStdString();
  EXPECT_TRUE(console.contains("sin observaciones")) << console.toStdString();
  for (const char* tool : {"pdfimages", "pdftoppm", "pdftotext"}) {
    if (QStandardPaths::findExecutable(tool).isEmpty()) GTEST_SKIP() << "no " << tool;
  }
  const QString draft = tmp->filePath("borrador.pdf");
  const QString real = tmp->filePath("real.pdf");
  ASSERT_EQ(app::PrintToPdf(id, draft, "", "", out, true), 0) << console.toStdString();
  ASSERT_EQ(app::PrintToPdf(id, real, "", "", out), 0) << console.toStdString();

  const std::map<int, int> draftImages = WidestImage(draft);
  const std::map<int, int> realImages = WidestImage(real);
  const std::vector<int> draftRed = RedPixels(draft, tmp->filePath("b"));
  const std::vector<int> realRed = RedPixels(real, tmp->filePath("r"));
  ASSERT_GE(draftRed.size(), 2u);
  ASSERT_EQ(draftRed.size(), realRed.size());
  for (size_t i = 0; i < draftRed.size(); ++i) {
    const int page = static_cast<int>(i) + 1;
    SCOPED_TRACE(page);
    EXPECT_GE(draftImages.at(page), 1600) << "the form at 200 dpi or more";
    EXPECT_LT(realImages.count(page) ? realImages.at(page) : 0, 100);
    EXPECT_GT(draftRed[i], 150);
    EXPECT_EQ(realRed[i], 0);
    // The real print's words are the certificate's only.
    QStringList words;
    for (const Word& w : PdfWords(real, page)) words << w.text;
    EXPECT_TRUE(words.contains("0003-00012877"));
    for (const char* piece : {"BORRADOR", "VALOR", "BO", "VA"}) EXPECT_FALSE(words.contains(piece));
  }
}

// "listar" prints one line per certificate: a line break typed in a description or a country
// shows as a blank, as a tab does, and the columns after it stay on their line.
TEST_F(BatchTest, ListarKeepsEachCertificateOnOneLine) {
  const struct {
    const char *id, *descripcion, *pais, *line;
  } rows[] = {
      {"L1", "dos\r\nlineas", "Bra\nsil", "\n  L1\tdos lineas\tBra sil\tCreando\n"},
      {"L2", "retorno\rsolo", "Chi\u2028le", "\n  L2\tretorno solo\tChi le\tCreando\n"},
      {"L3", "con\ttab", "Uru\n\nguay", "\n  L3\tcon tab\tUru  guay\tCreando\n"},
  };
  for (const auto& r : rows) {
    Execute("OSTREVAN",
            QString("insert into CeoMercosur (IdCeo, Descripcion, PaisDest, Estado, IdFormulario) "
                    "values ('%1', '%2', '%3', 'Creando', 'CEO104')")
                .arg(r.id, QString::fromUtf8(r.descripcion), QString::fromUtf8(r.pais)));
  }
  ASSERT_TRUE(CargarListadoInternos(false)) << Messages().join("|");
  app::BatchWindows(QString(), QString(), out).ShowModal(Window::OstrevanLista);
  out.flush();
  EXPECT_EQ(console.count('\n'), 4) << console.toStdString();
  for (const auto& r : rows) {
    SCOPED_TRACE(r.id);
    EXPECT_TRUE(console.contains(QString::fromUtf8(r.line))) << console.toStdString();
  }
}

// `imprimir` runs the checks of F12 first: an error refuses the print unless it is forced, and
// the output says so; a warning is listed and the print goes on. Forced past the checks, a
// print run that told of an error, or printed nothing, still exits non-zero and says why.
TEST_F(BatchTest, TheBatchPrintRunsTheChecksFirst) {
  const QString id = Completed();
  // Each row breaks the certificate with its statement's bad value and mends it with the good.
  const QString consignee =
      "update CeoConfig set ValorX = '%1' where Campo = 'CEO104Consignatario'";
  const QString param =
      "update CeoParametros set Valor = '%2' where IdFormulario = 'CEO104' and Propiedad = '%1'";
  const QStringList area =
      Column("CEOCFG",
             "select Valor from CeoParametros where IdFormulario = "
             "'CEO104' and Propiedad in ('CY203', 'NX101') order by Propiedad");
  ASSERT_EQ(area.size(), 2);
  const QString refused = "No se imprimio el certificado " + id +
                          ": la verificacion encontro 1 error (corrijalos, o use --forzar para "
                          "imprimirlo igual)";
  const struct {
    const char* entity;
    QString statement, bad, good;
    bool borrador, forzar;
    int rc;
    const char* finding;  // as the checks list it
    QString says;
  } rows[] = {
      {"CEOCFG", consignee, "x", "14", false, false, 1, "Error\tLAYOUT-NO-NUMERICO\t", refused},
      {"CEOCFG", consignee, "x", "14", false, true, 0, "",
       "Se imprime igual por --forzar, con 1 error de la verificacion"},
      {"CEOCFG", consignee, "x", "14", true, false, 0, "",
       "El borrador se imprime con 1 error de la verificacion"},
      // The FOB column (CX205 = 184) with 6.5 mm: past the print area, still on the sheet.
      {"OSTREVAN_CLI", param.arg("XOFFSET"), "6,5", "1,5", false, false, 0,
       "Advertencia\tFUERA-DEL-AREA\t", ""},
      {"CEOCFG", param.arg("NX101"), "", area[1], false, true, 1, "",
       "con errores, no esta completo: "},
      // The goods area upside down: its bottom (CY203) above its top (CY103).
      {"CEOCFG", param.arg("CY203"), "1", area[0], false, true, 1, "", "CY103"},
      {"OSTREVAN", "update Articulos set IdCeo = '%1'", "OTRO", id, false, true, 1, "",
       "el certificado no tiene articulos"},
  };
  int n = 0;
  for (const auto& r : rows) {
    SCOPED_TRACE(r.statement.arg(r.bad).toStdString());
    const QString pdf = tmp->filePath(QString("v%1.pdf").arg(++n));
    Execute(r.entity, r.statement.arg(r.bad));
    console.clear();
    EXPECT_EQ(app::PrintToPdf(id, pdf, "", "", out, r.borrador, r.forzar), r.rc);
    Execute(r.entity, r.statement.arg(r.good));
    out.flush();
    for (const QString& says : {QString(r.finding), r.says, QString(r.rc ? "" : "impreso en")}) {
      EXPECT_TRUE(console.contains(says)) << console.toStdString();
    }
    // A forced run that failed may have written part of the file.
    if (r.rc == 0 || !r.forzar) {
      EXPECT_EQ(QFile::exists(pdf), r.rc == 0);
    }
    EXPECT_EQ(console.contains("(con --forzar, a pesar de 1 error de la verificacion)"),
              r.forzar && r.rc == 0);
  }
}

// `ostrevan calibracion` as a script runs it: a page that did not print exits 1 with the reason.
// The page is what a broker measures the printer's offsets with: its numbers must stand where
// they say, on paper.
TEST_F(DemoTest, TheCalibrationVerbExitsOneWithTheReasonWhenItDidNotPrint) {
  const QString ini = Dir() + "Cfg/Impresoras.ini";
  const struct {
    const char *destino, *impresora;
    int rc;
    const char* says;
  } rows[] = {
      {"IMPRESORA", "NO-EXISTE-7", 1, "no existe la impresora \"NO-EXISTE-7\""},
      {"Papel", "", 1,
       "El destino \"Papel\" de [FRM_CALIBRACEO] en Cfg/Impresoras.ini no es "
       "valido: use PDF, IMPRESORA o DIALOGO"},
      {"PDF", "", 0, "La pagina de calibracion se imprimio en el archivo "},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.destino);
    clINI().GuardarINI("FRM_CALIBRACEO", "Destino", r.destino, ini);
    clINI().GuardarINI("FRM_CALIBRACEO", "Impresora", r.impresora, ini);
    const Outcome o = Finish(StartProgram(OSTREVAN_EXE, {"calibracion"}));
    EXPECT_EQ(o.rc, r.rc);
    EXPECT_TRUE(o.output.contains(QString::fromUtf8(r.says))) << o.output;
    if (r.rc != 0 || QStandardPaths::findExecutable("pdftotext").isEmpty()) continue;
    // By default the page goes to a file of its own, named for the moment it was printed.
    const QString pdf =
        o.output.section(QString::fromUtf8(r.says), 1).section('\n', 0, 0).trimmed();
    EXPECT_TRUE(
        QRegularExpression(R"(Salida.FRM_CALIBRACEO_\d{8}-\d{6}\.pdf$)").match(pdf).hasMatch())
        << pdf;
    EXPECT_EQ(PdfPages(pdf), 1);
    const std::vector<Word> words = PdfWords(pdf);
    const struct {
      const char* number;
      double x, y;  // the mark's position on the print area
    } marks[] = {{"100", 100, 1}, {"190", 190, 1}, {"50", 1, 50}, {"260", 1, 260}};
    for (const auto& m : marks) {
      EXPECT_TRUE(std::any_of(words.begin(), words.end(), [&](const Word& w) {
        return w.text == m.number && std::abs(w.x - (m.x + print::kAreaLeftMm)) < 0.5 &&
               std::abs(w.y - (m.y + print::kAreaTopMm)) < 0.5;
      })) << m.number;
    }
  }
}

}  // namespace
}  // namespace ostrevan::test
