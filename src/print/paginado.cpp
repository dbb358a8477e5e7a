// Spreading the item lines over the pages of the goods area, keeping a record's lines
// together, with every decision written to the trace log.
#include <algorithm>
#include <cmath>

#include "host/errors.h"
#include "host/log.h"
#include "host/progress.h"
#include "host/timer.h"
#include "host/value.h"
#include "print/item_lines.h"
#include "print/print_settings.h"

namespace ostrevan::print {

namespace {

double PageCount(double lines, int perPage) {
  if (perPage == 0) throw RuntimeError(err::kDivisionByZero, "Division by zero", "Mod_PrePrint");
  const double q = lines / perPage;
  return q == std::floor(q) ? q : std::floor(q) + 1;
}

QString N(double v) { return QString::number(v, 'g', 15); }

// The norm entry of an item number met on the page, when its group has a norm text.
void AddPageNorm(const PrintRun& run, const std::vector<long>& groups, const QString& number,
                 PrePrintState& s) {
  const long group = QString(number).remove("[{COL01}]").toLong();
  const auto& items = run.cert.articulos;
  auto at = std::lower_bound(groups.begin(), groups.end(), group);
  if (at == groups.end() || *at != group) return;
  const QString& id = items[static_cast<size_t>(at - groups.begin())].norma;
  auto norm = run.cert.normas.find(id);
  if (id.isEmpty() || norm == run.cert.normas.end() || norm->second.isEmpty()) return;
  s.normasPagina.push_back({number, id, "[{COL02}]" + norm->second});
}

// The line kinds decide which columns a line of a run of one tariff code repeats.
int LineKind(const std::vector<Linea>& l, long i, long n, long lineInPage, bool& repeat) {
  const bool before = i > 1 && l[i].Code == l[i - 1].Code;
  const bool after = i < n && l[i].Code == l[i + 1].Code;
  const bool newNumber = i == 1 || l[i].Number != l[i - 1].Number;
  if (n == 1) return 1;
  if (i == 1) return after ? 1 : 4;
  if (lineInPage == 1) return i == n ? 0 : (after ? 1 : 4);
  if (newNumber) repeat = false;
  if (i == n) return before ? 3 : 4;
  if (!before && after) return 1;
  if (before && after) return 2;
  if (before && !after) return 3;
  return 4;
}

}  // namespace

void GenerarPaginadoArticulos(const PrintRun& run, int linesPerPage, PrePrintState& s) {
  StatusPopup& popup = Popup();
  const std::vector<Linea>& lines = s.lineas;
  const long n = static_cast<long>(lines.size()) - 1;
  const FormParams& params = run.Params();
  const bool multi = params.ncmMultilinea;
  const bool noRepetir = params.noRepetirNormas;
  const bool col04 = params.imprimeCantidad;
  const bool col05 = params.imprimeFob;
  const std::vector<long> groups = run.cert.Grupos();
  try {
    popup.ShowStatus();
    popup.Mensaje("Calculando y Preparando el paginado del Certificado ...");
    cGetTimer timer;
    timer.StartTimer();
    WriteLog("----- Generamos el Paginado de Articulos -----");
    s.normTexts = QStringList{QString()};
    double pages = PageCount(n, linesPerPage);
    WriteLog("Lineas a procesar: " + QString::number(n) + ", Lineas por pagina: " +
             QString::number(linesPerPage) + ", Paginas a utilizar: " + N(pages));
    s.pageTexts = QStringList{QString()};
    while (s.pageTexts.size() <= pages) s.pageTexts << QString();

    long i = 1, skipped = 0, page = 0, prevPlacedPage = 1, counter = 0;
    QString prevOnPage, lastMet;
    QStringList codeParts{QString(), QString(), QString()};
    QString overlong;  // the record that did not fit even on an empty page
    bool continued = false;
    while (page < pages) {
      ++page;
      WriteLog("Procesando pagina: " + QString::number(page));
      s.normasPagina.clear();
      long lineInPage = 1;
      bool pageHasNorms = false;
      QString text;
      if (page == 1 && multi) {
        WriteLog("Opcion de NCM Multilinea Habilitada!!!");
        counter = -1;
        if (i <= n && !lines[i].CodeLines.isEmpty()) codeParts = lines[i].CodeLines.split('|');
      }
      popup.ClearRegTotalFlag(true);
      popup.RegTotal(n);
      long needed = 0;
      bool stopped = false;
      while (lineInPage <= linesPerPage && i <= n) {
        popup.RegAct(i);
        popup.ElapsedTIME(timer.LAP());
        WriteLog("Linea: " + QString::number(lineInPage) + " de " + QString::number(linesPerPage) +
                 "(" + QString::number(i) + "/" + QString::number(n) + ")");
        if (multi) {
          ++counter;
          if (i > 1 && lines[i].Code != lines[i - 1].Code && counter > 3) {
            counter = 0;
            if (!lines[i].CodeLines.isEmpty()) codeParts = lines[i].CodeLines.split('|');
          }
        }
        needed = 0;
        for (long j = i; j <= n && lines[j].Number == lines[i].Number &&
                         lines[j].Code == lines[i].Code && !lines[j].LastLine;
             ++j) {
          ++needed;
        }
        WriteLog("Registro con (" + QString::number(needed) + ") Linea/s)");
        // A record longer than a whole page starts on an empty page and runs on over the
        // next ones: no item line is ever left out.
        const QString record = lines[i].Number + lines[i].Code;
        if (needed > linesPerPage && lineInPage == 1) overlong = record;
        if (needed > linesPerPage - lineInPage + 1 && record != overlong) {
          stopped = true;
          break;
        }
        Linea l = lines[i];
        if (!col04) l.Quantity = l.Unit = QString();
        if (!col05) l.Fob.clear();
        const bool firstOnPage = page != prevPlacedPage;
        if (firstOnPage) continued = l.Number == lastMet;
        bool repeat = true;
        if (l.Number != prevOnPage) {
          AddPageNorm(run, groups, l.Number, s);
          prevOnPage = lastMet = l.Number;
          pageHasNorms = true;
        }
        const int kind = LineKind(lines, i, n, lineInPage, repeat);
        if (noRepetir && firstOnPage && continued) l.Number = l.Code = QString();
        auto blankTotals = [&] { l.Quantity = l.Unit = l.Fob = QString(); };
        if (kind == 1 && !l.LastLine) blankTotals();
        if (kind == 2) {
          if (repeat) l.Number = l.Code = QString();
          if (!l.LastLine) blankTotals();
        }
        if (kind == 3 && repeat) l.Number = l.Code = QString();
        if (multi && counter >= 0 && counter <= 2) l.Code = codeParts.value(counter);
        text += FormatearLinea(params, l) + "\r\n";
        prevPlacedPage = page;
        ++lineInPage;
        ++i;
      }
      if (stopped) {
        skipped += linesPerPage - lineInPage;
        WriteLog("Recalculando paginado:" + QString("Lineas Disponibles en pagina actual: ") +
                 QString::number(linesPerPage - lineInPage) + "\r\n" + "Lineas Requeridas: " +
                 QString::number(needed) + ", pasadas a la siguiente pagina");
        const double q = double(skipped + n) / linesPerPage;
        if (q != std::floor(q)) {
          pages = std::floor(q) + 1;
          WriteLog("Paginas a Utilizar:" + N(pages));
        } else {
          pages = q;
        }
      }
      if (page >= pages && i <= n) {  // lines still waiting always get one more page
        pages = page + 1;
        WriteLog("Paginas a Utilizar:" + N(pages));
      }
      while (s.pageTexts.size() <= pages) s.pageTexts << QString();
      s.pageTexts[page] = text;
      WriteLog("=== Inicio Descripcion de las Mercaderias Pagina " + QString::number(page) +
               " ====");
      WriteLog("\r\n" + text);
      WriteLog("===  Fin   Descripcion de las Mercaderias Pagina " + QString::number(page) +
               " ====");
      s.normTexts << (pageHasNorms ? TextoNormasPagina(params, s) : QString());
      prevOnPage.clear();
    }
    while (s.pageTexts.size() > page + 1) s.pageTexts.removeLast();
  } catch (const std::exception& e) {
    ReportDetailed(e, "GenerarPaginadoArticulos", QStringLiteral("Módulo"), "Mod_PrePrint");
  }
  popup.HideStatus();
  s.noRepetir = 0;
}

}  // namespace ostrevan::print
