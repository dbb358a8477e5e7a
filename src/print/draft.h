#pragma once
// The certificate on its form before it goes into the printer: the form's paper behind a page,
// the draft for the exporter and what the checks need to know of fonts and images. Every page
// shown or drafted is a display list of the very print run that prints it.
#include <QImage>
#include <QString>
#include <memory>
#include <vector>

#include "data/certificado.h"
#include "data/verificaciones.h"
#include "print/backends.h"
#include "print/printlib.h"

namespace ostrevan::print {

inline constexpr char kMarcaBorrador[] = "BORRADOR - SIN VALOR";

// --- Form images ---
// The image of the form's blank paper: the per-form parameter "IMAGENFORMULARIO" (a file in
// the forms folder, or a full path: an installation's own scan) or else the forms folder's
// "<IdFormulario>.png". "" when there is none or it cannot be read: a plain page stands in.
QString ImagenFormulario(const FormParams& params, const QString& imageFolder);
// The form's paper behind a page: the whole physical sheet, not the print area, moved by the
// installation's offsets as the texts are. The offsets make up for where the printer puts the
// sheet, so the texts over the image stand where they will land on the real form. No image
// (an empty path) when `path` is empty.
PlacedImage FondoFormulario(const QString& path, const Offsets& offsets);
// A page as the draft shows it: the form's paper under the texts (when there is one) and the
// diagonal mark over them.
Page PaginaBorrador(const Page& page, const PlacedImage& fondo);

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
  DraftBackend(std::shared_ptr<Backend> inner, PlacedImage fondo)
      : inner_(std::move(inner)), fondo_(std::move(fondo)) {}
  bool Print(const std::vector<Page>& pages, const QString& jobName, QString* error) override;
  void PageReady(const Page& page, const QString& jobName) override;
  void Discard() override { inner_->Discard(); }

 private:
  std::shared_ptr<Backend> inner_;
  PlacedImage fondo_;
};

// --- Checks ---
// What the checks need from printing: the fonts' glyphs and the images in imageFolder.
SondaImpresion SondaDeImpresion(const QString& imageFolder);
// Every text the certificate's pages would print, measured, composed as a print run composes
// them (without a message or a progress window); none when the run cannot be composed.
std::vector<TextoImpreso> TextosImpresos(const Certificado& cert, const QString& imageFolder);
bool Legible(const QString& path);

// A page as the preview shows it, `pxPerMm` pixels to a millimetre of paper, over the form's
// paper when one is given.
QImage PaginaComoImagen(const Page& page, const PlacedImage& fondo, double pxPerMm,
                        PageRenderer& renderer);

}  // namespace ostrevan::print
