#include "print/mod_todll.h"

#include <array>
#include <cmath>
#include <memory>
#include <optional>
#include <utility>

#include "host/errors.h"
#include "host/msgbox.h"
#include "host/progress.h"
#include "host/timer.h"
#include "host/value.h"
#include "print/item_lines.h"
#include "print/print_settings.h"
#include "print/printlib.h"

namespace ostrevan::print {

namespace {
const QString kModulo = QStringLiteral("Módulo");
const QString kSample = "12345678901234567890ABCDEFGHIJ";
const char* kMarkers[] = {"[{COL01}]", "[{COL02}]", "[{COL03}]", "[{COL04}]", "[{COL05}]"};

// The header texts of a run.
struct Header {
  QString texts[kCasillas];
  QStringList productor, importador;  // the lines, on the forms that print them apart
  const QString& operator[](Casilla c) const { return texts[static_cast<size_t>(c)]; }
};

bool SplitForm(const QString& form) {
  return form == "CEO004" || form == "CEO104" || form == "CEO204";
}

Header ReadHeader(const Certificado& cert, bool sample) {
  Header h;
  for (int i = 0; i < kCasillas; ++i) h.texts[i] = cert.encabezado[static_cast<size_t>(i)];
  const QString& form = cert.idFormulario;
  if (sample) {
    auto set = [&](Casilla c, const QString& t) { h.texts[static_cast<size_t>(c)] = t; };
    const QString three = TextoMuestra(3);
    const bool keepParties = form == "CEO104" || form == "CEO204";
    if (!keepParties) {
      set(Casilla::Productor, three);
      set(Casilla::Importador, three);
    }
    for (Casilla c : {Casilla::Consignatario, Casilla::Puerto, Casilla::PaisDestino,
                      Casilla::Transporte, Casilla::Factura, Casilla::Observaciones}) {
      set(c, three);
    }
    set(Casilla::FacturaNumero, "0000-0000");
    set(Casilla::FacturaFecha, "00/00/0000");
    set(Casilla::Declaracion, "ABCDEFGHIJKLMNOPQ");
    set(Casilla::Acuerdo, "ABCDEFGHIJKLMNOPQ");
  }
  if (SplitForm(form)) {
    h.productor = h[Casilla::Productor].split("\r\n");
    h.importador = h[Casilla::Importador].split("\r\n");
  }
  return h;
}

void Send(const PrintRun& run, Impresora& p, const QString& key, const QString& text) {
  p.set_Agregotextov2(run.Field(key), text);
}

void SendBox(const PrintRun& run, Impresora& p, const Header& h, Casilla c) {
  Send(run, p, QString::fromLatin1(InfoCasilla(c).campoLayout), h[c]);
}

void SendLine(const PrintRun& run, Impresora& p, const QString& key, const QStringList& lines,
              int i) {
  if (i < lines.size() && !lines[i].isEmpty()) Send(run, p, key, lines[i]);
}

void ComposePage(const PrintRun& run, const PrePrintState& pre, Impresora& p, const Header& h,
                 int page) {
  StatusPopup& popup = Popup();
  QString errText;
  bool errFlag = false;
  popup.Mensaje("Preparando pagina. (Datos Generales)");
  p.set_newpage();
  p.Set_AreaImpresion("190", "278", errText, errFlag);
  if (SplitForm(run.Form())) {
    SendLine(run, p, "ProductorRazon", h.productor, 0);
    SendLine(run, p, "ProductorDireccion", h.productor, 1);
    SendLine(run, p, "ProductorFecha", h.productor, 2);
    SendLine(run, p, "ImportadorRazon", h.importador, 0);
    SendLine(run, p, "ImportadorDireccion", h.importador, 1);
  } else {
    SendBox(run, p, h, Casilla::Productor);
    SendBox(run, p, h, Casilla::Importador);
  }
  for (Casilla c : {Casilla::Consignatario, Casilla::Puerto, Casilla::PaisDestino,
                    Casilla::Transporte, Casilla::Factura, Casilla::FacturaNumero, Casilla::FacturaFecha}) {
    SendBox(run, p, h, c);
  }

  popup.Mensaje("Preparando pagina. (Subitems)");
  const QString pageText = pre.pageTexts.value(page);
  const QString normText = pre.normTexts.value(page);
  bool markers = false;
  for (const char* m : kMarkers) markers = markers || pageText.contains(QLatin1String(m));
  if (markers) {
    ProcesarSubItemsConCoordenadas(run, p, run.Field("SubGlobalPag"), pageText);
    popup.Mensaje("Preparando pagina. (Normas de Origen)");
    ProcesarNormasOrigenConCoordenadas(run, p, run.Field("NroOrden"), normText);
  } else {
    Send(run, p, "SubGlobalPag", pageText);
    popup.Mensaje("Preparando pagina. (Normas de Origen)");
    Send(run, p, "NroOrden", normText);
  }
  for (Casilla c :
       {Casilla::Observaciones, Casilla::Declaracion, Casilla::Acuerdo, Casilla::FechaCertificado}) {
    SendBox(run, p, h, c);
  }
}

void ReportRunError(const std::exception& ex) {
  Popup().HideStatus();
  RuntimeError e = AsRuntimeError(ex);
  MsgBox(e.Description() + "\r\n\r\n" + QString::number(e.Number()) +
             " seccion [mod_todll.EnviaImpresion]::" + e.Source() + "0",
         vbCritical);
  MsgBox("VER PROBLEMA DE COMPATIBILIDAD GLYPHOR y GLYPHOR2!!!!!!!!!!!!!", vbCritical | vbYesNo);
}

}  // namespace

QString TextoMuestra(int lines) {
  QStringList l;
  for (int i = 0; i < lines; ++i) l << kSample;
  return l.join("\r\n");
}

int LineasQueCaben(Impresora& p, const cls_DatosDeImpresion& field, double top, double bottom) {
  const double h = p.gettextheight("Dummy", field.c_FontName, Val(field.c_FontSize));
  if (h <= 0) return 0;
  return static_cast<int>(std::nearbyint((bottom - top) / h));
}

bool Paginar(const PrintRun& run, Impresora& p, PrePrintState& out) {
  try {
    const FormParams& f = run.Params();
    const int lines =
        LineasQueCaben(p, run.Field("SubGlobalPag"), f.Numero(f.cy103), f.Numero(f.cy203));
    Getarticulos(run, p, lines, out);
    return true;
  } catch (const std::exception& ex) {
    ReportRunError(ex);
  }
  return false;
}

bool ComponerPaginas(const PrintRun& run, const PrePrintState& pre, int desde, int hasta,
                     Impresora& p) {
  try {
    const FormParams& f = run.Params();
    const Header h = ReadHeader(run.cert, f.debugPrint);
    StatusPopup& popup = Popup();
    popup.ShowStatus();
    popup.ClearRegTotalFlag(true);
    popup.RegTotal(hasta);
    cGetTimer timer;
    timer.StartTimer();
    for (int page = desde; page <= hasta; ++page) {
      popup.RegAct(page);
      popup.ElapsedTIME(timer.LAP());
      ComposePage(run, pre, p, h, page);
      if (f.mostrarRegla) Regla(p, run.rulerFont);
      QString errText;
      bool errFlag = false;
      if (f.templateHabilitado) {
        popup.Mensaje("Preparando pagina. (Aplicando Template)");
        p.SET_AgregarImagen(run.imageFolder + f.templateNombre, f.tdx1, f.tdy1, f.tdx2, f.tdy2,
                            errText, errFlag, 1);
      } else {
        p.SET_AgregarImagen(run.imageFolder + "blank.snt", f.tdx1, f.tdy1, f.tdx2, f.tdy2,
                            errText, errFlag);
      }
      DoEvents();
    }
    popup.HideStatus();
    return true;
  } catch (const std::exception& ex) {
    ReportRunError(ex);
  }
  return false;
}

namespace {
// The text of a column: after its marker, up to the next column's marker when there is one.
QString ColumnText(const QString& line, int n, int columns) {
  const QString marker = kMarkers[n - 1];
  const int at = line.indexOf(marker);
  if (at < 0) return {};
  int end = line.size();
  if (n < columns) {
    const int next = line.indexOf(QLatin1String(kMarkers[n]), at + marker.size());
    if (next >= 0) end = next;
  }
  return line.mid(at + marker.size(), end - at - marker.size()).trimmed();
}

// The height of one line of the field's font, asked once for all the lines of a page.
double LineHeight(Impresora& p, const cls_DatosDeImpresion& f) {
  QString err;
  bool flag = false;
  return p.GET_AltoTextoLineaSimple(f.c_valor, f.c_FontName, f.c_FontSize, err, flag);
}

double LineOffset(double lineHeight, int lineNo) {
  return std::round(lineNo * lineHeight * 1e4) / 1e4;  // to 4 decimals
}
}  // namespace

namespace {
// A column's coordinates are required once a text goes to it: the first that is not a number
// is raised then, which ends the placement of that page's texts.
struct Col {
  double cx1 = 0, cx2 = 0, cy1 = 0;
  QString cal;
  std::optional<RuntimeError> error;
  void Check() const {
    if (error) throw *error;
  }
};
double Coord(const FormParams& f, const ParamNumero& p, Col& col) {
  try {
    return f.Numero(p);
  } catch (const RuntimeError& e) {
    if (!col.error) col.error = e;
    return 0;
  }
}
Col ItemColumn(const FormParams& f, int n) {
  const ColumnaForm& c = f.columnas[static_cast<size_t>(n - 1)];
  Col col;
  col.cx1 = Coord(f, c.cx1, col);
  col.cx2 = Coord(f, c.cx2, col);
  col.cy1 = Coord(f, c.cy1, col);
  col.cal = c.cal;
  return col;
}
}  // namespace

namespace {
// Sends the text of every column of a page's lines, one line height apart. The columns print
// in the area's font, the one its lines were counted with; the library's default font would
// run them past the bottom of the area. `place` sets a text's position from its column number
// and the offset of its line.
template <typename Place>
void SendColumns(Impresora& p, const cls_DatosDeImpresion& field, const char* campo,
                 const QString& text, int columns, const Place& place) {
  cls_DatosDeImpresion base;
  base.c_Campo = campo;
  base.c_FontName = field.c_FontName;
  base.c_FontSize = field.c_FontSize;
  const double lineHeight = LineHeight(p, base);
  const QStringList lines = text.split("\r\n");
  for (int i = 0; i < lines.size(); ++i) {
    for (int n = 1; n <= columns; ++n) {
      if (!lines[i].contains(QLatin1String(kMarkers[n - 1]))) continue;
      cls_DatosDeImpresion f = base;
      f.c_Campo = base.c_Campo + " " + kMarkers[n - 1];  // the checks tell the columns apart
      f.c_valor = ColumnText(lines[i], n, columns);
      place(f, n, LineOffset(lineHeight, i));
      p.set_Agregotextov2(f);
    }
  }
}
}  // namespace

void ProcesarSubItemsConCoordenadas(const PrintRun& run, Impresora& p,
                                    const cls_DatosDeImpresion& field, const QString& pageText) {
  try {
    const double xOffset = run.cert.offsets.X(), yOffset = run.cert.offsets.Y();
    std::array<Col, 5> cols;
    for (int n = 1; n <= 5; ++n) cols[n - 1] = ItemColumn(run.Params(), n);
    SendColumns(p, field, "SUBITEMS DATA X COORDENADA", pageText, 5,
                [&](cls_DatosDeImpresion& f, int n, double lineOffset) {
                  const Col& c = cols[n - 1];
                  c.Check();
                  const double width = p.gettextwidth(f.c_valor, f.c_FontName, f.c_FontSize);
                  if (c.cal == "0") {
                    f.c_PosX = c.cx2 - width + xOffset;
                  } else if (c.cal == "1") {
                    f.c_PosX = c.cx1 + xOffset;
                  } else if (c.cal == "2") {
                    f.c_PosX = xOffset + c.cx1 + ((c.cx2 - c.cx1) - width) / 2;
                  }
                  f.c_PosY = c.cy1 + yOffset + lineOffset;
                });
  } catch (const std::exception& e) {
    ReportDetailed(e, "ProcesarSubItemsConCoordenadas", kModulo, "Mod_ToDll");
  }
}

void ProcesarNormasOrigenConCoordenadas(const PrintRun& run, Impresora& p,
                                        const cls_DatosDeImpresion& field,
                                        const QString& normText) {
  try {
    const double xOffset = run.cert.offsets.X();
    Col c;
    c.cx1 = Coord(run.Params(), run.Params().nx101, c);
    c.cx2 = Coord(run.Params(), run.Params().nx201, c);
    SendColumns(p, field, "NormasOrigen DATA X COORDENADA", normText, 2,
                [&](cls_DatosDeImpresion& f, int n, double lineOffset) {
                  c.Check();
                  if (n == 1) {
                    const double width = p.gettextwidth(f.c_valor, f.c_FontName, f.c_FontSize);
                    f.c_PosX = xOffset + c.cx1 + ((c.cx2 - c.cx1) - width) / 2;
                  } else {
                    f.c_PosX = c.cx2 + xOffset;
                  }
                  f.c_PosY = field.c_PosY + lineOffset;
                });
  } catch (const std::exception& e) {
    ReportDetailed(e, "ProcesarNormasOrigenConCoordenadas", kModulo, "Mod_ToDll");
  }
}

void Regla(Impresora& p, const QString& font) {
  QString extra, errText;
  bool errFlag = false;
  auto put = [&](const QString& t, double x, double y) {
    p.set_Agregotexto(t, x, y, font, "5", extra, errText, errFlag);
  };
  const QString tick = QString::fromUtf8("¯"), ticks = QString::fromUtf8("¯¯¯");
  for (int y = 1; y <= 280; ++y) {
    put(tick, 5, y);
    put(tick, 200, y);
    if (y % 5 == 0) {
      put(QString::number(y), 1, y - 1);
      put(ticks, 5, y);
      put(ticks, 200, y);
    }
  }
  for (int x = 1; x <= 200; ++x) {
    put("'", x, 5);
    put("'", x, 280);
    if (x % 5 == 0) {
      put(QString::number(x), x - 2, 1);
      put("|", x, 5);
      put("|", x, 280);
    }
  }
  for (int x = 70; x <= 130; ++x) {
    put("'", x, 25);
    if (x % 5 == 0) {
      put(QString::number(x - 70), x - 2, 22);
      put("|", x, 25);
    }
  }
  for (int x = 61; x <= 121; ++x) {
    put("'", x, 275);
    if (x % 5 == 0) {
      put(QString::number(x - 60), x - 2, 272);
      put("|", x, 275);
    }
  }
  for (int y = 207; y <= 237; ++y) {
    if (y % 5 != 0) {
      put(tick, 61, y);
    } else {
      put(QString::number(y - 210), 56, y - 1);
      put(ticks, 60, y);
    }
  }
}

}  // namespace ostrevan::print
