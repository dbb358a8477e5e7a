#include "print/mod_todll.h"

#include <array>
#include <cmath>
#include <memory>
#include <optional>
#include <utility>

#include "data/mod_main.h"
#include "host/errors.h"
#include "host/ini.h"
#include "host/msgbox.h"
#include "host/progress.h"
#include "host/sqltext.h"
#include "host/state.h"
#include "host/timer.h"
#include "host/value.h"
#include "host/windows.h"
#include "print/calibration.h"
#include "print/item_lines.h"
#include "print/page_range.h"
#include "print/print_settings.h"
#include "print/printlib.h"
#include "print/vista_previa.h"

namespace ostrevan::print {

namespace {
thread_local std::unique_ptr<Cls_Main> printObject;
const QString kModulo = QStringLiteral("Módulo");
const QString kProgram = QStringLiteral("MOD_TODLL");
const QString kSample = "12345678901234567890ABCDEFGHIJ";
const char* kMarkers[] = {"[{COL01}]", "[{COL02}]", "[{COL03}]", "[{COL04}]", "[{COL05}]"};

// The header texts of a run.
struct Header {
  QString ProdFinExp, Importador, Consignatario, PuertoEmbarque, PaisDest, MedioTransp, FactComer,
      FcNro, FcFecha, Observaciones, DeclProdFin, DeclAcuerdo, Fecha;
  QStringList productor, importador;  // the lines, on the forms that print them apart
};

bool SplitForm(const QString& form) {
  return form == "CEO004" || form == "CEO104" || form == "CEO204";
}

Header ReadHeader(const Recordset& rs, const QString& form, bool sample) {
  Header h;
  auto col = [&](const char* name) { return Txt(rs.Fields(name).Value); };
  h.ProdFinExp = col("ProdFinExp");
  h.Importador = col("Importador");
  h.Consignatario = col("Consignatario");
  h.PuertoEmbarque = col("PuertoEmbarque");
  h.PaisDest = col("PaisDest");
  h.MedioTransp = col("MedioTransp");
  h.FactComer = col("FactComer");
  h.FcNro = col("FcNro");
  h.FcFecha = col("FcFecha");
  h.Observaciones = col("Observaciones");
  h.DeclProdFin = col("DeclProdFin");
  h.DeclAcuerdo = col("DeclAcuerdo");
  h.Fecha = col("Fecha");
  if (sample) {
    const QString three = TextoMuestra(3);
    const bool keepParties = form == "CEO104" || form == "CEO204";
    if (!keepParties) h.ProdFinExp = h.Importador = three;
    h.Consignatario = h.PuertoEmbarque = h.PaisDest = h.MedioTransp = h.FactComer = three;
    h.Observaciones = three;
    h.FcNro = "0000-0000";
    h.FcFecha = "00/00/0000";
    h.DeclProdFin = h.DeclAcuerdo = "ABCDEFGHIJKLMNOPQ";
  }
  if (SplitForm(form)) {
    h.productor = h.ProdFinExp.split("\r\n");
    h.importador = h.Importador.split("\r\n");
  }
  return h;
}

void Send(Cls_Main& p, const QString& form, const QString& key, const QString& text) {
  p.set_Agregotextov2(Settings().Field(form + key), text);
}

void SendLine(Cls_Main& p, const QString& form, const QString& key, const QStringList& lines,
              int i) {
  if (i < lines.size() && !lines[i].isEmpty()) Send(p, form, key, lines[i]);
}

void ComposePage(Cls_Main& p, const QString& form, const Header& h, int page) {
  StatusPopup& popup = Popup();
  QString errText;
  bool errFlag = false;
  popup.Mensaje("Preparando pagina. (Datos Generales)");
  p.set_newpage();
  p.Set_AreaImpresion("190", "278", errText, errFlag);
  if (SplitForm(form)) {
    SendLine(p, form, "ProductorRazon", h.productor, 0);
    SendLine(p, form, "ProductorDireccion", h.productor, 1);
    SendLine(p, form, "ProductorFecha", h.productor, 2);
    SendLine(p, form, "ImportadorRazon", h.importador, 0);
    SendLine(p, form, "ImportadorDireccion", h.importador, 1);
  } else {
    Send(p, form, "ProdFinExp", h.ProdFinExp);
    Send(p, form, "Importador", h.Importador);
  }
  Send(p, form, "Consignatario", h.Consignatario);
  Send(p, form, "PuertoEmbarque", h.PuertoEmbarque);
  Send(p, form, "PaisDest", h.PaisDest);
  Send(p, form, "MedioTransp", h.MedioTransp);
  Send(p, form, "FactComer", h.FactComer);
  Send(p, form, "FcNro", h.FcNro);
  Send(p, form, "FcFecha", h.FcFecha);

  popup.Mensaje("Preparando pagina. (Subitems)");
  const QString pageText = PageTexts().value(page);
  const QString normText = NormTexts().value(page);
  bool markers = false;
  for (const char* m : kMarkers) markers = markers || pageText.contains(QLatin1String(m));
  if (markers) {
    ProcesarSubItemsConCoordenadas(p, Settings().Field(form + "SubGlobalPag"), pageText);
    popup.Mensaje("Preparando pagina. (Normas de Origen)");
    ProcesarNormasOrigenConCoordenadas(p, Settings().Field(form + "NroOrden"), normText);
  } else {
    Send(p, form, "SubGlobalPag", pageText);
    popup.Mensaje("Preparando pagina. (Normas de Origen)");
    Send(p, form, "NroOrden", normText);
  }
  Send(p, form, "Observaciones", h.Observaciones);
  Send(p, form, "DeclProdFin", h.DeclProdFin);
  Send(p, form, "DeclAcuerdo", h.DeclAcuerdo);
  Send(p, form, "Fecha", h.Fecha);
}

}  // namespace

thread_local QString lastOutput;

Cls_Main* PrintObject() { return printObject.get(); }
void LiberarImpresora() { printObject.reset(); }
QString UltimaSalida() { return lastOutput; }

QString TextoMuestra(int lines) {
  QStringList l;
  for (int i = 0; i < lines; ++i) l << kSample;
  return l.join("\r\n");
}

int LineasQueCaben(Cls_Main& p, const cls_DatosDeImpresion& field, double top, double bottom) {
  const double h = p.gettextheight("Dummy", field.c_FontName, Val(field.c_FontSize));
  if (h <= 0) return 0;
  return static_cast<int>(std::nearbyint((bottom - top) / h));
}

void EnviaImpresion() {
  ComponentState& st = St();
  const QString form = st.sIdFormulario;
  lastOutput.clear();
  try {
    LiberarImpresora();
    printObject = std::make_unique<Cls_Main>();
    Cls_Main& p = *printObject;
    if (!p.selectandsetprinter(kProgram)) {
      LiberarImpresora();
      return;
    }
    QString rulerFont = clINI().LeerINI("Gfont", "Name", InstallationPath("Cfg/CeoFrm.ini"));
    if (rulerFont.isEmpty()) rulerFont = "Courier New";
    Settings().templateEnabled = ParamNumero(form, "TDHABILITADO") == 1;
    const QString tdName = GetCEOParamInfo(form, "TDName", false);
    const double tdx1 = Val(GetCEOParamInfo(form, "TDX1", false));
    const double tdy1 = Val(GetCEOParamInfo(form, "TDY1", false));
    const double tdx2 = Val(GetCEOParamInfo(form, "TDX2", false));
    const double tdy2 = Val(GetCEOParamInfo(form, "TDY2", false));
    if (!TraerConfig(form)) {
      LiberarImpresora();
      return;
    }
    CargaConfCalibradoGlobal(form);
    Recordset rs;
    if (!Query("OSTREVAN", "select * from ceomercosur where idceo = '" + SqlText(st.sIdCeo) + "'",
               rs)) {
      LiberarImpresora();
      return;
    }
    const Header h = ReadHeader(rs, form, Settings().debugPrint);
    const int lines = LineasQueCaben(p, Settings().Field(form + "SubGlobalPag"),
                                     ParamNumero(form, "CY103"), ParamNumero(form, "CY203"));
    Getarticulos(p, lines, Settings().calibrado.AnchoDesc);

    st.iPaginaDesde = PageTexts().isEmpty() ? 0 : 1;
    st.iPaginaHasta = PageTexts().size() - 1;
    if (st.iPaginaHasta < 1) st.iPaginaDesde = st.iPaginaHasta = 0;
    if (st.iPaginaDesde != 0 || st.iPaginaHasta != 0) Windows().ShowModal(Window::DsdHst);
    if (st.iPaginaDesde == 0 && st.iPaginaHasta == 0) {
      LiberarImpresora();
      return;
    }
    StatusPopup& popup = Popup();
    popup.ShowStatus();
    popup.ClearRegTotalFlag(true);
    popup.RegTotal(st.iPaginaHasta);
    cGetTimer timer;
    timer.StartTimer();
    const bool mostrarRegla =
        GetCEOParamInfo(form, "MostrarRegla", false).trimmed().toUpper() == "S";
    const QString folder = ImageFolder();
    for (int page = st.iPaginaDesde; page <= st.iPaginaHasta; ++page) {
      popup.RegAct(page);
      popup.ElapsedTIME(timer.LAP());
      ComposePage(p, form, h, page);
      if (mostrarRegla) Regla(p, rulerFont);
      QString errText;
      bool errFlag = false;
      if (Settings().templateEnabled) {
        popup.Mensaje("Preparando pagina. (Aplicando Template)");
        p.SET_AgregarImagen(folder + tdName, tdx1, tdy1, tdx2, tdy2, errText, errFlag, 1);
      } else {
        p.SET_AgregarImagen(folder + "blank.snt", tdx1, tdy1, tdx2, tdy2, errText, errFlag);
      }
      DoEvents();
    }
    popup.HideStatus();
    if (std::exchange(DsdHst().vistaPrevia, false) &&
        !ConfirmarConVistaPrevia(p.Pages(), st.iPaginaDesde, form)) {
      LiberarImpresora();  // seen and not wanted: nothing prints
      return;
    }
    bool flag = true;
    p.imprimirINICFGPRog(kProgram, flag);
    lastOutput = p.LastOutput();
    LiberarImpresora();
  } catch (const std::exception& ex) {
    Popup().HideStatus();
    RuntimeError e = AsRuntimeError(ex);
    MsgBox(e.Description() + "\r\n\r\n" + QString::number(e.Number()) +
               " seccion [mod_todll.EnviaImpresion]::" + e.Source() + "0",
           vbCritical);
    MsgBox("VER PROBLEMA DE COMPATIBILIDAD GLYPHOR y GLYPHOR2!!!!!!!!!!!!!", vbCritical | vbYesNo);
    LiberarImpresora();
  }
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
double LineHeight(Cls_Main& p, const cls_DatosDeImpresion& f) {
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
// is kept and raised then, which ends the placement of that page's texts.
struct Col {
  double cx1, cx2, cy1;
  QString cal;
  std::optional<RuntimeError> error;
  void Check() const {
    if (error) throw *error;
  }
};
struct Geometry {
  std::array<Col, 5> items;
  Col norms;  // NX101 and NX201 as its cx1 and cx2
};
double ReadCoord(const QString& form, const QString& property, Col& col) {
  try {
    return ParamNumero(form, property);
  } catch (const RuntimeError& e) {
    if (!col.error) col.error = e;
    return 0;
  }
}
// The column coordinates of a form, read once per run rather than once per page.
const Geometry& FormGeometry(const Cls_Main& p, const QString& form) {
  thread_local QString cachedFor;
  thread_local Geometry g;
  thread_local unsigned long long cachedRun = 0;
  if (cachedFor != form || cachedRun != p.RunId()) {
    for (int n = 1; n <= 5; ++n) {
      const QString nn = QString("%1").arg(n, 2, 10, QChar('0'));
      Col& c = g.items[n - 1];
      c = Col{};
      c.cx1 = ReadCoord(form, "CX1" + nn, c);
      c.cx2 = ReadCoord(form, "CX2" + nn, c);
      c.cy1 = ReadCoord(form, "CY1" + nn, c);
      c.cal = GetCEOParamInfo(form, "CAL" + nn, false).trimmed();
    }
    g.norms = Col{};
    g.norms.cx1 = ReadCoord(form, "NX101", g.norms);
    g.norms.cx2 = ReadCoord(form, "NX201", g.norms);
    cachedFor = form;
    cachedRun = p.RunId();
  }
  return g;
}
}  // namespace

namespace {
// Sends the text of every column of a page's lines, one line height apart. The columns print
// in the area's font, the one its lines were counted with; the library's default font would
// run them past the bottom of the area. `place` sets a text's position from its column number
// and the offset of its line.
template <typename Place>
void SendColumns(Cls_Main& p, const cls_DatosDeImpresion& field, const char* campo,
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
      f.c_valor = ColumnText(lines[i], n, columns);
      place(f, n, LineOffset(lineHeight, i));
      p.set_Agregotextov2(f);
    }
  }
}
}  // namespace

void ProcesarSubItemsConCoordenadas(Cls_Main& p, const cls_DatosDeImpresion& field,
                                    const QString& pageText) {
  try {
    const PrintSettings& s = Settings();
    const std::array<Col, 5>& cols = FormGeometry(p, St().sIdFormulario).items;
    SendColumns(p, field, "SUBITEMS DATA X COORDENADA", pageText, 5,
                [&](cls_DatosDeImpresion& f, int n, double lineOffset) {
                  const Col& c = cols[n - 1];
                  c.Check();
                  const double width = p.gettextwidth(f.c_valor, f.c_FontName, f.c_FontSize);
                  if (c.cal == "0") {
                    f.c_PosX = c.cx2 - width + s.xOffset;
                  } else if (c.cal == "1") {
                    f.c_PosX = c.cx1 + s.xOffset;
                  } else if (c.cal == "2") {
                    f.c_PosX = s.xOffset + c.cx1 + ((c.cx2 - c.cx1) - width) / 2;
                  }
                  f.c_PosY = c.cy1 + s.yOffset + lineOffset;
                });
  } catch (const std::exception& e) {
    ReportDetailed(e, "ProcesarSubItemsConCoordenadas", kModulo, "Mod_ToDll");
  }
}

void ProcesarNormasOrigenConCoordenadas(Cls_Main& p, const cls_DatosDeImpresion& field,
                                        const QString& normText) {
  try {
    const PrintSettings& s = Settings();
    const Col& c = FormGeometry(p, St().sIdFormulario).norms;
    SendColumns(p, field, "NormasOrigen DATA X COORDENADA", normText, 2,
                [&](cls_DatosDeImpresion& f, int n, double lineOffset) {
                  c.Check();
                  if (n == 1) {
                    const double width = p.gettextwidth(f.c_valor, f.c_FontName, f.c_FontSize);
                    f.c_PosX = s.xOffset + c.cx1 + ((c.cx2 - c.cx1) - width) / 2;
                  } else {
                    f.c_PosX = c.cx2 + s.xOffset;
                  }
                  f.c_PosY = field.c_PosY + lineOffset;
                });
  } catch (const std::exception& e) {
    ReportDetailed(e, "ProcesarNormasOrigenConCoordenadas", kModulo, "Mod_ToDll");
  }
}

void Regla(Cls_Main& p, const QString& font) {
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
