#pragma once
// The checks a certificate passes before it goes into the printer: one table of rules over the
// certificate value and its form's configuration. A chamber rejects a certificate with an
// empty box or a misprinted field, and a numbered form is lost; these say so beforehand.
#include <QString>
#include <functional>
#include <map>
#include <optional>
#include <vector>

#include "data/certificado.h"

namespace ostrevan {

enum class Nivel { Error, Advertencia };

// Where the user fixes a finding.
enum class Lugar {
  Encabezado,  // a header box of the data-entry window (control names the box)
  Articulos,   // the item grid (nroOrden names the item, 0 the grid)
  Formulario,  // the form's configuration (the settings window)
};

struct Hallazgo {
  QString codigo;
  Nivel nivel = Nivel::Error;
  QString mensaje;  // what is wrong and where to fix it
  Lugar lugar = Lugar::Encabezado;
  QString control;    // the header box, e.g. "Txt_FCNumero"
  long nroOrden = 0;  // the item
};

// A rectangle in millimetres of the print area (its top left is 0, 0; the sheet's top left
// is at -10, -9.5).
struct Rectangulo {
  double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
};

// One text as the print run places it, measured: where each of its lines lands, offsets
// included.
struct TextoImpreso {
  // The layout field without the form id ("Observaciones"), or "Articulos.COL0n" for the
  // item columns and "Normas.COL0n" for the origin norms' columns.
  QString campo;
  int pagina = 1;
  // What the layout places: 0 the left edge, 1 the right edge, 2 the centre.
  int alineacion = 0;
  struct Linea {
    QString texto;
    Rectangulo caja;
  };
  std::vector<Linea> lineas;
};

// What printing knows and the certificate data does not: which characters a layout's font
// draws, whether an image file can be read, and where the texts of every page land.
struct SondaImpresion {
  // The characters of text that the font cannot draw ("" when it draws them all).
  std::function<QString(const QString& fontName, const QString& text)> caracteresSinGlifo;
  // Whether the image file exists and can be read.
  std::function<bool(const QString& path)> imagenLegible;
  // The folder the form's images are in, with its trailing separator.
  QString carpetaImagenes;
  // Every text of every page the certificate would print, measured; none when the run
  // cannot be composed (other rules say why).
  std::function<std::vector<TextoImpreso>(const Certificado&)> textosImpresos;
  // The A4 sheet and the area the layout's positions are measured in.
  Rectangulo hoja{-10, -9.5, 200, 287.5};
  Rectangulo area{0, 0, 190, 278};
  // The part of the sheet the printer can print on, when its driver says (not for a PDF).
  std::optional<Rectangulo> areaImpresora;
};

struct Regla {
  const char* codigo;
  Nivel nivel;
  std::function<void(const Certificado&, const SondaImpresion&, std::vector<Hallazgo>&)>
      verificar;
};

// Every rule, in the order their findings are listed.
const std::vector<Regla>& Reglas();

std::vector<Hallazgo> Verificar(const Certificado& c, const SondaImpresion& sonda);
bool HayErrores(const std::vector<Hallazgo>& hallazgos);
QString NivelTexto(Nivel n);

// The findings window: the list and what the user chose there.
struct FrmHallazgos {
  std::vector<Hallazgo> lista;
  int elegido = -1;  // the finding to fix (Enter)
  enum Resultado { Volver = 0, Imprimir = 1, Corregir = 2 } resultado = Volver;
};
FrmHallazgos& Hallazgos();

}  // namespace ostrevan
