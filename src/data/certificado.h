#pragma once
// A certificate as the broker sees it, as one value: its header boxes, its goods in print
// order, the texts of their origin norms, and its form's parameters read once. The data layer
// loads and saves it; the data-entry window edits its boxes; the checks, the print run and the
// preview only read it.
#include <QDate>
#include <QString>
#include <QStringList>
#include <array>
#include <map>
#include <optional>
#include <vector>

#include "data/cod_datos.h"

namespace ostrevan {

// The header boxes, in the order of the header table below.
enum class Casilla {
  Descripcion,
  Estado,
  Productor,
  Importador,
  Consignatario,
  Puerto,
  PaisDestino,
  Transporte,
  Factura,
  FacturaNumero,
  FacturaFecha,
  Observaciones,
  Declaracion,
  Acuerdo,
  FechaCertificado,
};
inline constexpr int kCasillas = 15;

// One header box: the only place that ties a CeoMercosur column to the box of the data-entry
// window, the layout field that prints it, its number on the paper and how the user finds it.
struct CasillaInfo {
  Casilla casilla;
  const char* columna;      // CeoMercosur column
  const char* control;      // the data-entry window's box
  const char* campoLayout;  // the layout field that prints it ("" when it does not print)
  int numero;               // the box on the paper (0: the certificate's own data)
  const char* nombre;       // what it is, in a sentence
  const char* pestana;      // the data-entry window's tab
  const char* etiqueta;     // the caption beside the box
  bool obligatoria;         // a chamber refuses the certificate without it
  bool esFecha;
};
const std::array<CasillaInfo, kCasillas>& Casillas();
const CasillaInfo& InfoCasilla(Casilla c);

// "del importador", "de la fecha": a name after "de", contracted as Spanish writes it.
QString De(const QString& nombre);

// How brokers type dates: d/M/yyyy and its variants, ISO, and two-digit years, 00 to 79 being
// 2000 to 2079 and 80 to 99 the previous century. An invalid date when it is none of them.
QDate LeerFecha(const QString& text);

// A per-form parameter that must be a number where it is used: kept as stored, so that the
// run that needs it stops naming it instead of printing at 0 mm.
struct ParamNumero {
  QString propiedad;
  QString texto;
  bool EsNumero() const;
};

struct ColumnaCalibrado {
  long CES = 0;  // spaces before the column
  long COL = 0;  // width in characters
  long CAL = 0;  // 0 right, 1 left, 2 centred
};

// The place of one item column on forms that print column by column.
struct ColumnaForm {
  ParamNumero cx1, cx2, cy1;
  QString cal;  // "0" right, "1" left, "2" centred, as stored
};

// Everything the form's per-form parameters say, read in one pass.
struct FormParams {
  QString idFormulario;
  // The item lines.
  bool ocultaCod = false, ocultaDesc = false, ocultaCantidad = false, ocultaUnidad = false,
       ocultaFob = false, ocultaDicho = false;
  QString sepCod, sepDesc, sepCantidad, sepUnidad, sepFob;
  double ordCod = 0, ordDesc = 0;
  bool detalleUnificado = false;
  QStringList ordenUnificado;  // the ORD_ properties with a non-zero order, in that order
  bool agruparNormas = false, noRepetirNormas = false;
  QString separadorRango;
  bool imprimeCantidad = false, imprimeFob = false;  // COL04, COL05
  // The calibration record.
  bool ncmMultilinea = false, usaFactura = false;
  long anchoDesc = 32, cmult = 0;
  std::array<ColumnaCalibrado, 6> calibrado{};  // 1 to 5
  // The goods area and its columns.
  ParamNumero cy103{"CY103", {}}, cy203{"CY203", {}}, cx103{"CX103", {}}, cx203{"CX203", {}};
  std::array<ColumnaForm, 5> columnas;
  ParamNumero nx101{"NX101", {}}, nx201{"NX201", {}};
  // The page.
  bool mostrarRegla = false, debugPrint = false;
  bool templateHabilitado = false;
  QString templateNombre;
  double tdx1 = 0, tdy1 = 0, tdx2 = 0, tdy2 = 0;
  QString imagenFormulario;  // IMAGENFORMULARIO
  bool verificar = true;     // VERIFICAR "N" turns the checks off

  // The parameter's number; one that is not a number raises a run-time error naming it.
  double Numero(const ParamNumero& p) const;
};

// One stored line of the form's field layout, as typed in the layout editor.
struct CampoLayout {
  QString campo, x, y, fontName, fontSize, orientacion;
};

// This installation's offsets for a form, as stored; none stored means no offset.
struct Offsets {
  std::optional<QString> x, y;
  double X() const;
  double Y() const;
};

struct ArticuloCert {
  long nroOrden = 0;
  QString codigo;  // the tariff code of the form's nomenclature
  QString norma;   // IdNormasOrigen
  QString codArticulo, denoMerc, unidad;
  QString textoPartida, textosNcm;  // the partida wording, and the catalogue's three wordings
  QString pesoCant, valorFob;       // as stored
};

struct Certificado {
  QString idCeo;
  QString idFormulario;
  bool naladisa = false;
  std::array<QString, kCasillas> encabezado;
  std::vector<ArticuloCert> articulos;  // by tariff code and origin norm, as they print
  std::map<QString, QString> normas;    // origin norm id -> its text
  FormParams params;
  std::vector<CampoLayout> layout;
  Offsets offsets;
  AcuerdoCod acuerdo;  // the form's agreement, for its digital certificate of origin
  DatosCod cod;        // the COD fields beyond the paper boxes, and the issued COD

  const QString& operator[](Casilla c) const { return encabezado[static_cast<size_t>(c)]; }
  QString& operator[](Casilla c) { return encabezado[static_cast<size_t>(c)]; }
  // The group number of each item, in articulos' order: a new group starts where the tariff
  // code or the origin norm changes, as the grid and the paper number them.
  std::vector<long> Grupos() const;
};

// Reads a stored certificate with its form's parameters, layout and offsets. A certificate
// that is not there raises "No existe el certificado"; a failed read raises its reason.
Certificado CargarCertificado(const QString& idCeo);
// The certificate's goods as the grid and the paper list them.
QString ArticulosPorNomencladorSql(const QString& idCeo, bool naladisa);
FormParams LeerFormParams(const QString& idFormulario);
std::vector<CampoLayout> LeerLayout(const QString& idFormulario);
Offsets LeerOffsets(const QString& idFormulario);
// Writes the header boxes, the form and its name; false when no row was changed.
bool GuardarEncabezado(const Certificado& c, const QString& nombreFormulario);

}  // namespace ostrevan
