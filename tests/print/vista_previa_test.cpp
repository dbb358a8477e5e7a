// The preview and the draft show the display lists printing sends, and nothing else.
#include <malloc.h>

#include <QFileInfo>

#include "job/page_range.h"
#include "job/preview.h"
#include "job/print_job.h"
#include "print/backends.h"
#include "print_fixture.h"

namespace {
int gAllocatorTunings = 0;
}  // namespace

// The component runs inside its host's process: a print run may not retune what belongs to the
// whole process. Defined in the test program, this is what every library linked into it calls
// instead of the C library's.
extern "C" int mallopt(int, int) noexcept {
  ++gAllocatorTunings;
  return 1;
}

namespace ostrevan {
namespace {

using test::PrintTest;

// Every text of a page as it goes to paper: what, where (mm), in which font.
QStringList Placed(const print::Page& p) {
  QStringList l;
  for (const auto& t : p.texts) {
    l << t.text + QString::asprintf("|%.6f|%.6f|", t.x, t.y) + t.fontName +
             QString::asprintf("|%g|%d", t.fontSize, t.orientation);
  }
  for (const auto& i : p.images) l << QString("img|%1|%2|%3").arg(i.path).arg(i.x1).arg(i.y2);
  return l;
}

TEST_F(PrintTest, ThePageRangeChoosesThePagesAndOnlyF12InItsPreviewPrintsThem) {
  Certificate(40);
  const std::vector<print::Page> all = ComponerPaginas();
  ASSERT_EQ(all.size(), 3u);
  // From page 2: a preview printed from (closing it is the preview window's), Aceptar without a
  // preview, Cancelar.
  const struct {
    const char* hasta;
    std::function<bool()> key;
    VistaPrevia::Resultado answer;
    size_t previewed, printed;
  } rows[] = {
      {"3", DsdHst_VistaPrevia, VistaPrevia::Imprimir, 2, 2},
      {"2", Validar_Guardar, VistaPrevia::Imprimir, 0, 1},
      {"2",
       [] {
         DsdHst_Cancelar();
         return true;
       },
       VistaPrevia::Imprimir, 0, 0},
  };
  for (const auto& r : rows) {
    recorder->jobs.clear();
    std::vector<print::Page> shown;
    windows->actions[Window::DsdHst] = [&] {
      DsdHst_Load();
      DsdHst().txtDesde.SetText("2");
      DsdHst().txtHasta.SetText(r.hasta);
      ASSERT_TRUE(r.key());
    };
    windows->actions[Window::VistaPrevia] = [&] {
      shown = Previa().paginas;
      EXPECT_TRUE(Previa().Estado().startsWith("Pagina 2 de 3")) << Previa().Estado();
      Previa().resultado = r.answer;
    };
    EnviaImpresion();
    ASSERT_EQ(shown.size(), r.previewed);
    const size_t printed = recorder->jobs.empty() ? 0 : recorder->jobs[0].size();
    ASSERT_EQ(printed, r.printed);
    // The preview and the print are the very pages of the whole run, from the second on.
    for (size_t i = 0; i < r.previewed; ++i) EXPECT_EQ(Placed(shown[i]), Placed(all[i + 1]));
    for (size_t i = 0; i < printed; ++i)
      EXPECT_EQ(Placed(recorder->jobs[0][i]), Placed(all[i + 1]));
  }
}

TEST_F(PrintTest, ADraftPageIsThePrintedPageOverTheFormWithTheMark) {
  Certificate(1);
  const std::vector<print::Page> pages = ComponerPaginas();
  ASSERT_EQ(pages.size(), 1u);
  const Offsets offsets{QString("1,5"), QString("-2")};
  const print::Page draft =
      print::PaginaBorrador(pages[0], print::FondoFormulario("/forms/CEO004.png", offsets));
  ASSERT_EQ(draft.images.size(), pages[0].images.size() + 1);
  const print::PlacedImage& form = draft.images.front();  // drawn first: under everything
  EXPECT_EQ(form.path, "/forms/CEO004.png");
  EXPECT_DOUBLE_EQ(form.x2 - form.x1, 210);  // the whole sheet, not the print area
  EXPECT_DOUBLE_EQ(form.y2 - form.y1, 297);
  // Moved with the texts by the installation's offsets: they stand on the paper as printed.
  EXPECT_DOUBLE_EQ(form.x1, 1.5 - print::kAreaLeftMm);
  EXPECT_DOUBLE_EQ(form.y1, -2 - print::kAreaTopMm);
  ASSERT_EQ(draft.texts.size(), pages[0].texts.size() + 1);
  const print::PlacedText& mark = draft.texts.back();  // drawn last: over everything
  EXPECT_EQ(mark.text, "BORRADOR - SIN VALOR");
  // Without a form image a plain page stands in: the mark only.
  EXPECT_EQ(print::PaginaBorrador(pages[0], {}).images.size(), pages[0].images.size());
}

TEST_F(PrintTest, PrintingToPdfLeavesTheAllocatorAsTheHostSetIt) {
  Certificate(40);
  const QString pdf = tmp->path() + "/cert.pdf";
  auto backend = std::make_shared<print::PdfBackend>(pdf);
  print::SetBackendFactory([backend](const QString&) { return backend; });
  EnviaImpresion();
  ASSERT_TRUE(QFileInfo(pdf).size() > 0) << Messages().join("|");
  EXPECT_EQ(gAllocatorTunings, 0);
}

}  // namespace
}  // namespace ostrevan
