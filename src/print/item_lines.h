#pragma once
// The items of a certificate as print lines of the goods area: numbered by group, the
// description cut to the printed width, each column behind its marker, spread over pages.
#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

#include "data/certificado.h"

namespace ostrevan::print {

class Impresora;

struct Articulo {
  QString Number, Code;
  QStringList DescriptionLines;
  QString Quantity, Unit, Fob, CodeLines;
};

struct Linea {
  QString Number, Code, Description, Quantity, Unit, Fob, CodeLines;
  bool LastLine = false;
};

// One page's origin-norm entries.
struct NormaPagina {
  QString number;  // with "[{COL01}]"
  QString id;
  QString text;  // with "[{COL02}]"
};

// What a run builds from its certificate. Lists are 1-based: entry 0 is unused.
struct PrePrintState {
  std::vector<Articulo> articulos;
  std::vector<Linea> lineas{Linea{}};
  QStringList pageTexts{QString()};
  QStringList normTexts{QString()};
  std::vector<NormaPagina> normasPagina;
  long noRepetir = 0;  // last item number already listed on an earlier page
};

struct PrintRun;

// The measuring the cutting needs: the leading part of a text that fits in a width (mm).
using Fits = std::function<QString(const QString& text, double widthMm)>;

// Builds the lines of the run's items and paginates them; false when an error was reported.
bool Getarticulos(const PrintRun& run, Impresora& printer, int linesPerPage, PrePrintState& s);
// The same with any measuring (tests).
bool Getarticulos(const PrintRun& run, const Fits& fits, int linesPerPage, PrePrintState& s);
void GenerarListadoGeneralArticulos(const PrintRun& run, PrePrintState& s);
void GenerarPaginadoArticulos(const PrintRun& run, int linesPerPage, PrePrintState& s);

// pad(text, width, alignment): 1 left, 2 centred, anything else right; never cuts.
QString Pad(const QString& text, long width, long alignment);
// The text without the column markers "[{COL01}]" to "[{COL05}]".
QString RemoveMarkers(const QString& text);
QString FormatearLinea(const FormParams& p, const Linea& l);
// The norm text of the page from its entries.
QString TextoNormasPagina(const FormParams& p, PrePrintState& s);
// Cuts a text into pieces that fit, each behind the description marker.
QStringList CortarDescripcion(const QString& text, double widthMm, const Fits& fits);

}  // namespace ostrevan::print
