#include "print/item_lines.h"

#include "host/errors.h"
#include "host/msgbox.h"
#include "host/progress.h"
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

// The tariff code in three parts for the multi-line code column: chapter, heading, rest.
QString CodeParts(const QString& code) {
  QStringList parts = code.split('.');
  const QString first = parts.value(0), second = parts.value(1);
  parts = parts.mid(2);
  return first + "|" + second + "|" + parts.join(".");
}

QString Heading(const FormParams& o, const ArticuloCert& a, bool testHidden) {
  if (testHidden && o.ocultaDicho) return {};
  return a.textoPartida.isEmpty() ? a.textoPartida : a.textoPartida + "\r\n";
}

QString PlainDescription(const FormParams& o, const ArticuloCert& a, const QString& heading) {
  const QString code = o.ocultaCod ? QString() : OneLine(a.codArticulo.trimmed());
  const QString desc = o.ocultaDesc ? QString() : OneLine(a.denoMerc.trimmed());
  const bool codeFirst = o.ordDesc >= o.ordCod;
  const QString& x = codeFirst ? code : desc;
  const QString& y = codeFirst ? desc : code;
  if (x.isEmpty() && y.isEmpty()) return heading + " ";
  const QString sep =
      (!x.isEmpty() && !y.isEmpty()) ? (codeFirst ? o.sepCod : o.sepDesc) : QString();
  return heading + x + sep + y;
}

// The parts of the unified detail in their configured order.
QString UnifiedDescription(const FormParams& o, const ArticuloCert& a, const QString& heading) {
  QString detail;
  for (const QString& part : o.ordenUnificado) {
    if (part == "ORD_COD_ART" && !o.ocultaCod) {
      const QString c = OneLine(a.codArticulo.trimmed());
      if (!c.isEmpty()) detail += c + o.sepCod;
    } else if (part == "ORD_DESC_ART" && !o.ocultaDesc) {
      const QString d = OneLine(a.denoMerc.trimmed());
      if (!d.isEmpty()) detail += d + o.sepDesc;
    } else if (part == "ORD_CANTIDAD" && !o.ocultaCantidad) {
      detail += Fixed(esnumero(a.pesoCant), 2) + o.sepCantidad;
    } else if (part == "ORD_UNIDAD" && !o.ocultaUnidad) {
      detail += a.unidad + o.sepUnidad;
    } else if (part == "ORD_FOB" && !o.ocultaFob) {
      detail += Fixed(esnumero(a.valorFob), 2) + o.sepFob;
    }
  }
  return heading + OneLine(detail.trimmed());
}

}  // namespace

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
      qsizetype next = piece.size();               // where the following line starts
      if (next < rest.size() && !rest[next].isSpace()) {
        // A word would be cut: the line ends at the last blank that fits, when there is one
        // after some text; a word wider than the whole line is still cut.
        qsizetype blank = piece.size() - 1;
        while (blank > 0 && !piece[blank].isSpace()) --blank;
        qsizetype end = blank;
        while (end > 0 && piece[end - 1].isSpace()) --end;
        if (end > 0) {
          piece.truncate(end);
          next = blank + 1;
        }
      } else {
        while (piece.size() > 1 && piece.back().isSpace()) piece.chop(1);
      }
      while (next < rest.size() && rest[next].isSpace()) ++next;  // no line starts blank
      pieces << piece;
      rest = rest.mid(next);
    }
  }
  for (QString& p : pieces) {
    if (!p.contains(kCol[3])) p = kCol[3] + p;
  }
  if (pieces.isEmpty()) pieces << kCol[3];
  return pieces;
}

bool Getarticulos(const PrintRun& run, Impresora& printer, int linesPerPage, PrePrintState& s) {
  const cls_DatosDeImpresion* field = nullptr;
  return Getarticulos(
      run,
      [&printer, &field, &run](const QString& text, double width) {
        if (!field) field = &run.Field("SubGlobalPag");
        return printer.GetStringAnchoFijo(text, field->c_FontName, field->c_FontSize, width);
      },
      linesPerPage, s);
}

bool Getarticulos(const PrintRun& run, const Fits& fits, int linesPerPage, PrePrintState& s) {
  StatusPopup& popup = Popup();
  s = PrePrintState();
  const FormParams& o = run.Params();
  try {
    const std::vector<ArticuloCert>& items = run.cert.articulos;
    if (items.empty()) return false;
    const double width = o.Numero(o.cx203) - o.Numero(o.cx103);
    const std::vector<long> groups = run.cert.Grupos();
    popup.ShowStatus();
    popup.ClearRegTotalFlag(true);
    popup.RegTotal(static_cast<long>(items.size()));
    popup.Mensaje("Analizando articulos...");
    s.articulos.reserve(items.size());
    for (size_t i = 0; i < items.size(); ++i) {
      popup.RegAct(static_cast<long>(i + 1));
      const ArticuloCert& item = items[i];
      Articulo a;
      a.Number = kCol[1] + QString::number(groups[i]);
      a.Code = kCol[2] + item.codigo;
      const QString text = o.detalleUnificado
                               ? UnifiedDescription(o, item, Heading(o, item, false))
                               : PlainDescription(o, item, Heading(o, item, true));
      a.DescriptionLines = CortarDescripcion(text, width, fits);
      a.Quantity = kCol[4] + Fixed(esnumero(item.pesoCant), 2);
      a.Unit = o.ocultaUnidad ? QString() : item.unidad;
      a.Fob = kCol[5] + Fixed(esnumero(item.valorFob), 2);
      a.CodeLines = CodeParts(item.codigo);
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
  GenerarListadoGeneralArticulos(run, s);
  GenerarPaginadoArticulos(run, linesPerPage, s);
  return true;
}

void GenerarListadoGeneralArticulos(const PrintRun& run, PrePrintState& s) {
  try {
    const bool multi = run.Params().ncmMultilinea;
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

QString FormatearLinea(const FormParams& p, const Linea& l) {
  const auto& c = p.calibrado;
  auto col = [&](int n, long fallback) { return c[n].COL ? c[n].COL : fallback; };
  const long w1 = col(1, 10), w2 = col(2, 12), w4 = col(4, 10), w5 = col(5, 18);
  const long w3 = p.anchoDesc ? p.anchoDesc : 42;
  long ces[6] = {0, 2, 3, 3, 3, 2};
  if (p.cmult != 0) {
    for (int n = 1; n <= 5; ++n) ces[n] = c[n].CES;
  }
  auto cal = [&](int n) { return c[n].CAL; };
  QString number = RemoveMarkers(l.Number), code = RemoveMarkers(l.Code),
          desc = RemoveMarkers(l.Description), qty = RemoveMarkers(l.Quantity), unit = l.Unit,
          fob = RemoveMarkers(l.Fob);
  if (p.debugPrint) {
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

QString TextoNormasPagina(const FormParams& options, PrePrintState& s) {
  const auto& rows = s.normasPagina;
  struct Entry {
    QString number, text;
  };
  std::vector<Entry> entries;
  auto num = [](const QString& n) { return static_cast<long>(esnumero(RemoveMarkers(n))); };
  if (!options.agruparNormas) {
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
      if (options.noRepetirNormas && from == s.noRepetir) ++from;
      if (from <= to) {
        const QString numberText = from == to ? QString(kCol[1] + QString::number(from))
                                              : kCol[1] + QString::number(from) + " " +
                                                    options.separadorRango + " " + QString::number(to);
        entries.push_back({numberText, rows[i].text});
      }
      s.noRepetir = to;
      i = last + 1;
    }
  }
  QStringList out;
  for (const auto& e : entries) {
    out << (options.debugPrint
                ? QString(kCol[1] + QString(10, '0') + "  " + kCol[2] + QString(80, 'A'))
                : Pad(e.number, 10, 1) + "  " + Pad(e.text, 80, 1));
  }
  return out.join("\r\n");
}

}  // namespace ostrevan::print
