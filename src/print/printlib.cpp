#include "print/printlib.h"

#include <QDateTime>
#include <QDir>
#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>
#include <QPrinterInfo>
#include <atomic>
#include <cmath>
#include <mutex>
#include <utility>

#include "host/errors.h"
#include "host/ini.h"
#include "host/msgbox.h"
#include "host/sistema.h"
#include "host/value.h"
#include "print/backends.h"
#include "print/fonts.h"

namespace ostrevan::print {

namespace {

// Installed hooks; the print run lives on the GUI thread, but tests swap them freely.
std::mutex hooksMutex;
BackendFactory backendFactory;
PrintDialogHook printDialogHook;

BackendFactory Factory() {
  std::lock_guard<std::mutex> lock(hooksMutex);
  return backendFactory;
}

PrintDialogHook DialogHook() {
  std::lock_guard<std::mutex> lock(hooksMutex);
  return printDialogHook;
}

// The printer setting of one program: its section of Cfg/Impresoras.ini.
class PrinterSetting {
 public:
  explicit PrinterSetting(QString program) : program_(std::move(program)) {}

  // "PDF" (also when the file names none), "IMPRESORA" or "DIALOGO"; "" for any other value,
  // which Invalido() describes: a typo must not send a certificate somewhere else unseen.
  QString Destino() const {
    const QString d = Read("Destino").trimmed().toUpper();
    if (d.isEmpty() || d == "PDF") return QStringLiteral("PDF");
    if (d == "IMPRESORA") return d;
    if (d == "DIALOGO" || d == QString::fromUtf8("DIÁLOGO")) return QStringLiteral("DIALOGO");
    return {};
  }
  QString Invalido() const {
    return "El destino \"" + Read("Destino").trimmed() + "\" de [" + program_ +
           "] en Cfg/Impresoras.ini no es valido: use PDF, IMPRESORA o DIALOGO";
  }
  // Relative paths are under the installation folder; by default a new, dated file per run.
  QString Archivo() const {
    const QString a = Read("Archivo").trimmed();
    if (a.isEmpty()) {
      return InstallationPath("Salida/" + program_ + "_" +
                              QDateTime::currentDateTime().toString("yyyyMMdd-HHmmss") + ".pdf");
    }
    return QDir::isAbsolutePath(a) ? QDir::cleanPath(a) : QDir::cleanPath(InstallationPath(a));
  }
  QString Impresora() const { return Read("Impresora").trimmed(); }

 private:
  QString Read(const QString& key) const {
    return clINI().LeerINI(program_, key, InstallationPath("Cfg/Impresoras.ini"));
  }
  QString program_;
};

// The backend for a program: an installed factory first (tests, the batch command), then the
// installation's setting. printerOverride is the host's printer for the calibration page.
// nullptr when the user cancelled the print dialog, or with *error set when the setting is
// not valid.
std::shared_ptr<Backend> ChooseBackend(const QString& program, const QString& printerOverride,
                                       QString* error) {
  if (BackendFactory factory = Factory()) return factory(program);
  const PrinterSetting setting(program);
  const QString destino = setting.Destino();
  if (destino.isEmpty()) {
    *error = setting.Invalido();
    return nullptr;
  }
  if (destino == "PDF") return std::make_shared<PdfBackend>(setting.Archivo());
  if (!printerOverride.trimmed().isEmpty()) {
    return std::make_shared<PrinterBackend>(printerOverride.trimmed());
  }
  if (destino == "DIALOGO") {
    if (PrintDialogHook hook = DialogHook()) return hook(program);
    return std::make_shared<PdfBackend>(setting.Archivo());
  }
  return std::make_shared<PrinterBackend>(setting.Impresora());
}

}  // namespace

std::optional<QRectF> AreaImprimible(const QString& program) {
  if (Factory()) return std::nullopt;
  const PrinterSetting setting(program);
  if (setting.Destino() != "IMPRESORA") return std::nullopt;
  const QString name = setting.Impresora();
  const QPrinterInfo info =
      name.isEmpty() ? QPrinterInfo::defaultPrinter() : QPrinterInfo::printerInfo(name);
  if (info.isNull()) return std::nullopt;  // printing says so
  QPrinter printer(info, QPrinter::HighResolution);
  printer.setFullPage(true);
  printer.setPageSize(QPageSize(QPageSize::A4));
  QPageLayout layout = printer.pageLayout();
  layout.setUnits(QPageLayout::Millimeter);
  const QMarginsF m = layout.minimumMargins();
  const QRectF sheet = layout.fullRect(QPageLayout::Millimeter);
  return sheet.adjusted(m.left(), m.top(), -m.right(), -m.bottom());
}

bool RecordingBackend::Print(const std::vector<Page>& pages, const QString&, QString*) {
  jobs.push_back(pages);
  return true;
}

void SetBackendFactory(BackendFactory f) {
  std::lock_guard<std::mutex> lock(hooksMutex);
  backendFactory = std::move(f);
}

void SetPrintDialogHook(PrintDialogHook hook) {
  std::lock_guard<std::mutex> lock(hooksMutex);
  printDialogHook = std::move(hook);
}

Impresora::Impresora() = default;
Impresora::~Impresora() { DiscardHandedOver(); }

void Impresora::DiscardHandedOver() {
  if (handedOver_ > 0 && backend_) backend_->Discard();
  handedOver_ = 0;
}

void Impresora::SetBackend(std::shared_ptr<Backend> b) {
  DiscardHandedOver();
  backend_ = std::move(b);
}

bool Impresora::selectandsetprinter(const QString& program) {
  DiscardHandedOver();
  program_ = program;
  QString error;
  backend_ = ChooseBackend(program, {}, &error);
  if (!error.isEmpty()) MsgBox(error, vbExclamation);
  return backend_ != nullptr;
}

Page& Impresora::Current() {
  if (pages_.empty()) set_newpage();
  return pages_.back();
}

void Impresora::set_newpage() {
  // Only texts and images of the last page can still change; the one before is done. Pages
  // are handed over in order from the first, or not at all.
  if (backend_ && !pages_.empty() && handedOver_ + 1 == pages_.size()) {
    backend_->PageReady(pages_.back(), program_);
    ++handedOver_;
  }
  Page page;
  page.texts.reserve(64);  // a page of items holds a few dozen texts
  page.width = areaW_;
  page.height = areaH_;
  pages_.push_back(std::move(page));
}

void Impresora::Set_AreaImpresion(const QString& width, const QString& height, QString& errText,
                                 bool& errFlag) {
  const double w = Val(width);
  const double h = Val(height);
  if (!IsNumeric(width.trimmed()) || !IsNumeric(height.trimmed()) || w <= 0 || h <= 0) {
    errFlag = true;
    errText = "Area de impresion no valida: " + width + " x " + height;
    return;
  }
  areaW_ = w;
  areaH_ = h;
  // Only a page that exists takes the size; asking for the size must not start a page.
  if (!pages_.empty()) {
    pages_.back().width = w;
    pages_.back().height = h;
  }
}

void Impresora::set_Agregotextov2(const cls_DatosDeImpresion& field, const QString& text) {
  if (text.isEmpty()) return;
  PlacedText t;
  t.text = text;
  t.x = field.c_PosX;
  t.y = field.c_PosY;
  t.fontName = FontNameOrDefault(field.c_FontName);
  t.fontSize = FontSizeFromText(field.c_FontSize);
  t.orientation = static_cast<int>(std::lround(Val(field.c_FontOrientantion)));
  t.campo = field.c_Campo;
  Current().texts.push_back(std::move(t));
}

void Impresora::set_Agregotextov2(const cls_DatosDeImpresion& field) {
  set_Agregotextov2(field, field.c_valor);
}

void Impresora::set_Agregotexto(const QString& text, double x, double y, const QString& fontName,
                               const QString& fontSize, QString&, bool&) {
  if (text.isEmpty()) return;
  PlacedText t;
  t.text = text;
  t.x = x;
  t.y = y;
  t.fontName = FontNameOrDefault(fontName);
  t.fontSize = FontSizeFromText(fontSize);
  Current().texts.push_back(std::move(t));
}

void Impresora::set_Agregotexto(const QString& text, double x, double y, const QString& fontName,
                               const QString& fontSize, QString&, QString& errText, bool& errFlag) {
  set_Agregotexto(text, x, y, fontName, fontSize, errText, errFlag);
}

void Impresora::SET_AgregarImagen(const QString& path, double x1, double y1, double x2, double y2,
                                 QString&, bool&, int) {
  // Kept even when the file is missing: the renderer leaves it out, and the run goes on.
  Current().images.push_back({path, x1, y1, x2, y2});
}

double Impresora::gettextwidth(const QString& text, const QString& fontName,
                              const QString& fontSize) {
  return TextWidthMm(text, fontName, FontSizeFromText(fontSize));
}

// The height of a line is the line spacing (ascent + descent + leading): it is what the
// renderer advances per line break, so lines counted with it fit the box they were counted for.
double Impresora::gettextheight(const QString&, const QString& fontName, float fontSize) {
  return LineMetricsMm(fontName, fontSize).lineSpacing;
}

double Impresora::GET_AltoTextoLineaSimple(const QString&, const QString& fontName,
                                          const QString& fontSize, QString&, bool&) {
  return LineMetricsMm(fontName, FontSizeFromText(fontSize)).lineSpacing;
}

QString Impresora::GetStringAnchoFijo(const QString& text, const QString& fontName,
                                     const QString& fontSize, double widthMm) {
  return LeadingPartThatFits(text, fontName, FontSizeFromText(fontSize), widthMm);
}

bool Impresora::PrintPages(const QString& jobName, QString* error) {
  std::vector<Page> pages = std::move(pages_);
  pages_.clear();
  handedOver_ = 0;  // the backend gets them all now, whether it started on them or not
  if (pages.empty()) return true;  // nothing was placed: no empty sheet, no empty file
  if (!backend_) {
    *error = QStringLiteral("no se eligio ninguna impresora");
    return false;
  }
  if (!backend_->Print(pages, jobName, error)) return false;
  const auto* pdf = dynamic_cast<const PdfBackend*>(backend_.get());
  lastOutput_ = pdf ? pdf->FilePath() : QString();
  return true;
}

// The flag is taken as the callers pass it (always True); failures are raised instead.
bool Impresora::imprimirINICFGPRog(const QString& program, bool&) {
  QString reason;
  if (!backend_) backend_ = ChooseBackend(program, {}, &reason);
  if (!reason.isEmpty() || !PrintPages(program, &reason)) {
    throw RuntimeError(kPrintError, "No se pudo imprimir: " + reason, "Glyphor2");
  }
  return true;
}

// The calibration page does not handle errors of the library, so they are only reported
// through the flag and the text.
void Impresora::Imprimir(const QString& printer, QString& errText, bool& errFlag) {
  QString reason;
  if (!backend_) backend_ = ChooseBackend(kCalibrationProgram, printer, &reason);
  if (!reason.isEmpty() || !PrintPages(kCalibrationProgram, &reason)) {
    errFlag = true;
    errText = "No se pudo imprimir: " + reason;
  }
}

}  // namespace ostrevan::print
