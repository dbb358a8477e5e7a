#pragma once
// The print library: the printer object of one print run and its field object. Pages are
// display lists in millimetres from the top left of the print area until they are printed;
// a backend draws them (PDF file, system printer, or a recording for tests).
#include <QRectF>
#include <QString>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace ostrevan::print {

// The run-time error number the printer object raises when a job cannot be printed (the
// classic "printer error").
constexpr long kPrintError = 482;

// The field object: where and in which font one text is placed.
class cls_DatosDeImpresion {
 public:
  QString c_Campo;
  QString c_valor;
  double c_PosX = 0;
  double c_PosY = 0;
  QString c_FontName;
  QString c_FontSize;
  QString c_FontOrientantion;
  double c_LimX = 0;
  double c_LimY = 0;
};

// One placed text; x, y are the top left of the text's first line, in mm of the print area.
// Line breaks inside the text start new lines one single-line height further down.
struct PlacedText {
  QString text;
  double x = 0;
  double y = 0;
  QString fontName;                // as the layout names it ("Courier New", "Arial", ...)
  double fontSize = 10;            // points
  int orientation = 0;             // degrees, counter-clockwise
  QString campo;                   // the field's name, for tests and diagnostics
  unsigned int argb = 0xFF000000;  // the print run's texts are black; a draft's mark is not
};

struct PlacedImage {
  QString path;
  double x1 = 0, y1 = 0, x2 = 0, y2 = 0;  // mm of the print area
};

struct Page {
  double width = 190;  // print area, mm
  double height = 278;
  std::vector<PlacedText> texts;
  std::vector<PlacedImage> images;
};

// Draws finished pages somewhere. Returns false with a reason when it could not.
class Backend {
 public:
  virtual ~Backend() = default;
  virtual bool Print(const std::vector<Page>& pages, const QString& jobName, QString* error) = 0;
  // The next page of a run in order, finished: nothing will be added to it. A backend may
  // start drawing it while the following pages are composed; Print still receives them all.
  virtual void PageReady(const Page&, const QString& /*jobName*/) {}
  // The pages handed over so far will not be printed.
  virtual void Discard() {}
};

// Keeps the pages (tests assert on the display lists).
class RecordingBackend final : public Backend {
 public:
  bool Print(const std::vector<Page>& pages, const QString& jobName, QString* error) override;
  std::vector<std::vector<Page>> jobs;
};

// The print library's printer object (its Cls_Main): one per print run.
class Impresora {
 public:
  Impresora();
  ~Impresora();
  Impresora(const Impresora&) = delete;
  Impresora& operator=(const Impresora&) = delete;

  // Chooses the backend for a program name from Cfg/Impresoras.ini; false ends the run.
  bool selectandsetprinter(const QString& program);
  void set_newpage();
  void Set_AreaImpresion(const QString& width, const QString& height, QString& errText,
                         bool& errFlag);
  void set_Agregotextov2(const cls_DatosDeImpresion& field, const QString& text);
  void set_Agregotextov2(const cls_DatosDeImpresion& field);
  void set_Agregotexto(const QString& text, double x, double y, const QString& fontName,
                       const QString& fontSize, QString& errText, bool& errFlag);
  void set_Agregotexto(const QString& text, double x, double y, const QString& fontName,
                       const QString& fontSize, QString& extra, QString& errText, bool& errFlag);
  void SET_AgregarImagen(const QString& path, double x1, double y1, double x2, double y2,
                         QString& errText, bool& errFlag, int mode = 0);
  double gettextwidth(const QString& text, const QString& fontName, const QString& fontSize);
  double gettextheight(const QString& text, const QString& fontName, float fontSize);
  double GET_AltoTextoLineaSimple(const QString& text, const QString& fontName,
                                  const QString& fontSize, QString& errText, bool& errFlag);
  QString GetStringAnchoFijo(const QString& text, const QString& fontName, const QString& fontSize,
                             double widthMm);
  // Prints every page built since the first set_newpage.
  bool imprimirINICFGPRog(const QString& program, bool& flag);
  // Prints the pages built so far (the calibration page) on the given printer setting.
  void Imprimir(const QString& printer, QString& errText, bool& errFlag);

  const std::vector<Page>& Pages() const { return pages_; }
  void SetBackend(std::shared_ptr<Backend> b);
  // The PDF file written by the last successful print; empty when it went elsewhere.
  QString LastOutput() const { return lastOutput_; }

 private:
  Page& Current();
  bool PrintPages(const QString& jobName, QString* error);
  void DiscardHandedOver();
  std::vector<Page> pages_;
  std::shared_ptr<Backend> backend_;
  QString program_;        // of selectandsetprinter: the job name the pages will print under
  size_t handedOver_ = 0;  // leading pages already given to the backend with PageReady
  double areaW_ = 190, areaH_ = 278;
  QString lastOutput_;
};

// What selectandsetprinter gives a program when nothing else is set; tests install a
// recording backend, the batch command a PDF file. nullptr restores the installation's own.
using BackendFactory = std::function<std::shared_ptr<Backend>(const QString& program)>;
void SetBackendFactory(BackendFactory f);

// Shows the platform's print dialog for a program whose Destino is "DIALOGO" and returns the
// backend for the printer the user chose, nullptr when the user cancelled. The windows layer
// installs it; without it such a program prints to PDF. nullptr removes it.
using PrintDialogHook = std::function<std::shared_ptr<Backend>(const QString& program)>;
void SetPrintDialogHook(PrintDialogHook hook);

// The part of the A4 sheet, in mm from its top left edge, that the printer a program prints
// on can reach: a system printer ("IMPRESORA") whose driver tells its margins. Nothing for a
// PDF, the print dialog (not chosen yet), an installed backend or a printer that is missing.
std::optional<QRectF> AreaImprimible(const QString& program);

// The section of Cfg/Impresoras.ini that Imprimir reads when no printer was chosen before
// (the calibration page makes its printer object without selectandsetprinter).
inline constexpr char kCalibrationProgram[] = "FRM_CALIBRACEO";

}  // namespace ostrevan::print
