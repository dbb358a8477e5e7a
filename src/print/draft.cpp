#include "print/draft.h"

#include <QDir>
#include <QFileInfo>
#include <QFontMetrics>
#include <QImageReader>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <optional>

#include "host/log.h"
#include "host/msgbox.h"
#include "host/progress.h"
#include "print/fonts.h"
#include "print/item_lines.h"
#include "print/mod_todll.h"
#include "print/print_settings.h"

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

PlacedImage FondoFormulario(const QString& path, const Offsets& offsets) {
  if (path.isEmpty()) return {};
  const double x = offsets.X() - kAreaLeftMm, y = offsets.Y() - kAreaTopMm;
  return {path, x, y, x + kPaperWidthMm, y + kPaperHeightMm};
}

Page PaginaBorrador(const Page& page, const PlacedImage& fondo) {
  Page p = page;
  if (!fondo.path.isEmpty()) p.images.insert(p.images.begin(), fondo);
  p.texts.push_back(Marca(p.width, p.height));
  return p;
}

bool DraftBackend::Print(const std::vector<Page>& pages, const QString& jobName, QString* error) {
  std::vector<Page> drafts;
  drafts.reserve(pages.size());
  for (const Page& p : pages) drafts.push_back(PaginaBorrador(p, fondo_));
  return inner_->Print(drafts, jobName, error);
}

void DraftBackend::PageReady(const Page& page, const QString& jobName) {
  inner_->PageReady(PaginaBorrador(page, fondo_), jobName);
}

namespace {
// While it lives, the run's messages, progress and trace go nowhere: the checks compose the
// pages only to measure them, and the rules say what is wrong.
class Quietly {
 public:
  Quietly()
      : messages_(SetMessageService(std::make_shared<Discard>())),
        popup_(SetStatusPopup(std::make_shared<SilentPopup>())) {}
  ~Quietly() {
    SetMessageService(messages_);
    SetStatusPopup(popup_);
  }
  Quietly(const Quietly&) = delete;
  Quietly& operator=(const Quietly&) = delete;

 private:
  class Discard final : public MessageService {
   public:
    int Show(const QString&, int style, const QString&) override { return DefaultAnswer(style); }
  };
  std::shared_ptr<MessageService> messages_;
  std::shared_ptr<StatusPopup> popup_;
  LogMuted log_;
};

// The checks' name of what placed a text: the layout field without the form id, or the
// column of the items or of the norms.
QString CampoDe(const PlacedText& t, const QString& form) {
  static const QLatin1String kItems("SUBITEMS DATA X COORDENADA [{"),
      kNorms("NormasOrigen DATA X COORDENADA [{");
  if (t.campo.startsWith(kItems)) return "Articulos." + t.campo.mid(kItems.size(), 5);
  if (t.campo.startsWith(kNorms)) return "Normas." + t.campo.mid(kNorms.size(), 5);
  if (t.campo.startsWith(form, Qt::CaseInsensitive)) return t.campo.mid(form.size());
  return t.campo;
}

int AlineacionDe(const QString& campo, const FormParams& params) {
  if (campo.startsWith(QLatin1String("Articulos.COL0"))) {
    const int n = campo.right(1).toInt();
    if (n < 1 || n > 5) return 0;
    const QString cal = params.columnas[static_cast<size_t>(n - 1)].cal;
    return cal == "0" ? 1 : (cal == "2" ? 2 : 0);
  }
  return campo == QLatin1String("Normas.COL01") ? 2 : 0;
}
}  // namespace

std::vector<TextoImpreso> TextosImpresos(const Certificado& cert, const QString& imageFolder) {
  Quietly quietly;
  PrintRun run;
  run.cert = cert;
  run.imageFolder = imageFolder;
  PrePrintState pre;
  Impresora p;
  if (!TraerConfig(run) || !Paginar(run, p, pre)) return {};
  const int pages = std::max(1, static_cast<int>(pre.pageTexts.size()) - 1);
  if (!ComponerPaginas(run, pre, 1, pages, p)) return {};
  std::vector<TextoImpreso> out;
  for (size_t page = 0; page < p.Pages().size(); ++page) {
    for (const PlacedText& t : p.Pages()[page].texts) {
      if (t.campo.isEmpty() || t.orientation != 0) continue;  // the ruler; turned texts
      TextoImpreso ti;
      ti.campo = CampoDe(t, run.Form());
      ti.pagina = static_cast<int>(page) + 1;
      ti.alineacion = AlineacionDe(ti.campo, run.Params());
      const double height = LineMetricsMm(t.fontName, t.fontSize).lineSpacing;
      const QStringList lines = SplitLines(t.text);
      for (int i = 0; i < lines.size(); ++i) {
        if (lines[i].isEmpty()) continue;  // the renderer draws nothing there
        const double top = t.y + i * height;
        const double width = TextWidthMm(lines[i], t.fontName, t.fontSize);
        ti.lineas.push_back({lines[i], {t.x, top, t.x + width, top + height}});
      }
      if (!ti.lineas.empty()) out.push_back(std::move(ti));
    }
  }
  return out;
}

SondaImpresion SondaDeImpresion(const QString& imageFolder) {
  SondaImpresion s;
  s.textosImpresos = [imageFolder](const Certificado& c) { return TextosImpresos(c, imageFolder); };
  s.hoja = {-kAreaLeftMm, -kAreaTopMm, kPaperWidthMm - kAreaLeftMm, kPaperHeightMm - kAreaTopMm};
  const Page blank;  // the print area every page of a certificate has
  s.area = {0, 0, blank.width, blank.height};
  if (const std::optional<QRectF> a = AreaImprimible(kPrintProgram)) {
    s.areaImpresora = Rectangulo{a->left() - kAreaLeftMm, a->top() - kAreaTopMm,
                                 a->right() - kAreaLeftMm, a->bottom() - kAreaTopMm};
  }
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

QImage PaginaComoImagen(const Page& page, const PlacedImage& fondo, double pxPerMm,
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
  if (!fondo.path.isEmpty()) {
    Page withForm = page;
    withForm.images.insert(withForm.images.begin(), fondo);
    renderer.Draw(&painter, withForm);
  } else {
    renderer.Draw(&painter, page);
  }
  return img;
}

}  // namespace ostrevan::print
