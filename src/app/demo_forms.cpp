#include "app/demo_forms.h"

#include <QColor>
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <utility>
#include <vector>

#include "app/demo_common.h"
#include "host/sqltext.h"
#include "host/state.h"
#include "host/value.h"
#include "print/backends.h"

namespace ostrevan::demo {

namespace {

constexpr double kPaperW = 210, kPaperH = 297;
constexpr double kAreaW = 190, kAreaH = 278;
// The templates lie over the print area; they need less detail than the paper.
constexpr double kTemplatePxPerMm = 4.0;

bool CanDrawText() {
  // Fonts need a GUI application; a console build still gets the lines and shapes.
  return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr;
}

void SaveImage(const QImage& image, const QString& path, const char* format) {
  // JPG at a good quality; PNG at the default compression (its "quality" means less squeezing).
  const int quality = qstrcmp(format, "JPG") == 0 ? 90 : -1;
  if (!image.save(path, format, quality)) {
    throw Failure("No se pudo guardar la imagen " + QDir::toNativeSeparators(path));
  }
}

// ---------------------------------------------------------------------------------------
// The chambers' logos.

struct Chamber {
  const char* name;
  const char* title;
  QColor colour;
};

void DrawLogo(const Chamber& c, const QString& path) {
  QImage img(600, 240, QImage::Format_RGB32);
  img.fill(Qt::white);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(Qt::NoPen);
  p.setBrush(c.colour);
  p.drawRoundedRect(QRectF(12, 12, 576, 216), 24, 24);
  p.setBrush(c.colour.lighter(150));
  p.drawEllipse(QRectF(36, 54, 132, 132));
  if (CanDrawText()) {
    p.setPen(Qt::white);
    QFont big("Arial");
    big.setPixelSize(72);
    big.setBold(true);
    p.setFont(big);
    p.drawText(QRectF(184, 36, 392, 110), Qt::AlignLeft | Qt::AlignVCenter,
               QString::fromLatin1(c.name));
    QFont small("Arial");
    small.setPixelSize(20);
    p.setFont(small);
    p.drawText(QRectF(184, 144, 392, 64), Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap,
               QString::fromUtf8(c.title));
  }
  p.end();
  SaveImage(img, path, "JPG");
}

// ---------------------------------------------------------------------------------------
// The boxes of the certificate, drawn on the paper of a form and on the templates.

double LayoutY(const QString& form, const QString& field, double fallback) {
  Recordset rs;
  if (!Query("CEOCFG", "Select ValorY From CeoConfig Where Campo = '" + SqlText(form + field) + "'",
             rs)) {
    return fallback;
  }
  return Val(Txt(rs.Fields("ValorY").Value).replace(',', '.'));
}

double Param(const QString& form, const char* property, double fallback) {
  Recordset rs;
  if (!Query("CEOCFG",
             "Select Valor From CeoParametros Where IdFormulario = '" + SqlText(form) +
                 "' and Propiedad = '" + property + "'",
             rs)) {
    return fallback;
  }
  const QString v = Txt(rs.Fields("Valor").Value);
  return IsNumeric(v) ? esnumero(v) : fallback;
}

struct Caja {
  double x1, y1, x2, y2;  // mm of the print area
  const char* rotulo;
};

// Where a form's boxes stand: the chambers print the same boxes a little higher or lower,
// and the layout says how much.
struct FormGeometry {
  explicit FormGeometry(const QString& form)
      : dy(LayoutY(form, "ProdFinExp", 24) - 24),
        itemsTop(Param(form, "CY103", 98 + dy)),
        itemsBottom(Param(form, "CY203", 188 + dy)) {}
  double dy, itemsTop, itemsBottom;
};

// Draws the boxes of a form with the painter's unit at one millimetre of the print area.
void DrawBoxes(QPainter& p, const QString& form, const QColor& ink) {
  const FormGeometry g(form);
  const double dy = g.dy;
  const Caja cajas[] = {
      {4, 16 + dy, 97, 40 + dy, "1. Productor final o exportador (nombre, dirección, país)"},
      {97, 16 + dy, 186, 40 + dy, "7. Factura comercial"},
      {4, 40 + dy, 97, 55 + dy, "2. Importador (nombre, dirección, país)"},
      {97, 40 + dy, 186, 70 + dy, ""},
      {4, 55 + dy, 97, 70 + dy, "3. Consignatario (nombre, país)"},
      {4, 70 + dy, 97, 82 + dy, "4. Puerto o lugar de embarque previsto"},
      {97, 70 + dy, 186, 82 + dy, "5. País de destino de las mercaderías"},
      {4, 82 + dy, 186, g.itemsTop - 7, "6. Medio de transporte previsto"},
      {4, g.itemsTop - 7, 186, g.itemsBottom + 2, ""},
      {4, g.itemsBottom + 2, 186, 226 + dy, "13. Normas de origen"},
      {4, 226 + dy, 186, 246 + dy, "14. Observaciones"},
      {4, 246 + dy, 186, 262 + dy, "15. Declaración del productor final o del exportador"},
      {4, 262 + dy, 95, 276, "Fecha, sello y firma del exportador"},
      {95, 262 + dy, 186, 276, "16. Certificación de origen (uso de la entidad)"},
  };
  QPen pen(ink);
  pen.setWidthF(0.35);
  p.setPen(pen);
  for (const Caja& c : cajas) p.drawRect(QRectF(QPointF(c.x1, c.y1), QPointF(c.x2, c.y2)));
  // The item columns and their headings.
  const double head = g.itemsTop - 7;
  p.drawLine(QPointF(4, g.itemsTop - 1), QPointF(186, g.itemsTop - 1));
  for (double x : {19.0, 45.0, 113.0, 152.0}) {
    p.drawLine(QPointF(x, head), QPointF(x, g.itemsBottom + 2));
  }
  p.drawLine(QPointF(97, 31 + dy - 1), QPointF(186, 31 + dy - 1));
  if (!CanDrawText()) return;
  QFont f("Liberation Sans");
  f.setPixelSize(10);  // scaled below to 2 mm
  auto text = [&](double x, double y, const QString& s, double mm = 2.0, bool bold = false) {
    QFont b = f;
    b.setBold(bold);
    p.save();
    p.translate(x, y);
    p.scale(mm / 10, mm / 10);
    p.setFont(b);
    p.drawText(QPointF(0, 8), s);
    p.restore();
  };
  p.setPen(ink);
  for (const Caja& c : cajas) text(c.x1 + 1, c.y1 + 0.6, QString::fromUtf8(c.rotulo));
  text(99, 31 + dy - 0.6 + 0.1, "Número");
  text(150, 31 + dy - 0.6 + 0.1, "Fecha");
  text(105, 44 + dy, "CERTIFICADO DE ORIGEN", 4.0, true);
  text(105, 51 + dy, "Asociación Latinoamericana de Integración - MERCOSUR", 2.4);
  text(105, 58 + dy, "Formulario " + form, 2.4);
  text(105, 63 + dy, "Nº ______________________", 2.4);
  const char* columnas[] = {"8. Nº de orden", "9. Código NALADISA / NCM",
                            "10. Denominación de las mercaderías", "11. Peso o cantidad",
                            "12. Valor FOB en U$S"};
  const double xs[] = {4, 19, 45, 113, 152};
  for (int i = 0; i < 5; ++i) text(xs[i] + 1, head + 0.6, QString::fromUtf8(columnas[i]), 1.9);
}

// The blank paper of a form: the whole A4 sheet, so that a preview and a draft show it
// where the sheet is.
void DrawForm(const QString& form, const QString& path) {
  const double k = kFormPxPerMm;
  QImage img(static_cast<int>(kPaperW * k), static_cast<int>(kPaperH * k), QImage::Format_RGB32);
  img.fill(QColor(252, 253, 248));
  img.setDotsPerMeterX(static_cast<int>(k * 1000));
  img.setDotsPerMeterY(static_cast<int>(k * 1000));
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  p.setRenderHint(QPainter::TextAntialiasing);
  p.scale(k, k);
  p.translate(print::kAreaLeftMm, print::kAreaTopMm);
  DrawBoxes(p, form, QColor(30, 110, 80));
  p.end();
  SaveImage(img, path, "PNG");
}

// A template the print library lays over the print area: the boxes of the form that names
// it, transparent outside the lines, so that the certificate's texts stay readable whichever
// way it is stacked.
void DrawTemplate(const QString& form, const QString& path) {
  const double k = kTemplatePxPerMm;
  QImage img(static_cast<int>(kAreaW * k), static_cast<int>(kAreaH * k), QImage::Format_ARGB32);
  img.fill(Qt::transparent);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  p.scale(k, k);
  DrawBoxes(p, form, QColor(40, 90, 170, 200));
  p.end();
  SaveImage(img, path, "PNG");
}

// "blank.snt" is what printing places when a form has no template: one transparent pixel.
void DrawBlank(const QString& path) {
  QImage img(1, 1, QImage::Format_ARGB32);
  img.fill(Qt::transparent);
  SaveImage(img, path, "PNG");
}

// Each template name of the installation, with the first form that names it.
std::vector<std::pair<QString, QString>> Templates() {
  std::vector<std::pair<QString, QString>> templates;
  Recordset rs;
  if (!Query("CEOCFG",
             "Select IdFormulario, Valor From CeoParametros Where Propiedad = 'TDName' "
             "Order by IdFormulario",
             rs)) {
    return templates;
  }
  QStringList seen;
  for (; !rs.Eof(); rs.MoveNext()) {
    const QString n = Txt(rs.Fields("Valor").Value).trimmed();
    if (n.isEmpty() || seen.contains(n, Qt::CaseInsensitive)) continue;
    seen << n;
    templates.emplace_back(n, Txt(rs.Fields("IdFormulario").Value).trimmed());
  }
  return templates;
}

}  // namespace

void DrawFormImages(const QString& formsDir) {
  Recordset rs;
  if (!Query("CEOCFG", "Select IdFormulario From CeoFormularios", rs)) return;
  QStringList forms;
  for (; !rs.Eof(); rs.MoveNext()) forms << Txt(rs.Fields("IdFormulario").Value).trimmed();
  for (const QString& form : forms) DrawForm(form, QDir(formsDir).filePath(form + ".png"));
}

void DrawDemoImages() {
  const Chamber chambers[] = {
      {"CAC", "Cámara Argentina de Comercio y Servicios", QColor(0, 84, 147)},
      {"CACIPRA", "Cámara de Comercio, Industria y Producción de la República Argentina",
       QColor(150, 28, 36)},
      {"CERA", "Cámara de Exportadores de la República Argentina", QColor(0, 122, 74)},
  };
  const QDir forms(FormsDir());
  for (const Chamber& c : chambers) {
    DrawLogo(c, forms.filePath(QString::fromLatin1(c.name) + ".JPG"));
  }
  for (const auto& [name, form] : Templates()) DrawTemplate(form, forms.filePath(name));
  DrawBlank(forms.filePath("blank.snt"));
  DrawFormImages(forms.path());
}

}  // namespace ostrevan::demo
