// The demo certificate as a broker completes it: the checks find nothing, the draft carries
// the form and the mark on every page, and the real print neither.
#include <gtest/gtest.h>

#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>

#include "app/batch.h"
#include "app/demo_completion.h"
#include "app/demo_forms.h"
#include "entry/cls_main.h"
#include "host/sistema.h"
#include "host/state.h"
#include "host/value.h"
#include "job/preview.h"
#include "job/print_job.h"
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

class DemoCertificateTest : public DemoTest {
 protected:
  void SetUp() override {
    DemoTest::SetUp();
    id = CreateDemoCertificate(out, "CAC", "CEO004");
    ASSERT_FALSE(id.isEmpty()) << Messages().join("|");
  }
  QString console;
  QTextStream out{&console};
  QString id;
};

TEST_F(DemoCertificateTest, TheChecksFindTheEmptyBoxesUntilTheCertificateIsCompleted) {
  EXPECT_EQ(app::Validar(id, out), 1);
  EXPECT_TRUE(console.contains("Error\tCASILLA-VACIA\tFalta el número de la factura comercial"))
      << console.toStdString();
  EXPECT_TRUE(console.contains("GRUPO-SIN-NORMA"));
  console.clear();
  demo::CompleteCertificate(id);
  EXPECT_EQ(app::Validar(id, out), 0) << console.toStdString();
  EXPECT_TRUE(console.contains("sin observaciones")) << console.toStdString();
}

TEST_F(DemoCertificateTest, TheDraftHasTheFormAndTheMarkOnEveryPageAndTheRealPrintNeither) {
  for (const char* tool : {"pdfimages", "pdftoppm", "pdftotext"}) {
    if (QStandardPaths::findExecutable(tool).isEmpty()) GTEST_SKIP() << "no " << tool;
  }
  demo::CompleteCertificate(id);
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

// Darkness of the form image at a point of the print area, in mm.
int Grey(const QImage& img, double xMm, double yMm) {
  const double k = demo::kFormPxPerMm;
  return qGray(img.pixel(static_cast<int>((xMm + print::kAreaLeftMm) * k),
                         static_cast<int>((yMm + print::kAreaTopMm) * k)));
}

TEST_F(DemoTest, EveryFormHasItsPaperWithTheBoxesWhereItsLayoutPrintsOrTheScanItIsGiven) {
  const QStringList forms =
      Column("CEOCFG", "select IdFormulario from CeoFormularios order by IdFormulario");
  ASSERT_EQ(forms.size(), 9);
  for (const QString& form : forms) {
    SCOPED_TRACE(form.toStdString());
    const QString path = ImagenFormulario(form);
    ASSERT_EQ(path, FormsDir() + form + ".png");
    const QImage img(path);
    EXPECT_GE(img.width() / 210.0 * 25.4, 200) << "dpi";
    const double y =
        Val(Column("CEOCFG", "select ValorY from CeoConfig where Campo = '" + form + "ProdFinExp'")
                .value(0));
    // Box 1's top rule runs 8 mm above its first text line; the text itself sits on paper.
    int darkest = 255;
    for (double dy = -0.3; dy <= 0.3; dy += 0.1)
      darkest = std::min(darkest, Grey(img, 50, y - 8 + dy));
    EXPECT_LT(darkest, 180);
    EXPECT_GT(Grey(img, 50, y + 1), 240);
  }
  // An installation can point a form at its own scan.
  QImage scan(100, 141, QImage::Format_RGB32);
  scan.fill(Qt::white);
  ASSERT_TRUE(scan.save(tmp->filePath("scan.jpg")));
  const struct {
    QString value;
    QString expected;
  } rows[] = {
      {tmp->filePath("scan.jpg"), tmp->filePath("scan.jpg")},  // a full path
      {"CEO104.png", FormsDir() + "CEO104.png"},               // a file of the forms folder
      {"no-existe.png", ""},                                   // unreadable: a plain page
      {"", FormsDir() + "CEO004.png"},                         // none: the form's own
  };
  Execute("CEOCFG", "insert into CeoParametros values ('CEO004','IMAGENFORMULARIO','')");
  for (const auto& r : rows) {
    Execute("CEOCFG", "update CeoParametros set Valor = '" + r.value +
                          "' where Propiedad = 'IMAGENFORMULARIO'");
    EXPECT_EQ(ImagenFormulario("CEO004"), r.expected) << r.value;
  }
  QFile::remove(FormsDir() + "CEO004.png");
  EXPECT_EQ(ImagenFormulario("CEO004"), "");
}

}  // namespace
}  // namespace ostrevan::test
