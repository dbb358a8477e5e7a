#include "data/verificaciones.h"

#include <QDate>
#include <QRegularExpression>
#include <QStringList>
#include <algorithm>
#include <set>

#include "host/state.h"
#include "host/value.h"

namespace ostrevan {

namespace {

const CasillaInfo& CasillaDe(Casilla c) { return InfoCasilla(c); }

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
      que + " Corríjalo en la configuración del formulario " + form + " (botón \"Configuracion\").",
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
    const CasillaInfo& c = CasillaDe(Casilla::FacturaFecha);
    out.push_back(
        EnCasilla("FECHA-INVALIDA", Nivel::Error, c,
                  "La fecha de la factura \"" + textoFactura + "\" no es una fecha (dd/mm/aaaa)."));
  }
  if (!textoCertificado.trimmed().isEmpty() && !certificado.isValid()) {
    const CasillaInfo& c = CasillaDe(Casilla::FechaCertificado);
    out.push_back(EnCasilla(
        "FECHA-INVALIDA", Nivel::Error, c,
        "La fecha del certificado \"" + textoCertificado + "\" no es una fecha (dd/mm/aaaa)."));
  }
  if (!factura.isValid() || !certificado.isValid()) return;
  const CasillaInfo& c = CasillaDe(Casilla::FacturaFecha);
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

void CoordenadasDelLayout(const Certificado& d, const SondaImpresion&,
                          std::vector<Hallazgo>& out) {
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

void Desplazamientos(const Certificado& d, const SondaImpresion&, std::vector<Hallazgo>& out) {
  for (const auto& [nombre, stored] : {std::pair{"XOFFSET", d.offsets.x},
                                       std::pair{"YOFFSET", d.offsets.y}}) {
    if (!stored || IsNumeric(stored->trimmed())) continue;
    const QString valor = *stored;
    out.push_back(EnFormulario("OFFSET-NO-NUMERICO", Nivel::Error, d.idFormulario,
                               "El desplazamiento " + QString::fromLatin1(nombre) + " de esta instalación es \"" +
                                   valor + "\", que no es un número: se imprimiría con 0 mm."));
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
                            "El texto de " + Nombre(c) + " tiene caracteres que la fuente " +
                                fuente + " no puede imprimir (\"" + faltan +
                                "\"): saldrían en blanco."));
  }
  const QString fuente = FuenteDe(d, "SubGlobalPag");
  for (const ArticuloCert* p : PorOrden(d)) {
    const ArticuloCert& a = *p;
    const QString textos = QStringList{a.denoMerc, a.textoPartida, a.textosNcm, a.unidad,
                                       a.codArticulo}
                               .join(' ');
    const QString faltan = s.caracteresSinGlifo(fuente, textos);
    if (faltan.isEmpty()) continue;
    out.push_back(EnArticulo("CARACTERES-SIN-GLIFO", Nivel::Error, a.nroOrden,
                             "La descripción del artículo " + QString::number(a.nroOrden) +
                                 " tiene caracteres que la fuente " + fuente +
                                 " no puede imprimir (\"" + faltan + "\"): saldrían en blanco."));
  }
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
      {"OFFSET-NO-NUMERICO", Nivel::Error, Desplazamientos},
      {"PLANTILLA-ILEGIBLE", Nivel::Advertencia, Plantilla},
      {"CARACTERES-SIN-GLIFO", Nivel::Error, Glifos},
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
