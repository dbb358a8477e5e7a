#include "print/item_lines.h"

#include "data/forms.h"
#include "data/mod_main.h"
#include "host/errors.h"
#include "host/msgbox.h"
#include "host/progress.h"
#include "host/sqltext.h"
#include "host/state.h"
#include "host/timer.h"
#include "host/value.h"
#include "print/print_settings.h"
#include "print/printlib.h"

namespace ostrevan::print {

namespace {
const QString kCol[] = {"", "[{COL01}]", "[{COL02}]", "[{COL03}]", "[{COL04}]", "[{COL05}]"};

QString OneLine(QString t) {
  t.replace("\r\n", " ");
  t.replace('\n', ' ');
  t.replace('\r', ' ');
  return t;
}

QString RemoveMarkersOneByOne(QString t) {
  for (int i = 1; i <= 5; ++i) t.remove(kCol[i]);
  return t;
}

}  // namespace

// Every field of an item line carries its marker: one pass takes them all out instead of five
// searches. Only a text that still shows a marker afterwards (one that removing another made)
// needs the marker-by-marker removal.
QString RemoveMarkers(const QString& t) {
  static const QLatin1String kStart("[{COL0");
  qsizetype at = t.indexOf(kStart);
  if (at < 0) return t;
  QString out;
  out.reserve(t.size());
  qsizetype from = 0;
  for (; at >= 0; at = t.indexOf(kStart, at + 1)) {
    const qsizetype end = at + kStart.size();
    if (end + 2 < t.size() && t[end] >= u'1' && t[end] <= u'5' && t[end + 1] == u'}' &&
        t[end + 2] == u']') {
      out += QStringView(t).mid(from, at - from);
      from = end + 3;
    }
  }
  out += QStringView(t).mid(from);
  return out.contains(QLatin1String("[{COL")) ? RemoveMarkersOneByOne(t) : out;
}

namespace {

// The form's item-line properties, read once per run.
struct LineOptions {
  QString form;
  bool ocultaCod, ocultaDesc, ocultaCantidad, ocultaUnidad, ocultaFob, ocultaDicho;
  QString sepCod, sepDesc, sepCantidad, sepUnidad, sepFob;
  double ordCod, ordDesc;
  bool unificado;
  bool agrupar, noRepetir;
  QString sepRango;
  static LineOptions Read(const QString& form) {
    auto p = [&](const char* name) { return GetCEOParamInfo(form, name, false); };
    auto si = [&](const char* name) { return p(name).trimmed().toUpper() == "S"; };
    LineOptions o;
    o.form = form;
    o.ocultaCod = si("OCULTA_COD_ART");
    o.ocultaDesc = si("OCULTA_DESC_ART");
    o.ocultaCantidad = si("OCULTA_CANTIDAD");
    o.ocultaUnidad = si("OCULTA_UNIDAD");
    o.ocultaFob = si("OCULTA_FOB");
    o.ocultaDicho = si("OCULTA_DICHOPARTIDA");
    o.sepCod = p("SEP_COD_ART");
    o.sepDesc = p("SEP_DESC_ART");
    o.sepCantidad = p("SEP_CANTIDAD");
    o.sepUnidad = p("SEP_UNIDAD");
    o.sepFob = p("SEP_FOB");
    o.ordCod = esnumero(p("ORD_COD_ART"));
    o.ordDesc = esnumero(p("ORD_DESC_ART"));
    o.unificado = p("DETALLEUNIFICADO").trimmed() == "1";
    o.agrupar = si("AGRUPARNORMASORIGEN");
    o.noRepetir = si("NOREPETIRNORMAS");
    o.sepRango = p("TEXTOSEPARADORRANGO").trimmed();
    return o;
  }
};

thread_local LineOptions options;

// The tariff code in three parts for the multi-line code column: chapter, heading, rest.
QString CodeParts(const QString& code) {
  QStringList parts = code.split('.');
  const QString first = parts.value(0), second = parts.value(1);
  parts = parts.mid(2);
  return first + "|" + second + "|" + parts.join(".");
}

// The item's partida wording. The certificate and order number are the key of Articulos, so
// the row being read already holds it; asking the database again for each of thousands of
// items would only repeat the answer.
QString Heading(const Recordset& rs, bool testHidden) {
  if (testHidden && options.ocultaDicho) return {};
  const QString heading = Txt(rs.Fields("TextoPartida").Value);
  return heading.isEmpty() ? heading : heading + "\r\n";
}

QString PlainDescription(const Recordset& rs, const QString& heading) {
  const QString code =
      options.ocultaCod ? QString() : OneLine(Txt(rs.Fields("CodArticulo").Value).trimmed());
  const QString desc =
      options.ocultaDesc ? QString() : OneLine(Txt(rs.Fields("denomerc").Value).trimmed());
  const bool codeFirst = options.ordDesc >= options.ordCod;
  const QString& a = codeFirst ? code : desc;
  const QString& b = codeFirst ? desc : code;
  if (a.isEmpty() && b.isEmpty()) return heading + " ";
  const QString sep =
      (!a.isEmpty() && !b.isEmpty()) ? (codeFirst ? options.sepCod : options.sepDesc) : QString();
  return heading + a + sep + b;
}

// The parts of the unified detail in their configured order.
QStringList UnifiedParts() {
  QStringList parts;
  Recordset rs;
  if (Query("OSTREVAN",
            "Select Propiedad , cast(Valor as Integer) as Valor From CeoParametros Where "
            "IdFormulario = '" +
                SqlText(options.form) +
                "' AND Propiedad like 'ORD_%'ORDER BY "
                "Valor ASC",
            rs)) {
    for (; !rs.Eof(); rs.MoveNext()) {
      if (esnumero(rs.Fields("Valor").Value) != 0)
        parts << Txt(rs.Fields("Propiedad").Value).toUpper();
    }
  }
  return parts;
}

QString UnifiedDescription(const Recordset& rs, const QString& heading, const QStringList& parts) {
  QString detail;
  for (const QString& part : parts) {
    if (part == "ORD_COD_ART" && !options.ocultaCod) {
      const QString c = OneLine(Txt(rs.Fields("CodArticulo").Value).trimmed());
      if (!c.isEmpty()) detail += c + options.sepCod;
    } else if (part == "ORD_DESC_ART" && !options.ocultaDesc) {
      const QString d = OneLine(Txt(rs.Fields("denomerc").Value).trimmed());
      if (!d.isEmpty()) detail += d + options.sepDesc;
    } else if (part == "ORD_CANTIDAD" && !options.ocultaCantidad) {
      detail += Fixed(esnumero(rs.Fields("pesocant").Value), 2) + options.sepCantidad;
    } else if (part == "ORD_UNIDAD" && !options.ocultaUnidad) {
      detail += Txt(rs.Fields("Unidad").Value) + options.sepUnidad;
    } else if (part == "ORD_FOB" && !options.ocultaFob) {
      detail += Fixed(esnumero(rs.Fields("valorfobusd").Value), 2) + options.sepFob;
    }
  }
  return heading + OneLine(detail.trimmed());
}

}  // namespace

PrePrintState& PrePrint() {
  static thread_local PrePrintState s;
  return s;
}

namespace {
void AppendSpaces(QString& out, long n) {
  if (n > 0) out.resize(out.size() + n, u' ');
}

void AppendPadded(QString& out, const QString& text, long width, long alignment) {
  const long spaces = width - text.size();
  if (spaces <= 0) {
    out += text;
  } else if (alignment == 1) {
    out += text;
    AppendSpaces(out, spaces);
  } else if (alignment == 2) {
    AppendSpaces(out, spaces / 2);
    out += text;
    AppendSpaces(out, spaces / 2);
  } else {
    AppendSpaces(out, spaces);
    out += text;
  }
}
}  // namespace

QString Pad(const QString& text, long width, long alignment) {
  QString out;
  AppendPadded(out, text, width, alignment);
  return out;
}

QStringList CortarDescripcion(const QString& text, double widthMm, const Fits& fits) {
  QStringList pieces;
  QString all = text;
  all.replace("\r\n", "\n");
  for (const QString& paragraph : all.split('\n')) {
    const QString whole = fits(paragraph, widthMm);
    if (whole == paragraph) {
      pieces << paragraph;
      continue;
    }
    QString rest = paragraph;
    while (!rest.isEmpty()) {
      QString piece = fits(rest, widthMm);
      if (piece.isEmpty()) piece = rest.left(1);  // always progress
      pieces << piece;
      rest = rest.mid(piece.size());
    }
  }
  for (QString& p : pieces) {
    if (!p.contains(kCol[3])) p = kCol[3] + p;
  }
  if (pieces.isEmpty()) pieces << kCol[3];
  return pieces;
}

bool Getarticulos(Cls_Main& printer, int linesPerPage, long anchoDesc) {
  const cls_DatosDeImpresion* field = nullptr;
  return Getarticulos(
      [&printer, &field](const QString& text, double width) {
        if (!field) field = &Settings().Field(St().sIdFormulario + "SubGlobalPag");
        return printer.GetStringAnchoFijo(text, field->c_FontName, field->c_FontSize, width);
      },
      linesPerPage, anchoDesc);
}

bool Getarticulos(const Fits& fits, int linesPerPage, long) {
  PrePrintState& s = PrePrint();
  StatusPopup& popup = Popup();
  s = PrePrintState();
  try {
    const ComponentState& st = St();
    options = LineOptions::Read(st.sIdFormulario);
    const QString sql = ArticulosPorNomencladorSql();
    Recordset rs;
    if (!Query("OSTREVAN", sql, rs)) return false;
    const double width = ParamNumero(options.form, "CX203") - ParamNumero(options.form, "CX103");
    const QStringList parts = options.unificado ? UnifiedParts() : QStringList();
    popup.ShowStatus();
    popup.ClearRegTotalFlag(true);
    popup.RegTotal(rs.RecordCount());
    popup.Mensaje("Analizando articulos...");
    long counter = 0;
    bool first = true;
    QString prevCode, currentNorm;
    for (; !rs.Eof(); rs.MoveNext()) {
      popup.RegAct(rs.AbsolutePosition());
      const QString code = Txt(rs.Fields("Nomenclador").Value);
      const QString norm = Txt(rs.Fields("idnormasorigen").Value);
      if (first || code != prevCode) {
        ++counter;
        currentNorm = norm;
      } else if (norm != currentNorm) {
        ++counter;
        currentNorm = norm;
      }
      first = false;
      prevCode = code;
      Articulo a;
      a.Number = kCol[1] + QString::number(counter);
      a.Code = kCol[2] + code;
      const QString text = options.unificado ? UnifiedDescription(rs, Heading(rs, false), parts)
                                             : PlainDescription(rs, Heading(rs, true));
      a.DescriptionLines = CortarDescripcion(text, width, fits);
      a.Quantity = kCol[4] + Fixed(esnumero(rs.Fields("pesocant").Value), 2);
      a.Unit = options.ocultaUnidad ? QString() : Txt(rs.Fields("Unidad").Value);
      a.Fob = kCol[5] + Fixed(esnumero(rs.Fields("valorfobusd").Value), 2);
      a.CodeLines = CodeParts(code);
      s.articulos.push_back(std::move(a));
      DoEvents();
    }
  } catch (const std::exception& ex) {
    RuntimeError e = AsRuntimeError(ex);
    popup.HideStatus();
    MsgBox(e.Description() + "\r\n" + QString::number(e.Number()) + " - seccion [Getarticulos]",
           vbCritical);
    return false;
  }
  GenerarListadoGeneralArticulos();
  GenerarPaginadoArticulos(linesPerPage);
  return true;
}

void GenerarListadoGeneralArticulos() {
  PrePrintState& s = PrePrint();
  try {
    const bool multi = Settings().calibrado.NcmMultilinea;
    s.lineas.assign(1, Linea{});
    qsizetype total = 1;
    for (const Articulo& a : s.articulos) total += a.DescriptionLines.size() + (multi ? 3 : 0);
    s.lineas.reserve(static_cast<size_t>(total));
    auto fillRun = [&](size_t runStart) {
      if (!multi) return;
      // Fillers are empty: the code parts they show come from the run's first line, which
      // pagination keeps until the run is over.
      while (s.lineas.size() - runStart < 4) {
        Linea filler;
        filler.LastLine = true;
        s.lineas.push_back(filler);
      }
    };
    size_t runStart = 1;
    for (const Articulo& a : s.articulos) {
      if (s.lineas.size() > 1 && s.lineas.back().Code != a.Code) {
        fillRun(runStart);
        runStart = s.lineas.size();
      }
      for (int i = 0; i < a.DescriptionLines.size(); ++i) {
        Linea l;
        l.Number = a.Number;
        l.Code = a.Code;
        l.Description = a.DescriptionLines[i];
        l.Quantity = a.Quantity;
        l.Unit = a.Unit;
        l.Fob = a.Fob;
        if (multi) l.CodeLines = a.CodeLines;
        l.LastLine = i == a.DescriptionLines.size() - 1;
        s.lineas.push_back(std::move(l));
      }
    }
    if (s.lineas.size() > 1) fillRun(runStart);
  } catch (const std::exception& ex) {
    RuntimeError e = AsRuntimeError(ex);
    MsgBox(e.Description() + "\r\n" + QString::number(e.Number()) +
               " - seccion [GenerarListadoGeneralArticulos]",
           vbCritical);
  }
}

QString FormatearLinea(const Linea& l) {
  const ConfCalibradoGlobal& c = Settings().calibrado;
  auto col = [&](int n, long fallback) { return c.columnas[n].COL ? c.columnas[n].COL : fallback; };
  const long w1 = col(1, 10), w2 = col(2, 12), w4 = col(4, 10), w5 = col(5, 18);
  const long w3 = c.AnchoDesc ? c.AnchoDesc : 42;
  long ces[6] = {0, 2, 3, 3, 3, 2};
  if (c.CMULT != 0) {
    for (int n = 1; n <= 5; ++n) ces[n] = c.columnas[n].CES;
  }
  auto cal = [&](int n) { return c.columnas[n].CAL; };
  QString number = RemoveMarkers(l.Number), code = RemoveMarkers(l.Code),
          desc = RemoveMarkers(l.Description), qty = RemoveMarkers(l.Quantity), unit = l.Unit,
          fob = RemoveMarkers(l.Fob);
  if (Settings().debugPrint) {
    number = QString(w1, 'A');
    code = QString(w2, 'B');
    desc = QString(w3, 'C');
    qty = QString(w4, 'D');
    unit = "EEE";
    fob = QString(w5, 'F');
  }
  // One buffer for the whole line: pagination formats every item line of the certificate.
  QString out;
  out.reserve(64 + w1 + w2 + w3 + w4 + w5 + number.size() + code.size() + desc.size() + qty.size() +
              fob.size());
  const QString* texts[] = {nullptr, &number, &code, &desc, &qty, &fob};
  const long widths[] = {0, w1, w2, w3, w4, w5};
  for (int n = 1; n <= 5; ++n) {
    AppendSpaces(out, ces[n]);
    out += kCol[n];
    AppendPadded(out, *texts[n], widths[n], cal(n));
    if (n == 4) {
      out += ' ';
      AppendPadded(out, unit, 3, 1);
    }
  }
  out += ' ';
  return out;
}

QString TextoNormasPagina() {
  PrePrintState& s = PrePrint();
  const auto& rows = s.normasPagina;
  struct Entry {
    QString number, text;
  };
  std::vector<Entry> entries;
  auto num = [](const QString& n) { return static_cast<long>(esnumero(RemoveMarkers(n))); };
  if (!options.agrupar) {
    for (const auto& r : rows) entries.push_back({r.number, r.text});
  } else {
    for (size_t i = 0; i < rows.size();) {
      size_t last = i;
      while (last + 1 < rows.size() && rows[last + 1].id == rows[i].id &&
             num(rows[last + 1].number) == num(rows[last].number) + 1) {
        ++last;
      }
      long from = num(rows[i].number);
      const long to = num(rows[last].number);
      // A run that goes on from the previous page does not list its numbers again.
      if (options.noRepetir && from == s.noRepetir) ++from;
      if (from <= to) {
        const QString numberText = from == to ? QString(kCol[1] + QString::number(from))
                                              : kCol[1] + QString::number(from) + " " +
                                                    options.sepRango + " " + QString::number(to);
        entries.push_back({numberText, rows[i].text});
      }
      s.noRepetir = to;
      i = last + 1;
    }
  }
  QStringList out;
  for (const auto& e : entries) {
    out << (Settings().debugPrint
                ? QString(kCol[1] + QString(10, '0') + "  " + kCol[2] + QString(80, 'A'))
                : Pad(e.number, 10, 1) + "  " + Pad(e.text, 80, 1));
  }
  return out.join("\r\n");
}

}  // namespace ostrevan::print
