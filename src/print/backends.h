#pragma once
// The page renderer and the backends that draw finished pages: a PDF file or a system printer.
#include <QString>
#include <memory>
#include <vector>

#include "print/printlib.h"

class QPainter;
class QPagedPaintDevice;
class QPrinter;

namespace ostrevan::print {

// Where the print area's top left sits, measured from the physical page's top-left edge.
// A 190 x 278 mm area is centred on A4 (210 x 297 mm); every page position is relative to it,
// and the per-form XOFFSET and YOFFSET correct what a real printer's feed adds.
constexpr double kAreaLeftMm = 10.0;
constexpr double kAreaTopMm = 9.5;
// Device resolution of the PDF file; text is vector either way, this is the grid of positions.
constexpr int kPdfDpi = 1200;

// Draws one page on a painter whose device is the full physical page (no margins): images
// first, as they are the form's background, then texts, each with its line box top at y.
// Images that cannot be loaded are left out. Never scaled to fit.
void DrawPage(QPainter* painter, const Page& page);
// Draws every page, starting a new device page between them. False when the device refused
// a new page.
bool DrawPages(QPainter* painter, QPagedPaintDevice* device, const std::vector<Page>& pages);

// Draws pages one after another on painters that may change (a preview's zoom): the images
// and fonts a page uses are loaded once and kept for the next page.
class PageRenderer {
 public:
  PageRenderer();
  ~PageRenderer();
  PageRenderer(const PageRenderer&) = delete;
  PageRenderer& operator=(const PageRenderer&) = delete;
  void Draw(QPainter* painter, const Page& page);

 private:
  struct Cache;
  std::unique_ptr<Cache> cache_;
};

class PdfJob;

// One PDF file per print run, vector text with embedded fonts. Pages are drawn on a thread
// of their own as they are handed over, so that a long certificate is mostly drawn by the
// time its last page is composed; the file appears, complete, only when the run is printed.
class PdfBackend final : public Backend {
 public:
  explicit PdfBackend(QString filePath);
  ~PdfBackend() override;
  bool Print(const std::vector<Page>& pages, const QString& jobName, QString* error) override;
  void PageReady(const Page& page, const QString& jobName) override;
  void Discard() override;
  const QString& FilePath() const { return filePath_; }
  // Runs whose file was written: a file already at the path says nothing of this run.
  int FilesWritten() const { return filesWritten_; }

 private:
  QString filePath_;
  int filesWritten_ = 0;
  std::unique_ptr<PdfJob> job_;  // the run being drawn ahead
  QString jobName_;
  size_t handedOver_ = 0;  // pages of this run given with PageReady, drawn or not
};

// What a user may choose for a system printer besides its name (in the print dialog); -1
// leaves the printer's own setting.
struct PrinterChoices {
  int copies = 1;
  bool collate = true;
  int duplex = -1;     // QPrinter::DuplexMode
  int colorMode = -1;  // QPrinter::ColorMode
  bool lastPageFirst = false;
};

// A system printer by name; an empty name is the default printer.
class PrinterBackend final : public Backend {
 public:
  explicit PrinterBackend(QString printerName, PrinterChoices choices = {});
  bool Print(const std::vector<Page>& pages, const QString& jobName, QString* error) override;
  const QString& PrinterName() const { return printerName_; }
  const PrinterChoices& Choices() const { return choices_; }

 private:
  QString printerName_;
  PrinterChoices choices_;
};

// Where the print dialog's choice prints: "Print to File" the PDF file it names (drawn by
// this library, so that every text stands at its millimetre), otherwise the printer it
// names with the copies, sides, colour and page order chosen there.
std::shared_ptr<Backend> BackendForDialogChoice(const QPrinter& printer);

}  // namespace ostrevan::print
