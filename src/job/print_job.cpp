#include "job/print_job.h"

#include <utility>

#include "host/errors.h"
#include "host/ini.h"
#include "host/msgbox.h"
#include "host/progress.h"
#include "host/sistema.h"
#include "host/state.h"
#include "host/windows.h"
#include "job/cod_job.h"
#include "job/page_range.h"
#include "job/preview.h"
#include "print/calibration.h"
#include "print/draft.h"
#include "print/mod_todll.h"

namespace ostrevan {

namespace {
void ReportLoadError(const std::exception& ex) {
  RuntimeError e = AsRuntimeError(ex);
  MsgBox(e.Description() + "\r\n\r\n" + QString::number(e.Number()) +
             " seccion [mod_todll.EnviaImpresion]::" + e.Source() + "0",
         vbCritical);
}

// The run of the open certificate with its lines paginated; false when it stopped (told).
bool Preparar(print::PrintRun& run, print::Impresora& p, print::PrePrintState& pre) {
  try {
    run = PrintRunFor(St().sIdCeo);
  } catch (const std::exception& e) {
    ReportLoadError(e);
    return false;
  }
  return print::TraerConfig(run) && print::Paginar(run, p, pre);
}

int PageCount(const print::PrePrintState& pre) {
  return pre.pageTexts.isEmpty() ? 0 : static_cast<int>(pre.pageTexts.size()) - 1;
}
}  // namespace

QString ImageFolder() { return St().sFrmDir.isEmpty() ? FormsDir() : St().sFrmDir; }

print::PrintRun PrintRunFor(const QString& idCeo) {
  print::PrintRun run;
  run.cert = CargarCertificado(idCeo);
  const QString ruler = clINI().LeerINI("Gfont", "Name", InstallationPath("Cfg/CeoFrm.ini"));
  if (!ruler.isEmpty()) run.rulerFont = ruler;
  run.imageFolder = ImageFolder();
  return run;
}

QString EnviaImpresion() {
  print::PrintRun run;
  print::PrePrintState pre;
  print::Impresora p;
  if (!Preparar(run, p, pre)) return {};
  if (!p.selectandsetprinter(print::kPrintProgram)) return {};
  ComponentState& st = St();
  st.iPaginaDesde = PageCount(pre) > 0 ? 1 : 0;
  st.iPaginaHasta = PageCount(pre);
  if (st.iPaginaHasta < 1) st.iPaginaDesde = st.iPaginaHasta = 0;
  if (st.iPaginaDesde != 0 || st.iPaginaHasta != 0) Windows().ShowModal(Window::DsdHst);
  if (st.iPaginaDesde == 0 && st.iPaginaHasta == 0) return {};
  const int desde = st.iPaginaDesde, hasta = st.iPaginaHasta;
  if (!print::ComponerPaginas(run, pre, desde, hasta, p)) return {};
  if (std::exchange(DsdHst().vistaPrevia, false) &&
      !ConfirmarConVistaPrevia(
          p.Pages(), desde,
          print::FondoFormulario(print::ImagenFormulario(run.Params(), run.imageFolder),
                                 run.cert.offsets))) {
    return {};  // seen and not wanted: nothing prints
  }
  bool flag = true;
  p.imprimirINICFGPRog(print::kPrintProgram, flag);
  return p.LastOutput();
}

std::vector<print::Page> ComponerPaginas() {
  auto popup = SetStatusPopup(std::make_shared<SilentPopup>());
  print::PrintRun run;
  print::PrePrintState pre;
  print::Impresora p;
  std::vector<print::Page> pages;
  if (Preparar(run, p, pre) && PageCount(pre) > 0 &&
      print::ComponerPaginas(run, pre, 1, PageCount(pre), p)) {
    pages = p.Pages();
  }
  SetStatusPopup(popup);
  return pages;
}

std::vector<Hallazgo> VerificarParaImprimir(const QString& idCeo) {
  const Certificado c = CargarCertificado(idCeo);
  if (!c.params.verificar) return {};
  std::vector<Hallazgo> h = Verificar(c, print::SondaDeImpresion(ImageFolder()));
  for (Hallazgo& x : HallazgosCod(c)) h.push_back(std::move(x));
  return h;
}

QString ImagenFormulario(const QString& formId) {
  return print::ImagenFormulario(LeerFormParams(formId), ImageFolder());
}

print::PlacedImage FondoFormulario(const QString& formId) {
  return print::FondoFormulario(ImagenFormulario(formId), LeerOffsets(formId));
}

QString ImprimirPaginaCalibracion() {
  return print::ImprimirPaginaCalibracion(St().sPrinter, ImageFolder());
}

}  // namespace ostrevan
