#pragma once
// The certificate on its form before it goes into the printer: the preview's pages, the draft
// for the exporter and the checks that need to know fonts and images. Every page shown or
// drafted is a display list of the very print run that prints it; nothing is composed twice.
#include <QImage>
#include <QString>
#include <memory>
#include <vector>

#include "data/verificaciones.h"
#include "print/backends.h"
#include "print/printlib.h"

namespace ostrevan::print {

inline constexpr char kMarcaBorrador[] = "BORRADOR - SIN VALOR";

// --- Form images ---
// The image of the form's blank paper: the per-form parameter "IMAGENFORMULARIO" (a file in
// the forms folder, or a full path: an installation's own scan) or else the forms folder's
// "<IdFormulario>.png". "" when there is none or it cannot be read: a plain page stands in.
QString ImagenFormulario(const QString& formId);
// The form's paper behind a page: the whole physical sheet, not the print area.
PlacedImage FondoFormulario(const QString& path);
// A page as the draft shows it: the form's image under the texts (when there is one) and the
// diagonal mark over them.
Page PaginaBorrador(const Page& page, const QString& formImage);

// Keeps a run's pages instead of printing them.
class KeepingBackend final : public Backend {
 public:
  bool Print(const std::vector<Page>& pages, const QString&, QString*) override {
    pages_ = pages;
    return true;
  }
  const std::vector<Page>& Pages() const { return pages_; }

 private:
  std::vector<Page> pages_;
};

// Prints through another backend with every page made a draft page.
class DraftBackend final : public Backend {
 public:
  DraftBackend(std::shared_ptr<Backend> inner, QString formImage)
      : inner_(std::move(inner)), formImage_(std::move(formImage)) {}
  bool Print(const std::vector<Page>& pages, const QString& jobName, QString* error) override;
  void PageReady(const Page& page, const QString& jobName) override;
  void Discard() override { inner_->Discard(); }

 private:
  std::shared_ptr<Backend> inner_;
  QString formImage_;
};

// --- Print runs ---
// Composes every page of the open certificate as printing does, without asking for a range
// and without printing. Empty when the run stopped (its own message says why).
std::vector<Page> ComponerPaginas();
// Where the preview's draft of a certificate goes.
QString ArchivoBorrador(const QString& idCeo);

// --- Checks ---
// What the checks need from printing: the fonts' glyphs and the images.
SondaImpresion SondaDeImpresion();
// The findings for a stored certificate; none when its form turns the checks off.
std::vector<Hallazgo> VerificarParaImprimir(const QString& idCeo);

// --- The preview window's model ---
struct VistaPrevia {
  std::vector<Page> paginas;
  int primera = 1;  // the page number of paginas[0]
  int actual = 0;   // index into paginas
  enum Zoom { Ajustar = 0, Cien = 1, Doscientos = 2 } zoom = Ajustar;
  bool mostrarFormulario = true;
  QString imagenFormulario;
  // From the page range window: F12 goes on printing these pages, Esc drops them.
  bool desdeRango = false;
  enum Resultado { Cerrar = 0, Imprimir = 1 } resultado = Cerrar;
  std::shared_ptr<PageRenderer> renderer = std::make_shared<PageRenderer>();

  bool Avanzar(int paginas);  // false when already at that end
  // The current page as it shows, `pxPerMm` pixels to a millimetre of paper.
  QImage Imagen(double pxPerMm) const;
  QString Estado() const;  // "Pagina 2 de 5 - Ajustar - con formulario"
};
VistaPrevia& Previa();
// Loads the open certificate into the preview (every page) and shows it; the result says
// whether the user asked to print.
VistaPrevia::Resultado MostrarVistaPrevia(const QString& formId);
// The page range window asked for a look first: shows the pages about to print; true when
// the user goes on printing them.
bool ConfirmarConVistaPrevia(const std::vector<Page>& pages, int primera, const QString& formId);

}  // namespace ostrevan::print
