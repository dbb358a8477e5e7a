#include "print/vista_previa.h"

#include <QDir>
#include <QFileInfo>
#include <QFontMetrics>
#include <QImageReader>
#include <QPainter>
#include <cmath>

#include "data/mod_main.h"
#include "host/msgbox.h"
#include "host/progress.h"
#include "host/sistema.h"
#include "host/state.h"
#include "host/windows.h"
#include "print/calibration.h"
#include "print/fonts.h"
#include "print/mod_todll.h"

namespace ostrevan::print {

namespace {
constexpr double kPaperWidthMm = 210;
constexpr double kPaperHeightMm = 297;
constexpr double kMarkPoints = 48;
constexpr unsigned int kMarkColour = 0xFFC00000;  // half-transparent red: the texts show through

bool Legible(const QString& path) {
  if (path.isEmpty() || !QFileInfo(path).isFile()) return false;
  QImageReader reader(path);
  return reader.canRead();
}

// Every window of the run answers as it would, except the page range: the preview and the
// draft take every page without asking.
class EveryPage final : public WindowService {
 public:
  explicit EveryPage(std::shared_ptr<WindowService> inner) : inner_(std::move(inner)) {}
  int ShowModal(Window w) override {
    if (w == Window::DsdHst) return 0;
    return inner_ ? inner_->ShowModal(w) : 0;
  }
  std::shared_ptr<WindowService> inner_;
};

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

QString SafeName(const QString& id) {
  QString s;
  for (QChar c : id) s += (c.isLetterOrNumber() || c == '-' || c == '_') ? c : QChar('_');
  return s;
}
}  // namespace

QString ImagenFormulario(const QString& formId) {
  const QString own = GetCEOParamInfo(formId, "IMAGENFORMULARIO", false).trimmed();
  QString path = own.isEmpty() ? ImageFolder() + formId + ".png" : own;
  if (!own.isEmpty() && QDir::isRelativePath(own)) path = ImageFolder() + own;
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

std::vector<Page> ComponerPaginas() {
  auto keeper = std::make_shared<KeepingBackend>();
  {
    ScopedBackend scope(keeper);
    auto windows = std::make_shared<EveryPage>(nullptr);
    windows->inner_ = SetWindowService(windows);
    auto popup = SetStatusPopup(std::make_shared<SilentPopup>());
    EnviaImpresion();
    SetStatusPopup(popup);
    SetWindowService(windows->inner_);
  }
  return keeper->Pages();
}

QString ArchivoBorrador(const QString& idCeo) {
  return InstallationPath("Salida/Borrador_" + SafeName(idCeo) + ".pdf");
}

SondaImpresion SondaDeImpresion() {
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
  s.carpetaImagenes = ImageFolder();
  return s;
}

std::vector<Hallazgo> VerificarParaImprimir(const QString& idCeo) {
  const DatosVerificacion d = LeerDatosVerificacion(idCeo);
  if (!VerificacionActiva(d.idFormulario)) return {};
  return Verificar(d, SondaDeImpresion());
}

bool VistaPrevia::Avanzar(int n) {
  const int next = std::clamp(actual + n, 0, std::max(0, static_cast<int>(paginas.size()) - 1));
  if (next == actual) return false;
  actual = next;
  return true;
}

QImage VistaPrevia::Imagen(double pxPerMm) const {
  // The renderer reads its scale from the device's resolution, as on paper.
  const int dpi = std::max(10, static_cast<int>(std::lround(pxPerMm * 25.4)));
  const double scale = dpi / 25.4;
  QImage img(static_cast<int>(kPaperWidthMm * scale), static_cast<int>(kPaperHeightMm * scale),
             QImage::Format_RGB32);
  img.setDotsPerMeterX(static_cast<int>(std::lround(dpi / 0.0254)));
  img.setDotsPerMeterY(static_cast<int>(std::lround(dpi / 0.0254)));
  img.fill(Qt::white);
  if (paginas.empty()) return img;
  QPainter painter(&img);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setRenderHint(QPainter::TextAntialiasing);
  painter.setRenderHint(QPainter::SmoothPixmapTransform);
  const Page& page = paginas[static_cast<size_t>(actual)];
  if (mostrarFormulario && !imagenFormulario.isEmpty()) {
    Page withForm = page;
    withForm.images.insert(withForm.images.begin(), FondoFormulario(imagenFormulario));
    renderer->Draw(&painter, withForm);
  } else {
    renderer->Draw(&painter, page);
  }
  return img;
}

QString VistaPrevia::Estado() const {
  static const char* zooms[] = {"Ajustar", "100 %", "200 %"};
  if (paginas.empty()) return QStringLiteral("Sin paginas");
  QString s = QString("Pagina %1 de %2 - %3")
                  .arg(primera + actual)
                  .arg(primera + static_cast<int>(paginas.size()) - 1)
                  .arg(QString::fromLatin1(zooms[zoom]));
  if (imagenFormulario.isEmpty()) return s + " - formulario sin imagen";
  return s + (mostrarFormulario ? " - con formulario" : " - sin formulario");
}

VistaPrevia& Previa() {
  static thread_local VistaPrevia v;
  return v;
}

namespace {
void Cargar(std::vector<Page> pages, int primera, const QString& formId, bool desdeRango) {
  VistaPrevia& v = Previa();
  v = VistaPrevia();
  v.paginas = std::move(pages);
  v.primera = primera;
  v.imagenFormulario = ImagenFormulario(formId);
  v.desdeRango = desdeRango;
}
}  // namespace

VistaPrevia::Resultado MostrarVistaPrevia(const QString& formId) {
  std::vector<Page> pages = ComponerPaginas();
  if (pages.empty()) {
    MsgBox("El certificado no tiene paginas para mostrar", vbInformation, "Vista previa");
    return VistaPrevia::Cerrar;
  }
  Cargar(std::move(pages), 1, formId, false);
  Windows().ShowModal(Window::VistaPrevia);
  const VistaPrevia::Resultado r = Previa().resultado;
  Previa().paginas.clear();
  return r;
}

bool ConfirmarConVistaPrevia(const std::vector<Page>& pages, int primera, const QString& formId) {
  Cargar(pages, primera, formId, true);
  Windows().ShowModal(Window::VistaPrevia);
  const bool print = Previa().resultado == VistaPrevia::Imprimir;
  Previa().paginas.clear();
  return print;
}

}  // namespace ostrevan::print
