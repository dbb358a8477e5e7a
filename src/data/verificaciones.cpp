#include "data/verificaciones.h"

#include <QDate>
#include <QRegularExpression>
#include <QStringList>
#include <algorithm>
#include <cmath>
#include <set>

#include "host/state.h"
#include "host/value.h"

namespace ostrevan {

namespace {

QString DondeCorregir(const CasillaInfo& c) {
  return "Corríjalo en la pestaña \"" + QString::fromUtf8(c.pestana) + "\", campo \"" +
         QString::fromUtf8(c.etiqueta) + "\".";
}

Hallazgo EnCasilla(const char* codigo, Nivel nivel, const CasillaInfo& c, const QString& que) {
  return {codigo, nivel, que + " " + DondeCorregir(c), Lugar::Encabezado, c.control, 0};
}

Hallazgo EnArticulo(const char* codigo, Nivel nivel, long nro, const QString& que) {
  return {codigo,
          nivel,
          que + " Corríjalo en la pestaña \"Secciones VIII - XIII\", artículo " +
              QString::number(nro) + ".",
          Lugar::Articulos,
          {},
          nro};
}

Hallazgo EnFormulario(const char* codigo, Nivel nivel, const QString& form, const QString& que) {
  return {
      codigo,
      nivel,
      que + " Corríjalo en la configuración del formulario " + form + " ([F10] \"Configuracion\").",
      Lugar::Formulario,
      "Cmd_Config",
      0};
}

// The items by their order number, as the grid lists them.
std::vector<const ArticuloCert*> PorOrden(const Certificado& c) {
  std::vector<const ArticuloCert*> v;
  for (const ArticuloCert& a : c.articulos) v.push_back(&a);
  std::sort(v.begin(), v.end(),
            [](const ArticuloCert* a, const ArticuloCert* b) { return a->nroOrden < b->nroOrden; });
  return v;
}

QString Nombre(const CasillaInfo& c) { return QString::fromUtf8(c.nombre); }

void Obligatorias(const Certificado& d, const SondaImpresion&, std::vector<Hallazgo>& out) {
  for (const CasillaInfo& c : Casillas()) {
    if (!c.obligatoria || !d[c.casilla].trimmed().isEmpty()) continue;
    out.push_back(EnCasilla("CASILLA-VACIA", Nivel::Error, c, "Falta " + Nombre(c) + "."));
  }
}

void SinArticulos(const Certificado& d, const SondaImpresion&, std::vector<Hallazgo>& out) {
  if (!d.articulos.empty()) return;
  out.push_back({"SIN-ARTICULOS",
                 Nivel::Error,
                 "El certificado no tiene artículos. Agréguelos en la pestaña \"Secciones VIII - "
                 "XIII\" con [Ins].",
                 Lugar::Articulos,
                 {},
                 0});
}

void GruposSinNorma(const Certificado& d, const SondaImpresion&, std::vector<Hallazgo>& out) {
  std::set<QString> vistos;
  for (const ArticuloCert* p : PorOrden(d)) {
    const ArticuloCert& a = *p;
    if (!a.norma.trimmed().isEmpty() || !vistos.insert(a.codigo).second) continue;
    out.push_back(EnArticulo("GRUPO-SIN-NORMA", Nivel::Error, a.nroOrden,
                             "El grupo de la posición " + a.codigo +
                                 " no tiene norma de origen (casilla 13): marque sus artículos "
                                 "con la barra espaciadora y asocie la norma con [F6]."));
  }
}

void FormaDelCodigo(const Certificado& d, const SondaImpresion&, std::vector<Hallazgo>& out) {
  static const QRegularExpression forma(QStringLiteral("^\\d{4}\\.\\d{2}\\.\\d{2}$"));
  const QString nomenclador = d.naladisa ? "NALADISA" : "NCM";
  for (const ArticuloCert* p : PorOrden(d)) {
    const ArticuloCert& a = *p;
    if (forma.match(a.codigo.trimmed()).hasMatch()) continue;
    out.push_back(EnArticulo("CODIGO-ARANCELARIO", Nivel::Error, a.nroOrden,
                             "La posición " + nomenclador + " \"" + a.codigo + "\" del artículo " +
                                 QString::number(a.nroOrden) +
                                 " no tiene la forma 9999.99.99 (casilla 9)."));
  }
}

void Cantidades(const Certificado& d, const SondaImpresion&, std::vector<Hallazgo>& out) {
  for (const ArticuloCert* p : PorOrden(d)) {
    const ArticuloCert& a = *p;
    if (esnumero(a.pesoCant) <= 0) {
      out.push_back(EnArticulo("CANTIDAD-NO-POSITIVA", Nivel::Error, a.nroOrden,
                               "El peso o cantidad del artículo " + QString::number(a.nroOrden) +
                                   " es cero o negativo (casilla 11)."));
    }
    if (esnumero(a.valorFob) <= 0) {
      out.push_back(EnArticulo("FOB-NO-POSITIVO", Nivel::Error, a.nroOrden,
                               "El valor FOB del artículo " + QString::number(a.nroOrden) +
                                   " es cero o negativo (casilla 12)."));
    }
  }
}

void Fechas(const Certificado& d, const SondaImpresion&, std::vector<Hallazgo>& out) {
  const QString textoFactura = d[Casilla::FacturaFecha];
  const QString textoCertificado = d[Casilla::FechaCertificado];
  const QDate factura = LeerFecha(textoFactura);
  const QDate certificado = LeerFecha(textoCertificado);
  if (!textoFactura.trimmed().isEmpty() && !factura.isValid()) {
    const CasillaInfo& c = InfoCasilla(Casilla::FacturaFecha);
    out.push_back(
        EnCasilla("FECHA-INVALIDA", Nivel::Error, c,
                  "La fecha de la factura \"" + textoFactura + "\" no es una fecha (dd/mm/aaaa)."));
  }
  if (!textoCertificado.trimmed().isEmpty() && !certificado.isValid()) {
    const CasillaInfo& c = InfoCasilla(Casilla::FechaCertificado);
    out.push_back(EnCasilla(
        "FECHA-INVALIDA", Nivel::Error, c,
        "La fecha del certificado \"" + textoCertificado + "\" no es una fecha (dd/mm/aaaa)."));
  }
  if (!factura.isValid() || !certificado.isValid()) return;
  const CasillaInfo& c = InfoCasilla(Casilla::FacturaFecha);
  if (factura > certificado) {
    out.push_back(EnCasilla("FACTURA-POSTERIOR", Nivel::Error, c,
                            "La factura (" + textoFactura + ") es posterior al certificado (" +
                                textoCertificado + ")."));
  } else if (factura.daysTo(certificado) > 60) {
    out.push_back(EnCasilla(
        "FACTURA-ANTIGUA", Nivel::Advertencia, c,
        "La factura (" + textoFactura + ") tiene más de 60 días al " + textoCertificado + "."));
  }
}

void CoordenadasDelLayout(const Certificado& d, const SondaImpresion&, std::vector<Hallazgo>& out) {
  for (const CampoLayout& c : d.layout) {
    for (const auto& [eje, valor] : {std::pair{"X", c.x}, std::pair{"Y", c.y}}) {
      if (IsNumeric(valor.trimmed())) continue;
      out.push_back(EnFormulario("LAYOUT-NO-NUMERICO", Nivel::Error, d.idFormulario,
                                 "La posicion " + QString::fromLatin1(eje) + " del campo " +
                                     c.campo + " es \"" + valor +
                                     "\", que no es un número: se imprimiría en 0 mm, sobre "
                                     "otra casilla."));
    }
  }
}

// A goods area whose bottom is not below its top has room for no item line: the print would
// stop halfway with a division by zero instead of saying why.
void AreaDeArticulos(const Certificado& d, const SondaImpresion&, std::vector<Hallazgo>& out) {
  const FormParams& f = d.params;
  if (!f.cy103.EsNumero() || !f.cy203.EsNumero()) return;  // the print says which
  if (f.Numero(f.cy203) > f.Numero(f.cy103)) return;
  out.push_back(EnFormulario("AREA-DE-ARTICULOS", Nivel::Error, d.idFormulario,
                             "El área de artículos no tiene lugar para ninguna línea: CY103 = " +
                                 f.cy103.texto + " no está por encima de CY203 = " +
                                 f.cy203.texto + "."));
}

void Desplazamientos(const Certificado& d, const SondaImpresion&, std::vector<Hallazgo>& out) {
  for (const auto& [nombre, stored] :
       {std::pair{"XOFFSET", d.offsets.x}, std::pair{"YOFFSET", d.offsets.y}}) {
    if (!stored || IsNumeric(stored->trimmed())) continue;
    const QString valor = *stored;
    out.push_back(EnFormulario("OFFSET-NO-NUMERICO", Nivel::Error, d.idFormulario,
                               "El desplazamiento " + QString::fromLatin1(nombre) +
                                   " de esta instalación es \"" + valor +
                                   "\", que no es un número: se imprimiría con 0 mm."));
  }
}

void Plantilla(const Certificado& d, const SondaImpresion& s, std::vector<Hallazgo>& out) {
  const QString& nombre = d.params.templateNombre;
  if (!d.params.templateHabilitado || !s.imagenLegible) return;
  const QString path = s.carpetaImagenes + nombre;
  if (!nombre.trimmed().isEmpty() && s.imagenLegible(path)) return;
  out.push_back(EnFormulario("PLANTILLA-ILEGIBLE", Nivel::Advertencia, d.idFormulario,
                             "La imagen de plantilla \"" + path +
                                 "\" no existe o no se puede leer: la página se imprimiría sin "
                                 "ella."));
}

QString FuenteDe(const Certificado& d, const QString& campoLayout) {
  const QString key = d.idFormulario + campoLayout;
  for (const CampoLayout& c : d.layout) {
    if (c.campo.compare(key, Qt::CaseInsensitive) == 0) return c.fontName;
  }
  return {};
}

void Glifos(const Certificado& d, const SondaImpresion& s, std::vector<Hallazgo>& out) {
  if (!s.caracteresSinGlifo) return;
  for (const CasillaInfo& c : Casillas()) {
    if (!*c.campoLayout) continue;
    const QString fuente = FuenteDe(d, QString::fromLatin1(c.campoLayout));
    const QString faltan = s.caracteresSinGlifo(fuente, d[c.casilla]);
    if (faltan.isEmpty()) continue;
    out.push_back(EnCasilla("CARACTERES-SIN-GLIFO", Nivel::Error, c,
                            "El texto " + De(Nombre(c)) + " tiene caracteres que la fuente " +
                                fuente + " no puede imprimir (\"" + faltan +
                                "\"): saldrían en blanco."));
  }
  const QString fuente = FuenteDe(d, "SubGlobalPag");
  for (const ArticuloCert* p : PorOrden(d)) {
    const ArticuloCert& a = *p;
    const QString textos =
        QStringList{a.denoMerc, a.textoPartida, a.textosNcm, a.unidad, a.codArticulo}.join(' ');
    const QString faltan = s.caracteresSinGlifo(fuente, textos);
    if (faltan.isEmpty()) continue;
    out.push_back(EnArticulo("CARACTERES-SIN-GLIFO", Nivel::Error, a.nroOrden,
                             "La descripción del artículo " + QString::number(a.nroOrden) +
                                 " tiene caracteres que la fuente " + fuente +
                                 " no puede imprimir (\"" + faltan + "\"): saldrían en blanco."));
  }
}

// --- Where the texts land ---

constexpr double kTolerancia = 0.05;  // mm: what a measurement may round

QString Mm(double v) { return QString::number(v, 'f', 1).replace('.', ','); }

bool EsColumna(const TextoImpreso& t) {
  return t.campo.startsWith(QLatin1String("Articulos.")) ||
         t.campo.startsWith(QLatin1String("Normas."));
}

// The header box a layout field prints, or nullptr (the split forms print the exporter and
// the importer in lines of their own fields).
const CasillaInfo* CasillaDelCampo(const QString& campo) {
  for (const CasillaInfo& c : Casillas()) {
    if (*c.campoLayout &&
        campo.compare(QString::fromLatin1(c.campoLayout), Qt::CaseInsensitive) == 0) {
      return &c;
    }
  }
  if (campo.startsWith(QLatin1String("Productor"), Qt::CaseInsensitive)) {
    return &InfoCasilla(Casilla::Productor);
  }
  if (campo.startsWith(QLatin1String("Importador"), Qt::CaseInsensitive)) {
    return &InfoCasilla(Casilla::Importador);
  }
  return nullptr;
}

// How a message names what prints a text: the layout field, or the column and the form
// parameters that place it.
QString NombreDelCampo(const TextoImpreso& t) {
  if (t.campo.startsWith(QLatin1String("Articulos.COL0"))) {
    const int n = t.campo.right(1).toInt();
    static const char* const que[] = {
        "", "número de orden", "código", "denominación", "peso o cantidad", "valor FOB"};
    return "la columna " + QString::number(7 + n) + " de los artículos (" +
           QString::fromUtf8(que[n >= 1 && n <= 5 ? n : 0]) + ", CX10" + QString::number(n) +
           " a CX20" + QString::number(n) + ")";
  }
  if (t.campo == QLatin1String("Normas.COL01")) {
    return "la columna de números de las normas de origen (NX101 a NX201)";
  }
  if (t.campo == QLatin1String("Normas.COL02")) {
    return "la columna de textos de las normas de origen (NX201)";
  }
  return "el campo " + t.campo;
}

// The point of a line that the layout's position decides.
double AnclaX(const TextoImpreso& t, const Rectangulo& r) {
  if (t.alineacion == 1) return r.x2;
  if (t.alineacion == 2) return (r.x1 + r.x2) / 2;
  return r.x1;
}

bool Cortan(const Rectangulo& a, const Rectangulo& b) {
  return std::min(a.x2, b.x2) - std::max(a.x1, b.x1) > kTolerancia &&
         std::min(a.y2, b.y2) - std::max(a.y1, b.y1) > kTolerancia;
}

// Whether u comes after t in reading order: a text that runs on into a later one is the one
// that does not fit.
bool Despues(const TextoImpreso& u, const TextoImpreso& t) {
  const Rectangulo& a = t.lineas.front().caja;
  const Rectangulo& b = u.lineas.front().caja;
  if (b.y1 > a.y1 + kTolerancia) return true;
  return std::abs(b.y1 - a.y1) <= kTolerancia && b.x1 > a.x1 + kTolerancia;
}

// A coordinate or an offset that puts a text off the sheet (or off what the printer can
// print) is an error: nothing of it would reach the paper. Texts longer than their place are
// warned about: the box is the one to shorten.
void Ubicacion(const Certificado& d, const SondaImpresion& s, std::vector<Hallazgo>& out) {
  if (!s.textosImpresos) return;
  const std::vector<TextoImpreso> textos = s.textosImpresos(d);
  Rectangulo limite = s.hoja;
  if (s.areaImpresora) {
    limite.x1 = std::max(limite.x1, s.areaImpresora->x1);
    limite.y1 = std::max(limite.y1, s.areaImpresora->y1);
    limite.x2 = std::min(limite.x2, s.areaImpresora->x2);
    limite.y2 = std::min(limite.y2, s.areaImpresora->y2);
  }
  const Rectangulo& area = s.area;
  const double dx = d.offsets.X(), dy = d.offsets.Y();
  const QString desplazamientos = "XOFFSET " + Mm(dx) + " mm, YOFFSET " + Mm(dy) + " mm";
  const QString dondeHoja =
      s.areaImpresora ? QString("fuera de lo que la impresora puede imprimir (de X " +
                                Mm(limite.x1 - s.hoja.x1) + " a " + Mm(limite.x2 - s.hoja.x1) +
                                " mm y de Y " + Mm(limite.y1 - s.hoja.y1) + " a " +
                                Mm(limite.y2 - s.hoja.y1) + " mm de la hoja)")
                      : QString("fuera de la hoja (" + Mm(s.hoja.x2 - s.hoja.x1) + " x " +
                                Mm(s.hoja.y2 - s.hoja.y1) + " mm)");
  std::map<int, std::vector<const TextoImpreso*>> porPagina;
  for (const TextoImpreso& t : textos) {
    if (!t.lineas.empty()) porPagina[t.pagina].push_back(&t);
  }
  std::vector<Hallazgo> errores, advertencias;
  std::set<QString> fuera, cortados;
  for (const TextoImpreso& t : textos) {
    if (t.lineas.empty() || fuera.count(t.campo)) continue;
    const Rectangulo& r = t.lineas.front().caja;
    const double ax = AnclaX(t, r);
    const bool afuera = ax < limite.x1 - kTolerancia || ax > limite.x2 + kTolerancia ||
                        (t.alineacion != 1 && ax >= limite.x2) ||
                        (t.alineacion == 1 && ax <= limite.x1) || r.y1 < limite.y1 - kTolerancia ||
                        r.y2 > limite.y2 + kTolerancia;
    if (!afuera) continue;
    fuera.insert(t.campo);
    errores.push_back(EnFormulario(
        "FUERA-DE-LA-HOJA", Nivel::Error, d.idFormulario,
        (EsColumna(t) ? QString("En el formulario " + d.idFormulario + ", " + NombreDelCampo(t))
                      : QString("El campo " + t.campo + " del formulario " + d.idFormulario)) +
            " se imprimiría en X " + Mm(ax) + " mm, Y " + Mm(r.y1) + " mm del área de impresión (" +
            desplazamientos + " incluidos), es decir a " + Mm(ax - s.hoja.x1) +
            " mm del borde izquierdo y " + Mm(r.y1 - s.hoja.y1) +
            " mm del borde superior de la hoja: " + dondeHoja + ", no saldría en el papel."));
  }
  for (const TextoImpreso& t : textos) {
    if (t.lineas.empty() || fuera.count(t.campo) || cortados.count(t.campo)) continue;
    if (EsColumna(t)) {
      for (const TextoImpreso::Linea& l : t.lineas) {
        if (l.caja.x2 <= area.x2 + kTolerancia && l.caja.y2 <= area.y2 + kTolerancia) continue;
        cortados.insert(t.campo);
        const bool derecha = l.caja.x2 > area.x2 + kTolerancia;
        advertencias.push_back(EnFormulario(
            "FUERA-DEL-AREA", Nivel::Advertencia, d.idFormulario,
            "En la página " + QString::number(t.pagina) + ", \"" + l.texto.trimmed() + "\" " +
                De(NombreDelCampo(t)) + " llega hasta " +
                (derecha ? QString("X " + Mm(l.caja.x2)) : QString("Y " + Mm(l.caja.y2))) +
                " mm, fuera del área de impresión (" + Mm(area.x2) + " x " + Mm(area.y2) + " mm; " +
                desplazamientos + " incluidos): la impresora puede cortarlo."));
        break;
      }
      continue;
    }
    QString razon;
    for (size_t i = 0; i < t.lineas.size() && razon.isEmpty(); ++i) {
      const TextoImpreso::Linea& l = t.lineas[i];
      const QString linea = "su línea " + QString::number(i + 1);
      if (l.caja.x2 > area.x2 + kTolerancia) {
        razon = linea + " ocupa de X " + Mm(l.caja.x1) + " a " + Mm(l.caja.x2) +
                " mm y el área de impresión termina en " + Mm(area.x2) + " mm";
      } else if (l.caja.y2 > area.y2 + kTolerancia) {
        razon = linea + " llega hasta Y " + Mm(l.caja.y2) +
                " mm y el área de impresión termina en " + Mm(area.y2) + " mm";
      } else {
        for (const TextoImpreso* u : porPagina[t.pagina]) {
          if (u == &t || !Despues(*u, t)) continue;
          for (const TextoImpreso::Linea& m : u->lineas) {
            if (!Cortan(l.caja, m.caja)) continue;
            razon = linea + " se imprimiría sobre " + NombreDelCampo(*u);
            break;
          }
          if (!razon.isEmpty()) break;
        }
      }
    }
    if (razon.isEmpty()) continue;
    cortados.insert(t.campo);
    const QString cabe = " no cabe en su lugar del formulario " + d.idFormulario + ": " + razon +
                         "; lo que sobra no se leería en el papel.";
    if (const CasillaInfo* c = CasillaDelCampo(t.campo)) {
      advertencias.push_back(
          EnCasilla("TEXTO-CORTADO", Nivel::Advertencia, *c, "El texto " + De(Nombre(*c)) + cabe));
    } else {
      advertencias.push_back(EnFormulario("TEXTO-CORTADO", Nivel::Advertencia, d.idFormulario,
                                          "El texto del campo " + t.campo + cabe));
    }
  }
  for (Hallazgo& h : errores) out.push_back(std::move(h));
  for (Hallazgo& h : advertencias) out.push_back(std::move(h));
}

}  // namespace

const std::vector<Regla>& Reglas() {
  static const std::vector<Regla> reglas = {
      {"CASILLA-VACIA", Nivel::Error, Obligatorias},
      {"SIN-ARTICULOS", Nivel::Error, SinArticulos},
      {"GRUPO-SIN-NORMA", Nivel::Error, GruposSinNorma},
      {"CODIGO-ARANCELARIO", Nivel::Error, FormaDelCodigo},
      {"CANTIDAD-NO-POSITIVA", Nivel::Error, Cantidades},
      {"FACTURA-POSTERIOR", Nivel::Error, Fechas},
      {"LAYOUT-NO-NUMERICO", Nivel::Error, CoordenadasDelLayout},
      {"AREA-DE-ARTICULOS", Nivel::Error, AreaDeArticulos},
      {"OFFSET-NO-NUMERICO", Nivel::Error, Desplazamientos},
      {"PLANTILLA-ILEGIBLE", Nivel::Advertencia, Plantilla},
      {"CARACTERES-SIN-GLIFO", Nivel::Error, Glifos},
      {"FUERA-DE-LA-HOJA", Nivel::Error, Ubicacion},
  };
  return reglas;
}

std::vector<Hallazgo> Verificar(const Certificado& datos, const SondaImpresion& sonda) {
  std::vector<Hallazgo> out;
  for (const Regla& r : Reglas()) r.verificar(datos, sonda, out);
  return out;
}

bool HayErrores(const std::vector<Hallazgo>& hallazgos) {
  for (const Hallazgo& h : hallazgos) {
    if (h.nivel == Nivel::Error) return true;
  }
  return false;
}

QString NivelTexto(Nivel n) { return n == Nivel::Error ? "Error" : "Advertencia"; }

FrmHallazgos& Hallazgos() { return Owned<FrmHallazgos>(); }

}  // namespace ostrevan
