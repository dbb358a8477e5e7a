#pragma once
// The preview window's model: the pages of a run on the form's image, before they print.
#include <QImage>
#include <QString>
#include <memory>
#include <vector>

#include "print/draft.h"
#include "print/printlib.h"

namespace ostrevan {

struct VistaPrevia {
  std::vector<print::Page> paginas;
  int primera = 1;  // the page number of paginas[0]
  int actual = 0;   // index into paginas
  enum Zoom { Ajustar = 0, Cien = 1, Doscientos = 2 } zoom = Ajustar;
  bool mostrarFormulario = true;
  print::PlacedImage fondo;  // the form's paper; no path when the form has no image
  // From the page range window: F12 goes on printing these pages, Esc drops them.
  bool desdeRango = false;
  enum Resultado { Cerrar = 0, Imprimir = 1 } resultado = Cerrar;
  std::shared_ptr<print::PageRenderer> renderer = std::make_shared<print::PageRenderer>();

  bool Avanzar(int paginas);  // false when already at that end
  // The current page as it shows, `pxPerMm` pixels to a millimetre of paper.
  QImage Imagen(double pxPerMm) const;
  QString Estado() const;  // "Pagina 2 de 5 - Ajustar - con formulario"
};
VistaPrevia& Previa();

// Every page of the open certificate, on its form, and shows them; the result says whether
// the user asked to print.
VistaPrevia::Resultado MostrarVistaPrevia();
// The page range window asked for a look first: shows the pages about to print; true when
// the user goes on printing them.
bool ConfirmarConVistaPrevia(const std::vector<print::Page>& pages, int primera,
                             const print::PlacedImage& fondo);
// Where the preview's draft of a certificate goes.
QString ArchivoBorrador(const QString& idCeo);

}  // namespace ostrevan
