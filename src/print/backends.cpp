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
#include <QSaveFile>
#include <algorithm>
#include <condition_variable>
#include <deque>
#include <mutex>
#if defined(__GLIBC__)
#endif
#include <optional>
#include <thread>

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

// What every page of a run shares: the template image, on every page, loaded once (which also
// lets the PDF writer embed it once), and the few fonts of a layout, resolved once.
struct RunCache {
  struct Font {
    QFont font;
    LineMetrics line;
  };
  QHash<QString, QImage> images;
  QHash<QString, Font> fonts;
  const Font* current = nullptr;  // the painter's font
};

const QImage& LoadImage(const QString& path, RunCache* cache) {
  auto it = cache->images.find(path);
  if (it == cache->images.end()) {
    QImageReader reader(path);
    reader.setAutoTransform(true);
    it = cache->images.insert(path, reader.read());  // a null image when missing or unreadable
  }
  return *it;
}

void DrawImage(QPainter* painter, DeviceScale s, const PlacedImage& image, RunCache* cache) {
  const QImage& picture = LoadImage(image.path, cache);
  if (picture.isNull()) return;
  const QRectF mm = QRectF(QPointF(image.x1, image.y1), QPointF(image.x2, image.y2)).normalized();
  if (mm.isEmpty()) return;
  const QRectF px((kAreaLeftMm + mm.left()) * s.x, (kAreaTopMm + mm.top()) * s.y, mm.width() * s.x,
                  mm.height() * s.y);
  painter->setWorldTransform(QTransform());
  painter->drawImage(px, picture);
}

void DrawText(QPainter* painter, DeviceScale s, const PlacedText& text, RunCache* cache) {
  auto it = cache->fonts.find(text.fontName);
  if (it == cache->fonts.end()) {
    it = cache->fonts.insert(text.fontName,
                             {ReferenceFont(text.fontName), ReferenceLineMetrics(text.fontName)});
  }
  if (cache->current != &*it) {
    painter->setFont(it->font);
    cache->current = &*it;
  }
  const double k = MmPerReferencePixel(text.fontSize);
  QTransform t =
      QTransform::fromTranslate((kAreaLeftMm + text.x) * s.x, (kAreaTopMm + text.y) * s.y);
  // The layout's orientation is counter-clockwise; the painter's y axis points down.
  if (text.orientation != 0) t.rotate(-text.orientation);
  // From here on one unit is one pixel of the reference font, as the text was measured.
  t.scale(k * s.x, k * s.y);
  painter->setWorldTransform(t);
  if (text.argb != 0xFF000000) painter->setPen(QColor::fromRgba(text.argb));
  const LineMetrics& line = it->line;
  if (!text.text.contains(QLatin1Char('\r')) && !text.text.contains(QLatin1Char('\n'))) {
    painter->drawText(QPointF(0, line.ascent), text.text);
  } else {
    const QStringList lines = SplitLines(text.text);
    for (int i = 0; i < lines.size(); ++i) {
      if (lines[i].isEmpty()) continue;
      painter->drawText(QPointF(0, line.ascent + i * line.lineSpacing), lines[i]);
    }
  }
  if (text.argb != 0xFF000000) painter->setPen(Qt::black);
}

void DrawPageCached(QPainter* painter, const Page& page, RunCache* cache) {
  const DeviceScale s = ScaleOf(painter);
  painter->setPen(Qt::black);
  for (const PlacedImage& image : page.images) DrawImage(painter, s, image, cache);
  for (const PlacedText& text : page.texts) DrawText(painter, s, text, cache);
  painter->setWorldTransform(QTransform());
}

// A4 portrait measured from the paper's edge: any margin left in the layout would move every
// text by that much (a default QPdfWriter shifts text about 3.5 mm).
QPageLayout FullA4() {
  return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0),
                     QPageLayout::Millimeter);
}

}  // namespace

void DrawPage(QPainter* painter, const Page& page) {
  RunCache cache;
  DrawPageCached(painter, page, &cache);
}

struct PageRenderer::Cache : RunCache {};
PageRenderer::PageRenderer() : cache_(std::make_unique<Cache>()) {}
PageRenderer::~PageRenderer() = default;

void PageRenderer::Draw(QPainter* painter, const Page& page) {
  cache_->current = nullptr;  // a new painter has its own font
  DrawPageCached(painter, page, cache_.get());
}

bool DrawPages(QPainter* painter, QPagedPaintDevice* device, const std::vector<Page>& pages) {
  RunCache cache;
  for (size_t i = 0; i < pages.size(); ++i) {
    if (i > 0 && !device->newPage()) return false;
    DrawPageCached(painter, pages[i], &cache);
  }
  return true;
}

// Draws the pages of one run into its file on a thread of its own, in the order they are
// added. The file is written under a temporary name and takes its own only when every page
// is drawn: an abandoned or failed run leaves no half a certificate behind.
class PdfJob {
 public:
  PdfJob(const QString& filePath, const QString& title)
      : filePath_(filePath), title_(title), thread_([this] { Run(); }) {}

  ~PdfJob() {
    {
      std::lock_guard<std::mutex> lock(mutex_);
      if (!finishing_) cancelled_ = true;
    }
    wake_.notify_one();
    if (thread_.joinable()) thread_.join();
  }

  void Add(const Page& page) {
    {
      std::lock_guard<std::mutex> lock(mutex_);
      queue_.push_back(page);
    }
    wake_.notify_one();
  }

  // Waits for the last page and the file; false with the reason when it could not be made.
  bool Finish(QString* error) {
    {
      std::lock_guard<std::mutex> lock(mutex_);
      finishing_ = true;
    }
    wake_.notify_one();
    if (thread_.joinable()) thread_.join();
    if (!error_.isEmpty() && error) *error = error_;
    return error_.isEmpty();
  }

 private:
  // The next page, or nothing when the run is over (finished or cancelled).
  std::optional<Page> Next() {
    std::unique_lock<std::mutex> lock(mutex_);
    wake_.wait(lock, [this] { return cancelled_ || finishing_ || !queue_.empty(); });
    if (cancelled_ || queue_.empty()) return std::nullopt;
    Page page = std::move(queue_.front());
    queue_.pop_front();
    return page;
  }

  bool Cancelled() {
    std::lock_guard<std::mutex> lock(mutex_);
    return cancelled_;
  }

  void Run() {
    const QString shown = QDir::toNativeSeparators(filePath_);
    QSaveFile file(filePath_);
    // The pages still arrive; taking them lets Finish return with the reason.
    auto refuse = [&] {
      error_ = "no se pudo escribir el archivo " + shown;
      while (Next()) {
      }
      file.cancelWriting();
    };
    if (!file.open(QIODevice::WriteOnly)) return refuse();
    QPdfWriter writer(&file);
    writer.setResolution(kPdfDpi);
    writer.setPageLayout(FullA4());
    writer.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
    writer.setTitle(title_);
    writer.setCreator(QStringLiteral("Ostrevan"));
    QPainter painter;
    if (!painter.begin(&writer)) return refuse();
    RunCache cache;
    bool drawn = true;
    bool first = true;
    while (std::optional<Page> page = Next()) {
      if (!first && !writer.newPage()) drawn = false;
      first = false;
      if (drawn) DrawPageCached(&painter, *page, &cache);
    }
    painter.end();
    if (Cancelled()) {
      file.cancelWriting();
    } else if (!drawn || first || !file.commit()) {
      error_ = "no se pudo completar el archivo " + shown;
    }
  }

  const QString filePath_;
  const QString title_;
  std::mutex mutex_;
  std::condition_variable wake_;
  std::deque<Page> queue_;
  bool finishing_ = false;
  bool cancelled_ = false;
  QString error_;       // written by the thread, read after it ended
  std::thread thread_;  // last: it starts once everything above exists
};

namespace {

// The file's folder, created when missing; false with the reason.
bool MakeFolderOf(const QString& filePath, QString* error) {
  const QString folder = QFileInfo(filePath).absolutePath();
  if (QDir().mkpath(folder)) return true;
  if (error) *error = "no se pudo crear la carpeta " + QDir::toNativeSeparators(folder);
  return false;
}

}  // namespace

PdfBackend::PdfBackend(QString filePath) : filePath_(std::move(filePath)) {}
PdfBackend::~PdfBackend() = default;

void PdfBackend::PageReady(const Page& page, const QString& jobName) {
  // A run whose first page could not start drawing is drawn whole when it is printed.
  if (handedOver_++ == 0 && MakeFolderOf(filePath_, nullptr)) {
    job_ = std::make_unique<PdfJob>(filePath_, jobName);
    jobName_ = jobName;
  }
  if (job_) job_->Add(page);
}

void PdfBackend::Discard() {
  job_.reset();
  handedOver_ = 0;
}

bool PdfBackend::Print(const std::vector<Page>& pages, const QString& jobName, QString* error) {
  std::unique_ptr<PdfJob> job = std::move(job_);
  size_t drawn = job ? handedOver_ : 0;
  handedOver_ = 0;
  if (job && (jobName != jobName_ || drawn > pages.size())) {
    job.reset();  // not the run it was started for: draw this one from the start
    drawn = 0;
  }
  if (pages.empty()) return true;
  if (!job) {
    if (!MakeFolderOf(filePath_, error)) return false;
    job = std::make_unique<PdfJob>(filePath_, jobName);
  }
  for (size_t i = drawn; i < pages.size(); ++i) job->Add(pages[i]);
  if (!job->Finish(error)) return false;
  ++filesWritten_;
  return true;
}

PrinterBackend::PrinterBackend(QString printerName, PrinterChoices choices)
    : printerName_(std::move(printerName)), choices_(choices) {}

std::shared_ptr<Backend> BackendForDialogChoice(const QPrinter& printer) {
  if (printer.outputFormat() == QPrinter::PdfFormat || !printer.outputFileName().isEmpty()) {
    return std::make_shared<PdfBackend>(printer.outputFileName());
  }
  PrinterChoices c;
  c.copies = std::max(1, printer.copyCount());
  c.collate = printer.collateCopies();
  c.duplex = static_cast<int>(printer.duplex());
  c.colorMode = static_cast<int>(printer.colorMode());
  c.lastPageFirst = printer.pageOrder() == QPrinter::LastPageFirst;
  return std::make_shared<PrinterBackend>(printer.printerName(), c);
}

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
  printer.setCopyCount(std::max(1, choices_.copies));
  printer.setCollateCopies(choices_.collate);
  if (choices_.duplex >= 0) printer.setDuplex(static_cast<QPrinter::DuplexMode>(choices_.duplex));
  if (choices_.colorMode >= 0) {
    printer.setColorMode(static_cast<QPrinter::ColorMode>(choices_.colorMode));
  }
  // The print system turns the order round (CUPS' "outputorder=reverse").
  if (choices_.lastPageFirst) printer.setPageOrder(QPrinter::LastPageFirst);
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
