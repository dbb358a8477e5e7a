#include "data/verificaciones.h"

#include <QDate>
#include <QRegularExpression>
#include <QStringList>
#include <set>

#include "data/mod_main.h"
#include "host/sqltext.h"
#include "host/state.h"
#include "host/value.h"

namespace ostrevan {

namespace {

const QString kTab1 = QStringLiteral("Secciones I - VII");
const QString kTab3 = QStringLiteral("Secciones XIV - XV");

// A header box: its column, the window's box and how the user finds it.
struct Casilla {
  const char* columna;
  const char* control;
  const char* campoLayout;  // the layout field that prints it
  QString nombre;           // what it is, for the message
  QString pestana;
  QString etiqueta;  // the caption next to the box
};

const std::vector<Casilla>& Casillas() {
  static const std::vector<Casilla> c = {
      {"PRODFINEXP", "Txt_ProdFinExp", "ProdFinExp", "el productor final o exportador (casilla 1)",
       kTab1, "1) Productor final o exportador"},
      {"IMPORTADOR", "Txt_Importador", "Importador", "el importador (casilla 2)", kTab1,
       "2) Importador"},
      {"CONSIGNATARIO", "Txt_Consignatario", "Consignatario", "el consignatario (casilla 3)", kTab1,
       "3) Consignatario"},
      {"PUERTOEMBARQUE", "Txt_PuertoEmbarque", "PuertoEmbarque",
       "el puerto o lugar de embarque (casilla 4)", kTab1,
       "4) Puerto o lugar de embarque previsto"},
      {"PAISDEST", "Txt_PaisDest", "PaisDest", "el país de destino (casilla 5)", kTab1,
       "5) Pais de destino de las mercaderias"},
      {"MEDIOTRANSP", "Txt_MedioTransporte", "MedioTransp", "el medio de transporte (casilla 6)",
       kTab1, "6) Medio de transporte previsto"},
      {"FACTCOMER", "Txt_FactComerc", "FactComer", "la factura comercial (casilla 7)", kTab1,
       "7) Factura comercial"},
      {"FCNRO", "Txt_FCNumero", "FcNro", "el número de la factura comercial (casilla 7)", kTab1,
       "Numero:"},
      {"FCFECHA", "Txt_FCFecha", "FcFecha", "la fecha de la factura comercial (casilla 7)", kTab1,
       "Fecha"},
      {"OBSERVACIONES", "Txt_Observaciones", "Observaciones", "las observaciones (casilla 14)",
       kTab3, "14) Observaciones"},
      {"DECLPRODFIN", "Txt_DeclProdFin", "DeclProdFin", "la declaración (casilla 15)", kTab3,
       "15) Declaracion"},
      {"DECLACUERDO", "Txt_DeclAcuerdo", "DeclAcuerdo", "el acuerdo de la declaración (casilla 15)",
       kTab3, "acuerdo"},
      {"FECHA", "Txt_Fecha", "Fecha", "la fecha del certificado (casilla 15)", kTab3, "Fecha:"},
  };
  return c;
}

const Casilla& CasillaDe(const char* columna) {
  for (const Casilla& c : Casillas()) {
    if (qstrcmp(c.columna, columna) == 0) return c;
  }
  return Casillas().front();
}

QString DondeCorregir(const Casilla& c) {
  return "Corríjalo en la pestaña \"" + c.pestana + "\", campo \"" + c.etiqueta + "\".";
}

Hallazgo EnCasilla(const char* codigo, Nivel nivel, const Casilla& c, const QString& que) {
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

QString Texto(const DatosVerificacion& d, const char* columna) {
  auto it = d.encabezado.find(QString::fromLatin1(columna));
  return it == d.encabezado.end() ? QString() : it->second;
}

// Dates are typed; these are the ways brokers type them.
QDate Fecha(const QString& text) {
  const QString t = text.trimmed();
  for (const char* f : {"dd/MM/yyyy", "d/M/yyyy", "dd-MM-yyyy", "d-M-yyyy", "dd.MM.yyyy",
                        "dd/MM/yy", "yyyy-MM-dd"}) {
    QDate d = QDate::fromString(t, QString::fromLatin1(f));
    if (d.isValid()) {
      if (d.year() < 100) d = d.addYears(2000 - 1900);
      return d;
    }
  }
  return {};
}

void Obligatorias(const DatosVerificacion& d, const SondaImpresion&, std::vector<Hallazgo>& out) {
  for (const char* col : {"PRODFINEXP", "IMPORTADOR", "PAISDEST", "MEDIOTRANSP", "FCNRO", "FCFECHA",
                          "DECLPRODFIN", "FECHA"}) {
    if (!Texto(d, col).trimmed().isEmpty()) continue;
    const Casilla& c = CasillaDe(col);
    out.push_back(EnCasilla("CASILLA-VACIA", Nivel::Error, c, "Falta " + c.nombre + "."));
  }
}

void SinArticulos(const DatosVerificacion& d, const SondaImpresion&, std::vector<Hallazgo>& out) {
  if (!d.articulos.empty()) return;
  out.push_back({"SIN-ARTICULOS",
                 Nivel::Error,
                 "El certificado no tiene artículos. Agréguelos en la pestaña \"Secciones VIII - "
                 "XIII\" con [Ins].",
                 Lugar::Articulos,
                 {},
                 0});
}

void GruposSinNorma(const DatosVerificacion& d, const SondaImpresion&, std::vector<Hallazgo>& out) {
  std::set<QString> vistos;
  for (const auto& a : d.articulos) {
    if (!a.norma.trimmed().isEmpty() || !vistos.insert(a.codigo).second) continue;
    out.push_back(EnArticulo("GRUPO-SIN-NORMA", Nivel::Error, a.nroOrden,
                             "El grupo de la posición " + a.codigo +
                                 " no tiene norma de origen (casilla 13): marque sus artículos "
                                 "con la barra espaciadora y asocie la norma con [F6]."));
  }
}

void FormaDelCodigo(const DatosVerificacion& d, const SondaImpresion&, std::vector<Hallazgo>& out) {
  static const QRegularExpression forma(QStringLiteral("^\\d{4}\\.\\d{2}\\.\\d{2}$"));
  const QString nomenclador = d.naladisa ? "NALADISA" : "NCM";
  for (const auto& a : d.articulos) {
    if (forma.match(a.codigo.trimmed()).hasMatch()) continue;
    out.push_back(EnArticulo("CODIGO-ARANCELARIO", Nivel::Error, a.nroOrden,
                             "La posición " + nomenclador + " \"" + a.codigo + "\" del artículo " +
                                 QString::number(a.nroOrden) +
                                 " no tiene la forma 9999.99.99 (casilla 9)."));
  }
}

void Cantidades(const DatosVerificacion& d, const SondaImpresion&, std::vector<Hallazgo>& out) {
  for (const auto& a : d.articulos) {
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

void Fechas(const DatosVerificacion& d, const SondaImpresion&, std::vector<Hallazgo>& out) {
  const QString textoFactura = Texto(d, "FCFECHA");
  const QString textoCertificado = Texto(d, "FECHA");
  const QDate factura = Fecha(textoFactura);
  const QDate certificado = Fecha(textoCertificado);
  if (!textoFactura.trimmed().isEmpty() && !factura.isValid()) {
    const Casilla& c = CasillaDe("FCFECHA");
    out.push_back(
        EnCasilla("FECHA-INVALIDA", Nivel::Error, c,
                  "La fecha de la factura \"" + textoFactura + "\" no es una fecha (dd/mm/aaaa)."));
  }
  if (!textoCertificado.trimmed().isEmpty() && !certificado.isValid()) {
    const Casilla& c = CasillaDe("FECHA");
    out.push_back(EnCasilla(
        "FECHA-INVALIDA", Nivel::Error, c,
        "La fecha del certificado \"" + textoCertificado + "\" no es una fecha (dd/mm/aaaa)."));
  }
  if (!factura.isValid() || !certificado.isValid()) return;
  const Casilla& c = CasillaDe("FCFECHA");
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

void CoordenadasDelLayout(const DatosVerificacion& d, const SondaImpresion&,
                          std::vector<Hallazgo>& out) {
  for (const auto& c : d.campos) {
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

void Offsets(const DatosVerificacion& d, const SondaImpresion&, std::vector<Hallazgo>& out) {
  for (const auto& [nombre, valor] : d.offsets) {
    if (IsNumeric(valor.trimmed())) continue;
    out.push_back(EnFormulario("OFFSET-NO-NUMERICO", Nivel::Error, d.idFormulario,
                               "El desplazamiento " + nombre + " de esta instalación es \"" +
                                   valor + "\", que no es un número: se imprimiría con 0 mm."));
  }
}

void Plantilla(const DatosVerificacion& d, const SondaImpresion& s, std::vector<Hallazgo>& out) {
  if (!d.templateHabilitado || !s.imagenLegible) return;
  const QString path = s.carpetaImagenes + d.templateNombre;
  if (!d.templateNombre.trimmed().isEmpty() && s.imagenLegible(path)) return;
  out.push_back(EnFormulario("PLANTILLA-ILEGIBLE", Nivel::Advertencia, d.idFormulario,
                             "La imagen de plantilla \"" + path +
                                 "\" no existe o no se puede leer: la página se imprimiría sin "
                                 "ella."));
}

QString FuenteDe(const DatosVerificacion& d, const QString& campoLayout) {
  const QString key = d.idFormulario + campoLayout;
  for (const auto& c : d.campos) {
    if (c.campo.compare(key, Qt::CaseInsensitive) == 0) return c.fontName;
  }
  return {};
}

void Glifos(const DatosVerificacion& d, const SondaImpresion& s, std::vector<Hallazgo>& out) {
  if (!s.caracteresSinGlifo) return;
  for (const Casilla& c : Casillas()) {
    const QString fuente = FuenteDe(d, QString::fromLatin1(c.campoLayout));
    const QString faltan = s.caracteresSinGlifo(fuente, Texto(d, c.columna));
    if (faltan.isEmpty()) continue;
    out.push_back(EnCasilla("CARACTERES-SIN-GLIFO", Nivel::Error, c,
                            "El texto de " + c.nombre + " tiene caracteres que la fuente " +
                                fuente + " no puede imprimir (\"" + faltan +
                                "\"): saldrían en blanco."));
  }
  const QString fuente = FuenteDe(d, "SubGlobalPag");
  for (const auto& a : d.articulos) {
    const QString faltan = s.caracteresSinGlifo(fuente, a.textos);
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
      {"OFFSET-NO-NUMERICO", Nivel::Error, Offsets},
      {"PLANTILLA-ILEGIBLE", Nivel::Advertencia, Plantilla},
      {"CARACTERES-SIN-GLIFO", Nivel::Error, Glifos},
  };
  return reglas;
}

DatosVerificacion LeerDatosVerificacion(const QString& idCeo) {
  DatosVerificacion d;
  d.idCeo = idCeo;
  Recordset rs;
  if (Query("OSTREVAN", "select * from CeoMercosur where IdCeo = '" + SqlText(idCeo) + "'", rs)) {
    for (const Casilla& c : Casillas()) {
      d.encabezado[QString::fromLatin1(c.columna)] = Txt(rs.Fields(c.columna).Value);
    }
    d.idFormulario = Txt(rs.Fields("IdFormulario").Value);
  }
  const QString form = "'" + SqlText(d.idFormulario) + "'";
  if (Query("CEOCFG", "select Nomenclador from CeoPaises where idFormulario = " + form, rs)) {
    d.naladisa = Txt(rs.Fields("Nomenclador").Value).trimmed().toUpper() == "NALADISA";
  }
  if (Query("OSTREVAN",
            "select * from Articulos where IdCeo = '" + SqlText(idCeo) + "' order by NroOrden",
            rs)) {
    for (; !rs.Eof(); rs.MoveNext()) {
      DatosVerificacion::Articulo a;
      a.nroOrden = static_cast<long>(Num(rs.Fields("NroOrden").Value));
      a.codigo = Txt(rs.Fields(d.naladisa ? "NALADISA" : "NCM").Value);
      a.norma = Txt(rs.Fields("IdNormasOrigen").Value);
      a.pesoCant = Txt(rs.Fields("PesoCant").Value);
      a.valorFob = Txt(rs.Fields("ValorFobUsd").Value);
      QStringList t;
      for (const char* c : {"DenoMerc", "TextoPartida", "TextoNCM1", "TextoNCM2", "TextoNCM3",
                            "Unidad", "CodArticulo"}) {
        t << Txt(rs.Fields(c).Value);
      }
      a.textos = t.join(' ');
      d.articulos.push_back(a);
    }
  }
  if (Query("CEOCFG", "select * from CeoConfig where Campo like '" + SqlText(d.idFormulario) + "%'",
            rs)) {
    for (; !rs.Eof(); rs.MoveNext()) {
      d.campos.push_back({Txt(rs.Fields("Campo").Value), Txt(rs.Fields("ValorX").Value),
                          Txt(rs.Fields("ValorY").Value), Txt(rs.Fields("FontName").Value)});
    }
  }
  for (const char* p : {"XOFFSET", "YOFFSET"}) {
    if (Query("OSTREVAN_CLI",
              "select Valor from CeoParametros where IdFormulario = " + form +
                  " and Propiedad = '" + p + "'",
              rs)) {
      d.offsets[QString::fromLatin1(p)] = Txt(rs.Fields("Valor").Value);
    }
  }
  d.templateHabilitado = esnumero(GetCEOParamInfo(d.idFormulario, "TDHABILITADO", false)) == 1;
  d.templateNombre = GetCEOParamInfo(d.idFormulario, "TDName", false);
  return d;
}

std::vector<Hallazgo> Verificar(const DatosVerificacion& datos, const SondaImpresion& sonda) {
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

bool VerificacionActiva(const QString& idFormulario) {
  return GetCEOParamInfo(idFormulario, "VERIFICAR", false).trimmed().toUpper() != "N";
}

QString NivelTexto(Nivel n) { return n == Nivel::Error ? "Error" : "Advertencia"; }

FrmHallazgos& Hallazgos() {
  static thread_local FrmHallazgos f;
  return f;
}

}  // namespace ostrevan
