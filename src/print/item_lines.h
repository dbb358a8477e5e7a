#pragma once
// The items of a certificate as print lines of the goods area: numbered by group, the
// description cut to the printed width, each column behind its marker, spread over pages.
#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

namespace ostrevan::print {

class Cls_Main;

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

// What a run builds, kept until the next run. Lists are 1-based: entry 0 is unused.
struct PrePrintState {
  std::vector<Articulo> articulos;
  std::vector<Linea> lineas{Linea{}};
  QStringList pageTexts{QString()};
  QStringList normTexts{QString()};
  std::vector<NormaPagina> normasPagina;
  long noRepetir = 0;  // last item number already listed on an earlier page
};

PrePrintState& PrePrint();
// Entries 1 to the page count ("" at 0).
inline const QStringList& PageTexts() { return PrePrint().pageTexts; }
inline const QStringList& NormTexts() { return PrePrint().normTexts; }

// The measuring the cutting needs: the leading part of a text that fits in a width (mm).
using Fits = std::function<QString(const QString& text, double widthMm)>;

// Reads the items, builds their lines and paginates them; false when there was nothing to
// build or an error was reported.
bool Getarticulos(Cls_Main& printer, int linesPerPage, long anchoDesc);
// The same with any measuring (tests).
bool Getarticulos(const Fits& fits, int linesPerPage, long anchoDesc);
void GenerarListadoGeneralArticulos();
void GenerarPaginadoArticulos(int linesPerPage);

// pad(text, width, alignment): 1 left, 2 centred, anything else right; never cuts.
QString Pad(const QString& text, long width, long alignment);
// The text without the column markers "[{COL01}]" to "[{COL05}]".
QString RemoveMarkers(const QString& text);
QString FormatearLinea(const Linea& l);
// The norm text of the page from its entries.
QString TextoNormasPagina();
// Cuts a text into pieces that fit, each behind the description marker.
QStringList CortarDescripcion(const QString& text, double widthMm, const Fits& fits);

}  // namespace ostrevan::print
