// Opening the preview of a 40-item certificate and turning its pages, against printing the
// same pages to a PDF file with the bare backend.
#include <QApplication>

#include "app/synthetic_data.h"
#include "bench_common.h"
#include "data/mod_main.h"
#include "host/windows.h"
#include "print/backends.h"
#include "job/preview.h"
#include "job/print_job.h"
#include "ui/preview/frm_vistaprevia.h"

using namespace ostrevan;

namespace {

// Opens the preview window, lets it draw its first page, and closes it: what the user waits
// for between F8 and a page on the screen.
class OpenAndClose final : public WindowService {
 public:
  int ShowModal(Window w) override {
    if (w != Window::VistaPrevia) return 0;
    ui::FrmVistaPreviaWindow d;
    d.show();
    QApplication::processEvents();
    if (turns > 0) {
      turn = bench::Seconds([&] {
               for (int i = 0; i < turns; ++i) {
                 d.Form_KeyDown(i % 2 == 0 ? 34 : 33, 0);  // AvPag, RePag
                 QApplication::processEvents();
               }
             }) /
             turns;
    }
    d.close();
    return 0;
  }
  int turns = 0;
  double turn = 0;
};

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  bench::Scratch scratch;
  scratch.Demo();
  demo::AddHostOperation("P40", 40, 8);
  ComponentState& st = St();
  st.sInternoHost = "P40";
  st.sIdFormulario = "CEO004";
  GetPaisDestinoFromInternoNuevo();
  CrearInterno();
  LoadFromQuandor();
  CargarDatosAPlanilla("P40");

  auto windows = std::make_shared<OpenAndClose>();
  SetWindowService(windows);
  const std::vector<print::Page> pages = ComponerPaginas();
  const QString pdf = scratch.Path() + "/bare.pdf";
  auto bare = [&] {
    QString e;
    print::PdfBackend(pdf).Print(pages, "x", &e);
  };
  const auto [open, printBare] =
      bench::MedianSeconds([] { MostrarVistaPrevia(); }, bare);
  bench::Report("preview of a 40-item certificate opens", open, printBare, 0);
  windows->turns = 20;
  MostrarVistaPrevia();
  bench::Report("a page of the preview turns", windows->turn, printBare / pages.size(), 0);
  std::printf("  %zu pages; targets: open under 0.3 s (%s), turn under 0.1 s (%s)\n", pages.size(),
              open < 0.3 ? "met" : "NOT MET", windows->turn < 0.1 ? "met" : "NOT MET");
  return 0;
}
