#include "print/backends.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QImage>
#include <QImageReader>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QPrinterInfo>

#include "print/fonts.h"

namespace ostrevan::print {

namespace {

constexpr double kMmPerInch = 25.4;

struct DeviceScale {
  double x;  // device pixels per mm
  double y;
};

DeviceScale ScaleOf(const QPainter* painter) {
  const QPaintDevice* d = painter->device();
  return {d->logicalDpiX() / kMmPerInch, d->logicalDpiY() / kMmPerInch};
}

// The same template image is on every page; loading it once also lets the PDF writer embed
// it once.
using ImageCache = QHash<QString, QImage>;

const QImage& LoadImage(const QString& path, ImageCache* cache) {
  auto it = cache->find(path);
  if (it == cache->end()) {
    QImageReader reader(path);
    reader.setAutoTransform(true);
    it = cache->insert(path, reader.read());  // a null image when missing or unreadable
  }
  return *it;
}

void DrawImage(QPainter* painter, DeviceScale s, const PlacedImage& image, ImageCache* cache) {
  const QImage& picture = LoadImage(image.path, cache);
  if (picture.isNull()) return;
  const QRectF mm = QRectF(QPointF(image.x1, image.y1), QPointF(image.x2, image.y2)).normalized();
  if (mm.isEmpty()) return;
  const QRectF px((kAreaLeftMm + mm.left()) * s.x, (kAreaTopMm + mm.top()) * s.y, mm.width() * s.x,
                  mm.height() * s.y);
  painter->drawImage(px, picture);
}

void DrawText(QPainter* painter, DeviceScale s, const PlacedText& text) {
  const LineMetrics line = ReferenceLineMetrics(text.fontName);
  const double k = MmPerReferencePixel(text.fontSize);
  painter->save();
  painter->translate((kAreaLeftMm + text.x) * s.x, (kAreaTopMm + text.y) * s.y);
  // The layout's orientation is counter-clockwise; the painter's y axis points down.
  if (text.orientation != 0) painter->rotate(-text.orientation);
  // From here on one unit is one pixel of the reference font, as the text was measured.
  painter->scale(k * s.x, k * s.y);
  painter->setFont(ReferenceFont(text.fontName));
  const QStringList lines = SplitLines(text.text);
  for (int i = 0; i < lines.size(); ++i) {
    if (lines[i].isEmpty()) continue;
    painter->drawText(QPointF(0, line.ascent + i * line.lineSpacing), lines[i]);
  }
  painter->restore();
}

void DrawPageCached(QPainter* painter, const Page& page, ImageCache* cache) {
  const DeviceScale s = ScaleOf(painter);
  painter->setPen(Qt::black);
  for (const PlacedImage& image : page.images) DrawImage(painter, s, image, cache);
  for (const PlacedText& text : page.texts) DrawText(painter, s, text);
}

// A4 portrait measured from the paper's edge: any margin left in the layout would move every
// text by that much (a default QPdfWriter shifts text about 3.5 mm).
QPageLayout FullA4() {
  return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0),
                     QPageLayout::Millimeter);
}

}  // namespace

void DrawPage(QPainter* painter, const Page& page) {
  ImageCache cache;
  DrawPageCached(painter, page, &cache);
}

bool DrawPages(QPainter* painter, QPagedPaintDevice* device, const std::vector<Page>& pages) {
  ImageCache cache;
  for (size_t i = 0; i < pages.size(); ++i) {
    if (i > 0 && !device->newPage()) return false;
    DrawPageCached(painter, pages[i], &cache);
  }
  return true;
}

PdfBackend::PdfBackend(QString filePath) : filePath_(std::move(filePath)) {}

bool PdfBackend::Print(const std::vector<Page>& pages, const QString& jobName, QString* error) {
  if (pages.empty()) return true;
  const QString folder = QFileInfo(filePath_).absolutePath();
  if (!QDir().mkpath(folder)) {
    if (error) *error = "no se pudo crear la carpeta " + QDir::toNativeSeparators(folder);
    return false;
  }
  QPdfWriter writer(filePath_);
  writer.setResolution(kPdfDpi);
  writer.setPageLayout(FullA4());
  writer.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
  writer.setTitle(jobName);
  writer.setCreator(QStringLiteral("Ostrevan"));
  QPainter painter;
  if (!painter.begin(&writer)) {
    if (error) *error = "no se pudo escribir el archivo " + QDir::toNativeSeparators(filePath_);
    return false;
  }
  const bool drawn = DrawPages(&painter, &writer, pages);
  painter.end();
  if (!drawn || QFileInfo(filePath_).size() == 0) {
    if (error) *error = "no se pudo completar el archivo " + QDir::toNativeSeparators(filePath_);
    return false;
  }
  return true;
}

PrinterBackend::PrinterBackend(QString printerName) : printerName_(std::move(printerName)) {}

bool PrinterBackend::Print(const std::vector<Page>& pages, const QString& jobName, QString* error) {
  if (pages.empty()) return true;
  const QPrinterInfo info = printerName_.isEmpty() ? QPrinterInfo::defaultPrinter()
                                                   : QPrinterInfo::printerInfo(printerName_);
  if (info.isNull()) {
    if (error) {
      *error = printerName_.isEmpty()
                   ? QStringLiteral("no hay una impresora predeterminada instalada")
                   : "no existe la impresora \"" + printerName_ + "\"";
    }
    return false;
  }
  QPrinter printer(info, QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::NativeFormat);
  printer.setFullPage(true);
  printer.setPageLayout(FullA4());
  printer.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
  printer.setDocName(jobName);
  QPainter painter;
  if (!printer.isValid() || !painter.begin(&printer)) {
    if (error) *error = "la impresora \"" + info.printerName() + "\" no acepta el trabajo";
    return false;
  }
  const bool drawn = DrawPages(&painter, &printer, pages);
  painter.end();
  if (!drawn) {
    if (error) *error = "la impresora \"" + info.printerName() + "\" interrumpió el trabajo";
    return false;
  }
  return true;
}

}  // namespace ostrevan::print
