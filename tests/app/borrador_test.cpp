// The demo certificate as a broker completes it: the checks find nothing, the draft carries
// the form and the mark on every page, and the real print neither.
#include <gtest/gtest.h>

#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>

#include "app/batch.h"
#include "app/demo_install.h"
#include "entry/cls_main.h"
#include "host/state.h"
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
    SetWindowService(std::make_shared<app::BatchWindows>("CAC", "CEO004", out));
    Cls_Main host;
    host.CdoData("EX-2026-0001");
    host.Main();
    ASSERT_TRUE(St().bCertificadoCargado) << Messages().join("|");
    id = St().sIdCeo;
  }
  QString console;
  QTextStream out{&console};
  QString id;
};

TEST_F(DemoCertificateTest, TheChecksFindTheEmptyBoxesUntilTheCertificateIsCompleted) {
  EXPECT_EQ(app::Validar(id, out), 1);
  EXPECT_TRUE(console.contains("Error\tCASILLA-VACIA\tFalta el numero de la factura comercial"))
      << console.toStdString();
  EXPECT_TRUE(console.contains("GRUPO-SIN-NORMA"));
  console.clear();
  demo::CompleteCertificate(id);
  EXPECT_EQ(app::Validar(id, out), 0) << console.toStdString();
  EXPECT_TRUE(console.contains("sin observaciones")) << console.toStdString();
  EXPECT_EQ(app::Validar("NO-EXISTE", out), 1);
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

}  // namespace
}  // namespace ostrevan::test
