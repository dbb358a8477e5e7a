#include "print/draft.h"

#include <QDir>
#include <QFileInfo>
#include <QFontMetrics>
#include <QImageReader>
#include <QPainter>
#include <cmath>

#include "print/fonts.h"

namespace ostrevan::print {

namespace {
constexpr double kPaperWidthMm = 210;
constexpr double kPaperHeightMm = 297;
constexpr double kMarkPoints = 48;
constexpr unsigned int kMarkColour = 0xFFC00000;  // half-transparent red: the texts show through

PlacedText Marca(double areaWidth, double areaHeight) {
  PlacedText t;
  t.text = QString::fromLatin1(kMarcaBorrador);
  t.fontName = "Arial";
  t.fontSize = kMarkPoints;
  t.campo = "BORRADOR";
  t.argb = kMarkColour;
  // Corner to corner of the print area, centred on it.
  const double angle = std::atan2(areaHeight, areaWidth);
  t.orientation = static_cast<int>(std::lround(angle * 180 / M_PI));
  const double a = t.orientation * M_PI / 180;
  const double w = TextWidthMm(t.text, t.fontName, t.fontSize);
  const double h = LineMetricsMm(t.fontName, t.fontSize).lineSpacing;
  // Along the text (x right, y down on paper) and across it, towards the line's bottom.
  const double ux = std::cos(a), uy = -std::sin(a);
  const double vx = std::sin(a), vy = std::cos(a);
  t.x = areaWidth / 2 - ux * w / 2 - vx * h / 2;
  t.y = areaHeight / 2 - uy * w / 2 - vy * h / 2;
  return t;
}

}  // namespace

bool Legible(const QString& path) {
  if (path.isEmpty() || !QFileInfo(path).isFile()) return false;
  QImageReader reader(path);
  return reader.canRead();
}

QString ImagenFormulario(const FormParams& params, const QString& imageFolder) {
  const QString& own = params.imagenFormulario;
  QString path = own.isEmpty() ? imageFolder + params.idFormulario + ".png" : own;
  if (!own.isEmpty() && QDir::isRelativePath(own)) path = imageFolder + own;
  return Legible(path) ? path : QString();
}

PlacedImage FondoFormulario(const QString& path) {
  return {path, -kAreaLeftMm, -kAreaTopMm, kPaperWidthMm - kAreaLeftMm,
          kPaperHeightMm - kAreaTopMm};
}

Page PaginaBorrador(const Page& page, const QString& formImage) {
  Page p = page;
  if (!formImage.isEmpty()) p.images.insert(p.images.begin(), FondoFormulario(formImage));
  p.texts.push_back(Marca(p.width, p.height));
  return p;
}

bool DraftBackend::Print(const std::vector<Page>& pages, const QString& jobName, QString* error) {
  std::vector<Page> drafts;
  drafts.reserve(pages.size());
  for (const Page& p : pages) drafts.push_back(PaginaBorrador(p, formImage_));
  return inner_->Print(drafts, jobName, error);
}

void DraftBackend::PageReady(const Page& page, const QString& jobName) {
  inner_->PageReady(PaginaBorrador(page, formImage_), jobName);
}

SondaImpresion SondaDeImpresion(const QString& imageFolder) {
  SondaImpresion s;
  s.caracteresSinGlifo = [](const QString& fontName, const QString& text) {
    const QFontMetrics metrics(ReferenceFont(fontName));
    QString missing;
    for (char32_t c : text.toUcs4()) {
      if (c < 0x20 || c == 0x7F || QChar::isSpace(c)) continue;
      if (metrics.inFontUcs4(c)) continue;
      const QString one = QString::fromUcs4(&c, 1);
      if (!missing.contains(one)) missing += one;
    }
    return missing;
  };
  s.imagenLegible = Legible;
  s.carpetaImagenes = imageFolder;
  return s;
}

QImage PaginaComoImagen(const Page& page, const QString& formImage, double pxPerMm,
                        PageRenderer& renderer) {
  // The renderer reads its scale from the device's resolution, as on paper.
  const int dpi = std::max(10, static_cast<int>(std::lround(pxPerMm * 25.4)));
  const double scale = dpi / 25.4;
  QImage img(static_cast<int>(kPaperWidthMm * scale), static_cast<int>(kPaperHeightMm * scale),
             QImage::Format_RGB32);
  img.setDotsPerMeterX(static_cast<int>(std::lround(dpi / 0.0254)));
  img.setDotsPerMeterY(static_cast<int>(std::lround(dpi / 0.0254)));
  img.fill(Qt::white);
  QPainter painter(&img);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setRenderHint(QPainter::TextAntialiasing);
  painter.setRenderHint(QPainter::SmoothPixmapTransform);
  if (!formImage.isEmpty()) {
    Page withForm = page;
    withForm.images.insert(withForm.images.begin(), FondoFormulario(formImage));
    renderer.Draw(&painter, withForm);
  } else {
    renderer.Draw(&painter, page);
  }
  return img;
}

}  // namespace ostrevan::print
