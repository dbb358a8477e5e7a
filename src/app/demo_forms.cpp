#include "app/demo_forms.h"

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include "host/errors.h"
#include "host/sqltext.h"
#include "host/state.h"
#include "host/value.h"
#include "print/backends.h"

namespace ostrevan::demo {

namespace {

constexpr double kPaperW = 210, kPaperH = 297;

struct Caja {
  double x1, y1, x2, y2;  // mm of the print area
  const char* rotulo;
};

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

void DrawForm(const QString& form, const QString& path) {
  // The chambers print the same boxes a little higher or lower; the layout says how much.
  const double dy = LayoutY(form, "ProdFinExp", 24) - 24;
  const double itemsTop = Param(form, "CY103", 98 + dy);
  const double itemsBottom = Param(form, "CY203", 188 + dy);
  const Caja cajas[] = {
      {4, 16 + dy, 97, 40 + dy, "1. Productor final o exportador (nombre, dirección, país)"},
      {97, 16 + dy, 186, 40 + dy, "7. Factura comercial"},
      {4, 40 + dy, 97, 55 + dy, "2. Importador (nombre, dirección, país)"},
      {97, 40 + dy, 186, 70 + dy, ""},
      {4, 55 + dy, 97, 70 + dy, "3. Consignatario (nombre, país)"},
      {4, 70 + dy, 97, 82 + dy, "4. Puerto o lugar de embarque previsto"},
      {97, 70 + dy, 186, 82 + dy, "5. País de destino de las mercaderías"},
      {4, 82 + dy, 186, itemsTop - 7, "6. Medio de transporte previsto"},
      {4, itemsTop - 7, 186, itemsBottom + 2, ""},
      {4, itemsBottom + 2, 186, 226 + dy, "13. Normas de origen"},
      {4, 226 + dy, 186, 246 + dy, "14. Observaciones"},
      {4, 246 + dy, 186, 262 + dy, "15. Declaración del productor final o del exportador"},
      {4, 262 + dy, 95, 276, "Fecha, sello y firma del exportador"},
      {95, 262 + dy, 186, 276, "16. Certificación de origen (uso de la entidad)"},
  };
  const double k = kFormPxPerMm;
  QImage img(static_cast<int>(kPaperW * k), static_cast<int>(kPaperH * k), QImage::Format_RGB32);
  img.fill(QColor(252, 253, 248));
  img.setDotsPerMeterX(static_cast<int>(k * 1000));
  img.setDotsPerMeterY(static_cast<int>(k * 1000));
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  p.setRenderHint(QPainter::TextAntialiasing);
  // From here on one unit is one millimetre of the print area.
  p.scale(k, k);
  p.translate(print::kAreaLeftMm, print::kAreaTopMm);
  const QColor ink(30, 110, 80);
  QPen pen(ink);
  pen.setWidthF(0.35);
  p.setPen(pen);
  for (const Caja& c : cajas) p.drawRect(QRectF(QPointF(c.x1, c.y1), QPointF(c.x2, c.y2)));
  // The item columns and their headings.
  const double head = itemsTop - 7;
  p.drawLine(QPointF(4, itemsTop - 1), QPointF(186, itemsTop - 1));
  for (double x : {19.0, 45.0, 113.0, 152.0}) {
    p.drawLine(QPointF(x, head), QPointF(x, itemsBottom + 2));
  }
  p.drawLine(QPointF(97, 31 + dy - 1), QPointF(186, 31 + dy - 1));
  if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) == nullptr) return;
  QFont f("Liberation Sans");
  f.setPixelSize(10);  // scaled below to 2 mm
  auto text = [&](double x, double y, const QString& s, double mm = 2.0, bool bold = false) {
    QFont g = f;
    g.setBold(bold);
    p.save();
    p.translate(x, y);
    p.scale(mm / 10, mm / 10);
    p.setFont(g);
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
  p.end();
  if (!img.save(path, "PNG")) {
    throw RuntimeError(75, "No se pudo guardar la imagen " + QDir::toNativeSeparators(path),
                       "Ostrevan.Demo");
  }
}

}  // namespace

void DrawFormImages(const QString& formsDir) {
  Recordset rs;
  if (!Query("CEOCFG", "Select IdFormulario From CeoFormularios", rs)) return;
  QStringList forms;
  for (; !rs.Eof(); rs.MoveNext()) forms << Txt(rs.Fields("IdFormulario").Value).trimmed();
  for (const QString& form : forms) DrawForm(form, QDir(formsDir).filePath(form + ".png"));
}

}  // namespace ostrevan::demo
