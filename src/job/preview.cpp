#include "job/preview.h"

#include <algorithm>

#include "host/msgbox.h"
#include "host/sistema.h"
#include "host/state.h"
#include "host/windows.h"
#include "job/print_job.h"

namespace ostrevan {

QImage VistaPrevia::Imagen(double pxPerMm) const {
  if (paginas.empty()) return print::PaginaComoImagen({}, {}, pxPerMm, *renderer);
  return print::PaginaComoImagen(paginas[static_cast<size_t>(actual)],
                                 mostrarFormulario ? fondo : print::PlacedImage(), pxPerMm,
                                 *renderer);
}

bool VistaPrevia::Avanzar(int n) {
  const int next = std::clamp(actual + n, 0, std::max(0, static_cast<int>(paginas.size()) - 1));
  if (next == actual) return false;
  actual = next;
  return true;
}

QString VistaPrevia::Estado() const {
  static const char* zooms[] = {"Ajustar", "100 %", "200 %"};
  if (paginas.empty()) return QStringLiteral("Sin paginas");
  QString s = QString("Pagina %1 de %2 - %3")
                  .arg(primera + actual)
                  .arg(primera + static_cast<int>(paginas.size()) - 1)
                  .arg(QString::fromLatin1(zooms[zoom]));
  if (fondo.path.isEmpty()) return s + " - formulario sin imagen";
  return s + (mostrarFormulario ? " - con formulario" : " - sin formulario");
}

VistaPrevia& Previa() { return Owned<VistaPrevia>(); }

namespace {
void Cargar(std::vector<print::Page> pages, int primera, const print::PlacedImage& fondo,
            bool desdeRango) {
  VistaPrevia& v = Previa();
  v = VistaPrevia();
  v.paginas = std::move(pages);
  v.primera = primera;
  v.fondo = fondo;
  v.desdeRango = desdeRango;
}
}  // namespace

VistaPrevia::Resultado MostrarVistaPrevia() {
  std::vector<print::Page> pages = ComponerPaginas();
  if (pages.empty()) {
    MsgBox("El certificado no tiene paginas para mostrar", vbInformation, "Vista previa");
    return VistaPrevia::Cerrar;
  }
  Cargar(std::move(pages), 1, FondoFormulario(St().sIdFormulario), false);
  Windows().ShowModal(Window::VistaPrevia);
  const VistaPrevia::Resultado r = Previa().resultado;
  Previa().paginas.clear();
  return r;
}

bool ConfirmarConVistaPrevia(const std::vector<print::Page>& pages, int primera,
                             const print::PlacedImage& fondo) {
  Cargar(pages, primera, fondo, true);
  Windows().ShowModal(Window::VistaPrevia);
  const bool print = Previa().resultado == VistaPrevia::Imprimir;
  Previa().paginas.clear();
  return print;
}

QString ArchivoBorrador(const QString& idCeo) {
  return InstallationPath("Salida/Borrador_" + NombreDeArchivo(idCeo) + ".pdf");
}

}  // namespace ostrevan
